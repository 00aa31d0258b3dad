// Replacing files where others may plant links, devices and read-only files:
// what is written, what is refused and left alone, what a crash leaves and
// what the next start removes.

#include "store/filereplacement.h"

#include "store/favoritesstore.h"
#include "store/historystore.h"
#include "store/settingsline.h"
#include "store/storefile.h"
#include "store/storetest.h"

#include <cerrno>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace orbelle;
using namespace orbelle::test;

namespace fs = std::filesystem;

namespace {

unsigned modeOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

bool isLink(const fs::path& path) {
    std::error_code ignored;
    return fs::is_symlink(path, ignored);
}

// The names in folder, sorted.
std::vector<std::string> names(const fs::path& folder) {
    std::vector<std::string> all;
    for (const auto& entry : fs::directory_iterator(folder)) {
        all.push_back(entry.path().filename().string());
    }
    std::sort(all.begin(), all.end());
    return all;
}

struct NameCase {
    const char* name;
    const char* target;
    bool expected;
};

} // namespace

TEST(TemporaryFileName, IsRecognisedByItsPattern) {
    const NameCase cases[] = {
        {".csv_history0.k3j9x0a2.orbelle-tmp", "", true},
        {".csv_history0.k3j9x0a2.orbelle-tmp", "csv_history0", true},
        {".csv_history0.k3j9x0a2.orbelle-tmp", "csv_okiniiri0", false},
        {".a.b.00000000.orbelle-tmp", "a.b", true},
        {".csv_history0.K3J9X0A2.orbelle-tmp", "", false}, // capitals are never drawn
        {".csv_history0.k3j9x0a.orbelle-tmp", "", false},  // seven letters
        {"csv_history0.k3j9x0a2.orbelle-tmp", "", false},  // not hidden
        {".csv_history0k3j9x0a2.orbelle-tmp", "", false},  // no dot before the letters
        {".hist.orbhs.orbelle-new", "", false},            // an older version's fixed name
        {"csv_history1", "", false},
        {".x.k3j9x0a2.orbelle-tmp.bak", "", false},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(isTemporaryFileName(c.name, c.target), c.expected) << c.name << " / " << c.target;
    }
}

using FileReplacementTest = StoreTest;

TEST_F(FileReplacementTest, TheTemporaryFileIsNewPrivateAndUnpredictable) {
    const fs::path target = m_folder / "figure.orbdr";
    writeFile(target, "old");
    FileReplacement first(target);
    fs::path abandoned;
    {
        FileReplacement second(target);
        ASSERT_TRUE(first.open().ok());
        ASSERT_TRUE(second.open().ok());
        EXPECT_NE(first.temporaryPath(), second.temporaryPath());
        for (const FileReplacement* r : {&first, &second}) {
            EXPECT_EQ(r->temporaryPath().parent_path(), m_folder.path());
            EXPECT_TRUE(
                isTemporaryFileName(r->temporaryPath().filename().string(), "figure.orbdr"));
            EXPECT_EQ(modeOf(r->temporaryPath()), 0600u);
        }
        abandoned = second.temporaryPath();
    }
    // The replacement not committed took its temporary file with it.
    EXPECT_FALSE(fs::exists(abandoned));
    ASSERT_TRUE(first.write("new").ok());
    ASSERT_TRUE(first.commit().ok());
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(names(m_folder.path()), std::vector<std::string>{"figure.orbdr"});
}

