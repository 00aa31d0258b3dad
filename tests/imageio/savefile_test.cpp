// A saved file is put in place only when every byte reached the disk, and a
// failure is told in the system's words.

#include "imageio/savefile.h"

#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace orbelle;
using test::readAll;

namespace {

// Limits the size of files this process writes, as a nearly full disk does;
// the limit is lifted again at the end of the scope.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

class SaveFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QFile old(m_path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the good file");
    }
    // Only the target is left in the folder.
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("figure.orbdr"));
};

} // namespace

TEST_F(SaveFileTest, ReplacesTheTargetWhenEverythingIsWritten) {
    EXPECT_EQ(saveFile(m_path, "new content\r\n"), std::nullopt);
    EXPECT_EQ(readAll(m_path), QByteArray("new content\r\n"));
    EXPECT_EQ(files(), QStringList{"figure.orbdr"});
    EXPECT_EQ(saveFile(m_path, "second\r\n"), std::nullopt);
    EXPECT_EQ(readAll(m_path), QByteArray("second\r\n"));
}

TEST_F(SaveFileTest, AWriteThatFailsPartWayKeepsTheOldFile) {
    {
        // The first 50 bytes fit under the limit, the next ones do not.
        const FileSizeLimit limit(50);
        FileReplacement file(toLocalPath(m_path), TargetKind::NamedFile);
        ASSERT_TRUE(file.open().ok());
        EXPECT_TRUE(file.write(std::string(50, 'x')).ok());
        EXPECT_EQ(file.write(std::string(150, 'x')).errorNumber(), EFBIG);
        const StoreStatus committed = file.commit();
        EXPECT_EQ(committed.errorNumber(), EFBIG);
        EXPECT_EQ(failureReason(committed), QStringLiteral("File too large"));
    }
    EXPECT_EQ(readAll(m_path), QByteArray("the good file"));
    EXPECT_EQ(files(), QStringList{"figure.orbdr"});
}

TEST_F(SaveFileTest, AWriteCutShortIsToldInTheSystemsWords) {
    {
        // Beyond the buffer the bytes go straight to the disk, and Qt itself
        // calls the short write an "Unknown error".
        const FileSizeLimit limit(50);
        EXPECT_EQ(saveFile(m_path, QByteArray(100000, 'x')), QStringLiteral("File too large"));
        EXPECT_EQ(saveFile(m_path, QByteArray(200, 'x')), QStringLiteral("File too large"));
    }
    EXPECT_EQ(readAll(m_path), QByteArray("the good file"));
    EXPECT_EQ(files(), QStringList{"figure.orbdr"});
    EXPECT_EQ(saveFile(m_dir.filePath(QStringLiteral("no such folder/x.orbdr")), "x"),
              QStringLiteral("No such file or directory"));
    EXPECT_EQ(failureReason(0, QStringLiteral("Qt's words")), QStringLiteral("Qt's words"));
}

namespace {

struct TargetCase {
    const char* linkTo; // where the target links; nullptr: a read-only regular file
    TargetKind kind;
    const char* reason;
};

} // namespace

TEST_F(SaveFileTest, DevicesLinksAndReadOnlyFilesAreRefusedInWords) {
    const TargetCase cases[] = {
        {"/dev/null", TargetKind::NamedFile, "not a regular file (a device, a pipe or a socket)"},
        {"/dev/null", TargetKind::OwnFile, "it is a symbolic link, which is left alone"},
        {"/", TargetKind::NamedFile, "Is a directory"},
        {nullptr, TargetKind::NamedFile, "Permission denied"},
        {nullptr, TargetKind::OwnFile, "Permission denied"},
    };
    const QString target = m_dir.filePath(QStringLiteral("out.png"));
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.reason);
        QFile::remove(target);
        if (c.linkTo != nullptr) {
            std::filesystem::create_symlink(c.linkTo, toLocalPath(target));
        } else {
            ASSERT_EQ(saveFile(target, "read-only"), std::nullopt);
            ASSERT_EQ(::chmod(toLocalPath(target).c_str(), 0444), 0);
        }
        EXPECT_EQ(saveFile(target, "new", c.kind), QString::fromLatin1(c.reason));
        if (c.linkTo == nullptr) {
            EXPECT_EQ(readAll(target), QByteArray("read-only"));
        }
        EXPECT_TRUE(QFileInfo(target).isSymLink() == (c.linkTo != nullptr));
    }
    // A link to a regular file the person named: that file is replaced.
    QFile::remove(target);
    std::filesystem::create_symlink(toLocalPath(m_path), toLocalPath(target));
    EXPECT_EQ(saveFile(target, "through the link"), std::nullopt);
    EXPECT_EQ(readAll(m_path), QByteArray("through the link"));
    EXPECT_TRUE(QFileInfo(target).isSymLink());
}
