#include "store/favoritesstore.h"

#include "store/storefile.h"
#include "store/storetest.h"

using namespace orbelle;
using namespace orbelle::test;

namespace {

using Lines = std::vector<std::string>;

// "お気に入り" in code page 932, and the root line of a fresh store.
const std::string kRootName = "\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8";
const std::string kRoot = "1,0," + kRootName + ",1,1,1";

// The 68 fields of literalRecord(), written out by hand.
const std::string kRecordFields = kLiteralHistoryLine.substr(0, kLiteralHistoryLine.rfind(','));

std::string folder(int id, int parent, const std::string& name, int expanded = 1) {
    return std::to_string(id) + "," + std::to_string(parent) + "," + name + ",1," +
           std::to_string(expanded) + ",1";
}

// A favorite line holding literalRecord(): its check value 16777147 and, as
// the last field, 0 + 68-field sum + check value = 33554294.
std::string favorite(int id, int parent, const std::string& name) {
    return std::to_string(id) + "," + std::to_string(parent) + "," + name + ",0,0," +
           kRecordFields + ",16777147,33554294";
}

class FavoritesStoreTest : public StoreTest {
  protected:
    std::filesystem::path storePath() const { return m_folder / "csv_okiniiri0"; }
    FavoritesStore store() const { return FavoritesStore(m_folder.path()); }

    void writeLines(const Lines& lines) const { writeFile(storePath(), joinLines(lines)); }
    Lines lines() const { return splitLines(readFile(storePath())); }
};

} // namespace

TEST_F(FavoritesStoreTest, MissingOrEmptyStoreBecomesTheExpandedRoot) {
    const auto entries = store().load();
    ASSERT_TRUE(entries.ok());
    ASSERT_EQ(entries.value.size(), 1u);
    EXPECT_EQ(entries.value[0].name, "お気に入り");
    EXPECT_TRUE(entries.value[0].isFolder);
    EXPECT_TRUE(entries.value[0].expanded);
    EXPECT_EQ(readFile(storePath()), kRoot + "\r\n");

    writeFile(storePath(), "");
    const auto report = store().clean();
    ASSERT_TRUE(report.ok());
    EXPECT_TRUE(report.value.rootReplaced);
    EXPECT_EQ(readFile(storePath()), kRoot + "\r\n");
}

TEST_F(FavoritesStoreTest, AFirstLineThatIsAFavoriteMakesWayForARoot) {
    writeLines({favorite(1, 0, "f"), folder(2, 1, "A")});
    const auto report = store().clean();
    ASSERT_TRUE(report.ok());
    EXPECT_TRUE(report.value.rootReplaced);
    EXPECT_EQ(report.value.droppedLines, 1);
    EXPECT_EQ(lines(), (Lines{kRoot, folder(2, 1, "A")}));
}

TEST_F(FavoritesStoreTest, ACollapsedRootStaysCollapsedAndKeepsItsName) {
    writeLines({folder(1, 0, "other", 0), folder(2, 1, "A")});
    ASSERT_TRUE(store().clean().ok());
    EXPECT_EQ(lines(), (Lines{folder(1, 0, kRootName, 0), folder(2, 1, "A")}));
}

TEST_F(FavoritesStoreTest, AMissingParentRemovesTheLineAndRenumbers) {
    writeLines(
        {kRoot, favorite(2, 7, "x"), folder(3, 1, "B"), favorite(4, 3, "y"), favorite(5, 1, "z")});
    const auto report = store().clean();
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.value.droppedOrphans, 1);
    EXPECT_TRUE(report.value.renumbered);
    EXPECT_EQ(lines(), (Lines{kRoot, folder(2, 1, "B"), favorite(3, 2, "y"), favorite(4, 1, "z")}));
}

TEST_F(FavoritesStoreTest, EntriesUnderAFavoriteOrInACycleAreDropped) {
    // Folders 2 and 3 hold each other; favorite 4 names favorite 5 as parent.
    writeLines({kRoot, folder(2, 3, "P"), folder(3, 2, "Q"), favorite(4, 5, "f"),
                favorite(5, 1, "g"), folder(6, 6, "self")});
    ASSERT_TRUE(store().clean().ok());
    EXPECT_EQ(lines(), (Lines{kRoot, favorite(2, 1, "g")}));
}

