#include "panes/coloureditordialog.h"

#include "engine/colour.h"
#include "engine/drawsettings.h"
#include "panes/guitest.h"

#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

using namespace orbelle;

namespace {

class ColourEditorTest : public test::GuiTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dialog = std::make_unique<ColourEditorDialog>(folder.path());
    }

    QSpinBox* box(int id) const {
        return dialog->findChild<QSpinBox*>(QStringLiteral("spin%1").arg(id));
    }

    /// Replaces the text of a box at once, as a paste would.
    void type(int id, const QString& text) {
        QSpinBox* spin = box(id);
        ASSERT_NE(spin, nullptr) << id;
        spin->findChild<QLineEdit*>()->setText(text);
    }

    void clickAt(const QPoint& pos) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, pos);
    }

    QRgb pixelAt(const QPoint& pos) const { return dialog->grab().toImage().pixel(pos); }

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

// Typing key by key, with the keyboard focus in the box, the way a person
// does it: the dialog is shown and active.
class ColourEditorTypingTest : public ColourEditorTest {
  protected:
    void SetUp() override {
        ColourEditorTest::SetUp();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
};

QRgb rgbOf(std::int32_t packed) { return qRgb(redOf(packed), greenOf(packed), blueOf(packed)); }

} // namespace

TEST_F(ColourEditorTest, OpensOnPureRedWithTheCursorTopRight) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("色の編集"));
    EXPECT_EQ(dialog->hue(), 0);
    EXPECT_EQ(dialog->saturation(), 255);
    EXPECT_EQ(dialog->value(), 255);
    EXPECT_EQ(dialog->red(), 255);
    EXPECT_EQ(dialog->green(), 0);
    EXPECT_EQ(dialog->blue(), 0);
    EXPECT_EQ(dialog->colour(), packRgb(255, 0, 0));
    EXPECT_EQ(dialog->fieldCursor(), QPoint(dialog->fieldRect().width(), 0));

    // A second dialog does not remember what the first one was set to.
    type(11105, QStringLiteral("255"));
    ColourEditorDialog again(folder.path());
    EXPECT_EQ(again.colour(), packRgb(255, 0, 0));
}

TEST_F(ColourEditorTest, TypedRgbGoesRoundThroughHsv) {
    type(11103, QStringLiteral("0"));
    type(11105, QStringLiteral("255"));
    EXPECT_EQ(dialog->hue(), 240);
    EXPECT_EQ(dialog->saturation(), 255);
    EXPECT_EQ(dialog->value(), 255);
    EXPECT_EQ(dialog->colour(), packRgb(0, 0, 255));

    type(11103, QStringLiteral("128"));
    type(11104, QStringLiteral("128"));
    type(11105, QStringLiteral("128"));
    EXPECT_EQ(dialog->hue(), 0);
    EXPECT_EQ(dialog->saturation(), 0);
    EXPECT_EQ(dialog->value(), 128);
    EXPECT_EQ(dialog->red(), 128);
    EXPECT_EQ(dialog->green(), 128);
    EXPECT_EQ(dialog->blue(), 128);

    type(11103, QStringLiteral("10"));
    type(11104, QStringLiteral("200"));
    type(11105, QStringLiteral("30"));
    EXPECT_EQ(dialog->hue(), 126);
    EXPECT_EQ(dialog->saturation(), 242);
    EXPECT_EQ(dialog->value(), 200);
    EXPECT_EQ(dialog->blue(), 29); // the box shows the colour actually made
    EXPECT_EQ(box(11105)->text(), QStringLiteral("29"));
    EXPECT_EQ(dialog->colour(), packRgb(10, 200, 29));
    // The cursor follows S and V.
    const QSize field = dialog->fieldRect().size();
    EXPECT_EQ(dialog->fieldCursor(),
              QPoint(field.width() * 242 / 255, field.height() - field.height() * 200 / 255));
}

TEST_F(ColourEditorTest, BoxesTakeDigitsWithinTheirRangeOnly) {
    QSpinBox* hue = box(11100);
    hue->setFocus();
    hue->selectAll();
    QTest::keyClicks(hue, QStringLiteral("-5"));
    EXPECT_EQ(dialog->hue(), 5); // the sign is refused, the digit taken
    hue->selectAll();
    QTest::keyClicks(hue, QStringLiteral("x"));
    EXPECT_EQ(dialog->hue(), 5);
    hue->selectAll();
    QTest::keyClicks(hue, QStringLiteral("361"));
    EXPECT_EQ(dialog->hue(), 36); // the last digit would leave the range

    // The arrows stop at the ends instead of wrapping.
    type(11100, QStringLiteral("360"));
    hue->stepBy(1);
    EXPECT_EQ(dialog->hue(), 360);
    EXPECT_EQ(dialog->colour(), hsvToRgb(0, 255, 255)); // 360 is 0 again
    box(11101)->setValue(0);
    box(11101)->stepBy(-1);
    EXPECT_EQ(dialog->saturation(), 0);
}

