// Literal lines written by hand: every field at its fixed position, the
// favorite line's kind field in its sum, and colours outside 24 bits.

#include "store/settingsline.h"

#include <gtest/gtest.h>

using namespace orbelle;

namespace {

// A history line: formula 0/0, all twenty rows 0, fields 22-40 at 0, the 3D
// fields 41-47 at 11, 22, 33, -44, 55, -66, 77, no locks; the sum is 88.
const std::string kHistoryLine = "0,0,"
                                 "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"    // 2-21
                                 "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"      // 22-40
                                 "11,22,33,-44,55,-66,77,"                     // 41-47
                                 "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,88"; // 48-68

// The same record as a favorite: id 5, parent 1, name "a", kind 7, 0, the 68
// fields, their check value 88, then 7 + 88 + 88 = 183.
const std::string kFavoriteLine = "5,1,a,7,0,0,0,"
                                  "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                                  "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                                  "11,22,33,-44,55,-66,77,"
                                  "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,88,183";

} // namespace

TEST(SettingsLineFields, TheThreeDFieldsSitAtFortyOneToFortySeven) {
    const auto fields = parseLine(kHistoryLine);
    ASSERT_EQ(fields.size(), 69u);
    const auto s = settingsFromLine(fields, LineVariant::History);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rotZ, 11);
    EXPECT_EQ(s->rotX, 22);
    EXPECT_EQ(s->rotY, 33);
    EXPECT_EQ(s->scaleZ, -44);
    EXPECT_EQ(s->zoom, 55);
    EXPECT_EQ(s->shiftV, -66);
    EXPECT_EQ(s->shiftH, 77);
    EXPECT_EQ(s->penWidth, 0);
    EXPECT_EQ(s->paramLocked[0], 0);
    // Written back, the line is the same bytes.
    EXPECT_EQ(formatLine(LineVariant::History, *s), kHistoryLine);
}

TEST(SettingsLineFields, FavoriteKindFieldCountsInItsSum) {
    const auto fields = parseLine(kFavoriteLine);
    ASSERT_EQ(fields.size(), 75u);
    ASSERT_TRUE(checkLine(fields, LineVariant::Favorite));
    const auto s = settingsFromLine(fields, LineVariant::Favorite);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rotZ, 11);
    EXPECT_EQ(s->shiftH, 77);
    // A last sum that leaves out field 3 (88 + 88) is refused.
    auto without = fields;
    without[74] = "176";
    EXPECT_FALSE(checkLine(without, LineVariant::Favorite));
    // Field 4 is not part of the sum.
    auto fourth = fields;
    fourth[4] = "9";
    EXPECT_TRUE(checkLine(fourth, LineVariant::Favorite));
}

TEST(SettingsLineFields, AtoiSkipsAnyLeadingWhiteSpace) {
    EXPECT_EQ(atoiField("\t7"), 7);
    EXPECT_EQ(atoiField("\n\v\f\r 7"), 7);
    EXPECT_EQ(atoiField(" \t-7x"), -7);
    EXPECT_EQ(atoiField("\t"), 0);
}

TEST(SettingsLineFields, ColoursAreTwentyFourBitValues) {
    // The history line with the drawing colour (field 24) at -1: its sum is 87.
    std::string line = kHistoryLine;
    auto fields = parseLine(line);
    fields[24] = "-1";
    fields[68] = "87";
    ASSERT_TRUE(checkLine(fields, LineVariant::History));
    const auto s = settingsFromLine(fields, LineVariant::History);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->drawColor, 16777215);
    // Written back: 16777215 and a sum of 88 + 16777215 = 16777303.
    const std::string written = formatLine(LineVariant::History, *s);
    const auto again = parseLine(written);
    EXPECT_EQ(again[24], "16777215");
    EXPECT_EQ(again[68], "16777303");
    EXPECT_EQ(settingsFromLine(again, LineVariant::History), s);

    // A record holding colours beyond 24 bits is written with their low 24
    // bits, and the line reads back.
    DrawSettings wide = *s;
    wide.backColor = static_cast<std::int32_t>(0xFF123456u);
    wide.gradientColors[6] = INT32_MIN;
    const auto wideFields = parseLine(formatLine(LineVariant::SettingsFile, wide));
    EXPECT_EQ(wideFields[26], "1193046"); // 0x123456
    EXPECT_EQ(wideFields[40], "0");
    const auto back = settingsFromLine(wideFields, LineVariant::SettingsFile);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->backColor, 0x123456);
    EXPECT_EQ(back->gradientColors[6], 0);
}
