#include "panes/colourpane.h"

#include "panes/coloureditordialog.h"
#include "panes/guitest.h"
#include "widgets/colourswatch.h"
#include "widgets/optionbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <deque>

using namespace orbelle;

namespace {

constexpr QRgb kOnPixel = qRgb(0, 200, 0);
constexpr QRgb kOffPixel = qRgb(90, 90, 90);

class ColourPaneTest : public test::GuiTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(kOnPixel);
        ASSERT_TRUE(image.save(folder.filePath(QStringLiteral("radioon2.png"))));
        image.fill(kOffPixel);
        ASSERT_TRUE(image.save(folder.filePath(QStringLiteral("radiooff2.png"))));
        pane = std::make_unique<ColourPane>(folder.path());
        pane->setColourChooser([this]() -> std::optional<std::int32_t> {
            ++chooserCalls;
            if (answers.empty()) {
                return std::nullopt;
            }
            const std::optional<std::int32_t> answer = answers.front();
            answers.pop_front();
            return answer;
        });
        pane->resize(pane->sizeHint());
    }

    template <typename T = QWidget> T* child(const char* kind, int id) const {
        T* found = pane->findChild<T*>(QStringLiteral("%1%2").arg(QLatin1String(kind)).arg(id));
        EXPECT_NE(found, nullptr) << kind << id;
        return found;
    }

    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    }

    QToolButton* arrow(int spinId, Qt::ArrowType type) const {
        for (QToolButton* button : child("spin", spinId)->findChildren<QToolButton*>()) {
            if (button->arrowType() == type) {
                return button;
            }
        }
        ADD_FAILURE() << "no arrow on spin" << spinId;
        return nullptr;
    }

    std::optional<std::int32_t> swatchColour(int id) const {
        return child<ColourSwatch>("swatch", id)->colour();
    }

    /// Which option of a group is shown selected, by the picture it shows.
    int shownOption(int firstId, int count) const {
        int shown = -1;
        for (int i = 0; i < count; ++i) {
            const QRgb pixel = child("option", firstId + i)->grab().toImage().pixel(1, 1);
            if (pixel == kOnPixel) {
                EXPECT_EQ(shown, -1) << "two options selected";
                shown = i;
            } else {
                EXPECT_EQ(pixel, kOffPixel);
            }
        }
        return shown;
    }

    QTemporaryDir folder;
    std::unique_ptr<ColourPane> pane;
    std::deque<std::optional<std::int32_t>> answers;
    int chooserCalls = 0;
};

} // namespace