TEST_F(FavoritesStoreTest, BrokenLinesAreDroppedAndAGoodStoreIsNotRewritten) {
    std::string changed = favorite(3, 1, "c");
    changed.replace(changed.find(",0,0,1,3,"), 9, ",0,0,2,3,"); // category 2, old sums
    writeLines({kRoot, favorite(2, 1, "a"), changed, "", "1,2,3", folder(6, 1, "F")});
    ASSERT_TRUE(store().clean().ok());
    EXPECT_EQ(lines(), (Lines{kRoot, favorite(2, 1, "a"), folder(3, 1, "F")}));

    const std::string lf = kRoot + "\n" + favorite(2, 1, "a") + "\n";
    writeFile(storePath(), lf);
    const auto report = store().clean();
    EXPECT_FALSE(report.value.changed);
    EXPECT_EQ(readFile(storePath()), lf);
}

TEST_F(FavoritesStoreTest, DeletingAFolderRemovesEverythingBelowIt) {
    writeLines({kRoot, folder(2, 1, "X"), favorite(3, 2, "a"), favorite(4, 2, "b"),
                folder(5, 2, "Y"), favorite(6, 5, "c"), favorite(7, 1, "d")});
    const auto removed = store().remove(2);
    ASSERT_TRUE(removed.ok());
    EXPECT_EQ(removed.value, 5);
    EXPECT_EQ(lines(), (Lines{kRoot, favorite(2, 1, "d")}));

    EXPECT_EQ(store().remove(1).value, 0); // the root stays
    EXPECT_EQ(store().remove(9).value, 0);
    EXPECT_EQ(lines(), (Lines{kRoot, favorite(2, 1, "d")}));
}

TEST_F(FavoritesStoreTest, MovingOntoAFolderPutsTheFavoriteFirstInIt) {
    writeLines({kRoot, folder(2, 1, "A", 0), favorite(3, 1, "a"), favorite(4, 1, "b"),
                favorite(5, 1, "c")});
    const auto moved = store().moveFavorite(5, 2);
    ASSERT_TRUE(moved.ok());
    EXPECT_TRUE(moved.value);
    EXPECT_EQ(lines(), (Lines{kRoot, folder(2, 1, "A", 1), favorite(3, 2, "c"), favorite(4, 1, "a"),
                              favorite(5, 1, "b")}));
}

TEST_F(FavoritesStoreTest, MovingOntoAFavoritePutsItAfterThatFavoriteInItsFolder) {
    const Lines start = {kRoot,
                         favorite(2, 1, "x"),
                         folder(3, 1, "G"),
                         folder(4, 1, "F"),
                         favorite(5, 4, "z"),
                         favorite(6, 1, "w")};
    writeLines(start);
    ASSERT_TRUE(store().moveFavorite(6, 5).value);
    EXPECT_EQ(lines(), (Lines{kRoot, favorite(2, 1, "x"), folder(3, 1, "G"), folder(4, 1, "F"),
                              favorite(5, 4, "z"), favorite(6, 4, "w")}));
    // From above the target: the lines between move up and folder F becomes 3.
    writeLines(start);
    ASSERT_TRUE(store().moveFavorite(2, 5).value);
    EXPECT_EQ(lines(), (Lines{kRoot, folder(2, 1, "G"), folder(3, 1, "F"), favorite(4, 3, "z"),
                              favorite(5, 3, "x"), favorite(6, 1, "w")}));
}

TEST_F(FavoritesStoreTest, RefusedMovesLeaveTheStoreAlone) {
    writeLines({kRoot, favorite(2, 1, "x"), folder(3, 1, "G"), favorite(4, 3, "z")});
    const std::string before = readFile(storePath());
    EXPECT_FALSE(store().moveFavorite(3, 4).value); // a folder
    EXPECT_FALSE(store().moveFavorite(2, 1).value); // onto the root
    EXPECT_FALSE(store().moveFavorite(4, 4).value);
    EXPECT_FALSE(store().moveFavorite(9, 2).value);
    EXPECT_FALSE(store().moveFavorite(2, 9).value);
    EXPECT_EQ(readFile(storePath()), before);
}

TEST_F(FavoritesStoreTest, AddingAppendsWithCommasAsFullStops) {
    const auto folderId = store().addFolder(0, "a,b");
    ASSERT_TRUE(folderId.ok());
    EXPECT_EQ(folderId.value, 2);
    const auto favoriteId = store().addFavorite(2, "x,y", literalRecord());
    ASSERT_TRUE(favoriteId.ok());
    EXPECT_EQ(favoriteId.value, 3);
    EXPECT_EQ(readFile(storePath()),
              kRoot + "\r\n" + folder(2, 1, "a.b") + "\r\n" + favorite(3, 2, "x.y") + "\r\n");

    const auto entries = store().load();
    ASSERT_EQ(entries.value.size(), 3u);
    EXPECT_EQ(entries.value[1].name, "a.b");
    EXPECT_EQ(entries.value[2].settings, literalRecord());
    EXPECT_EQ(entries.value[2].parent, 2);
}

