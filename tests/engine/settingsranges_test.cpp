// The ranges a record's fields may take, checked and enforced; the limits are
// those of the panes' controls and the catalog's rows, written out here.

#include "engine/settingsranges.h"

#include "engine/draw.h"
#include "engine/enginetest.h"

using namespace orbelle;
using namespace orbelle::test;

namespace {

// The record with stored field `index` set to `value`.
DrawSettings withField(DrawSettings s, int index, std::int32_t value) {
    auto fields = s.toFields();
    fields[static_cast<std::size_t>(index)] = value;
    return DrawSettings::fromFields(fields);
}

} // namespace

TEST(SettingsRanges, BothEndsAcceptedOnePastRefused) {
    EXPECT_EQ(checkRanges(DrawSettings::startup()), std::nullopt);
    for (const FieldRange& c : kFieldRanges) {
        for (int index = c.first; index <= c.last; ++index) {
            for (const std::int32_t v : {c.min, c.max}) {
                const DrawSettings s = withField(DrawSettings::startup(), index, v);
                EXPECT_EQ(checkRanges(s), std::nullopt) << c.name << " " << index << " = " << v;
            }
            for (const std::int32_t v : {c.min - 1, c.max + 1, INT32_MIN, INT32_MAX}) {
                const auto problem = checkRanges(withField(DrawSettings::startup(), index, v));
                ASSERT_TRUE(problem) << c.name << " " << index << " = " << v;
                // The field is named by its index, with its value and its range.
                EXPECT_NE(problem->find("(field " + std::to_string(index) +
                                        ") = " + std::to_string(v) + " is outside " +
                                        std::to_string(c.min) + ".." + std::to_string(c.max)),
                          std::string::npos)
                    << *problem;
                EXPECT_EQ(problem->find('\n'), std::string::npos);
            }
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
    // Each stored field out of range, with its message; the field is then put
    // right, so the next message names the next field in stored order.
    const struct {
        const char* message;
        int index;
        std::int32_t bad, good;
    } steps[] = {
        {"pen width (field 22) = 0 is outside 1..100", 22, 0, 1},
        {"drawing colour mode (field 23) = 7 is outside 0..4", 23, 7, 4},
        {"colour (field 24) = -1 is outside 0..16777215", 24, -1, 0},
        {"background colour mode (field 25) = -2 is outside 0..2", 25, -2, 0},
        {"colour (field 26) = 2130771712 is outside 0..16777215", 26, 0x7F00FF00, 0},
        {"flag (field 27) = 5 is outside 0..1", 27, 5, 1},
        {"gradient repeat (field 28) = 31 is outside 1..30", 28, 31, 30},
        {"flag (field 30) = -1 is outside 0..1", 30, -1, 1},
        {"flag (field 31) = 2 is outside 0..1", 31, 2, 1},
        {"colour (field 37) = -2147483648 is outside 0..16777215", 37, INT32_MIN, 0},
        {"rotation (field 41) = 360 is outside 0..359", 41, 360, 0},
        {"rotation (field 42) = -1 is outside 0..359", 42, -1, 0},
        {"rotation (field 43) = 1000 is outside 0..359", 43, 1000, 0},
        {"magnification (field 44) = -1000 is outside -999..999", 44, -1000, 1},
        {"magnification (field 45) = 1000 is outside -999..999", 45, 1000, 1},
        {"shift (field 46) = 101 is outside -100..100", 46, 101, 0},
        {"shift (field 47) = -101 is outside -100..100", 47, -101, 0},
        {"flag (field 50) = 3 is outside 0..1", 50, 3, 1},
    };
    DrawSettings s = sirius();
    for (const auto& step : steps)
        s = withField(s, step.index, step.bad);
    for (const auto& step : steps) {
        EXPECT_EQ(checkRanges(s), std::optional<std::string>(step.message));
        s = withField(s, step.index, step.good);
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
    const DrawResult result = drawRun(s, std::move(run), sharedCanvas());
    EXPECT_EQ(result.dotCount, 1000001);
}