TEST_F(ColourPaneTest, PenWidthAndRepeatStayInStepAndWrap) {
    auto* slider = child<QSlider>("slider", 11013);
    auto* edit = child<QLineEdit>("edit", 11011);
    slider->setValue(37);
    EXPECT_EQ(edit->text(), QStringLiteral("37"));
    EXPECT_EQ(pane->penWidth(), 37);
    edit->setText(QStringLiteral("80"));
    EXPECT_EQ(slider->value(), 80);
    EXPECT_EQ(pane->penWidth(), 80);
    edit->setText(QStringLiteral("101")); // out of range: ignored
    EXPECT_EQ(pane->penWidth(), 80);
    EXPECT_EQ(slider->value(), 80);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 100);

    pane->setPenWidth(100);
    click(arrow(11012, Qt::UpArrow));
    EXPECT_EQ(pane->penWidth(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    EXPECT_EQ(slider->value(), 1);
    click(arrow(11012, Qt::DownArrow));
    EXPECT_EQ(pane->penWidth(), 100);

    auto* repeat = child<QLineEdit>("edit", 11044);
    repeat->setText(QStringLiteral("30"));
    EXPECT_EQ(pane->gradientRepeat(), 30);
    click(arrow(11045, Qt::UpArrow));
    EXPECT_EQ(pane->gradientRepeat(), 1);
    EXPECT_EQ(repeat->text(), QStringLiteral("1"));
    repeat->setText(QStringLiteral("31"));
    EXPECT_EQ(pane->gradientRepeat(), 1);
}

TEST_F(ColourPaneTest, OnlyOkOnTheEditorChangesTheCustomColour) {
    EXPECT_EQ(shownOption(11024, 3), 1); // black on white at start

    // Cancel: mode, pictures and swatch stay as they were.
    click(child("option", 11022));
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Black);
    EXPECT_EQ(pane->customDrawColor(), kBlack);
    EXPECT_EQ(shownOption(11020, 4), 0);
    EXPECT_EQ(swatchColour(11015), kBlack);

    // OK: the colour is taken and the option selected.
    const std::int32_t teal = packRgb(0, 128, 128);
    answers = {teal};
    click(child("option", 11022));
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Custom);
    EXPECT_EQ(pane->customDrawColor(), teal);
    EXPECT_EQ(shownOption(11020, 4), 2);
    EXPECT_EQ(swatchColour(11015), teal);

    // Clicking the selected "色" again asks again; cancelling keeps teal.
    click(child("option", 11022));
    EXPECT_EQ(chooserCalls, 3);
    EXPECT_EQ(pane->customDrawColor(), teal);
    answers = {packRgb(1, 2, 3)};
    click(child("option", 11022));
    EXPECT_EQ(pane->customDrawColor(), packRgb(1, 2, 3));

    // The other options never ask; the gradient leaves the swatch empty.
    click(child("option", 11023));
    click(child("option", 11021));
    click(child("option", 11023));
    EXPECT_EQ(chooserCalls, 4);
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Gradient);
    EXPECT_EQ(shownOption(11020, 4), 3);
    EXPECT_EQ(swatchColour(11015), std::nullopt);

    // The background group works the same way on its own values.
    click(child("option", 11026));
    EXPECT_EQ(pane->backColourMode(), BackColourMode::White);
    answers = {teal};
    click(child("option", 11026));
    EXPECT_EQ(pane->backColourMode(), BackColourMode::Custom);
    EXPECT_EQ(pane->customBackColor(), teal);
    EXPECT_EQ(shownOption(11024, 3), 2);
    click(child("option", 11024));
    EXPECT_EQ(swatchColour(11035), kBlack);
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Gradient);

    // A gradient swatch takes the editor's colour on OK only.
    click(child("swatch", 11053));
    EXPECT_EQ(pane->gradientColors()[3], kDefaultGradientColors[3]);
    answers = {teal};
    click(child("swatch", 11053));
    EXPECT_EQ(pane->gradientColors()[3], teal);
    EXPECT_EQ(swatchColour(11053), teal);
}

TEST_F(ColourPaneTest, ModesSetSilentlyNeverAsk) {
    pane->setDrawColourMode(DrawColourMode::Custom, true);
    pane->setBackColourMode(BackColourMode::Custom, true);
    EXPECT_EQ(chooserCalls, 0);
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Custom);
    EXPECT_EQ(swatchColour(11015), kBlack); // the custom colour before any choice
    EXPECT_EQ(swatchColour(11035), kWhite);

    pane->setDrawColourMode(DrawColourMode::Custom, false); // cancelled
    EXPECT_EQ(chooserCalls, 1);
    pane->setBackColourMode(BackColourMode::Black, false);
    EXPECT_EQ(chooserCalls, 1);

    // A record with a mode outside the range (the gradient is for drawing
    // only) leaves the pane's modes as they are.
    DrawSettings damaged;
    pane->capture(damaged);
    damaged.drawColorMode = 7;
    damaged.backColorMode = 3;
    pane->apply(damaged);
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Custom);
    EXPECT_EQ(pane->backColourMode(), BackColourMode::Black);
}