TEST_F(FileReplacementTest, AnAbandonedReplacementLeavesNothing) {
    const fs::path target = m_folder / "store";
    writeFile(target, "old");
    {
        FileReplacement replacement(target);
        ASSERT_TRUE(replacement.open().ok());
        ASSERT_TRUE(replacement.write("half").ok());
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(names(m_folder.path()), std::vector<std::string>{"store"});
}

// What is there at the target, and what a replacement of either kind does.
enum class Planted { Nothing, Regular, LinkToRegular, LinkToNothing, LinkToDevice, Folder, Pipe };

struct KindCase {
    Planted planted;
    TargetKind kind;
    StoreError expected; // None: replaced
    int errorNumber;
};

TEST_F(FileReplacementTest, OwnFilesAreNeverWrittenThroughLinksNamedFilesMayBeLinks) {
    using enum Planted;
    const KindCase cases[] = {
        {Nothing, TargetKind::OwnFile, StoreError::None, 0},
        {Nothing, TargetKind::NamedFile, StoreError::None, 0},
        {Regular, TargetKind::OwnFile, StoreError::None, 0},
        {Regular, TargetKind::NamedFile, StoreError::None, 0},
        {LinkToRegular, TargetKind::OwnFile, StoreError::LinkNotFollowed, ELOOP},
        {LinkToRegular, TargetKind::NamedFile, StoreError::None, 0},
        {LinkToNothing, TargetKind::OwnFile, StoreError::LinkNotFollowed, ELOOP},
        {LinkToNothing, TargetKind::NamedFile, StoreError::CannotWrite, ENOENT},
        {LinkToDevice, TargetKind::OwnFile, StoreError::LinkNotFollowed, ELOOP},
        {LinkToDevice, TargetKind::NamedFile, StoreError::NotRegularTarget, 0},
        {Folder, TargetKind::OwnFile, StoreError::NotRegularTarget, EISDIR},
        {Folder, TargetKind::NamedFile, StoreError::NotRegularTarget, EISDIR},
        {Pipe, TargetKind::OwnFile, StoreError::NotRegularTarget, 0},
        {Pipe, TargetKind::NamedFile, StoreError::NotRegularTarget, 0},
    };
    int row = 0;
    for (const KindCase& c : cases) {
        SCOPED_TRACE("row " + std::to_string(row++));
        TempFolder folder;
        const fs::path target = folder / "out.orbhs";
        const fs::path precious = folder / "precious.txt";
        writeFile(precious, "precious");
        switch (c.planted) {
        case Nothing:
            break;
        case Regular:
            writeFile(target, "old");
            break;
        case LinkToRegular:
            fs::create_symlink(precious, target);
            break;
        case LinkToNothing:
            fs::create_symlink(folder / "absent", target);
            break;
        case LinkToDevice:
            fs::create_symlink("/dev/null", target);
            break;
        case Folder:
            fs::create_directory(target);
            break;
        case Pipe:
            ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
            break;
        }
        EXPECT_EQ(replacementProblem(target, c.kind).error(), c.expected);
        const StoreStatus status = replaceFile(target, "new", c.kind);
        EXPECT_EQ(status.error(), c.expected);
        EXPECT_EQ(status.errorNumber(), c.errorNumber);
        if (!status.ok()) {
            EXPECT_EQ(status.path(), target);
        }
        const bool throughLink = c.planted == LinkToRegular && c.kind == TargetKind::NamedFile;
        EXPECT_EQ(readFile(precious), throughLink ? "new" : "precious");
        if (c.planted == LinkToRegular || c.planted == LinkToNothing || c.planted == LinkToDevice) {
            EXPECT_TRUE(isLink(target)) << "the link itself stays";
        } else if (status.ok()) {
            EXPECT_EQ(readFile(target), "new");
        }
        EXPECT_FALSE(fs::exists(folder / "absent"));
        EXPECT_EQ(removeLeftoverTemporaryFiles(folder.path()), 0);
    }
}

TEST_F(FileReplacementTest, LinksPlantedAtTheOldFixedNamesRedirectNothing) {
    // Another user who can write a shared folder plants links where older
    // versions wrote their replacements.
    const fs::path precious = m_folder / "precious.txt";
    writeFile(precious, "precious");
    TempFolder shared;
    fs::create_symlink(precious, shared / ".hist.orbhs.orbelle-new");
    fs::create_symlink(precious, shared / ".fav.orbfv.orbelle-new");

    const HistoryStore history(m_folder / "data", Durability::Flush, 3);
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(history.append(numbered(n)).ok());
    }
    ASSERT_TRUE(history.exportTo(shared / "hist.orbhs").ok());
    const FavoritesStore favorites(m_folder / "data");
    ASSERT_TRUE(favorites.addFolder(1, "f").ok());
    ASSERT_TRUE(favorites.exportTo(shared / "fav.orbfv").ok());

    // A full history trims at the next append: a link at csv_history1 and at
    // the favorites' old name must not be written or followed either.
    fs::create_symlink(precious, m_folder / "data" / HistoryStore::kOldTempName);
    fs::create_symlink(precious, m_folder / "data" / FavoritesStore::kOldTempName);
    ASSERT_TRUE(history.append(numbered(3)).ok());
    ASSERT_TRUE(favorites.rename(2, "g").ok());
    ASSERT_TRUE(history.clean().ok());
    ASSERT_TRUE(favorites.clean().ok());

    EXPECT_EQ(readFile(precious), "precious");
    EXPECT_FALSE(isLink(history.filePath()));
    EXPECT_FALSE(isLink(favorites.filePath()));
    EXPECT_EQ(history.count().value, 3);
    EXPECT_EQ(splitLines(readFile(shared / "hist.orbhs")).size(), 3u);
    EXPECT_TRUE(isLink(m_folder / "data" / HistoryStore::kOldTempName)) << "left alone";
    EXPECT_TRUE(isLink(shared / ".hist.orbhs.orbelle-new")) << "left alone";
}

