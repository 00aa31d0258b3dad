// Loading a history or favorites file never wipes the store by mistake: a
// file that is empty, holds no valid line, is a pipe, a folder or too large
// is refused, naming it, and the store keeps its bytes.

#include "store/favoritesstore.h"
#include "store/historystore.h"
#include "store/settingsline.h"
#include "store/storefile.h"
#include "storetest.h"

#include <cerrno>
#include <sys/stat.h>

using namespace orbelle;
using namespace orbelle::test;

namespace {

// The history line of literalRecord() and the favorites of a root and one
// folder, as the stores hold them.
const std::string kHistoryContent = kLiteralHistoryLine + "\r\n";
const std::string kFavoritesContent = "1,0,\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8,1,1,1\r\n"
                                      "2,1,A,1,1,1\r\n";

struct Source {
    const char* name;
    StoreError historyError;
    StoreError favoritesError;
    int errorNumber;
};

const Source kSources[] = {
    {"empty", StoreError::NoHistoryLines, StoreError::NoFavoriteLines, 0},
    {"blank lines", StoreError::NoHistoryLines, StoreError::NoFavoriteLines, 0},
    {"no valid line", StoreError::NoHistoryLines, StoreError::NoFavoriteLines, 0},
    {"pipe", StoreError::NotRegularFile, StoreError::NotRegularFile, 0},
    {"folder", StoreError::NotRegularFile, StoreError::NotRegularFile, EISDIR},
    {"too large", StoreError::TooLarge, StoreError::TooLarge, EFBIG},
    {"missing", StoreError::CannotRead, StoreError::CannotRead, ENOENT},
};

class StoreImportTest : public StoreTest {
  protected:
    // Makes the source file named after the case.
    std::filesystem::path makeSource(const std::string& name) {
        const std::filesystem::path path = m_folder / ("source " + name);
        if (name == "empty") {
            writeFile(path, "");
        } else if (name == "blank lines") {
            writeFile(path, "\r\n\n\r\n");
        } else if (name == "no valid line") {
            writeFile(path, "a,b,c\r\n1,2\r\n" + kLiteralHistoryLine + ",9\r\n");
        } else if (name == "pipe") {
            EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        } else if (name == "folder") {
            std::filesystem::create_directory(path);
        } else if (name == "too large") {
            // One byte past the readers' limit; a sparse file costs no disk.
            writeFile(path, "");
            std::filesystem::resize_file(path, kMaxStoreBytes + 1);
        }
        return path;
    }
};

} // namespace

TEST_F(StoreImportTest, UnusableSourcesAreRefusedAndLeaveBothStoresAlone) {
    writeFile(m_folder / "csv_history0", kHistoryContent);
    writeFile(m_folder / "csv_okiniiri0", kFavoritesContent);
    const HistoryStore history(m_folder.path());
    const FavoritesStore favorites(m_folder.path());
    for (const Source& s : kSources) {
        const std::filesystem::path source = makeSource(s.name);
        const StoreStatus historyStatus = history.importFrom(source).status;
        EXPECT_EQ(historyStatus.error(), s.historyError) << s.name;
        EXPECT_EQ(historyStatus.errorNumber(), s.errorNumber) << s.name;
        EXPECT_EQ(historyStatus.path(), source) << s.name;
        const StoreStatus favoritesStatus = favorites.importFrom(source).status;
        EXPECT_EQ(favoritesStatus.error(), s.favoritesError) << s.name;
        EXPECT_EQ(favoritesStatus.errorNumber(), s.errorNumber) << s.name;
        EXPECT_EQ(favoritesStatus.path(), source) << s.name;
        EXPECT_EQ(readFile(m_folder / "csv_history0"), kHistoryContent) << s.name;
        EXPECT_EQ(readFile(m_folder / "csv_okiniiri0"), kFavoritesContent) << s.name;
    }
}

TEST_F(StoreImportTest, AFavoritesExportOfTheRootAloneStillLoads) {
    // An export of empty favorites is the root line: a valid file, not an
    // empty one.
    writeFile(m_folder / "csv_okiniiri0", kFavoritesContent);
    writeFile(m_folder / "root.orbfv", "1,0,x,1,0,1\r\n");
    const FavoritesStore favorites(m_folder.path());
    const auto imported = favorites.importFrom(m_folder / "root.orbfv");
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(imported.value.entries, 1);
}
