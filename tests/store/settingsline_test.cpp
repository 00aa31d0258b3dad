#include "engine/settingsranges.h"
#include "store/settingsfile.h"
#include "store/settingsline.h"
#include "support/testrecords.h"

#include <gtest/gtest.h>

using namespace orbelle;
using test::everyMemberMoved;

TEST(SettingsRecord, StartupValues) {
    const DrawSettings s = DrawSettings::startup();
    EXPECT_EQ(s.category, 0);
    EXPECT_EQ(s.params[0], 200);
    EXPECT_EQ(s.params[19], 441);
    EXPECT_EQ(s.drawColor, 0);
    EXPECT_EQ(s.backColor, 16777215);
    EXPECT_EQ(s.gradientColors[4], packRgb(0, 0, 225));
    EXPECT_EQ(s.scaleZ, 100);
    EXPECT_EQ(s.zoom, 100);
    const auto fields = s.toFields();
    EXPECT_EQ(fields[22], 1);   // pen width
    EXPECT_EQ(fields[41], 0);   // rotZ comes before rotX and rotY
    EXPECT_EQ(fields[44], 100); // scaleZ
    EXPECT_EQ(DrawSettings::fromFields(fields), s);
}

TEST(SettingsLine, HistoryRoundTripWithNegativesAndWhite) {
    const DrawSettings s = everyMemberMoved();
    const std::string line = formatLine(LineVariant::History, s);
    EXPECT_NE(line.find(",-75,"), std::string::npos);
    EXPECT_NE(line.find(",16777215,"), std::string::npos);
    EXPECT_EQ(line.find('+'), std::string::npos);
    EXPECT_EQ(line.find(' '), std::string::npos);
    const auto fields = parseLine(line + "\r\n");
    ASSERT_EQ(fields.size(), 69u);
    EXPECT_EQ(atoiField(fields[68]), checkValue(s));
    EXPECT_TRUE(checkLine(fields, LineVariant::History));
    EXPECT_EQ(settingsFromLine(fields, LineVariant::History), s);
}

TEST(SettingsLine, InactiveRowsAreWrittenAsTheyStandAndRefusedByTheRangeCheck) {
    DrawSettings s = DrawSettings::startup();
    s.category = 2;
    s.item = 5; // twelve active rows
    // Every row holds a value, as a damaged record might: the line keeps
    // them, and the range check refuses the first row "アジサイ" does not use.
    for (int r = 0; r < kRowCount; ++r)
        s.params[r] = r + 1;
    const auto fields = parseLine(formatLine(LineVariant::History, s));
    EXPECT_EQ(fields[13], "12");
    for (int k = 14; k <= 21; ++k)
        EXPECT_EQ(fields[k], std::to_string(k - 1)) << k;
    EXPECT_EQ(checkRanges(s), "param 12 = 13 is not 0, but アジサイ uses only 12 rows");
}

// Every row lands in its own field, fields 2-21: the line holds the record's
// rows as they are.
TEST(SettingsLine, RowsAreWrittenAtTheirFieldPositions) {
    DrawSettings s = DrawSettings::startup();
    s.category = 2;
    s.item = 5;
    for (int r = 0; r < kRowCount; ++r)
        s.params[r] = r % 2 == 0 ? r + 1 : -(r + 1);
    s.params[13] = 0;
    const auto fields = parseLine(formatLine(LineVariant::History, s));
    ASSERT_EQ(fields.size(), 69u);
    const char* expected[kRowCount] = {"1",  "-2",  "3",   "-4",  "5",   "-6", "7",
                                       "-8", "9",   "-10", "11",  "-12", "13", "0",
                                       "15", "-16", "17",  "-18", "19",  "-20"};
    for (int r = 0; r < kRowCount; ++r)
        EXPECT_EQ(fields[2 + r], expected[r]) << r;
    EXPECT_EQ(fields[22], "1"); // pen width follows the last row
}

TEST(SettingsLine, SettingsFileOmitsTheLastLock) {
    const DrawSettings s = everyMemberMoved();
    const std::string line = formatLine(LineVariant::SettingsFile, s);
    const auto fields = parseLine(line);
    ASSERT_EQ(fields.size(), 68u);
    const auto record = s.toFields();
    EXPECT_EQ(atoiField(fields[67]), wrappingSum(record.data(), 67));
    auto back = settingsFromLine(fields, LineVariant::SettingsFile);
    ASSERT_TRUE(back);
    DrawSettings expected = s;
    expected.paramLocked[19] = 0;
    EXPECT_EQ(*back, expected);
}

TEST(SettingsLine, FavoriteLineCarriesPrefixAndTwoSums) {
    const DrawSettings s = everyMemberMoved();
    const std::string name = "\x82\xa0\x82\xa2"; // two kana in code page 932
    const std::string line = formatLine(LineVariant::Favorite, s, {7, 3, name});
    const auto fields = parseLine(line);
    ASSERT_EQ(fields.size(), 75u);
    EXPECT_EQ(fields[0], "7");
    EXPECT_EQ(fields[1], "3");
    EXPECT_EQ(fields[2], name);
    EXPECT_EQ(fields[3], "0");
    EXPECT_EQ(fields[4], "0");
    EXPECT_EQ(atoiField(fields[73]), checkValue(s));
    EXPECT_TRUE(checkLine(fields, LineVariant::Favorite));
    EXPECT_EQ(settingsFromLine(fields, LineVariant::Favorite), s);
}