TEST_F(FileReplacementTest, AStoreThatIsALinkOrADeviceIsLeftAlone) {
    const fs::path precious = m_folder / "precious.txt";
    writeFile(precious, "precious\r\n");
    fs::create_directory(m_folder / "data");
    fs::create_symlink(precious, m_folder / "data" / HistoryStore::kFileName);
    const HistoryStore linked(m_folder / "data");
    const StoreStatus appended = linked.append(numbered(1));
    EXPECT_EQ(appended.error(), StoreError::LinkNotFollowed);
    EXPECT_EQ(appended.path(), linked.filePath());
    EXPECT_EQ(linked.reset().error(), StoreError::LinkNotFollowed);
    EXPECT_EQ(readFile(precious), "precious\r\n");

    // A dangling link is not followed to create the file it names.
    fs::create_directory(m_folder / "other");
    fs::create_symlink(m_folder / "made", m_folder / "other" / HistoryStore::kFileName);
    const HistoryStore dangling(m_folder / "other");
    EXPECT_EQ(dangling.append(numbered(1)).error(), StoreError::LinkNotFollowed);
    EXPECT_FALSE(fs::exists(m_folder / "made"));

    // A pipe in the store's place is refused at once, not waited on.
    fs::create_directory(m_folder / "piped");
    ASSERT_EQ(::mkfifo((m_folder / "piped" / HistoryStore::kFileName).c_str(), 0600), 0);
    const StoreFile piped(m_folder / "piped" / HistoryStore::kFileName, "unused");
    EXPECT_EQ(piped.appendLine("1").error(), StoreError::NotRegularTarget);
    EXPECT_EQ(piped.ensureExists().error(), StoreError::NotRegularTarget);
    EXPECT_EQ(piped.replaceContent("1").error(), StoreError::NotRegularTarget);
}

struct ModeCase {
    unsigned before;
    StoreError expected;
    int errorNumber;
};

TEST_F(FileReplacementTest, PermissionBitsAreKeptAndReadOnlyFilesRefused) {
    const ModeCase cases[] = {
        {0600, StoreError::None, 0},
        {0640, StoreError::None, 0},
        {0644, StoreError::None, 0},
        {0660, StoreError::None, 0},
        {0444, StoreError::CannotWrite, EACCES},
        {0400, StoreError::CannotWrite, EACCES},
    };
    for (const TargetKind kind : {TargetKind::OwnFile, TargetKind::NamedFile}) {
        for (const ModeCase& c : cases) {
            SCOPED_TRACE(std::to_string(c.before));
            const fs::path target = m_folder / ("mode" + std::to_string(c.before));
            writeFile(target, "old");
            ASSERT_EQ(::chmod(target.c_str(), c.before), 0);
            const StoreStatus status = replaceFile(target, "new", kind);
            EXPECT_EQ(status.error(), c.expected);
            EXPECT_EQ(status.errorNumber(), c.errorNumber);
            EXPECT_EQ(readFile(target), status.ok() ? "new" : "old");
            EXPECT_EQ(modeOf(target), c.before);
            fs::remove(target);
        }
    }
    // Through a link, the file it leads to keeps its bits.
    writeFile(m_folder / "real", "old");
    ASSERT_EQ(::chmod((m_folder / "real").c_str(), 0600), 0);
    fs::create_symlink(m_folder / "real", m_folder / "named");
    ASSERT_TRUE(replaceFile(m_folder / "named", "new", TargetKind::NamedFile).ok());
    EXPECT_EQ(modeOf(m_folder / "real"), 0600u);
    EXPECT_EQ(readFile(m_folder / "real"), "new");

    // A new file gets what the umask leaves of 0666, as any new file does.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(replaceFile(m_folder / "fresh", "x").ok());
    EXPECT_EQ(modeOf(m_folder / "fresh"), 0666u & ~static_cast<unsigned>(mask));
    EXPECT_EQ(removeLeftoverTemporaryFiles(m_folder.path()), 0);
}

