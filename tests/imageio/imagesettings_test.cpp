// The settings line a picture carries into PNG and JPEG files and the record
// read back from an image file.

#include "imageio/imagesettings.h"

#include "imageio/imagewrite.h"
#include "store/imagetext.h"

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orbelle;

namespace {

class ImageSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_record.params[1] += 3;
        m_record.drawColorMode = 2;
        m_record.drawColor = packRgb(10, 20, 30);
        m_record.zoom = 250;
        m_plain.fill(Qt::white);
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    void write(QImage image, const char* name) const {
        ASSERT_EQ(writeImage(image, path(name), *imageFormatFor(path(name))), std::nullopt);
    }

    QTemporaryDir m_dir;
    DrawSettings m_record = DrawSettings::startup();
    QImage m_plain{20, 20, QImage::Format_RGB32};
};

} // namespace

TEST_F(ImageSettingsTest, PngAndJpegCarryTheLineBmpDoesNot) {
    QImage image = m_plain;
    setImageSettings(image, m_record);
    EXPECT_EQ(image.text(QStringLiteral("Orbelle")).toStdString(), imageSettingsText(m_record));
    for (const char* name : {"carry.png", "carry.jpg", "carry.bmp"}) {
        write(image, name);
    }
    for (const char* name : {"carry.png", "carry.jpg"}) {
        EXPECT_EQ(QImageReader(path(name)).text(QStringLiteral("Orbelle")).toStdString(),
                  imageSettingsText(m_record))
            << name;
        const auto back = settingsFromImageFile(path(name));
        ASSERT_TRUE(back.has_value()) << name;
        EXPECT_EQ(*back, m_record) << name;
    }
    EXPECT_FALSE(settingsFromImageFile(path("carry.bmp")).has_value());
}

TEST_F(ImageSettingsTest, NoLineADamagedLineOrNoFileIsNoRecord) {
    write(m_plain, "plain.png");
    EXPECT_FALSE(settingsFromImageFile(path("plain.png")).has_value());
    std::string damaged = imageSettingsText(m_record);
    damaged[0] = damaged[0] == '0' ? '1' : '0';
    m_plain.setText(QStringLiteral("Orbelle"), QString::fromStdString(damaged));
    write(m_plain, "damaged.png");
    EXPECT_FALSE(settingsFromImageFile(path("damaged.png")).has_value());
    EXPECT_FALSE(settingsFromImageFile(path("missing.png")).has_value());
}
