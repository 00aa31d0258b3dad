// The records between two drawings: every expected value below is worked out
// by hand from "the fraction k / n of the way, rounded, halves away from zero".

#include "engine/settingsblend.h"

#include "engine/enginetest.h"
#include "engine/settingsranges.h"
#include "formulas/catalog.h"

#include <random>

using namespace orbelle;
using namespace orbelle::test;

TEST(BlendInteger, StepsAndRoundsHalvesAwayFromZero) {
    // 0 to 10 in four steps: 0, 2.5, 5, 7.5, 10.
    EXPECT_EQ(blendInteger(0, 10, 0, 4), 0);
    EXPECT_EQ(blendInteger(0, 10, 1, 4), 3);
    EXPECT_EQ(blendInteger(0, 10, 2, 4), 5);
    EXPECT_EQ(blendInteger(0, 10, 3, 4), 8);
    EXPECT_EQ(blendInteger(0, 10, 4, 4), 10);
    // Downwards and below zero: -2.5 gives -3, -7.5 gives -8.
    EXPECT_EQ(blendInteger(0, -10, 1, 4), -3);
    EXPECT_EQ(blendInteger(0, -10, 3, 4), -8);
    // The rounding follows the value, not the direction of travel.
    EXPECT_EQ(blendInteger(2, 3, 1, 2), 3);    // 2.5
    EXPECT_EQ(blendInteger(3, 2, 1, 2), 3);    // 2.5
    EXPECT_EQ(blendInteger(-3, -2, 1, 2), -3); // -2.5
    EXPECT_EQ(blendInteger(-2, -3, 1, 2), -3); // -2.5
    // Thirds: 1/3 and 2/3.
    EXPECT_EQ(blendInteger(0, 1, 1, 3), 0);
    EXPECT_EQ(blendInteger(0, 1, 2, 3), 1);
    EXPECT_EQ(blendInteger(-999, 999, 1, 3), -333);
    EXPECT_EQ(blendInteger(-999, 999, 2, 3), 333);
}

TEST(BlendInteger, EndsAreExactAndWideRangesDoNotOverflow) {
    for (const auto& [a, b] : {std::pair{0, 0}, std::pair{1, 100}, std::pair{-999, 999},
                               std::pair{4294967, 1}, std::pair{-2147483647, 2147483647}}) {
        for (int n : {1, 2, 3, 7, 9998}) {
            EXPECT_EQ(blendInteger(a, b, 0, n), a) << a << " " << b << " " << n;
            EXPECT_EQ(blendInteger(a, b, n, n), b) << a << " " << b << " " << n;
        }
    }
    EXPECT_EQ(blendInteger(-2000000000, 2000000000, 1, 2), 0);
    EXPECT_EQ(blendInteger(0, 2000000000, 1, 2), 1000000000);
    EXPECT_EQ(blendInteger(2147483647, -2147483647, 1, 2), 0);
}

TEST(BlendAngle, TakesTheShortWayRound) {
    // 350 to 10 turns +20 through 0: 350, 355, 0, 5, 10.
    EXPECT_EQ(blendAngle(350, 10, 0, 4), 350);
    EXPECT_EQ(blendAngle(350, 10, 1, 4), 355);
    EXPECT_EQ(blendAngle(350, 10, 2, 4), 0);
    EXPECT_EQ(blendAngle(350, 10, 3, 4), 5);
    EXPECT_EQ(blendAngle(350, 10, 4, 4), 10);
    // And back: 10, 5, 0, 355, 350.
    EXPECT_EQ(blendAngle(10, 350, 1, 4), 5);
    EXPECT_EQ(blendAngle(10, 350, 2, 4), 0);
    EXPECT_EQ(blendAngle(10, 350, 3, 4), 355);
    EXPECT_EQ(blendAngle(10, 350, 4, 4), 350);
    // 100 to 300 is 160 degrees backwards: half way is 20.
    EXPECT_EQ(blendAngle(100, 300, 1, 2), 20);
    // Without crossing 0 it is plain: 30 to 90.
    EXPECT_EQ(blendAngle(30, 90, 1, 3), 50);
    // Exactly opposite: the angle increases.
    EXPECT_EQ(blendAngle(0, 180, 1, 2), 90);
    EXPECT_EQ(blendAngle(180, 0, 1, 2), 270);
    EXPECT_EQ(blendAngle(90, 270, 1, 2), 180);
    EXPECT_EQ(blendAngle(270, 90, 1, 2), 0);
}

