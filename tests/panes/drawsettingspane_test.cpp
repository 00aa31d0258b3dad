#include "panes/drawsettingspane.h"

#include "formulas/catalog.h"
#include "panes/guitest.h"
#include "store/settingsline.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

using namespace orbelle;

namespace {

class DrawSettingsPaneTest : public test::GuiTest {
  protected:
    template <typename T> T* part(const QString& name) const {
        T* widget = pane.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* edit(int row) const {
        return part<QLineEdit>(QStringLiteral("edit%1").arg(10300 + row));
    }
    QSlider* slider(int row) const {
        return part<QSlider>(QStringLiteral("slider%1").arg(10500 + row));
    }
    QWidget* spin(int row) const {
        return part<QWidget>(QStringLiteral("spin%1").arg(10400 + row));
    }
    QCheckBox* check(int row) const {
        return part<QCheckBox>(QStringLiteral("check%1").arg(10100 + row));
    }
    QLabel* label(int row) const {
        return part<QLabel>(QStringLiteral("label%1").arg(10200 + row));
    }
    QComboBox* list(int id) const { return part<QComboBox>(QStringLiteral("list%1").arg(id)); }

    /// Picks an entry of a list as the user does.
    void pick(int listId, int index) {
        QComboBox* combo = list(listId);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    DrawSettingsPane pane;
};

constexpr ParamRows kDiamond{200, 16, 58,  400, 177, 285, 468, 87, 113, 31,
                             -11, 39, -11, 628, 40,  172, -12, -6, 76,  441};

} // namespace

TEST_F(DrawSettingsPaneTest, StartsOnTheFirstFormulaWithAllRowsActive) {
    EXPECT_EQ(pane.selectedFormula(), (FormulaId{0, 0}));
    EXPECT_EQ(list(10020)->count(), 10);
    EXPECT_EQ(list(10021)->count(), 19);
    EXPECT_EQ(list(10021)->currentText(), QStringLiteral("ダイヤモンド"));
    for (int i = 0; i < kRowCount; ++i) {
        EXPECT_TRUE(pane.isRowActive(i)) << i;
        EXPECT_EQ(pane.paramValue(i), kDiamond[i]) << i;
        EXPECT_EQ(edit(i)->text(), QString::number(kDiamond[i])) << i;
    }
    EXPECT_EQ(label(0)->text(), QStringLiteral("回数"));
    EXPECT_EQ(label(19)->text(), QStringLiteral("要素６"));
    EXPECT_EQ(pane.paramRange(0), (ParamRange{1, 999}));
    EXPECT_EQ(pane.paramRange(6), (ParamRange{0, 500}));
    EXPECT_EQ(slider(0)->value(), (200 - 1) * 1000 / 998);
}

TEST_F(DrawSettingsPaneTest, SliderAndEditFollowEachOther) {
    slider(2)->setValue(1000);
    EXPECT_EQ(pane.paramValue(2), 999);
    slider(2)->setValue(0);
    EXPECT_EQ(pane.paramValue(2), -998);
    EXPECT_EQ(edit(2)->text(), QStringLiteral("-998"));

    edit(0)->setText(QStringLiteral("1200")); // outside 1..999
    EXPECT_EQ(pane.paramValue(0), 200);
    DrawSettings captured;
    pane.capture(captured);
    EXPECT_EQ(captured.params[0], 200);
    edit(0)->clear(); // 0 is outside 1..999
    EXPECT_EQ(pane.paramValue(0), 200);

    edit(2)->clear();
    EXPECT_EQ(pane.paramValue(2), 0);
    EXPECT_EQ(slider(2)->value(), 500);

    edit(19)->setText(QStringLiteral("-500"));
    EXPECT_EQ(pane.paramValue(19), -500);
    EXPECT_EQ(slider(19)->value(), 249); // 499 * 1000 / 1998, truncated

    pane.setParamValue(1, 180);
    spin(1)->findChild<QToolButton*>(QStringLiteral("up"))->click();
    EXPECT_EQ(pane.paramValue(1), 1);
    pane.setParamValue(3, 5000); // stores the nearest bound
    EXPECT_EQ(pane.paramValue(3), 999);
}

TEST_F(DrawSettingsPaneTest, FormulaChangesLoadDefaultsRangesAndLabels) {
    pick(10020, 1); // "銀河"
    EXPECT_EQ(list(10021)->count(), 18);
    EXPECT_EQ(list(10021)->currentText(), QStringLiteral("太陽"));
    EXPECT_TRUE(pane.isRowActive(10));
    EXPECT_FALSE(pane.isRowActive(11));
    EXPECT_EQ(pane.paramRange(10), (ParamRange{1, 999}));

    pick(10021, 17); // "シリウス"
    EXPECT_EQ(pane.paramRange(1), (ParamRange{1, 36}));
    EXPECT_EQ(pane.paramRange(7), (ParamRange{-999, 999}));
    EXPECT_EQ(pane.paramRange(10), (ParamRange{1, 450}));

    // Picking the same formula again restores its defaults.
    const int defaultValue = pane.paramValue(4);
    pane.setParamValue(4, defaultValue + 3);
    pick(10021, 17);
    EXPECT_EQ(pane.paramValue(4), defaultValue);

    pick(10020, 2);
    pick(10021, 4); // "ひまわり", ten rows
    for (int i = 10; i < kRowCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(pane.isRowActive(i));
        EXPECT_TRUE(label(i)->text().isEmpty());
        EXPECT_TRUE(edit(i)->isHidden());
        EXPECT_FALSE(spin(i)->isEnabled());
        EXPECT_FALSE(slider(i)->isEnabled());
        EXPECT_FALSE(check(i)->isEnabled());
        EXPECT_EQ(pane.paramValue(i), 0);
        EXPECT_EQ(pane.paramRange(i), kInactiveRange);
        EXPECT_EQ(slider(i)->value(), 0);
    }
    DrawSettings captured;
    pane.capture(captured);
    EXPECT_EQ(captured.formula(), (FormulaId{2, 4}));
    for (int i = 10; i < kRowCount; ++i) {
        EXPECT_EQ(captured.params[i], 0);
    }
}

// The record the pane gives for a formula of twelve rows carries 0 in rows
// 12-19 even when those rows held values under the formula before, and the
// stored line has 0 in their fields 14-21.
TEST_F(DrawSettingsPaneTest, InactiveRowsAreWrittenAsZero) {
    pane.selectCategory(0); // "ダイヤモンド": twenty rows
    for (int r = 12; r < kRowCount; ++r)
        pane.setParamValue(r, 40 + r);
    ASSERT_EQ(pane.paramValue(15), 55);
    pane.selectCategory(2);
    pane.selectFormula(5);
    ASSERT_EQ(formulaInfo({2, 5}).paramCount, 12);
    for (int r = 0; r < 12; ++r)
        pane.setParamValue(r, r + 1);

    DrawSettings captured;
    pane.capture(captured);
    const auto fields = parseLine(formatLine(LineVariant::History, captured));
    ASSERT_EQ(fields.size(), 69u);
    EXPECT_EQ(fields[0], "2");
    EXPECT_EQ(fields[1], "5");
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(fields[2 + r], std::to_string(r + 1)) << r;
    for (int k = 14; k <= 21; ++k)
        EXPECT_EQ(fields[k], "0") << k;
}

TEST_F(DrawSettingsPaneTest, LocksSurviveFormulaChanges) {
    check(5)->setChecked(true);
    check(15)->setChecked(true);
    pane.selectCategory(2);
    pane.selectFormula(4); // rows 10-19 inactive
    EXPECT_TRUE(check(5)->isChecked());
    EXPECT_TRUE(check(5)->isEnabled());
    EXPECT_TRUE(check(15)->isChecked());
    EXPECT_FALSE(check(15)->isEnabled());
    pane.selectCategory(0);
    EXPECT_TRUE(check(15)->isChecked());
    EXPECT_TRUE(check(15)->isEnabled());
    EXPECT_TRUE(pane.isLocked(15));
}

TEST_F(DrawSettingsPaneTest, EveryFormulaAppliesWithoutAConsistencyMessage) {
    // A message box would run a modal loop; the timer closes and counts it.
    int boxes = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&boxes] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++boxes;
            modal->close();
        }
    });
    closer.start(0);
    int formulas = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        pane.selectCategory(c);
        for (int i = 0; i < itemCount(c); ++i) {
            pane.selectFormula(i);
            ++formulas;
            const FormulaInfo& info = formulaInfo({c, i});
            for (int r = 0; r < kRowCount; ++r) {
                ASSERT_EQ(pane.isRowActive(r), r < info.paramCount);
                if (r < info.paramCount) {
                    ASSERT_EQ(pane.paramValue(r), info.defaults[r]);
                    ASSERT_EQ(pane.paramRange(r), info.ranges[r]);
                }
            }
        }
    }
    EXPECT_EQ(formulas, 166);
    EXPECT_EQ(boxes, 0);
}

