// Files read without waiting on them: every reader of image files refuses a
// named pipe, a folder, a missing or too large file at once, and words what
// is not an image or carries no settings.

#include "imageio/fileread.h"
#include "imageio/imagesettings.h"
#include "store/imagetext.h"
#include "support/scratchfiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

using namespace orbelle;
using orbelle::test::TempFolder;
using orbelle::test::writeFile;

namespace {

QString qpath(const std::filesystem::path& path) { return QFile::decodeName(path.c_str()); }

void savePng(const std::filesystem::path& path, const QString& settingsText) {
    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(Qt::darkRed);
    if (!settingsText.isNull()) {
        image.setText(QStringLiteral("Orbelle"), settingsText);
    }
    ASSERT_TRUE(image.save(qpath(path), "PNG"));
}

class FileReadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::mkfifo((m_folder / "pipe.png").c_str(), 0600), 0);
        std::filesystem::create_directory(m_folder / "folder.png");
        writeFile(m_folder / "text.png", "no picture at all\n");
        savePng(m_folder / "plain.png", QString());
    }
    TempFolder m_folder;
};

struct Refusal {
    const char* name;
    StoreError error;
    int errorNumber;
};

// The refusals every reader shares: what the file is decides, not the reader.
constexpr Refusal kRefusals[] = {
    {"pipe.png", StoreError::NotRegularFile, 0},
    {"folder.png", StoreError::NotRegularFile, EISDIR},
    {"missing.png", StoreError::CannotRead, ENOENT},
};

} // namespace

TEST_F(FileReadTest, EveryReaderRefusesPipesFoldersAndMissingFilesAtOnce) {
    for (const Refusal& r : kRefusals) {
        const QString path = qpath(m_folder / r.name);
        const StoreStatus statuses[] = {
            readFileBytes(path, 1024).status,
            readImageFile(path).status,
            readImageFile(path, "PNG").status,
            readImageSettings(path).status,
        };
        for (const StoreStatus& status : statuses) {
            EXPECT_EQ(status.error(), r.error) << r.name;
            EXPECT_EQ(status.errorNumber(), r.errorNumber) << r.name;
            EXPECT_EQ(status.path(), m_folder / r.name) << r.name;
        }
    }
}

TEST_F(FileReadTest, LimitsNotPicturesAndPicturesWithoutSettings) {
    const QString plain = qpath(m_folder / "plain.png");
    const auto size = std::filesystem::file_size(m_folder / "plain.png");
    // One byte under the file's size is too little; the size itself is enough.
    const StoreResult<QImage> tooLarge = readImageFile(plain, "PNG", size - 1);
    EXPECT_EQ(tooLarge.status.error(), StoreError::TooLarge);
    EXPECT_EQ(tooLarge.status.limit(), size - 1);
    const StoreResult<QImage> fits = readImageFile(plain, "PNG", size);
    ASSERT_TRUE(fits.ok());
    EXPECT_EQ(fits.value.size(), QSize(12, 12));

    const StoreResult<QImage> text = readImageFile(qpath(m_folder / "text.png"));
    EXPECT_EQ(text.status.error(), StoreError::NotImage);
    EXPECT_FALSE(text.status.detail().empty());
    EXPECT_EQ(readImageSettings(qpath(m_folder / "text.png")).status.error(), StoreError::NotImage);
    EXPECT_EQ(readImageSettings(plain).status.error(), StoreError::NoImageSettings);
    EXPECT_EQ(readImageSettings(plain).status.path(), m_folder / "plain.png");
}

TEST_F(FileReadTest, AStrictReaderTakesTheColoursAsWritten) {
    // The startup record's line with its drawing colour (field 24) made -1
    // and the sum (field 67) made to match: 0 -> -1 lowers it by one.
    QStringList fields =
        QString::fromStdString(imageSettingsText(DrawSettings::startup())).split(QLatin1Char(','));
    ASSERT_EQ(fields.size(), 68);
    const long long colour = fields[24].toLongLong();
    fields[24] = QStringLiteral("-1");
    fields[67] = QString::number(static_cast<std::int32_t>(fields[67].toLongLong() - colour - 1));
    savePng(m_folder / "negative.png", fields.join(QLatin1Char(',')));

    const QString path = qpath(m_folder / "negative.png");
    const StoreResult<DrawSettings> kept = readImageSettings(path);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept.value.drawColor, 0xFFFFFF); // the low 24 bits of -1
    const StoreResult<DrawSettings> strict = readImageSettings(path, ColourBits::AsWritten);
    ASSERT_TRUE(strict.ok());
    EXPECT_EQ(strict.value.drawColor, -1);
}