TEST(BlendAngle, RoundsWithinZeroTo359) {
    // 359.5 and -0.5 are the same direction and both round to 0, never 360.
    EXPECT_EQ(blendAngle(359, 0, 1, 2), 0);
    EXPECT_EQ(blendAngle(0, 359, 1, 2), 0);
    // -0.25 is 359.75, which rounds to 0; -0.75 is 359.25, which rounds to 359.
    EXPECT_EQ(blendAngle(0, 359, 1, 4), 0);
    EXPECT_EQ(blendAngle(0, 359, 3, 4), 359);
    // 358.5 rounds up.
    EXPECT_EQ(blendAngle(358, 359, 1, 2), 359);
    for (int a = 0; a < 360; a += 7) {
        for (int b = 0; b < 360; b += 11) {
            for (int k = 0; k <= 5; ++k) {
                const int v = blendAngle(a, b, k, 5);
                EXPECT_GE(v, 0);
                EXPECT_LE(v, 359);
            }
            EXPECT_EQ(blendAngle(a, b, 0, 5), a);
            EXPECT_EQ(blendAngle(a, b, 5, 5), b);
        }
    }
}

TEST(BlendColour, EachChannelOnItsOwn) {
    const std::int32_t a = packRgb(0, 255, 10);
    const std::int32_t b = packRgb(255, 0, 11);
    // Half way: 127.5, 127.5 and 10.5 all round up.
    EXPECT_EQ(blendColour(a, b, 1, 2), packRgb(128, 128, 11));
    // A quarter: 63.75, 191.25, 10.25.
    EXPECT_EQ(blendColour(a, b, 1, 4), packRgb(64, 191, 10));
    EXPECT_EQ(blendColour(a, b, 0, 4), a);
    EXPECT_EQ(blendColour(a, b, 4, 4), b);
    // A carry in one channel never spills into the next.
    EXPECT_EQ(blendColour(kBlack, kWhite, 1, 2), packRgb(128, 128, 128));
    EXPECT_EQ(blendColour(kWhite, kBlack, 1, 2), packRgb(128, 128, 128));
    EXPECT_EQ(blendColour(packRgb(255, 0, 0), packRgb(0, 0, 255), 1, 3), packRgb(170, 0, 85));
}

TEST(BlendSettings, EndsAreTheTwoRecordsAndOneFrameIsTheFirst) {
    const DrawSettings from = sirius();
    const DrawSettings to = everyMemberMoved();
    for (int frames : {2, 3, 10, 9999}) {
        EXPECT_EQ(blendSettings(from, to, 0, frames), from) << frames;
        EXPECT_EQ(blendSettings(from, to, frames - 1, frames), to) << frames;
    }
    EXPECT_EQ(blendSettings(from, to, 0, 1), from);
}

