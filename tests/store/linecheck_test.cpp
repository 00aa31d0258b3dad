#include "store/linecheck.h"

#include "store/favoriteslines.h"
#include "store/settingsline.h"
#include "store/storetest.h"

using namespace orbelle;
using namespace orbelle::test;

TEST(LineCheck, HistoryVerdictsAgreeWithTheSplitCheck) {
    DrawSettings wrapping = DrawSettings::startup();
    wrapping.params[0] = 2147483647;
    wrapping.params[1] = 2147483647;
    const std::string good = kLiteralHistoryLine;
    const std::vector<std::pair<std::string, bool>> cases = {
        {good, true},
        {formatLine(LineVariant::History, wrapping), true},
        {" 1,3,-75" + good.substr(7), true}, // atoi skips the blank
        {"2" + good.substr(1), false},       // changed value, old sum
        {good.substr(0, good.rfind(',')), false},
        {good + ",0", false},
        {"", false},
        {",,,", false},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(isGoodHistoryLine(line), expected) << line;
        EXPECT_EQ(checkLine(parseLine(line), LineVariant::History), expected) << line;
    }
}

TEST(LineCheck, FavoriteKinds) {
    const std::string favorite = formatFavoriteLine(4, 2, "x", literalRecord());
    EXPECT_EQ(classifyFavoriteLine(favorite), FavoriteLineKind::Favorite);
    EXPECT_EQ(classifyFavoriteLine("2,1,A,1,0,1"), FavoriteLineKind::Folder);
    EXPECT_EQ(classifyFavoriteLine("2,1,A,1,0,2"), FavoriteLineKind::Broken);
    EXPECT_EQ(classifyFavoriteLine("2,1,A,1,0"), FavoriteLineKind::Broken);
    // Field 3 counts in the last sum: kind 1 with the old sum is broken.
    std::string kindOne = favorite;
    kindOne.replace(kindOne.find(",x,0,"), 5, ",x,1,");
    EXPECT_EQ(classifyFavoriteLine(kindOne), FavoriteLineKind::Broken);
    EXPECT_FALSE(checkLine(parseLine(kindOne), LineVariant::Favorite));
    // Field 4 does not count.
    std::string fieldFour = favorite;
    fieldFour.replace(fieldFour.find(",x,0,0,"), 7, ",x,0,9,");
    EXPECT_EQ(classifyFavoriteLine(fieldFour), FavoriteLineKind::Favorite);
    EXPECT_TRUE(checkLine(parseLine(fieldFour), LineVariant::Favorite));
}
