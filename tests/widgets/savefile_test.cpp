// A save file is put in place only when every byte reached the disk.

#include "widgets/savefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace orbelle;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

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

} // namespace

TEST(CommitSaveFile, ReplacesTheTargetWhenEverythingIsWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("figure.orbdr"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("new content\r\n");
    EXPECT_EQ(commitSaveFile(file), std::nullopt);
    EXPECT_EQ(contentOf(path), QByteArray("new content\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"figure.orbdr"});
}

TEST(CommitSaveFile, AWriteThatFailsInTheBufferKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("figure.orbdr"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the good file");
    }
    {
        // 200 bytes stay in the file's buffer until the flush, which the
        // 50-byte limit cuts short.
        const FileSizeLimit limit(50);
        QSaveFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(QByteArray(200, 'x')), 200);
        const std::optional<QString> reason = commitSaveFile(file);
        ASSERT_TRUE(reason.has_value());
        EXPECT_FALSE(reason->isEmpty());
    }
    EXPECT_EQ(contentOf(path), QByteArray("the good file"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"figure.orbdr"});
}