TEST_F(ColourEditorTest, ClicksInTheFieldTakeTheColourUnderThePointer) {
    type(11100, QStringLiteral("200"));
    const QRect field = dialog->fieldRect();
    const int w = field.width();
    const int h = field.height();

    const QPoint inside = field.topLeft() + QPoint(w / 3, h / 4);
    const QRgb shown = pixelAt(inside);
    clickAt(inside);
    EXPECT_EQ(rgbOf(dialog->colour()), shown);
    EXPECT_EQ(dialog->hue(), 200);

    clickAt(field.bottomLeft());
    EXPECT_EQ(dialog->saturation(), 0);
    EXPECT_EQ(dialog->value(), 0);
    clickAt(field.bottomLeft() - QPoint(0, 2)); // two rows up
    EXPECT_EQ(dialog->value(), 2 * 255 / h);

    clickAt(field.topRight());
    EXPECT_EQ(dialog->saturation(), (w - 1) * 255 / w);
    EXPECT_EQ(dialog->value(), (h - 1) * 255 / h);

    // Just outside the field nothing changes.
    const std::int32_t before = dialog->colour();
    clickAt(field.bottomLeft() + QPoint(0, 1));
    clickAt(field.topLeft() - QPoint(1, 0));
    EXPECT_EQ(dialog->colour(), before);
    // Neither does the right button.
    QTest::mouseClick(dialog.get(), Qt::RightButton, Qt::NoModifier, field.center());
    EXPECT_EQ(dialog->colour(), before);
}

TEST_F(ColourEditorTest, ClicksInTheHueColumnAreLimitedToTheRange) {
    const QRect bar = dialog->hueBarRect();
    const int n = bar.height();

    const QPoint middle(bar.center().x(), bar.top() + n / 2);
    clickAt(middle);
    EXPECT_EQ(dialog->hue(), (n / 2) * 360 / n);
    // The hue taken is the one the bar shows at that row.
    EXPECT_EQ(pixelAt(middle), rgbOf(hsvToRgb(dialog->hue(), 255, 255)));

    clickAt(QPoint(bar.center().x(), bar.top() - 5)); // above the bar
    EXPECT_EQ(dialog->hue(), 0);
    clickAt(QPoint(bar.right() + 10, bar.bottom() + 5)); // the marker's side, below
    EXPECT_EQ(dialog->hue(), 360);
}

TEST_F(ColourEditorTest, PaintsTheFieldTheBarThePreviewAndTheMarker) {
    QImage marker(10, 15, QImage::Format_RGB32);
    marker.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(marker.save(folder.filePath(QStringLiteral("sankaku4.png"))));
    ColourEditorDialog withMarker(folder.path());
    const QRect field = withMarker.fieldRect();
    const QRect bar = withMarker.hueBarRect();

    QImage shot = withMarker.grab().toImage();
    EXPECT_EQ(shot.pixel(field.bottomLeft()), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(bar.topLeft()), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(withMarker.previewRect().center()), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(withMarker.previewRect().topLeft()), qRgb(0, 0, 0)); // outline
    EXPECT_EQ(shot.pixel(bar.right() + 3, bar.top()), qRgb(1, 2, 3));

    // At H 180 the field turns cyan and the marker moves to the bar's middle.
    withMarker.findChild<QSpinBox*>(QStringLiteral("spin11100"))->setValue(180);
    shot = withMarker.grab().toImage();
    const QRgb cyan = shot.pixel(field.topRight() + QPoint(-20, 20));
    EXPECT_LT(qRed(cyan), 64);
    EXPECT_GT(qGreen(cyan), 200);
    EXPECT_EQ(qGreen(cyan), qBlue(cyan));
    EXPECT_NE(shot.pixel(bar.right() + 3, bar.top()), qRgb(1, 2, 3));
    EXPECT_EQ(shot.pixel(bar.right() + 3, bar.top() + bar.height() / 2), qRgb(1, 2, 3));
}

TEST_F(ColourEditorTest, ClicksFollowTheLayoutAtAnotherFontSize) {
    const QRect before = dialog->fieldRect();
    QFont large = dialog->font();
    large.setPointSize(large.pointSize() * 2);
    dialog->setFont(large);
    const QRect field = dialog->fieldRect();
    const QRect bar = dialog->hueBarRect();
    EXPECT_GT(field.width(), before.width() * 3 / 2);
    EXPECT_EQ(dialog->fieldCursor(), QPoint(field.width(), 0)); // still top-right

    const QPoint inside = field.topLeft() + QPoint(field.width() * 2 / 3, field.height() / 2);
    const QRgb shown = pixelAt(inside);
    clickAt(inside);
    EXPECT_EQ(rgbOf(dialog->colour()), shown);

    const QPoint row(bar.center().x(), bar.top() + bar.height() / 3);
    const QRgb barShown = pixelAt(row);
    clickAt(row);
    EXPECT_EQ(rgbOf(hsvToRgb(dialog->hue(), 255, 255)), barShown);
}

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