TEST_F(ColourPaneTest, DefaultResetsTheListedValuesAndKeepsTheCustomColours) {
    const std::int32_t olive = packRgb(128, 128, 0);
    const std::int32_t navy = packRgb(0, 0, 128);
    answers = {olive, navy};
    click(child("option", 11022));
    click(child("option", 11026));
    pane->setPenWidth(40);
    pane->setGradientRepeat(7);
    child<QCheckBox>("check", 11043)->click();
    child<QCheckBox>("check", 11061)->click();
    child<QCheckBox>("check", 11064)->click();
    pane->setGradientColors({1, 2, 3, 4, 5, 6, 7});

    click(child<QPushButton>("button", 11070));

    DrawSettings captured;
    pane->capture(captured);
    const DrawSettings fresh;
    EXPECT_EQ(captured.penWidth, 1);
    EXPECT_EQ(child<QSlider>("slider", 11013)->value(), 1);
    EXPECT_EQ(captured.drawColourMode(), DrawColourMode::Black);
    EXPECT_EQ(captured.backColourMode(), BackColourMode::White);
    EXPECT_EQ(captured.gradientSmooth, 1);
    EXPECT_EQ(captured.gradientRepeat, 1);
    EXPECT_EQ(captured.gradientStopOn, fresh.gradientStopOn);
    EXPECT_EQ(captured.gradientColors, kDefaultGradientColors);
    EXPECT_EQ(shownOption(11020, 4), 0);
    EXPECT_EQ(shownOption(11024, 3), 1);
    EXPECT_EQ(swatchColour(11015), kBlack);
    EXPECT_EQ(swatchColour(11035), kWhite);
    EXPECT_EQ(swatchColour(11056), kDefaultGradientColors[6]);

    EXPECT_EQ(pane->customDrawColor(), olive);
    EXPECT_EQ(pane->customBackColor(), navy);
    pane->setDrawColourMode(DrawColourMode::Custom, true);
    EXPECT_EQ(swatchColour(11015), olive);
}

TEST_F(ColourPaneTest, PreviewFollowsTheStopBoxesAndTheSmoothBox) {
    std::array<std::int32_t, 7> colours = kDefaultGradientColors;
    colours[6] = packRgb(0, 0, 255);
    pane->setGradientColors(colours);
    auto* preview = child("preview", 11046);
    const auto column = [preview](double fraction) {
        const QImage shot = preview->grab().toImage();
        const QRect area = preview->contentsRect();
        const int x = area.left() + static_cast<int>(fraction * (area.width() - 1));
        return shot.pixel(x, area.center().y());
    };
    const auto near = [](QRgb actual, QRgb expected) {
        return std::abs(qRed(actual) - qRed(expected)) <= 8 &&
               std::abs(qGreen(actual) - qGreen(expected)) <= 8 &&
               std::abs(qBlue(actual) - qBlue(expected)) <= 8;
    };

    // With every colour in use, the middle of the strip is colour 3, cyan.
    EXPECT_TRUE(near(column(0.5), qRgb(0, 255, 255))) << std::hex << column(0.5);

    // Without the five middle colours: one blend from red to blue, the short
    // way round through magenta.
    for (int id = 11060; id <= 11064; ++id) {
        child<QCheckBox>("check", id)->click();
    }
    EXPECT_TRUE(near(column(0.0), qRgb(255, 0, 0))) << std::hex << column(0.0);
    EXPECT_TRUE(near(column(0.5), qRgb(255, 0, 255))) << std::hex << column(0.5);
    EXPECT_TRUE(near(column(1.0), qRgb(0, 0, 255))) << std::hex << column(1.0);

    // Stepped: a red half and a blue half.
    child<QCheckBox>("check", 11043)->click();
    EXPECT_EQ(column(0.0), qRgb(255, 0, 0));
    EXPECT_EQ(column(0.45), qRgb(255, 0, 0));
    EXPECT_EQ(column(0.55), qRgb(0, 0, 255));
    EXPECT_EQ(column(1.0), qRgb(0, 0, 255));
}