TEST(BlendSettings, MiddleFrameOfFive) {
    DrawSettings from = sirius();
    from.drawColorMode = 2;
    from.drawColor = packRgb(0, 0, 0);
    from.backColorMode = 2;
    from.backColor = packRgb(255, 255, 255);
    from.rotZ = 350;
    from.rotX = 0;
    from.rotY = 90;
    from.zoom = 100;
    from.shiftH = -5;
    DrawSettings to = from;
    to.params[0] = 205; // 200 -> 205: 201.25, 202.5, 203.75
    to.params[10] = 1;  // 50 -> 1: 37.75, 25.5, 13.25
    to.penWidth = 4;    // 1 -> 4: 1.75, 2.5, 3.25
    to.drawColor = packRgb(100, 3, 255);
    to.rotZ = 30;  // 350 -> 30 (+40): 0, 10, 20
    to.rotX = 181; // 0 -> 181 is 179 backwards: 315.25, 270.5, 225.75
    to.rotY = 90;
    to.zoom = -100; // 100 -> -100: 50, 0, -50
    to.shiftH = 6;  // -5 -> 6: -2.25, 0.5, 3.25
    to.backColorMode = 1;
    to.gradientSmooth = 0;

    const DrawSettings q1 = blendSettings(from, to, 1, 5);
    EXPECT_EQ(q1.params[0], 201);
    EXPECT_EQ(q1.params[10], 38);
    EXPECT_EQ(q1.penWidth, 2);
    EXPECT_EQ(q1.drawColor, packRgb(25, 1, 64)); // 25, 0.75, 63.75
    EXPECT_EQ(q1.rotZ, 0);
    EXPECT_EQ(q1.rotX, 315);
    EXPECT_EQ(q1.rotY, 90);
    EXPECT_EQ(q1.zoom, 50);
    EXPECT_EQ(q1.shiftH, -2);
    EXPECT_EQ(q1.backColorMode, 2); // choices keep the first value before the middle
    EXPECT_EQ(q1.gradientSmooth, 1);

    const DrawSettings mid = blendSettings(from, to, 2, 5);
    EXPECT_EQ(mid.params[0], 203);
    EXPECT_EQ(mid.params[10], 26);
    EXPECT_EQ(mid.params[1], 18); // equal ends stay
    EXPECT_EQ(mid.penWidth, 3);
    EXPECT_EQ(mid.drawColor, packRgb(50, 2, 128)); // 50, 1.5, 127.5
    EXPECT_EQ(mid.rotZ, 10);
    EXPECT_EQ(mid.rotX, 271);
    EXPECT_EQ(mid.zoom, 0);
    EXPECT_EQ(mid.shiftH, 1);
    EXPECT_EQ(mid.backColorMode, 1); // and take the last from the middle on
    EXPECT_EQ(mid.gradientSmooth, 0);
    EXPECT_EQ(mid.category, 1);
    EXPECT_EQ(mid.item, 17);

    const DrawSettings q3 = blendSettings(from, to, 3, 5);
    EXPECT_EQ(q3.params[0], 204);
    EXPECT_EQ(q3.params[10], 13);
    EXPECT_EQ(q3.penWidth, 3);
    EXPECT_EQ(q3.rotZ, 20);
    EXPECT_EQ(q3.rotX, 226);
    EXPECT_EQ(q3.zoom, -50);
    EXPECT_EQ(q3.shiftH, 3);
}

TEST(BlendSettings, ChoicesSwitchAtTheMiddleOfAnEvenCount) {
    DrawSettings from = sirius();
    DrawSettings to = sirius();
    to.drawColorMode = 3;
    to.gradientStopOn = {0, 0, 0, 0, 0};
    to.paramLocked[0] = 1;
    // Four frames: 0 and 1 before the middle (1/3), 2 and 3 after it (2/3).
    EXPECT_EQ(blendSettings(from, to, 1, 4).drawColorMode, 0);
    EXPECT_EQ(blendSettings(from, to, 1, 4).gradientStopOn[2], 1);
    EXPECT_EQ(blendSettings(from, to, 2, 4).drawColorMode, 3);
    EXPECT_EQ(blendSettings(from, to, 2, 4).gradientStopOn[2], 0);
    EXPECT_EQ(blendSettings(from, to, 2, 4).paramLocked[0], 1);
    // A mode never passes through the modes between the two.
    for (int k = 0; k < 4; ++k) {
        const int mode = blendSettings(from, to, k, 4).drawColorMode;
        EXPECT_TRUE(mode == 0 || mode == 3) << k;
    }
}

TEST(BlendSettings, RecordsWithinTheirRangesGiveRecordsWithinThem) {
    std::mt19937 random(20261209);
    const auto in = [&random](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const FormulaInfo& info = formulaInfo({1, 17});
    const auto record = [&] {
        auto fields = sirius().toFields();
        for (int r = 0; r < info.paramCount; ++r)
            fields[2 + r] = in(info.ranges[r].min, info.ranges[r].max);
        for (const FieldRange& f : kFieldRanges)
            for (int k = f.first; k <= f.last; ++k)
                fields[k] = in(f.min, f.max);
        return DrawSettings::fromFields(fields);
    };
    for (int pair = 0; pair < 200; ++pair) {
        const DrawSettings from = record();
        const DrawSettings to = record();
        ASSERT_FALSE(checkRanges(from).has_value());
        ASSERT_FALSE(checkRanges(to).has_value());
        const int frames = in(2, 40);
        for (int k = 0; k < frames; ++k) {
            const auto problem = checkRanges(blendSettings(from, to, k, frames));
            EXPECT_FALSE(problem.has_value()) << pair << " frame " << k << ": " << *problem;
        }
    }
}