// The round trip of a whole record is in settingspanes_test.cpp.
TEST_F(DrawSettingsPaneTest, ADamagedOrUnknownRecordFeedsNoRowItDoesNotUse) {
    DrawSettings stored;
    stored.category = 1;
    stored.item = 17; // "シリウス", eleven rows
    stored.params = {321, 36, -999, 401, 5, -5, 0, -999, 998, -1, 450};
    stored.params[15] = 77; // damaged: an inactive row holding a value
    pane.apply(stored);
    EXPECT_EQ(pane.paramValue(15), 0); // inactive rows read 0
    EXPECT_EQ(pane.paramValue(10), 450);

    // A record naming no formula changes nothing.
    for (const FormulaId bad : {FormulaId{10, 0}, FormulaId{-1, 0}, FormulaId{1, 18}}) {
        DrawSettings invalid = stored;
        invalid.category = bad.category;
        invalid.item = bad.item;
        invalid.params[0] = 5;
        pane.apply(invalid);
        DrawSettings after;
        pane.capture(after);
        EXPECT_EQ(after.formula(), stored.formula());
        EXPECT_EQ(after.params[0], 321);
    }
}

TEST_F(DrawSettingsPaneTest, RandomStepMovesOnlyFreeActiveRows) {
    pane.selectCategory(2);
    pane.selectFormula(4);      // ten rows
    pane.setParamValue(0, 998); // max - 1
    pane.setParamValue(1, 2);   // min + 1
    pane.setLocked(3, true);
    pane.setLocked(12, true);
    DrawSettings start;
    pane.capture(start);

    bool anyMoved = false;
    for (std::uint32_t tick = 1000; tick < 1200; ++tick) {
        pane.apply(start);
        pane.randomStep(tick);
        DrawSettings after;
        pane.capture(after);
        EXPECT_LE(after.params[0], 998);
        EXPECT_GE(after.params[1], 2);
        EXPECT_EQ(after.params[3], start.params[3]);
        for (int i = 0; i < kRowCount; ++i) {
            EXPECT_LE(std::abs(after.params[i] - start.params[i]), 1) << i;
            anyMoved = anyMoved || after.params[i] != start.params[i];
        }
        for (int i = 10; i < kRowCount; ++i) {
            EXPECT_EQ(after.params[i], 0);
        }
        // The same tick gives the same steps.
        pane.apply(start);
        pane.randomStep(tick);
        DrawSettings again;
        pane.capture(again);
        EXPECT_EQ(again.params, after.params);
    }
    EXPECT_TRUE(anyMoved);

    for (int i = 0; i < kRowCount; ++i) {
        pane.setLocked(i, true);
    }
    pane.capture(start);
    pane.randomStep(42);
    DrawSettings locked;
    pane.capture(locked);
    EXPECT_EQ(locked.params, start.params);
}