TEST_F(ColourPaneTest, ApplyThenCaptureGivesTheRecordBack) {
    DrawSettings stored;
    stored.penWidth = 23;
    stored.setDrawColourMode(DrawColourMode::White);
    stored.drawColor = kWhite;
    stored.setBackColourMode(BackColourMode::Custom);
    stored.backColor = packRgb(10, 20, 30);
    stored.gradientSmooth = 0;
    stored.gradientRepeat = 12;
    stored.gradientStopOn = {1, 0, 1, 0, 0};
    stored.gradientColors = {7, 6, 5, 4, 3, 2, 1};
    pane->apply(stored);
    EXPECT_EQ(chooserCalls, 0);
    EXPECT_EQ(pane->customDrawColor(), kWhite);
    EXPECT_EQ(pane->customBackColor(), packRgb(10, 20, 30));
    EXPECT_EQ(swatchColour(11035), packRgb(10, 20, 30));
    EXPECT_EQ(shownOption(11020, 4), 1);
    EXPECT_EQ(shownOption(11024, 3), 2);

    DrawSettings captured;
    pane->capture(captured);
    captured.drawColor = stored.drawColor; // the last drawing's colours are not the pane's
    captured.backColor = stored.backColor;
    EXPECT_EQ(captured, stored);

    stored.setDrawColourMode(DrawColourMode::Gradient);
    stored.drawColor = packRgb(9, 9, 9);
    pane->apply(stored);
    EXPECT_EQ(pane->customDrawColor(), packRgb(9, 9, 9));
    EXPECT_EQ(swatchColour(11015), std::nullopt);
}

TEST_F(ColourPaneTest, ApplyBringsADamagedRecordIntoRange) {
    DrawSettings stored;
    stored.penWidth = 4294967;
    stored.setDrawColourMode(DrawColourMode::Custom);
    stored.drawColor = -1;
    stored.setBackColourMode(BackColourMode::Custom);
    stored.backColor = static_cast<std::int32_t>(0xFF000080u);
    stored.gradientRepeat = -5;
    stored.gradientColors = {-1, INT32_MIN, 16777216, 3, 4, 5, 6};
    pane->apply(stored);
    DrawSettings captured;
    pane->capture(captured);
    EXPECT_EQ(captured.penWidth, 100);
    EXPECT_EQ(captured.gradientRepeat, 1);
    EXPECT_EQ(pane->customDrawColor(), 16777215);
    EXPECT_EQ(pane->customBackColor(), 0x80);
    EXPECT_EQ(captured.gradientColors, (std::array<std::int32_t, 7>{16777215, 0, 0, 3, 4, 5, 6}));
}

TEST_F(ColourPaneTest, OptionsWithoutPicturesStillWork) {
    QTemporaryDir empty;
    ColourPane bare(empty.path());
    auto* white = bare.findChild<OptionButton*>(QStringLiteral("option11021"));
    ASSERT_NE(white, nullptr);
    QTest::mouseClick(white, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(bare.drawColourMode(), DrawColourMode::White);
    EXPECT_TRUE(white->isSelected());
}

TEST_F(ColourPaneTest, TheRealEditorAnswersOkAndCancel) {
    ColourPane real(folder.path()); // keeps its own editor
    // The editor's modal loop ends before a deleteLater could run and no
    // outer loop follows, so the pane owns the timer and frees it.
    const auto answerEditor = [&real](bool ok) {
        auto* poll = new QTimer(&real);
        const QDeadlineTimer deadline(10000);
        QObject::connect(poll, &QTimer::timeout, [poll, ok, deadline] {
            auto* editor = qobject_cast<ColourEditorDialog*>(QApplication::activeModalWidget());
            if (editor == nullptr && !deadline.hasExpired()) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            if (editor != nullptr) {
                ok ? editor->accept() : editor->reject();
            }
        });
        poll->start(10);
    };

    answerEditor(false);
    real.setBackColourMode(BackColourMode::Custom, false);
    EXPECT_EQ(real.backColourMode(), BackColourMode::White);
    EXPECT_EQ(real.customBackColor(), kWhite);

    answerEditor(true);
    real.setBackColourMode(BackColourMode::Custom, false);
    EXPECT_EQ(real.backColourMode(), BackColourMode::Custom);
    EXPECT_EQ(real.customBackColor(), packRgb(255, 0, 0)); // the editor opens on red
}

TEST_F(ColourPaneTest, TheDensityIsTheFifthDrawingOption) {
    const auto densityShown = [&] {
        return child("option", 11027)->grab().toImage().pixel(1, 1) == kOnPixel;
    };
    EXPECT_EQ(child<QLabel>("label", 11039)->text(), QStringLiteral("密度"));
    EXPECT_FALSE(densityShown());

    click(child("option", 11027));
    EXPECT_EQ(chooserCalls, 0);
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Density);
    EXPECT_TRUE(densityShown());
    EXPECT_EQ(shownOption(11020, 4), -1);
    EXPECT_EQ(swatchColour(11015), std::nullopt); // no single drawing colour
    DrawSettings captured;
    pane->capture(captured);
    EXPECT_EQ(captured.drawColorMode, 4);

    captured.drawColorMode = 1;
    pane->apply(captured);
    EXPECT_FALSE(densityShown());
    EXPECT_EQ(shownOption(11020, 4), 1);
    captured.drawColorMode = 4;
    pane->apply(captured);
    EXPECT_TRUE(densityShown());
    EXPECT_EQ(pane->drawColourMode(), DrawColourMode::Density);

    // The five pictures and labels take turns in one row inside the group's
    // frame, none covering another.
    const QRect frame = child("frame", 11016)->geometry();
    QRect previous;
    for (const int id : {11020, 11030, 11021, 11031, 11022, 11032, 11023, 11033, 11027, 11039}) {
        const QRect r = child(id < 11030 ? "option" : "label", id)->geometry();
        EXPECT_TRUE(frame.contains(QRect(r.left(), r.top(), r.width(), 10))) << id;
        if (!previous.isNull()) {
            EXPECT_GE(r.left(), previous.right() + 1) << id;
        }
        previous = r;
    }
}