TEST_F(FavoritesStoreTest, AddingRefusesAParentThatIsNoFolder) {
    writeLines({kRoot, favorite(2, 1, "x")});
    const std::string before = readFile(storePath());
    const auto underFavorite = store().addFolder(2, "A");
    EXPECT_FALSE(underFavorite.ok());
    EXPECT_EQ(underFavorite.status.error(), StoreError::NoSuchFolder);
    EXPECT_EQ(underFavorite.status.limit(), 2u);
    EXPECT_FALSE(store().addFavorite(5, "A", literalRecord()).ok());
    EXPECT_EQ(readFile(storePath()), before);
}

TEST_F(FavoritesStoreTest, RenameReplacesOnlyTheName) {
    writeLines({kRoot, folder(2, 1, "A"), favorite(3, 2, "a")});
    const auto renamed = store().rename(3, "新しい");
    ASSERT_TRUE(renamed.ok());
    EXPECT_TRUE(renamed.value);
    EXPECT_EQ(lines(),
              (Lines{kRoot, folder(2, 1, "A"), favorite(3, 2, "\x90\x56\x82\xb5\x82\xa2")}));
    EXPECT_FALSE(store().rename(1, "root").value);
    EXPECT_FALSE(store().rename(4, "none").value);
    EXPECT_EQ(lines()[0], kRoot);
}

TEST_F(FavoritesStoreTest, ExpansionStatesAreStoredAndSurviveARestart) {
    writeLines({kRoot, folder(2, 1, "A"), favorite(3, 2, "a")});
    const auto saved = store().saveExpansion({{1, false}, {2, false}, {3, false}});
    ASSERT_TRUE(saved.ok());
    EXPECT_TRUE(saved.value);
    EXPECT_EQ(lines(),
              (Lines{folder(1, 0, kRootName, 0), folder(2, 1, "A", 0), favorite(3, 2, "a")}));
    EXPECT_FALSE(store().saveExpansion({{1, false}, {2, false}}).value);

    const FavoritesStore restarted(m_folder.path());
    const auto entries = restarted.load();
    ASSERT_EQ(entries.value.size(), 3u);
    EXPECT_FALSE(entries.value[0].expanded);
    EXPECT_FALSE(entries.value[1].expanded);
}

TEST_F(FavoritesStoreTest, ImportReplacesAndDropsABrokenLine) {
    writeLines({kRoot, folder(2, 1, "old")});
    std::string broken = favorite(3, 1, "b");
    broken.pop_back(); // the last sum is now wrong
    writeFile(m_folder / "saved.orbfv",
              joinLines({kRoot, favorite(2, 1, "a"), broken, favorite(4, 1, "c")}));
    const auto imported = store().importFrom(m_folder / "saved.orbfv");
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(imported.value.entries, 3);
    EXPECT_EQ(imported.value.dropped, 1);
    EXPECT_EQ(lines(), (Lines{kRoot, favorite(2, 1, "a"), favorite(3, 1, "c")}));
}

TEST_F(FavoritesStoreTest, ExportResetAndFailedImport) {
    const std::string content = kRoot + "\n" + folder(2, 1, "A") + "\n";
    writeFile(storePath(), content);
    ASSERT_TRUE(store().exportTo(m_folder / "copy.orbfv").ok());
    EXPECT_EQ(readFile(m_folder / "copy.orbfv"), content);

    const auto missing = store().importFrom(m_folder / "none.orbfv");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.status.path().string().find("none.orbfv"), std::string::npos);
    EXPECT_EQ(readFile(storePath()), content);
    // Lines of which none is a folder or a favorite: another kind of file.
    writeFile(m_folder / "notes.txt", "a,b\r\nc\r\n");
    const auto notes = store().importFrom(m_folder / "notes.txt");
    EXPECT_EQ(notes.status.error(), StoreError::NoFavoriteLines);
    EXPECT_EQ(notes.status.path(), m_folder / "notes.txt");
    EXPECT_EQ(readFile(storePath()), content);

    ASSERT_TRUE(store().reset().ok());
    EXPECT_EQ(readFile(storePath()), kRoot + "\r\n");
}