TEST_F(FileReplacementTest, LeftoversAreRemovedByPatternOnlyWhenRegular) {
    const fs::path data = m_folder / "data";
    fs::create_directory(data);
    writeFile(m_folder / "precious", "precious");
    writeFile(data / ".csv_history0.k3j9x0a2.orbelle-tmp", "left by a crash");
    writeFile(data / ".csv_okiniiri0.00aa11bb.orbelle-tmp", "left by a crash");
    writeFile(data / ".OrbelleHelp001.html.zzzzzzzz.orbelle-tmp", "left by a crash");
    fs::create_symlink(m_folder / "precious", data / ".csv_history0.aaaaaaaa.orbelle-tmp");
    writeFile(data / HistoryStore::kOldTempName, "old version's leftover");
    writeFile(data / ".notes.orbelle-new", "the person's file");
    writeFile(data / HistoryStore::kFileName, "");

    // A store's cleaning takes its own leftovers and the old fixed name.
    const HistoryStore history(data);
    ASSERT_TRUE(history.clean().ok());
    EXPECT_EQ(names(data), (std::vector<std::string>{
                               ".OrbelleHelp001.html.zzzzzzzz.orbelle-tmp",
                               ".csv_history0.aaaaaaaa.orbelle-tmp",
                               ".csv_okiniiri0.00aa11bb.orbelle-tmp",
                               ".notes.orbelle-new",
                               "csv_history0",
                           }));
    // The start's sweep of the folder takes every other one.
    EXPECT_EQ(removeLeftoverTemporaryFiles(data), 2);
    EXPECT_EQ(names(data), (std::vector<std::string>{
                               ".csv_history0.aaaaaaaa.orbelle-tmp",
                               ".notes.orbelle-new",
                               "csv_history0",
                           }));
    EXPECT_EQ(readFile(m_folder / "precious"), "precious");
}

TEST_F(FileReplacementTest, MarkersAreMadeOnlyWhereNothingIs) {
    const fs::path marker = m_folder / "layout";
    ASSERT_TRUE(createEmptyOwnFile(marker).ok());
    EXPECT_TRUE(fs::is_regular_file(marker));
    writeFile(marker, "kept");
    ASSERT_TRUE(createEmptyOwnFile(marker).ok());
    EXPECT_EQ(readFile(marker), "kept");
    fs::create_symlink(m_folder / "elsewhere", m_folder / "linked");
    EXPECT_TRUE(createEmptyOwnFile(m_folder / "linked").ok());
    EXPECT_FALSE(fs::exists(m_folder / "elsewhere"));
    EXPECT_EQ(createEmptyOwnFile(m_folder / "missing" / "layout").errorNumber(), ENOENT);
}

namespace {

// System calls as the replacement makes them, recorded, with the content of
// the temporary file at the moment of its rename.
struct RecordedOperations {
    std::vector<std::string> calls;
    std::string renamedContent;
    int flushError = 0;
    int renameError = 0;
    int flushes = 0;

    FileOperations operations() {
        return {[this](int fd) {
                    calls.push_back(++flushes == 1 ? "flush file" : "flush folder");
                    if (flushError != 0) {
                        return flushError;
                    }
                    return ::fsync(fd) == 0 ? 0 : errno;
                },
                [this](const fs::path& from, const fs::path& to) {
                    calls.push_back("rename");
                    renamedContent = readFile(from);
                    if (renameError != 0) {
                        return renameError;
                    }
                    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
                }};
    }
};

struct SeamCase {
    int flushError;
    int renameError;
    std::vector<std::string> calls;
    int errorNumber;
};

} // namespace

TEST_F(FileReplacementTest, TheFileIsFlushedBeforeItsRenameAndTheFolderAfter) {
    const SeamCase cases[] = {
        {0, 0, {"flush file", "rename", "flush folder"}, 0},
        {EIO, 0, {"flush file"}, EIO}, // a failed flush is never renamed
        {0, EXDEV, {"flush file", "rename"}, EXDEV},
    };
    for (const SeamCase& c : cases) {
        SCOPED_TRACE(c.errorNumber);
        const fs::path target = m_folder / "store";
        writeFile(target, "old");
        RecordedOperations recorded;
        recorded.flushError = c.flushError;
        recorded.renameError = c.renameError;
        const FileOperations operations = recorded.operations();
        FileReplacement replacement(target, TargetKind::OwnFile, Durability::Flush, operations);
        ASSERT_TRUE(replacement.open().ok());
        ASSERT_TRUE(replacement.write("all ").ok());
        ASSERT_TRUE(replacement.write("of it").ok());
        const StoreStatus status = replacement.commit();
        EXPECT_EQ(recorded.calls, c.calls);
        EXPECT_EQ(status.errorNumber(), c.errorNumber);
        if (c.renameError != 0 || c.errorNumber == 0) {
            EXPECT_EQ(recorded.renamedContent, "all of it");
        }
        EXPECT_EQ(readFile(target), c.errorNumber == 0 ? "all of it" : "old");
        EXPECT_EQ(names(m_folder.path()), std::vector<std::string>{"store"});
    }
    // Without flushing (benchmarks) only the rename remains.
    RecordedOperations recorded;
    const FileOperations operations = recorded.operations();
    FileReplacement quick(m_folder / "store", TargetKind::OwnFile, Durability::NoFlush, operations);
    ASSERT_TRUE(quick.open().ok());
    ASSERT_TRUE(quick.commit().ok());
    EXPECT_EQ(recorded.calls, std::vector<std::string>{"rename"});
}
