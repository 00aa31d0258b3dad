#include "panes/transformpane.h"

#include "panes/guitest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace orbelle;

namespace {

class TransformPaneTest : public test::GuiTest {
  protected:
    template <typename T> T* part(const QString& name) const {
        T* widget = pane.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* edit(int row) const {
        return part<QLineEdit>(QStringLiteral("edit%1").arg(11220 + row));
    }
    QSlider* slider(int row) const {
        return part<QSlider>(QStringLiteral("slider%1").arg(11210 + row));
    }
    QToolButton* arrow(int row, const char* which) const {
        return part<QWidget>(QStringLiteral("spin%1").arg(11200 + row))
            ->findChild<QToolButton*>(QString::fromLatin1(which));
    }
    std::array<int, TransformPane::RowCount> values() const {
        std::array<int, TransformPane::RowCount> v{};
        for (int j = 0; j < TransformPane::RowCount; ++j) {
            v[j] = pane.value(static_cast<TransformPane::Row>(j));
        }
        return v;
    }

    TransformPane pane;
};

constexpr std::array<int, TransformPane::RowCount> kInitial{0, 0, 0, 100, 100, 0, 0};

} // namespace

TEST_F(TransformPaneTest, RowsLabelsRangesAndStartValues) {
    EXPECT_EQ(values(), kInitial);
    const char* labels[] = {"X軸回転", "Y軸回転", "Z軸回転", "Z軸倍率", "拡大", "上下", "左右"};
    const int mins[] = {0, 0, 0, -999, -999, -100, -100};
    const int maxs[] = {359, 359, 359, 999, 999, 100, 100};
    const int ticks[] = {36, 36, 36, 200, 200, 20, 20};
    for (int j = 0; j < TransformPane::RowCount; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(part<QLabel>(QStringLiteral("label%1").arg(11230 + j))->text(),
                  QString::fromUtf8(labels[j]));
        EXPECT_EQ(slider(j)->minimum(), mins[j]);
        EXPECT_EQ(slider(j)->maximum(), maxs[j]);
        EXPECT_EQ(slider(j)->tickInterval(), ticks[j]);
        EXPECT_EQ(slider(j)->value(), kInitial[j]);
        EXPECT_EQ(edit(j)->text(), QString::number(kInitial[j]));
    }
}

TEST_F(TransformPaneTest, EditArrowsAndSliderStayInStep) {
    edit(0)->setText(QStringLiteral("45"));
    EXPECT_EQ(slider(0)->value(), 45);
    EXPECT_EQ(pane.value(TransformPane::RotX), 45);
    slider(0)->setValue(300);
    EXPECT_EQ(edit(0)->text(), QStringLiteral("300"));
    edit(0)->setText(QStringLiteral("360")); // out of range: ignored
    EXPECT_EQ(pane.value(TransformPane::RotX), 300);

    pane.setValue(TransformPane::RotY, 359);
    arrow(1, "up")->click();
    EXPECT_EQ(pane.value(TransformPane::RotY), 0);
    arrow(1, "down")->click();
    EXPECT_EQ(pane.value(TransformPane::RotY), 359);
    EXPECT_EQ(slider(1)->value(), 359);
    EXPECT_EQ(edit(1)->text(), QStringLiteral("359"));

    pane.setValue(TransformPane::ShiftH, 100);
    arrow(6, "up")->click();
    EXPECT_EQ(pane.value(TransformPane::ShiftH), -100);
}

TEST_F(TransformPaneTest, ResetRestoresStartValuesWithoutDrawing) {
    for (int j = 0; j < TransformPane::RowCount; ++j) {
        pane.setValue(static_cast<TransformPane::Row>(j), 37 + j);
    }
    part<QPushButton>(QStringLiteral("button11240"))->click();
    EXPECT_EQ(values(), kInitial);
    EXPECT_EQ(slider(3)->value(), 100);
}

TEST_F(TransformPaneTest, ZoomStepsStopAtTheLimits) {
    int zoomSignals = 0;
    QObject::connect(&pane, &TransformPane::zoomChanged, [&zoomSignals] { ++zoomSignals; });
    const std::pair<void (TransformPane::*)(), int> steps[] = {
        {&TransformPane::enlarge, 999}, {&TransformPane::enlarge, 999},
        {&TransformPane::shrink, 899},  {&TransformPane::standardSize, 100},
        {&TransformPane::shrink, 0},    {&TransformPane::shrink, -100}};
    pane.setValue(TransformPane::Zoom, 950);
    for (const auto& [step, zoom] : steps) {
        (pane.*step)();
        EXPECT_EQ(pane.zoomValue(), zoom);
        EXPECT_EQ(slider(TransformPane::Zoom)->value(), zoom);
        EXPECT_EQ(edit(TransformPane::Zoom)->text(), QString::number(zoom));
    }
    pane.setValue(TransformPane::Zoom, -950);
    pane.shrink();
    EXPECT_EQ(pane.zoomValue(), -999);
    EXPECT_EQ(zoomSignals, 8); // 950, 999, 899, 100, 0, -100, -950, -999
}

// The round trip of a whole record is in settingspanes_test.cpp.
TEST_F(TransformPaneTest, ApplyPutsEachFieldInItsRowAndClampsIt) {
    DrawSettings stored;
    stored.rotZ = 11;
    stored.rotX = 400;
    stored.shiftV = -1000;
    pane.apply(stored);
    EXPECT_EQ(pane.value(TransformPane::RotZ), 11);
    EXPECT_EQ(pane.value(TransformPane::RotX), 359);
    EXPECT_EQ(pane.value(TransformPane::ShiftV), -100);
    EXPECT_EQ(part<QLabel>(QStringLiteral("label11232"))->text(), QStringLiteral("Z軸回転"));
}

TEST_F(TransformPaneTest, EditsAreAnnouncedAndAnAppliedRecordIsNot) {
    int edits = 0;
    int releases = 0;
    QObject::connect(&pane, &TransformPane::settingsEdited, [&] { ++edits; });
    QObject::connect(&pane, &TransformPane::sliderReleased, [&] { ++releases; });

    slider(TransformPane::RotX)->setValue(12);
    slider(TransformPane::RotX)->setValue(13);
    EXPECT_EQ(edits, 2);
    EXPECT_EQ(releases, 0); // the slider drag is in settingspanes_test.cpp

    QTest::mouseClick(arrow(TransformPane::ShiftV, "up"), Qt::LeftButton);
    EXPECT_EQ(edits, 3);
    edit(TransformPane::ScaleZ)->setText(QStringLiteral("250"));
    EXPECT_EQ(edits, 4);
    pane.setValue(TransformPane::ScaleZ, 250); // no change, no news
    EXPECT_EQ(edits, 4);
    pane.reset3D(); // X rotation, Z scale and vertical shift go back
    EXPECT_EQ(edits, 7);

    DrawSettings record;
    pane.capture(record);
    record.rotY = 77;
    record.zoom = 300;
    pane.apply(record);
    EXPECT_EQ(edits, 7);
    EXPECT_EQ(pane.value(TransformPane::RotY), 77);
    pane.setValue(TransformPane::RotY, 78); // after apply edits count again
    EXPECT_EQ(edits, 8);
}