TEST_F(FavoritesStoreTest, NamesRoundTripThroughCodePage932) {
    // Half-width katakana, two kanji of JIS level 2, one of level 1, hiragana.
    const std::string name = "ｱｲｳﾟ弌丐鴎お気に入り";
    ASSERT_TRUE(store().addFolder(1, name).ok());
    EXPECT_EQ(lines()[1], "2,1,\xb1\xb2\xb3\xdf\x98\x9f\x98\xa0\x89\xa8" + kRootName + ",1,1,1");
    const auto entries = store().load();
    ASSERT_EQ(entries.value.size(), 2u);
    EXPECT_EQ(entries.value[1].name, name);
}

TEST_F(FavoritesStoreTest, NamesCodePage932CannotHoldAreRefusedByName) {
    ASSERT_TRUE(store().load().ok());
    const std::string before = readFile(storePath());
    const auto emoji = store().addFolder(1, "a😀b");
    EXPECT_FALSE(emoji.ok());
    EXPECT_EQ(emoji.status.error(), StoreError::NameCharacter);
    EXPECT_EQ(emoji.status.detail(), "😀");
    const auto ogai = store().rename(1, "森鷗外"); // 鷗 lies outside JIS X 0208
    EXPECT_FALSE(ogai.ok());
    EXPECT_EQ(ogai.status.detail(), "鷗");
    EXPECT_FALSE(store().addFolder(1, "a\nb").ok());
    EXPECT_FALSE(store().addFolder(1, "a\rb").ok());
    EXPECT_FALSE(store().addFolder(1, "bad \xff byte").ok());
    EXPECT_EQ(readFile(storePath()), before);
}

TEST_F(FavoritesStoreTest, NamesLongerThan511BytesAreRefused) {
    std::string longest;
    for (int k = 0; k < 255; ++k) {
        longest += "あ"; // two bytes each in code page 932
    }
    longest += "a";
    EXPECT_TRUE(store().addFolder(1, longest).ok());
    const auto tooLong = store().addFolder(1, longest + "a");
    EXPECT_FALSE(tooLong.ok());
    EXPECT_EQ(tooLong.status.error(), StoreError::NameTooLong);
    EXPECT_EQ(tooLong.status.limit(), 512u);
    EXPECT_EQ(lines().size(), 2u);
}

TEST_F(FavoritesStoreTest, BytesThatAreNoCodePage932StayAsTheyWere) {
    const std::string odd = folder(2, 1, "a\x81\x7f");
    writeLines({kRoot, odd, favorite(3, 1, "b")});
    const auto entries = store().load();
    ASSERT_EQ(entries.value.size(), 3u);
    EXPECT_EQ(entries.value[1].name, "a\xEF\xBF\xBD\x7f");
    ASSERT_TRUE(store().rename(3, "c").value);
    EXPECT_EQ(lines()[1], odd);
}

TEST_F(FavoritesStoreTest, TwentyThousandLinesMoveAndRename) {
    // Root, folders 2-200 in the root, favorites 201-20000 spread over them.
    Lines start = {kRoot};
    for (int id = 2; id <= 200; ++id) {
        start.push_back(folder(id, 1, "F" + std::to_string(id)));
    }
    for (int id = 201; id <= 20000; ++id) {
        start.push_back(favorite(id, 2 + id % 199, "f" + std::to_string(id)));
    }
    writeLines(start);
    const FavoritesStore big(m_folder.path(), Durability::NoFlush);

    ASSERT_TRUE(big.moveFavorite(20000, 2).value);
    auto now = lines();
    ASSERT_EQ(now.size(), 20000u);
    // Favorite 20000 goes first into folder 2; the folders 3-200 move down
    // one line, and so do their ids.
    EXPECT_EQ(now[2], favorite(3, 2, "f20000"));
    EXPECT_EQ(now[3], folder(4, 1, "F3"));
    EXPECT_EQ(now[200], folder(201, 1, "F200"));
    // Old line 19999 (19999 % 199 = 99, so folder 101, now 102) ends last.
    EXPECT_EQ(now[19999], favorite(20000, 102, "f19999"));

    ASSERT_TRUE(big.rename(15000, "renamed").value);
    now = lines();
    // Line 15000 holds old favorite 14999 (14999 % 199 = 74: folder 76, now 77).
    EXPECT_EQ(now[14999], favorite(15000, 77, "renamed"));

    // Back to the end, after old favorite 19999 in what is folder 101 again.
    ASSERT_TRUE(big.moveFavorite(3, 20000).value);
    now = lines();
    EXPECT_EQ(now[19998], favorite(19999, 101, "f19999"));
    EXPECT_EQ(now[19999], favorite(20000, 101, "f20000"));
    EXPECT_EQ(now[2], folder(3, 1, "F3"));
    EXPECT_EQ(big.load().value.size(), 20000u);
}
