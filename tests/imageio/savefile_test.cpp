// A save file is put in place only when every byte reached the disk, and a
// failure is told in the system's words.

#include "imageio/savefile.h"

#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

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
    QSaveFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("new content\r\n");
    EXPECT_EQ(commitSaveFile(file), std::nullopt);
    EXPECT_EQ(readAll(m_path), QByteArray("new content\r\n"));
    EXPECT_EQ(files(), QStringList{"figure.orbdr"});
    EXPECT_EQ(saveFile(m_path, "second\r\n"), std::nullopt);
    EXPECT_EQ(readAll(m_path), QByteArray("second\r\n"));
}

TEST_F(SaveFileTest, AWriteThatFailsInTheBufferKeepsTheOldFile) {
    {
        // 200 bytes stay in the file's buffer until the flush, which the
        // 50-byte limit cuts short.
        const FileSizeLimit limit(50);
        QSaveFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(QByteArray(200, 'x')), 200);
        const std::optional<QString> reason = commitSaveFile(file);
        ASSERT_TRUE(reason.has_value());
        EXPECT_FALSE(reason->isEmpty());
        EXPECT_EQ(*reason, QStringLiteral("File too large"));
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
