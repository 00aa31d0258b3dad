// Writing pictures by the format table: the bytes each format's writer gives
// (JPEG at quality 95) and the texts kept. Failed writes are run through
// orbelle-cli, which must print them as one line.

#include "imageio/imagewrite.h"

#include "support/files.h"

#include "imageio/imagesettings.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace orbelle;
using test::readAll;

namespace {

// What Qt's own writer makes of image, at quality (-1: its default), with
// the texts given beside the image's own.
QByteArray encoded(const QImage& image, const char* format, int quality,
                   const std::vector<std::pair<QString, QString>>& texts = {}) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    for (const auto& [key, text] : texts) {
        writer.setText(key, text);
    }
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

const QString kSoftware = QStringLiteral("Orbelle " ORBELLE_EXPECTED_VERSION);

// The text chunks of a PNG file (tEXt, zTXt, iTXt) by their keyword, each
// with its whole chunk: type and data.
std::map<std::string, QByteArray> pngTextChunks(const QByteArray& png) {
    std::map<std::string, QByteArray> chunks;
    qsizetype at = 8; // the signature
    while (at + 12 <= png.size()) {
        const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(png[at + k]); };
        const qsizetype length =
            (qsizetype(byte(0)) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
        const QByteArray type = png.mid(at + 4, 4);
        const QByteArray data = png.mid(at + 8, length);
        if (type == "tEXt" || type == "zTXt" || type == "iTXt") {
            chunks[data.left(data.indexOf('\0')).toStdString()] = type + data;
        }
        at += 12 + length;
    }
    return chunks;
}

class ImageWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (int y = 0; y < m_image.height(); ++y) {
            for (int x = 0; x < m_image.width(); ++x) {
                m_image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, x * y % 256));
            }
        }
        m_image.setText(QStringLiteral("Orbelle"), QStringLiteral("1,2,3"));
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    std::optional<QString> write(const char* name) const {
        return writeImage(m_image, path(name), *imageFormatFor(path(name)));
    }

    QTemporaryDir m_dir;
    QImage m_image{300, 300, QImage::Format_RGB32};
};

} // namespace

TEST_F(ImageWriteTest, EveryFormatOfTheTableIsItsWritersBytes) {
    const struct {
        const char* name;
        const char* format;
        int quality;
        bool keepsText;
    } cases[] = {{"a.png", "png", -1, true}, // with the program's name
                 {"b.bmp", "bmp", -1, false},
                 {"c.jpg", "jpeg", 95, true},
                 {"d.jpeg", "jpeg", 95, true}};
    for (const auto& c : cases) {
        ASSERT_EQ(write(c.name), std::nullopt) << c.name;
        const bool png = std::string(c.format) == "png";
        EXPECT_EQ(readAll(path(c.name)),
                  encoded(m_image, c.format, c.quality,
                          png ? std::vector{std::pair{QStringLiteral("Software"), kSoftware}}
                              : std::vector<std::pair<QString, QString>>{}))
            << c.name;
        QImageReader reader(path(c.name));
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        EXPECT_EQ(reader.text(QStringLiteral("Orbelle")),
                  c.keepsText ? QStringLiteral("1,2,3") : QString())
            << c.name;
    }
    // Quality 95 is not the writer's default.
    EXPECT_NE(readAll(path("c.jpg")), encoded(m_image, "jpeg", -1));
    EXPECT_EQ(QImage(path("a.png")), m_image);
    EXPECT_EQ(QImage(path("b.bmp")).convertToFormat(QImage::Format_RGB32), m_image);
}

TEST_F(ImageWriteTest, APngNamesTheProgramAndTheFormula) {
    // "シリウス", item 17 of "銀河".
    DrawSettings record = DrawSettings::startup();
    record.category = 1;
    record.item = 17;
    record.params = {200, 18, 70, 400, 300, 500, 392, 71, 95, 50, 50};
    QImage image = m_image;
    setImageSettings(image, record);
    const QString line = image.text(QStringLiteral("Orbelle"));
    for (const char* name : {"a.png", "b.jpg"}) {
        ASSERT_EQ(writeImage(image, path(name), *imageFormatFor(path(name))), std::nullopt);
    }
    QImageReader png(path("a.png"));
    EXPECT_EQ(png.textKeys(), QStringList({QStringLiteral("Description"), QStringLiteral("Orbelle"),
                                           QStringLiteral("Software")}));
    EXPECT_EQ(png.text(QStringLiteral("Software")), kSoftware);
    EXPECT_EQ(png.text(QStringLiteral("Description")),
              QStringLiteral("銀河 / シリウス (category 1, item 17)"));
    EXPECT_EQ(png.text(QStringLiteral("Orbelle")), line);
    // The settings chunk is the very one Qt writes for the line alone.
    const auto written = pngTextChunks(readAll(path("a.png")));
    const auto alone = pngTextChunks(encoded(image, "png", -1));
    ASSERT_EQ(alone.count("Orbelle"), 1u);
    ASSERT_EQ(written.count("Orbelle"), 1u);
    EXPECT_EQ(written.at("Orbelle"), alone.at("Orbelle"));
    const char software[] = "tEXtSoftware\0Orbelle " ORBELLE_EXPECTED_VERSION;
    EXPECT_EQ(written.at("Software"), QByteArray(software, sizeof software - 1));
    // A JPEG keeps its one comment, the settings line.
    QImageReader jpeg(path("b.jpg"));
    EXPECT_EQ(jpeg.textKeys(), QStringList({QStringLiteral("Orbelle")}));
    EXPECT_EQ(jpeg.text(QStringLiteral("Orbelle")), line);
}

TEST_F(ImageWriteTest, AnOpenFileTakesTheSameBytes) {
    for (const char* name : {"a.png", "b.bmp", "c.jpg"}) {
        const std::optional<ImageFormat> format = imageFormatFor(path(name));
        ASSERT_EQ(writeImage(m_image, path(name), *format), std::nullopt) << name;
        QFile open(path(name) + QStringLiteral(".open"));
        ASSERT_TRUE(open.open(QIODevice::WriteOnly));
        EXPECT_EQ(writeImageTo(open, m_image, *format), std::nullopt) << name;
        open.close();
        EXPECT_EQ(readAll(open.fileName()), readAll(path(name))) << name;
    }
    // A full device reports the system's reason.
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    EXPECT_EQ(writeImageTo(full, m_image, *imageFormatFor(path("a.png"))),
              QStringLiteral("No space left on device"));
}
