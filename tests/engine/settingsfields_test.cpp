// The stored layout of a record, written out by hand: which member stands at
// which of the 68 fields, and which fields are colours.

#include "engine/settingsfields.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace orbelle;

TEST(SettingsFields, EveryMemberStandsAtItsStoredIndex) {
    std::array<std::int32_t, kSettingsFieldCount> numbered{};
    std::iota(numbered.begin(), numbered.end(), 0);
    const DrawSettings s = DrawSettings::fromFields(numbered);
    EXPECT_EQ(s.category, 0);
    EXPECT_EQ(s.item, 1);
    EXPECT_EQ(s.params[0], 2);
    EXPECT_EQ(s.params[19], 21);
    EXPECT_EQ(s.penWidth, 22);
    EXPECT_EQ(s.drawColorMode, 23);
    EXPECT_EQ(s.drawColor, 24);
    EXPECT_EQ(s.backColorMode, 25);
    EXPECT_EQ(s.backColor, 26);
    EXPECT_EQ(s.gradientSmooth, 27);
    EXPECT_EQ(s.gradientRepeat, 28);
    EXPECT_EQ(s.gradientStopOn, (std::array<std::int32_t, 5>{29, 30, 31, 32, 33}));
    EXPECT_EQ(s.gradientColors, (std::array<std::int32_t, 7>{34, 35, 36, 37, 38, 39, 40}));
    EXPECT_EQ(s.rotZ, 41);
    EXPECT_EQ(s.rotX, 42);
    EXPECT_EQ(s.rotY, 43);
    EXPECT_EQ(s.scaleZ, 44);
    EXPECT_EQ(s.zoom, 45);
    EXPECT_EQ(s.shiftV, 46);
    EXPECT_EQ(s.shiftH, 47);
    EXPECT_EQ(s.paramLocked[0], 48);
    EXPECT_EQ(s.paramLocked[19], 67);
    EXPECT_EQ(s.toFields(), numbered);
    // The sum of 0..67 is 67 * 68 / 2.
    EXPECT_EQ(checkValue(s), 2278);
}

TEST(SettingsFields, TheColoursAreFieldsTwentyFourTwentySixAndThirtyFourToForty) {
    for (int k = 0; k < kSettingsFieldCount; ++k) {
        const bool colour = k == 24 || k == 26 || (k >= 34 && k <= 40);
        EXPECT_EQ(isColourField(k), colour) << k;
    }
    EXPECT_EQ(kFieldKinds[22], FieldKind::Number); // pen width
    EXPECT_EQ(kFieldKinds[23], FieldKind::Choice); // drawing colour mode
    EXPECT_EQ(kFieldKinds[27], FieldKind::Flag);   // smoothness
    EXPECT_EQ(kFieldKinds[28], FieldKind::Number); // gradient repeat
    EXPECT_EQ(kFieldKinds[41], FieldKind::Angle);  // rotations 41-43
    EXPECT_EQ(kFieldKinds[43], FieldKind::Angle);
    EXPECT_EQ(kFieldKinds[44], FieldKind::Number); // magnification
    EXPECT_EQ(kFieldKinds[67], FieldKind::Flag);   // the last lock
    EXPECT_EQ(kFieldKinds[2], FieldKind::Row);
    EXPECT_EQ(kFieldKinds[1], FieldKind::Formula);
}
