// The ranges a record's fields may take, checked and enforced; the limits are
// those of the panes' controls and the catalog's rows, written out here.

#include "engine/settingsranges.h"

#include "engine/draw.h"
#include "engine/enginetest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace orbelle;
using test::sirius;

namespace {

struct FieldCase {
    const char* name;
    int index; // in the stored order
    std::int32_t min;
    std::int32_t max;
};

// The record with stored field `index` set to `value`.
DrawSettings withField(DrawSettings s, int index, std::int32_t value) {
    auto fields = s.toFields();
    fields[static_cast<std::size_t>(index)] = value;
    return DrawSettings::fromFields(fields);
}

std::vector<FieldCase> fixedFields() {
    return {
        {"pen width", 22, 1, 100},
        {"drawing colour mode", 23, 0, 4},
        {"drawing colour", 24, 0, 16777215},
        {"background mode", 25, 0, 2},
        {"background colour", 26, 0, 16777215},
        {"smooth", 27, 0, 1},
        {"repeat", 28, 1, 30},
        {"stop 4", 33, 0, 1},
        {"gradient colour 0", 34, 0, 16777215},
        {"gradient colour 6", 40, 0, 16777215},
        {"rotZ", 41, 0, 359},
        {"rotX", 42, 0, 359},
        {"rotY", 43, 0, 359},
        {"scaleZ", 44, -999, 999},
        {"zoom", 45, -999, 999},
        {"shiftV", 46, -100, 100},
        {"shiftH", 47, -100, 100},
        {"lock 0", 48, 0, 1},
        {"lock 19", 67, 0, 1},
    };
}

} // namespace

TEST(SettingsRanges, BothEndsAcceptedOnePastRefused) {
    EXPECT_EQ(checkRanges(DrawSettings::startup()), std::nullopt);
    for (const FieldCase& c : fixedFields()) {
        for (const std::int32_t v : {c.min, c.max}) {
            const DrawSettings s = withField(DrawSettings::startup(), c.index, v);
            EXPECT_EQ(checkRanges(s), std::nullopt) << c.name << " = " << v;
        }
        for (const std::int32_t v : {c.min - 1, c.max + 1, INT32_MIN, INT32_MAX}) {
            const auto problem = checkRanges(withField(DrawSettings::startup(), c.index, v));
            ASSERT_TRUE(problem) << c.name << " = " << v;
            // The field is named by its index, with its value and its range.
            EXPECT_NE(problem->find("(field " + std::to_string(c.index) +
                                    ") = " + std::to_string(v) + " is outside " +
                                    std::to_string(c.min) + ".." + std::to_string(c.max)),
                      std::string::npos)
                << *problem;
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

TEST(SettingsRanges, TheFirstFieldOutOfRangeIsNamedByItsStoredIndex) {
    DrawSettings s = sirius();
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
    // Each message in turn; the field is then put right, so the next one
    // names the next field in stored order.
    const struct {
        const char* message;
        std::function<void(DrawSettings&)> repair;
    } steps[] = {
        {"pen width (field 22) = 0 is outside 1..100", [](DrawSettings& r) { r.penWidth = 1; }},
        {"drawing colour mode (field 23) = 7 is outside 0..4",
         [](DrawSettings& r) { r.drawColorMode = 4; }},
        {"colour (field 24) = -1 is outside 0..16777215", [](DrawSettings& r) { r.drawColor = 0; }},
        {"background colour mode (field 25) = -2 is outside 0..2",
         [](DrawSettings& r) { r.backColorMode = 0; }},
        {"colour (field 26) = 2130771712 is outside 0..16777215",
         [](DrawSettings& r) { r.backColor = 0; }},
        {"flag (field 27) = 5 is outside 0..1", [](DrawSettings& r) { r.gradientSmooth = 1; }},
        {"gradient repeat (field 28) = 31 is outside 1..30",
         [](DrawSettings& r) { r.gradientRepeat = 30; }},
        {"flag (field 30) = -1 is outside 0..1", [](DrawSettings& r) { r.gradientStopOn[1] = 1; }},
        {"flag (field 31) = 2 is outside 0..1", [](DrawSettings& r) { r.gradientStopOn[2] = 1; }},
        {"colour (field 37) = -2147483648 is outside 0..16777215",
         [](DrawSettings& r) { r.gradientColors[3] = 0; }},
        {"rotation (field 41) = 360 is outside 0..359", [](DrawSettings& r) { r.rotZ = 0; }},
        {"rotation (field 42) = -1 is outside 0..359", [](DrawSettings& r) { r.rotX = 0; }},
        {"rotation (field 43) = 1000 is outside 0..359", [](DrawSettings& r) { r.rotY = 0; }},
        {"magnification (field 44) = -1000 is outside -999..999",
         [](DrawSettings& r) { r.scaleZ = 1; }},
        {"magnification (field 45) = 1000 is outside -999..999",
         [](DrawSettings& r) { r.zoom = 1; }},
        {"shift (field 46) = 101 is outside -100..100", [](DrawSettings& r) { r.shiftV = 0; }},
        {"shift (field 47) = -101 is outside -100..100", [](DrawSettings& r) { r.shiftH = 0; }},
        {"flag (field 50) = 3 is outside 0..1", [](DrawSettings& r) { r.paramLocked[2] = 1; }},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(checkRanges(s), std::optional<std::string>(step.message));
        step.repair(s);
    }
    EXPECT_EQ(checkRanges(s), std::nullopt);
    // A colour's high byte alone puts it out of range.
    s.gradientColors[6] = static_cast<std::int32_t>(0x01000000);
    EXPECT_EQ(checkRanges(s), "colour (field 40) = 16777216 is outside 0..16777215");
    s.gradientColors[6] = 0;
    s.paramLocked[19] = -1;
    EXPECT_EQ(checkRanges(s), "flag (field 67) = -1 is outside 0..1");
    s.paramLocked[19] = 0;
    s.params[11] = 9;
    EXPECT_EQ(checkRanges(s), "param 11 = 9 is not 0, but シリウス uses only 11 rows");
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
