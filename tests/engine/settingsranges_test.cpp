// The ranges a record's fields may take, checked and enforced; the limits are
// those of the panes' controls and the catalog's rows, written out here.

#include "engine/settingsranges.h"

#include "engine/draw.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace orbelle;

namespace {

struct FieldCase {
    const char* name;
    std::function<std::int32_t&(DrawSettings&)> field;
    std::int32_t min;
    std::int32_t max;
};

// "シリウス" (category 1, item 17): eleven rows, row 1 1..36, row 10 1..450.
DrawSettings sirius() {
    DrawSettings s = DrawSettings::startup();
    s.category = 1;
    s.item = 17;
    s.params = {200, 18, 70, 400, 300, 500, 392, 71, 95, 50, 50};
    return s;
}

std::vector<FieldCase> fixedFields() {
    return {
        {"pen width", [](DrawSettings& s) -> std::int32_t& { return s.penWidth; }, 1, 100},
        {"drawing colour mode", [](DrawSettings& s) -> std::int32_t& { return s.drawColorMode; }, 0,
         4},
        {"drawing colour", [](DrawSettings& s) -> std::int32_t& { return s.drawColor; }, 0,
         16777215},
        {"background mode", [](DrawSettings& s) -> std::int32_t& { return s.backColorMode; }, 0, 2},
        {"background colour", [](DrawSettings& s) -> std::int32_t& { return s.backColor; }, 0,
         16777215},
        {"smooth", [](DrawSettings& s) -> std::int32_t& { return s.gradientSmooth; }, 0, 1},
        {"repeat", [](DrawSettings& s) -> std::int32_t& { return s.gradientRepeat; }, 1, 30},
        {"stop 4", [](DrawSettings& s) -> std::int32_t& { return s.gradientStopOn[4]; }, 0, 1},
        {"gradient colour 0", [](DrawSettings& s) -> std::int32_t& { return s.gradientColors[0]; },
         0, 16777215},
        {"gradient colour 6", [](DrawSettings& s) -> std::int32_t& { return s.gradientColors[6]; },
         0, 16777215},
        {"rotZ", [](DrawSettings& s) -> std::int32_t& { return s.rotZ; }, 0, 359},
        {"rotX", [](DrawSettings& s) -> std::int32_t& { return s.rotX; }, 0, 359},
        {"rotY", [](DrawSettings& s) -> std::int32_t& { return s.rotY; }, 0, 359},
        {"scaleZ", [](DrawSettings& s) -> std::int32_t& { return s.scaleZ; }, -999, 999},
        {"zoom", [](DrawSettings& s) -> std::int32_t& { return s.zoom; }, -999, 999},
        {"shiftV", [](DrawSettings& s) -> std::int32_t& { return s.shiftV; }, -100, 100},
        {"shiftH", [](DrawSettings& s) -> std::int32_t& { return s.shiftH; }, -100, 100},
        {"lock 0", [](DrawSettings& s) -> std::int32_t& { return s.paramLocked[0]; }, 0, 1},
        {"lock 19", [](DrawSettings& s) -> std::int32_t& { return s.paramLocked[19]; }, 0, 1},
    };
}

} // namespace

TEST(SettingsRanges, BothEndsAcceptedOnePastRefused) {
    EXPECT_EQ(checkRanges(DrawSettings::startup()), std::nullopt);
    for (const FieldCase& c : fixedFields()) {
        for (const std::int32_t v : {c.min, c.max}) {
            DrawSettings s = DrawSettings::startup();
            c.field(s) = v;
            EXPECT_EQ(checkRanges(s), std::nullopt) << c.name << " = " << v;
        }
        for (const std::int32_t v : {c.min - 1, c.max + 1, INT32_MIN, INT32_MAX}) {
            DrawSettings s = DrawSettings::startup();
            c.field(s) = v;
            const auto problem = checkRanges(s);
            ASSERT_TRUE(problem) << c.name << " = " << v;
            EXPECT_NE(problem->find(std::to_string(v)), std::string::npos) << *problem;
            EXPECT_EQ(problem->find('\n'), std::string::npos);
        }
    }
}