TEST_F(ColourPaneTest, EditsThatChangeTheDrawingAreAnnouncedAndAnAppliedRecordIsNot) {
    int edits = 0;
    int releases = 0;
    QObject::connect(pane.get(), &ColourPane::settingsEdited, [&] { ++edits; });
    QObject::connect(pane.get(), &ColourPane::sliderReleased, [&] { ++releases; });

    child<QSlider>("slider", 11013)->setValue(9); // the drag is in settingspanes_test.cpp
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(releases, 0);

    click(child("option", 11021)); // drawing colour white
    EXPECT_EQ(edits, 2);
    click(child("option", 11021)); // white again: nothing changes
    EXPECT_EQ(edits, 2);
    click(child("option", 11024)); // background black
    EXPECT_EQ(edits, 3);
    // The custom colour counts only while its mode is in use.
    pane->setCustomDrawColor(0x123456);
    EXPECT_EQ(edits, 3);
    pane->setCustomBackColor(0x654321);
    EXPECT_EQ(edits, 3);
    pane->setBackColourMode(BackColourMode::Custom, true);
    EXPECT_EQ(edits, 4);
    pane->setCustomBackColor(0x111111);
    EXPECT_EQ(edits, 5);
    answers = {std::nullopt}; // the editor cancelled: nothing changes
    click(child("option", 11022));
    EXPECT_EQ(edits, 5);

    click(child("check", 11043)); // smooth box
    click(child("check", 11061)); // a stop box
    EXPECT_EQ(edits, 7);
    pane->setGradientRepeat(4);
    EXPECT_EQ(edits, 8);
    answers = {0x123456};
    click(child("swatch", 11052)); // a gradient colour
    EXPECT_EQ(edits, 9);
    answers = {0x123456}; // the same colour once more
    click(child("swatch", 11052));
    EXPECT_EQ(edits, 9);

    const int beforeReset = edits;
    pane->resetColourStroke();
    EXPECT_GT(edits, beforeReset);
    const int afterReset = edits;
    pane->resetColourStroke(); // all at the defaults already
    EXPECT_EQ(edits, afterReset);

    DrawSettings record;
    pane->capture(record);
    record.penWidth = 50;
    record.drawColorMode = 2;
    record.drawColor = 0x0000ff;
    record.gradientRepeat = 7;
    record.gradientColors[0] = 0x010203;
    pane->apply(record);
    EXPECT_EQ(edits, afterReset);
    EXPECT_EQ(pane->penWidth(), 50);
    EXPECT_EQ(releases, 0);
}
