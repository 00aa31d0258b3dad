// What the three setting panes share: a record applied is captured back and
// announces no edit, an edit of a value is announced, a slider let go is
// announced once, the toolbar holds the window's actions, and a right click
// shows no menu.

#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"

#include "panes/guitest.h"

#include <QAction>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <memory>
#include <type_traits>

using namespace orbelle;

namespace {

// Per pane: a record whose fields of the pane are all off
// their start values (and in range), the pane's fields of a record, a slider
// with a step that changes its value, and whether the pane has a toolbar.
template <typename Pane> struct PaneTraits;

template <> struct PaneTraits<DrawSettingsPane> {
    static DrawSettings record() {
        DrawSettings record;
        record.category = 1;
        record.item = 17; // "シリウス", eleven rows
        record.params = {321, 36, -999, 401, 5, -5, 0, -999, 998, -1, 450};
        record.paramLocked = {1, 0, 1};
        return record;
    }
    static auto fields(const DrawSettings& s) {
        return std::tuple(s.category, s.item, s.params, s.paramLocked);
    }
    static constexpr const char* kSlider = "slider10500";
    static constexpr int kStep = 100; // per mille of the row's range
    static constexpr bool kHasToolBar = true;
};

template <> struct PaneTraits<ColourPane> {
    static DrawSettings record() {
        DrawSettings record;
        record.penWidth = 23;
        record.setDrawColourMode(DrawColourMode::Gradient);
        record.setBackColourMode(BackColourMode::Black);
        record.gradientSmooth = 0;
        record.gradientRepeat = 12;
        record.gradientStopOn = {1, 0, 1, 0, 0};
        record.gradientColors = {7, 6, 5, 4, 3, 2, 1};
        return record;
    }
    static auto fields(const DrawSettings& s) {
        return std::tuple(s.penWidth, s.drawColorMode, s.backColorMode, s.gradientSmooth,
                          s.gradientRepeat, s.gradientStopOn, s.gradientColors);
    }
    static constexpr const char* kSlider = "slider11013";
    static constexpr int kStep = 1;
    static constexpr bool kHasToolBar = false;
};

template <> struct PaneTraits<TransformPane> {
    static DrawSettings record() {
        DrawSettings record;
        record.rotZ = 11;
        record.rotX = 22;
        record.rotY = 33;
        record.scaleZ = -444;
        record.zoom = 555;
        record.shiftV = -66;
        record.shiftH = 77;
        return record;
    }
    static auto fields(const DrawSettings& s) {
        return std::tuple(s.rotZ, s.rotX, s.rotY, s.scaleZ, s.zoom, s.shiftV, s.shiftH);
    }
    static constexpr const char* kSlider = "slider11210";
    static constexpr int kStep = 1;
    static constexpr bool kHasToolBar = true;
};

template <typename Pane> class SettingsPaneTest : public test::GuiTest {
  protected:
    using Traits = PaneTraits<Pane>;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        if constexpr (std::is_same_v<Pane, ColourPane>) {
            pane = std::make_unique<ColourPane>(folder.path()); // pictures missing: still works
        } else {
            pane = std::make_unique<Pane>();
        }
        QObject::connect(pane.get(), &SettingsPane::settingsEdited, [this] { ++edits; });
        QObject::connect(pane.get(), &SettingsPane::sliderReleased, [this] { ++releases; });
    }

    QSlider* slider() const {
        auto* found = pane->template findChild<QSlider*>(QLatin1String(Traits::kSlider));
        EXPECT_NE(found, nullptr);
        return found;
    }

    QTemporaryDir folder;
    std::unique_ptr<Pane> pane;
    int edits = 0;
    int releases = 0;
};

using Panes = ::testing::Types<DrawSettingsPane, ColourPane, TransformPane>;
TYPED_TEST_SUITE(SettingsPaneTest, Panes);

TYPED_TEST(SettingsPaneTest, AnAppliedRecordIsCapturedBackAndAnnouncesNoEdit) {
    using Traits = typename TestFixture::Traits;
    const DrawSettings record = Traits::record();
    DrawSettings before;
    this->pane->capture(before);
    ASSERT_NE(Traits::fields(before), Traits::fields(record)); // the record changes something
    this->pane->apply(record);
    EXPECT_EQ(this->edits, 0);
    DrawSettings captured;
    this->pane->capture(captured);
    EXPECT_EQ(Traits::fields(captured), Traits::fields(record));
    // Fields of the other panes are left as they were.
    DrawSettings untouched = before;
    this->pane->capture(untouched);
    EXPECT_EQ(untouched.drawColor, before.drawColor);
    EXPECT_EQ(untouched.backColor, before.backColor);

    // Once the record is in, edits are announced again.
    this->pane->apply(before);
    EXPECT_EQ(this->edits, 0);
    this->slider()->setValue(this->slider()->value() + TestFixture::Traits::kStep);
    EXPECT_EQ(this->edits, 1);
}

TYPED_TEST(SettingsPaneTest, ASliderDraggedAndLetGoIsEditedAndReleased) {
    QSlider* slider = this->slider();
    slider->setSliderDown(true);
    slider->setValue(slider->value() + TestFixture::Traits::kStep);
    slider->setValue(slider->value() + TestFixture::Traits::kStep);
    EXPECT_EQ(this->edits, 2);
    EXPECT_EQ(this->releases, 0);
    slider->setSliderDown(false);
    EXPECT_EQ(this->releases, 1);
    EXPECT_EQ(this->edits, 2); // letting go changes no value
}

TYPED_TEST(SettingsPaneTest, TheToolBarHoldsTheWindowsActions) {
    QAction first(QStringLiteral("一"));
    QAction second(QStringLiteral("二"));
    QSignalSpy triggered(&second, &QAction::triggered);
    this->pane->addToolActions({&first, &second});
    QToolBar* bar = this->pane->toolBar();
    if constexpr (!TestFixture::Traits::kHasToolBar) {
        EXPECT_EQ(bar, nullptr); // nothing to put them on, and no harm done
        return;
    } else {
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->actions(), (QList<QAction*>{&first, &second}));
        EXPECT_FALSE(bar->isMovable());
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(&second));
        ASSERT_NE(button, nullptr);
        button->click();
        EXPECT_EQ(triggered.count(), 1);
    }
}

TYPED_TEST(SettingsPaneTest, ARightClickShowsNoMenu) {
    EXPECT_EQ(this->pane->contextMenuPolicy(), Qt::PreventContextMenu);
}

} // namespace