TEST(SettingsRanges, ParameterRowsFollowTheFormula) {
    EXPECT_EQ(checkRanges(sirius()), std::nullopt);
    const struct {
        int row;
        std::int32_t min, max;
    } rows[] = {{0, 1, 999}, {1, 1, 36}, {2, -999, 999}, {6, 0, 500}, {7, -999, 999}, {10, 1, 450}};
    for (const auto& r : rows) {
        for (const std::int32_t v : {r.min, r.max}) {
            DrawSettings s = sirius();
            s.params[r.row] = v;
            EXPECT_EQ(checkRanges(s), std::nullopt) << r.row << " = " << v;
        }
        for (const std::int32_t v : {r.min - 1, r.max + 1}) {
            DrawSettings s = sirius();
            s.params[r.row] = v;
            EXPECT_TRUE(checkRanges(s)) << r.row << " = " << v;
        }
    }
    // r0 = 4294967 (about 2.1 billion dots) is refused.
    DrawSettings huge = sirius();
    huge.params[0] = 4294967;
    EXPECT_EQ(checkRanges(huge), "param 0 (回数) = 4294967 is outside 1..999");
    // A row the formula does not use must hold 0.
    DrawSettings inactive = sirius();
    inactive.params[11] = 1;
    EXPECT_TRUE(checkRanges(inactive));
    // An unknown formula is refused.
    DrawSettings unknown = sirius();
    unknown.category = 10;
    EXPECT_TRUE(checkRanges(unknown));
    unknown.category = 8;
    unknown.item = 14;
    EXPECT_TRUE(checkRanges(unknown));
}

TEST(SettingsRanges, ClampBringsEveryFieldIn) {
    DrawSettings s = sirius();
    s.params[0] = 4294967;
    s.params[1] = 37;
    s.params[10] = -5;
    s.params[11] = 9;
    s.params[19] = -9;
    s.penWidth = 0;
    s.drawColorMode = 7;
    s.drawColor = -1;
    s.backColorMode = -2;
    s.backColor = static_cast<std::int32_t>(0x7F00FF00);
    s.gradientSmooth = 5;
    s.gradientRepeat = 31;
    s.gradientStopOn = {0, -1, 2, 1, 0};
    s.gradientColors[3] = INT32_MIN;
    s.rotZ = 360;
    s.rotX = -1;
    s.rotY = 1000;
    s.scaleZ = -1000;
    s.zoom = 1000;
    s.shiftV = 101;
    s.shiftH = -101;
    s.paramLocked[2] = 3;
    const DrawSettings c = clampToRanges(s);
    EXPECT_EQ(checkRanges(c), std::nullopt);
    EXPECT_EQ(c.params[0], 999);
    EXPECT_EQ(c.params[1], 36);
    EXPECT_EQ(c.params[10], 1);
    EXPECT_EQ(c.params[11], 0);
    EXPECT_EQ(c.params[19], 0);
    EXPECT_EQ(c.params[2], 70); // in range: kept
    EXPECT_EQ(c.penWidth, 1);
    EXPECT_EQ(c.drawColorMode, 4); // 7 comes down to the density mode
    EXPECT_EQ(c.drawColor, 16777215);
    EXPECT_EQ(c.backColorMode, 0);
    EXPECT_EQ(c.backColor, 0x00FF00);
    EXPECT_EQ(c.gradientSmooth, 1);
    EXPECT_EQ(c.gradientRepeat, 30);
    EXPECT_EQ(c.gradientStopOn, (std::array<std::int32_t, 5>{0, 1, 1, 1, 0}));
    EXPECT_EQ(c.gradientColors[3], 0);
    EXPECT_EQ(c.rotZ, 359);
    EXPECT_EQ(c.rotX, 0);
    EXPECT_EQ(c.rotY, 359);
    EXPECT_EQ(c.scaleZ, -999);
    EXPECT_EQ(c.zoom, 999);
    EXPECT_EQ(c.shiftV, 100);
    EXPECT_EQ(c.shiftH, -100);
    EXPECT_EQ(c.paramLocked[2], 1);
    // A record already in range is left as it is.
    EXPECT_EQ(clampToRanges(sirius()), sirius());
}

namespace {

// A source of points along a short line, as many as asked for.
class LineSource final : public PointSource {
  public:
    void generate(Point* out, std::size_t count) override {
        for (std::size_t k = 0; k < count; ++k, ++m_n) {
            out[k] = Point{static_cast<double>(m_n % 100), 0};
        }
    }

  private:
    std::int64_t m_n = 0;
};

} // namespace

TEST(SettingsRanges, TheEngineStoresNoMoreDotsThanARecordInRangeMakes) {
    // Gradient mode with the depth axis turned round defers its dots; a count
    // far beyond r0 = 999 (N = 499500) is drawn without storing them.
    DrawSettings s = DrawSettings::startup();
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.rotX = 180;
    FormulaRun run;
    run.source = std::make_unique<LineSource>();
    run.startIndex = 0;
    run.count = 1000000;
    auto canvas = std::make_unique<Canvas>();
    const DrawResult result = drawRun(s, std::move(run), *canvas);
    EXPECT_EQ(result.dotCount, 1000001);
}
