#include "widgets/spinrow.h"

#include "support/guiapplication.h"

#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <algorithm>

using namespace orbelle;

namespace {

class SpinRowTest : public ::testing::Test {
  protected:
    SpinRow row;
};

// A row whose edit box holds typed text that is not the value in use is
// marked, so the person sees that the figure uses another value.
class SpinRowMarkTest : public SpinRowTest {
  protected:
    void SetUp() override {
        row.setRange(1, 999);
        row.setValue(50);
        row.setPartsToolTip(QStringLiteral("回数"));
    }

    bool marked() const {
        return !row.textValid() && row.edit()->styleSheet().contains(QStringLiteral("border"));
    }
};

} // namespace

TEST(SliderMappingTest, PerMilleEndsOnCommonRanges) {
    const SliderMapping m = SliderMapping::perMille();
    struct Case {
        int min, max, atZero, atThousand;
    };
    for (const Case c : {Case{1, 999, 1, 999}, Case{1, 180, 1, 180}, Case{0, 500, 0, 500},
                         Case{0, 999, 0, 999}, Case{-999, 999, -998, 999}}) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max);
        EXPECT_EQ(std::clamp(m.fromSlider(0, c.min, c.max), c.min, c.max), c.atZero);
        EXPECT_EQ(std::clamp(m.fromSlider(1000, c.min, c.max), c.min, c.max), c.atThousand);
        EXPECT_EQ(m.toSlider(c.min, c.min, c.max), 0);
        EXPECT_EQ(m.toSlider(c.max, c.min, c.max), 1000);
    }
    EXPECT_EQ(m.toSlider(0, -999, 999), 500);
    EXPECT_EQ(m.toSlider(-1, -999, 999), 499); // truncated toward zero
    EXPECT_EQ(m.toSlider(5, 5, 5), 0);         // an empty range never divides by zero
}

TEST_F(SpinRowTest, TypedTextBecomesTheValueOnlyWhenValid) {
    row.setRange(1, 999);
    row.setValue(200);
    int changed = 0;
    QObject::connect(&row, &SpinRow::valueChanged, [&changed] { ++changed; });

    row.edit()->setText(QStringLiteral("1200"));
    EXPECT_EQ(row.value(), 200);
    EXPECT_EQ(row.edit()->text(), QStringLiteral("1200")); // typed text stays
    row.edit()->setText(QString());
    EXPECT_EQ(row.value(), 200); // empty is 0, outside 1..999
    row.edit()->setText(QStringLiteral("12a"));
    EXPECT_EQ(row.value(), 200);
    row.edit()->setText(QStringLiteral("99999999999999999999"));
    EXPECT_EQ(row.value(), 200);
    row.edit()->setText(QStringLiteral("-"));
    EXPECT_EQ(row.value(), 200);
    EXPECT_EQ(changed, 0);

    row.edit()->setText(QStringLiteral("+42"));
    EXPECT_EQ(row.value(), 42);
    EXPECT_EQ(row.edit()->text(), QStringLiteral("+42"));
    EXPECT_EQ(changed, 1);

    row.setRange(-999, 999);
    row.edit()->setText(QStringLiteral("-7"));
    EXPECT_EQ(row.value(), -7);
    row.edit()->setText(QString());
    EXPECT_EQ(row.value(), 0);
}

TEST_F(SpinRowTest, ArrowsWrapAtBothEnds) {
    row.setRange(1, 180);
    row.setValue(180);
    row.findChild<QToolButton*>(QStringLiteral("up"))->click();
    EXPECT_EQ(row.value(), 1);
    EXPECT_EQ(row.edit()->text(), QStringLiteral("1"));
    EXPECT_EQ(row.slider()->value(), 1); // a row without a mapping slides over its range
    row.findChild<QToolButton*>(QStringLiteral("down"))->click();
    EXPECT_EQ(row.value(), 180);
    row.stepBy(-1);
    EXPECT_EQ(row.value(), 179);
}

// Up and Down in the edit box step the value by one, wrapping at the ends as
// the arrows do, and rewrite the box (typed text that was not the value too).
TEST_F(SpinRowTest, UpAndDownInTheEditBoxStepTheValue) {
    const struct Case {
        int min, max;
        const char* text; // typed into the box first
        Qt::Key key;
        int presses;
        int value;
        int changes; // valueChanged signals
    } cases[] = {
        {1, 999, "998", Qt::Key_Up, 1, 999, 1},   {1, 999, "999", Qt::Key_Up, 1, 1, 1},
        {1, 999, "1", Qt::Key_Down, 1, 999, 1},   {1, 999, "2", Qt::Key_Down, 1, 1, 1},
        {-999, 999, "0", Qt::Key_Down, 3, -3, 3}, {-999, 999, "-999", Qt::Key_Down, 2, 998, 2},
        {0, 359, "359", Qt::Key_Up, 2, 1, 2},     {1, 100, "50", Qt::Key_Up, 5, 55, 5},
        {1, 999, "1200", Qt::Key_Up, 1, 51, 1}, // out of range: steps from the value 50
        {1, 999, "abc", Qt::Key_Down, 1, 49, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " from " << c.text);
        SpinRow spin;
        spin.setRange(c.min, c.max);
        spin.setValue(50);
        spin.edit()->setText(QString::fromLatin1(c.text));
        int changes = 0;
        QObject::connect(&spin, &SpinRow::valueChanged, [&changes] { ++changes; });
        for (int k = 0; k < c.presses; ++k) {
            QTest::keyClick(spin.edit(), c.key);
        }
        EXPECT_EQ(spin.value(), c.value);
        EXPECT_EQ(spin.edit()->text(), QString::number(c.value));
        EXPECT_TRUE(spin.textValid());
        EXPECT_EQ(changes, c.changes);
    }
    // With a modifier the keys are the edit's own: nothing steps.
    row.setRange(1, 999);
    row.setValue(10);
    QTest::keyClick(row.edit(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(row.value(), 10);
}

TEST_F(SpinRowTest, SetValueAndRangeClampAndKeepThePartsInStep) {
    row.setMapping(SliderMapping::perMille());
    row.setRange(-999, 999);
    row.setValue(5000);
    EXPECT_EQ(row.value(), 999);
    EXPECT_EQ(row.slider()->value(), 1000);
    row.setValue(-5000);
    EXPECT_EQ(row.value(), -999);
    EXPECT_EQ(row.edit()->text(), QStringLiteral("-999"));
    row.setRange(0, 100);
    EXPECT_EQ(row.value(), 0);
    EXPECT_EQ(row.slider()->value(), 0);
}

TEST_F(SpinRowTest, SliderSetsTheValueAndSettles) {
    row.setMapping(SliderMapping::perMille());
    row.setRange(-999, 999);
    row.slider()->setValue(0);
    row.slider()->setValue(1000);
    EXPECT_EQ(row.value(), 999);
    row.slider()->setValue(0);
    EXPECT_EQ(row.value(), -998);
    EXPECT_EQ(row.edit()->text(), QStringLiteral("-998"));
    EXPECT_EQ(row.slider()->value(), 0);

    SpinRow plain;
    plain.setRange(1, 100);
    plain.slider()->setValue(37);
    EXPECT_EQ(plain.value(), 37);
    EXPECT_EQ(plain.edit()->text(), QStringLiteral("37"));
    plain.edit()->setText(QStringLiteral("80"));
    EXPECT_EQ(plain.slider()->value(), 80);
}

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
