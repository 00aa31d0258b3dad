// A row whose edit box holds typed text that is not the value in use is
// marked, so the person sees that the figure uses another value.

#include "widgets/spinrow.h"

#include "panes/guitest.h"

#include <QLineEdit>
#include <QTest>

using namespace orbelle;

namespace {

class SpinRowMarkTest : public test::GuiTest {
  protected:
    void SetUp() override {
        row.setRange(1, 999);
        row.setValue(50);
        row.setPartsToolTip(QStringLiteral("回数"));
    }

    bool marked() const {
        return !row.textValid() && row.edit()->styleSheet().contains(QStringLiteral("border"));
    }

    SpinRow row;
};

} // namespace

TEST_F(SpinRowMarkTest, TextThatIsNotTheValueIsFramedAndExplained) {
    QLineEdit* edit = row.edit();
    edit->selectAll();
    // 50, Backspace, 000: the box shows 5000, the value stays 500.
    QTest::keyClicks(edit, QStringLiteral("50"));
    EXPECT_FALSE(marked());
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("00"));
    EXPECT_EQ(row.value(), 500);
    EXPECT_FALSE(marked());
    QTest::keyClick(edit, '0');
    EXPECT_EQ(edit->text(), QStringLiteral("5000"));
    EXPECT_EQ(row.value(), 500);
    EXPECT_TRUE(marked());
    EXPECT_EQ(edit->toolTip(), QString::fromUtf8("範囲: 1 \xE2\x80\x93 999"));

    // Backspace makes it valid again: the frame and the range tooltip go.
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(row.value(), 500);
    EXPECT_FALSE(marked());
    EXPECT_TRUE(edit->styleSheet().isEmpty());
    EXPECT_EQ(edit->toolTip(), QStringLiteral("回数"));
}

TEST_F(SpinRowMarkTest, EmptyOrSignOnlyTextIsMarkedAndSettersClearIt) {
    QLineEdit* edit = row.edit();
    edit->setText(QString()); // empty counts as 0, outside 1..999
    EXPECT_TRUE(marked());
    edit->setText(QStringLiteral("-"));
    EXPECT_TRUE(marked());
    edit->setText(QStringLiteral("1200"));
    EXPECT_TRUE(marked());
    EXPECT_EQ(row.value(), 50);

    row.setValue(7); // the arrows, the slider and the pane rewrite the text
    EXPECT_FALSE(marked());
    EXPECT_EQ(edit->text(), QStringLiteral("7"));

    edit->setText(QStringLiteral("1200"));
    row.stepBy(1);
    EXPECT_FALSE(marked());
    EXPECT_EQ(edit->text(), QStringLiteral("8"));

    // A new range (another formula) rewrites the text from the value.
    edit->setText(QStringLiteral("1200"));
    row.setRange(-2000, 2000);
    EXPECT_FALSE(marked());
    EXPECT_EQ(edit->text(), QStringLiteral("8"));
}
