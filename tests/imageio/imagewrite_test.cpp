// Writing pictures by the format table: the bytes each format's writer gives
// (JPEG at quality 95) and the texts kept. Failed writes are run through
// orbelle-cli, which must print them as one line.

#include "imageio/imagewrite.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orbelle;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// What Qt's own writer makes of image, at quality (-1: its default).
QByteArray encoded(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image));
    return bytes;
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
    } cases[] = {{"a.png", "png", -1, true},
                 {"b.bmp", "bmp", -1, false},
                 {"c.jpg", "jpeg", 95, true},
                 {"d.jpeg", "jpeg", 95, true}};
    for (const auto& c : cases) {
        ASSERT_EQ(write(c.name), std::nullopt) << c.name;
        EXPECT_EQ(contentOf(path(c.name)), encoded(m_image, c.format, c.quality)) << c.name;
        QImageReader reader(path(c.name));
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        EXPECT_EQ(reader.text(QStringLiteral("Orbelle")),
                  c.keepsText ? QStringLiteral("1,2,3") : QString())
            << c.name;
    }
    // Quality 95 is not the writer's default.
    EXPECT_NE(contentOf(path("c.jpg")), encoded(m_image, "jpeg", -1));
    EXPECT_EQ(QImage(path("a.png")), m_image);
    EXPECT_EQ(QImage(path("b.bmp")).convertToFormat(QImage::Format_RGB32), m_image);
}
