#include "store/storefile.h"

#include "store/settingsfile.h"
#include "store/settingsline.h"
#include "store/storetest.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orbelle;
using namespace orbelle::test;

using StoreFileTest = StoreTest;

namespace {

// A settings file saved as every file is replaced: written beside it, then
// renamed over it.
StoreStatus saveSettingsFile(const std::filesystem::path& path, const DrawSettings& settings) {
    return replaceFile(path, formatSettingsFile(settings), TargetKind::NamedFile);
}

} // namespace

TEST(StoreLines, SplitReadsLfAndCrLfAndKeepsATornTail) {
    EXPECT_EQ(splitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(splitLines("\r\n\n"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(joinLines({"1,2", "", "3"}), "1,2\r\n\r\n3\r\n");
}

TEST_F(StoreFileTest, AppendWritesCrLfAndCreatesTheStore) {
    const StoreFile file(m_folder / "sub" / "store", "store_tmp");
    ASSERT_TRUE(file.appendLine("1,2,3").ok());
    ASSERT_TRUE(file.appendLine("4").ok());
    EXPECT_EQ(readFile(m_folder / "sub" / "store"), "1,2,3\r\n4\r\n");
}

TEST_F(StoreFileTest, AppendAfterATornLineStartsANewLine) {
    const StoreFile file(m_folder / "store", "store_tmp");
    writeFile(file.path(), "1,2\r\n3,4,5");
    ASSERT_TRUE(file.appendLine("6").ok());
    EXPECT_EQ(readFile(file.path()), "1,2\r\n3,4,5\r\n6\r\n");
    auto lines = file.readLines();
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(lines.value, (std::vector<std::string>{"1,2", "3,4,5", "6"}));
}

TEST_F(StoreFileTest, ReplaceLeavesNoTemporaryFile) {
    const StoreFile file(m_folder / "store", "store_tmp");
    writeFile(file.path(), "old\r\n");
    writeFile(file.oldTempPath(), "left by a crash");
    writeFile(m_folder / ".store.abcdefgh.orbelle-tmp", "left by a crash");
    ASSERT_TRUE(file.replaceLines({"x", "y"}).ok());
    EXPECT_EQ(readFile(file.path()), "x\r\ny\r\n");
    file.removeLeftoverTemp();
    EXPECT_FALSE(std::filesystem::exists(file.oldTempPath()));
    EXPECT_EQ(removeLeftoverTemporaryFiles(m_folder.path()), 0);
    EXPECT_EQ(readFile(file.path()), "x\r\ny\r\n");
}

TEST_F(StoreFileTest, FailuresNameTheFileAndKeepTheOldContent) {
    // A store whose folder is a regular file can be neither read nor written.
    writeFile(m_folder / "plain", "x");
    const StoreFile blocked(m_folder / "plain" / "store", "store_tmp");
    const StoreStatus append = blocked.appendLine("1");
    EXPECT_FALSE(append.ok());
    EXPECT_NE(append.path().string().find((m_folder / "plain").string()), std::string::npos);
    EXPECT_FALSE(blocked.readLines().ok());

    // Replacing a folder fails; the folder and its content stay.
    std::filesystem::create_directory(m_folder / "folder");
    writeFile(m_folder / "folder" / "inner", "keep");
    const StoreStatus replaced = replaceFile(m_folder / "folder", "new", TargetKind::NamedFile);
    EXPECT_FALSE(replaced.ok());
    EXPECT_NE(replaced.path().string().find((m_folder / "folder").string()), std::string::npos);
    EXPECT_EQ(readFile(m_folder / "folder" / "inner"), "keep");
    EXPECT_EQ(removeLeftoverTemporaryFiles(m_folder.path()), 0);
}

TEST_F(StoreFileTest, AFolderThatCannotBeLookedAtIsReportedNotThrown) {
    // A link that points at itself cannot be followed (ELOOP): asking whether
    // the store's folder exists fails, and every change reports that failure.
    std::filesystem::create_symlink("loop", m_folder / "loop");
    const StoreFile file(m_folder / "loop" / "sub" / "store", "store_tmp");
    StoreStatus append = StoreStatus::success();
    EXPECT_NO_THROW(append = file.appendLine("1"));
    EXPECT_FALSE(append.ok());
    EXPECT_NE(append.path().string().find("loop"), std::string::npos);
    StoreStatus replace = StoreStatus::success();
    EXPECT_NO_THROW(replace = file.replaceLines({"1"}));
    EXPECT_FALSE(replace.ok());
    EXPECT_NE(replace.path().string().find("loop"), std::string::npos);
}

TEST_F(StoreFileTest, ReaderRefusesFoldersMissingAndOversizedFiles) {
    const auto missing = readWholeFile(m_folder / "none");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.status.errorNumber(), ENOENT);
    EXPECT_NE(missing.status.path().string().find("none"), std::string::npos);

    const auto folder = readWholeFile(m_folder.path());
    EXPECT_FALSE(folder.ok());

    writeFile(m_folder / "big", std::string(2000, 'x'));
    EXPECT_FALSE(readWholeFile(m_folder / "big", 1999).ok());
    const auto fits = readWholeFile(m_folder / "big", 2000);
    ASSERT_TRUE(fits.ok());
    EXPECT_EQ(fits.value.size(), 2000u);
}

TEST_F(StoreFileTest, ReaderRefusesANamedPipeWithoutWaitingForAWriter) {
    // Opening a named pipe for reading waits until something writes to it; a
    // reader that opens before it checks the kind of file hangs for good.
    const auto pipe = m_folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::atomic<bool> done{false};
    std::atomic<bool> rescued{false};
    std::thread rescue([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!done) {
            // Lets a blocked reader go so that the test fails instead of hanging.
            rescued = true;
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    });
    const auto read = readWholeFile(pipe);
    done = true;
    rescue.join();
    EXPECT_FALSE(rescued) << "the reader waited for a writer";
    EXPECT_FALSE(read.ok());
    EXPECT_NE(read.status.path().string().find("pipe"), std::string::npos);
}

TEST_F(StoreFileTest, SettingsFileIsWrittenWithCrLfAndReadsBack) {
    DrawSettings s = literalRecord();
    s.paramLocked[19] = 1; // not stored
    const auto path = m_folder / "spiral.orbdr";
    ASSERT_TRUE(saveSettingsFile(path, s).ok());
    // Fields 0-66 and their sum; the last lock is not written.
    EXPECT_EQ(readFile(path), "1,3,-75,"
                              "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                              "2,0,0,1,16777215,"
                              "0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                              "0,0,0,0,0,0,0,"
                              "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                              "16777147\r\n");
    EXPECT_EQ(parseSettingsFile(readFile(path)), literalRecord());
    EXPECT_EQ(removeLeftoverTemporaryFiles(m_folder.path()), 0);

    // Overwriting replaces the whole file.
    ASSERT_TRUE(saveSettingsFile(path, numbered(5)).ok());
    EXPECT_EQ(parseSettingsFile(readFile(path)), numbered(5));
}

TEST_F(StoreFileTest, SettingsFileRefusesAHistoryLineAndAChangedValue) {
    const auto path = m_folder / "a.orbdr";
    writeFile(path, "// a comment line\r\n" + kLiteralHistoryLine + "\r\n");
    EXPECT_FALSE(parseSettingsFile(readFile(path)));

    ASSERT_TRUE(saveSettingsFile(path, literalRecord()).ok());
    std::string body = readFile(path);
    body.replace(0, 1, "2"); // category 1 becomes 2, the sum stays
    EXPECT_FALSE(parseSettingsFile(body));
    EXPECT_EQ(parseSettingsFile("// comment\n// another\n" + readFile(path)), literalRecord());

    // A save into a missing folder fails with a message naming the file.
    const StoreStatus failed = saveSettingsFile(m_folder / "missing" / "b.orbdr", numbered(1));
    EXPECT_FALSE(failed.ok());
    EXPECT_NE(failed.path().string().find("b.orbdr"), std::string::npos);
}