TEST_F(DrawSettingsPaneTest, ButtonsTriggerTheWindowsCommandsAndShowTheirTips) {
    QAction draw;
    QAction random;
    QSignalSpy draws(&draw, &QAction::triggered);
    QSignalSpy randoms(&random, &QAction::triggered);
    part<QPushButton>(QStringLiteral("button10030"))->click(); // no command given yet
    pane.setDrawActions(&draw, &random);
    part<QPushButton>(QStringLiteral("button10030"))->click();
    part<QPushButton>(QStringLiteral("button10031"))->click();
    EXPECT_EQ(draws.count(), 1);
    EXPECT_EQ(randoms.count(), 1);
    EXPECT_EQ(pane.paramValue(0), 200); // Draw Random's steps are the main window's call

    EXPECT_EQ(part<QPushButton>(QStringLiteral("button10031"))->toolTip(),
              QStringLiteral("変数(パラメータ)の値をランダムに変えて描画します"));
    EXPECT_EQ(list(10021)->toolTip(), list(10020)->toolTip());
    EXPECT_EQ(slider(1)->toolTip(),
              QStringLiteral("3ならば三角形、5ならば五角形、この値を増やせば丸くなります"));
    EXPECT_EQ(edit(0)->toolTip(), QStringLiteral("この値を増やせば描画される点の数が増えます"));
    EXPECT_TRUE(edit(2)->toolTip().isEmpty());
}

TEST_F(DrawSettingsPaneTest, EditsAreAnnouncedAndAnAppliedRecordIsNot) {
    int edits = 0;
    int releases = 0;
    QObject::connect(&pane, &DrawSettingsPane::settingsEdited, [&] { ++edits; });
    QObject::connect(&pane, &DrawSettingsPane::sliderReleased, [&] { ++releases; });

    edit(3)->setText(QStringLiteral("401"));
    EXPECT_EQ(edits, 1);
    slider(0)->setValue(slider(0)->value() + 100);
    EXPECT_EQ(edits, 2);
    EXPECT_EQ(releases, 0);     // the slider drag is in settingspanes_test.cpp
    check(2)->setChecked(true); // a lock steers Draw Random only
    EXPECT_EQ(edits, 2);

    // Another formula: however many rows its defaults change, at least one
    // announcement, and the last one comes after the whole formula is in.
    int rowsAtLastEdit = -1;
    QObject::connect(&pane, &DrawSettingsPane::settingsEdited,
                     [&] { rowsAtLastEdit = pane.isRowActive(0) ? pane.paramValue(0) : -1; });
    pick(10020, 1);
    EXPECT_GT(edits, 2);
    EXPECT_EQ(rowsAtLastEdit, pane.paramValue(0));

    const int before = edits;
    DrawSettings record;
    record.category = 0;
    record.item = 0;
    record.params = kDiamond;
    pane.apply(record);
    EXPECT_EQ(edits, before);
    EXPECT_EQ(pane.paramValue(0), 200);
}