TEST(SettingsLine, SumWrapsAt32Bits) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = 2147483647;
    s.params[1] = 2147483647;
    const auto fields = parseLine(formatLine(LineVariant::History, s));
    EXPECT_TRUE(checkLine(fields, LineVariant::History));
    std::int64_t wide = 0;
    for (std::int32_t v : s.toFields())
        wide += v;
    EXPECT_EQ(atoiField(fields[68]), static_cast<std::int32_t>(static_cast<std::uint32_t>(wide)));
    EXPECT_NE(atoiField(fields[68]), wide);
}

TEST(SettingsLine, DamagedLinesFailTheCheck) {
    const DrawSettings s = everyMemberMoved();
    auto fields = parseLine(formatLine(LineVariant::History, s));
    // One changed value without a changed sum.
    auto changed = fields;
    changed[5] = "1";
    EXPECT_FALSE(checkLine(changed, LineVariant::History));
    // A field too many or too few.
    auto longer = fields;
    longer.push_back("0");
    EXPECT_FALSE(checkLine(longer, LineVariant::History));
    fields.pop_back();
    EXPECT_FALSE(checkLine(fields, LineVariant::History));
    // A history line is not a settings file line, nor the other way round.
    EXPECT_FALSE(
        checkLine(parseLine(formatLine(LineVariant::History, s)), LineVariant::SettingsFile));
    EXPECT_FALSE(settingsFromLine(parseLine(""), LineVariant::History));
}

TEST(SettingsLine, AtoiRules) {
    EXPECT_EQ(atoiField("  -42"), -42);
    EXPECT_EQ(atoiField("+17"), 17);
    EXPECT_EQ(atoiField("12abc"), 12);
    EXPECT_EQ(atoiField("abc"), 0);
    EXPECT_EQ(atoiField(""), 0);
    EXPECT_EQ(atoiField("-"), 0);
    EXPECT_EQ(atoiField("4294967295"), 2147483647);
    EXPECT_EQ(atoiField("-99999999999999999999"), INT32_MIN);
}

TEST(SettingsLine, ParseSplitsAtEveryComma) {
    EXPECT_EQ(parseLine("1,,3").size(), 3u);
    EXPECT_EQ(parseLine("1,2,").size(), 3u);
    EXPECT_EQ(parseLine("").size(), 1u);
    EXPECT_EQ(parseLine("5\r\n").front(), "5");
}

TEST(SettingsFile, CommentLinesAndTrailingGarbage) {
    const DrawSettings s = everyMemberMoved();
    const std::string body = formatSettingsFile(s);
    EXPECT_EQ(body.substr(body.size() - 2), "\r\n");
    DrawSettings expected = s;
    expected.paramLocked[19] = 0;
    EXPECT_EQ(parseSettingsFile(body), expected);
    EXPECT_EQ(parseSettingsFile("// made by hand\n" + body + "garbage,1,2\n"), expected);
    EXPECT_EQ(parseSettingsFile("x // y\r\n" + body), expected);
    // LF-only line ends read the same.
    std::string lf = body;
    lf.erase(lf.size() - 2, 1);
    EXPECT_EQ(parseSettingsFile(lf), expected);
}

TEST(SettingsFile, UnusableFilesAreRefused) {
    const DrawSettings s = everyMemberMoved();
    EXPECT_FALSE(parseSettingsFile(""));
    EXPECT_FALSE(parseSettingsFile("// only a comment\r\n"));
    // A history line pasted into a settings file.
    EXPECT_FALSE(parseSettingsFile(formatLine(LineVariant::History, s) + "\r\n"));
    // One value changed without changing the sum.
    std::string body = formatSettingsFile(s);
    body.replace(0, 1, "2");
    EXPECT_FALSE(parseSettingsFile(body));
}

// The density mode is the value 4 of the drawing colour mode (field 23): the
// lines keep their field counts and sums, and differ from the gradient's
// lines only in that field and in the sums, by one (the favorite's last sum,
// which adds the check value to the fields, by two).
TEST(SettingsLine, DensityModeKeepsEveryVariantsShape) {
    DrawSettings density = everyMemberMoved();
    density.drawColorMode = 4;
    const DrawSettings gradient = everyMemberMoved();
    const FavoritePrefix prefix{7, 3, "d"};
    struct Case {
        LineVariant variant;
        std::size_t fields;
        std::size_t first; // index of record field 0
    };
    for (const Case& c : {Case{LineVariant::History, 69, 0}, Case{LineVariant::SettingsFile, 68, 0},
                          Case{LineVariant::Favorite, 75, 5}}) {
        const std::string line = formatLine(c.variant, density, prefix);
        const auto fields = parseLine(line);
        const auto before = parseLine(formatLine(c.variant, gradient, prefix));
        ASSERT_EQ(fields.size(), c.fields);
        EXPECT_EQ(fields[c.first + 23], "4");
        EXPECT_EQ(before[c.first + 23], "3");
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const std::int32_t step = atoiField(fields[k]) - atoiField(before[k]);
            if (k == c.first + 23 || k == c.first + 68 - (c.fields == 68 ? 1 : 0)) {
                EXPECT_EQ(step, 1) << k;
            } else if (c.variant == LineVariant::Favorite && k == 74) {
                EXPECT_EQ(step, 2);
            } else {
                EXPECT_EQ(step, 0) << k;
            }
        }
        const auto back = settingsFromLine(fields, c.variant);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->drawColorMode, 4);
        EXPECT_EQ(back->drawColourMode(), DrawColourMode::Density);
        EXPECT_EQ(formatLine(c.variant, *back, prefix), line);
    }
    DrawSettings startup = DrawSettings::startup();
    startup.drawColorMode = 4;
    EXPECT_EQ(checkRanges(startup), std::nullopt);
    startup.drawColorMode = 5;
    EXPECT_EQ(checkRanges(startup), "drawing colour mode (field 23) = 5 is outside 0..4");
}
