// Typing into the colour editor's boxes key by key, with the keyboard focus in
// the box, the way a person does it.

#include "panes/coloureditordialog.h"

#include "engine/drawsettings.h"
#include "panes/guitest.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

using namespace orbelle;

namespace {

class ColourEditorTypingTest : public test::GuiTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dialog = std::make_unique<ColourEditorDialog>(folder.path());
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    QSpinBox* box(int id) const {
        return dialog->findChild<QSpinBox*>(QStringLiteral("spin%1").arg(id));
    }

    /// Gives a box the focus and selects its text, as a click and a
    /// double-click would.
    QSpinBox* enter(int id) {
        QSpinBox* spin = box(id);
        spin->setFocus(Qt::TabFocusReason);
        spin->selectAll();
        return spin;
    }

    QTemporaryDir folder;
    std::unique_ptr<ColourEditorDialog> dialog;
};

TEST_F(ColourEditorTypingTest, TheBoxBeingTypedInKeepsEveryKeystroke) {
    // From blue, 1, 2, 8 typed into R stays 1, 12, 128 in the box.
    QSpinBox* red = enter(11103);
    QTest::keyClicks(red, QStringLiteral("0"));
    QSpinBox* blue = enter(11105);
    QTest::keyClicks(blue, QStringLiteral("255"));
    red = enter(11103);
    ASSERT_TRUE(red->hasFocus());
    const char* const expected[] = {"1", "12", "128"};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(red, "128"[i]);
        EXPECT_EQ(red->text(), QString::fromLatin1(expected[i]));
        EXPECT_EQ(dialog->red(), QString::fromLatin1(expected[i]).toInt());
        EXPECT_EQ(dialog->blue(), 255);
    }
    // (128, 0, 255): H 270, S 255, V 255; the preview shows the typed colour.
    EXPECT_EQ(dialog->hue(), 270);
    EXPECT_EQ(dialog->saturation(), 255);
    EXPECT_EQ(dialog->value(), 255);
    EXPECT_EQ(dialog->colour(), packRgb(128, 0, 255));
}

TEST_F(ColourEditorTypingTest, GreyTypedIntoTheThreeBoxesStaysGrey) {
    for (int id : {11103, 11104, 11105}) {
        QSpinBox* spin = enter(id);
        for (const char key : {'1', '2', '8'}) {
            QTest::keyClick(spin, key);
        }
        EXPECT_EQ(spin->text(), QStringLiteral("128")) << id;
        QTest::keyClick(spin, Qt::Key_Tab);
    }
    EXPECT_EQ(dialog->hue(), 0);
    EXPECT_EQ(dialog->saturation(), 0);
    EXPECT_EQ(dialog->value(), 128);
    EXPECT_EQ(box(11103)->text(), QStringLiteral("128"));
    EXPECT_EQ(box(11104)->text(), QStringLiteral("128"));
    EXPECT_EQ(box(11105)->text(), QStringLiteral("128"));
    EXPECT_EQ(dialog->colour(), packRgb(128, 128, 128));
}

TEST_F(ColourEditorTypingTest, GreenTypedKeyByKeyGivesItsHueAndIsReconciledOnLeaving) {
    const struct {
        int id;
        const char* text;
    } rows[] = {{11103, "10"}, {11104, "200"}, {11105, "30"}};
    for (const auto& row : rows) {
        QSpinBox* spin = enter(row.id);
        QString typed;
        for (const char* key = row.text; *key != '\0'; ++key) {
            QTest::keyClick(spin, *key);
            typed += QLatin1Char(*key);
            EXPECT_EQ(spin->text(), typed) << row.id;
        }
    }
    // Still in the blue box: 30 as typed, and the hue of (10, 200, 30).
    EXPECT_EQ(dialog->red(), 10);
    EXPECT_EQ(dialog->green(), 200);
    EXPECT_EQ(dialog->blue(), 30);
    EXPECT_EQ(dialog->hue(), 126);
    EXPECT_EQ(dialog->saturation(), 242);
    EXPECT_EQ(dialog->value(), 200);
    EXPECT_EQ(dialog->colour(), packRgb(10, 200, 30));

    // Enter finishes the edit: the boxes show the colour H 126, S 242, V 200
    // makes, whose blue is 29.
    QTest::keyClick(box(11105), Qt::Key_Return);
    EXPECT_EQ(dialog->hue(), 126);
    EXPECT_EQ(dialog->saturation(), 242);
    EXPECT_EQ(dialog->value(), 200);
    EXPECT_EQ(box(11103)->text(), QStringLiteral("10"));
    EXPECT_EQ(box(11104)->text(), QStringLiteral("200"));
    EXPECT_EQ(box(11105)->text(), QStringLiteral("29"));
    EXPECT_EQ(dialog->colour(), packRgb(10, 200, 29));
}

TEST_F(ColourEditorTypingTest, ClosingWhileTypingLeavesTheBoxesAlone) {
    // (10, 200, 30) typed, the focus still in the blue box: finishing the edit
    // would make blue 29. Destroying the dialog takes the focus away, but
    // nothing of the dialog answers any more: blue keeps 30 to the end.
    for (const auto& [id, text] :
         {std::pair{11103, "10"}, std::pair{11104, "200"}, std::pair{11105, "30"}}) {
        QTest::keyClicks(enter(id), QString::fromLatin1(text));
    }
    QSpinBox* blue = box(11105);
    ASSERT_TRUE(blue->hasFocus());
    ASSERT_EQ(blue->value(), 30);
    QSignalSpy changes(blue, &QSpinBox::valueChanged);
    dialog.reset();
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ColourEditorTypingTest, TypingTheHueMovesTheOthersButNotItself) {
    QSpinBox* hue = enter(11100);
    QTest::keyClick(hue, '1');
    QTest::keyClick(hue, '2');
    QTest::keyClick(hue, '0');
    EXPECT_EQ(hue->text(), QStringLiteral("120"));
    // H 120 at full saturation and value is pure green.
    EXPECT_EQ(dialog->red(), 0);
    EXPECT_EQ(dialog->green(), 255);
    EXPECT_EQ(dialog->blue(), 0);
    EXPECT_EQ(dialog->colour(), packRgb(0, 255, 0));
}

} // namespace
