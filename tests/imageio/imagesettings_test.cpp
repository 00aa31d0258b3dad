// The record read back from an image file: none without a valid line. The
// line written and read back is checked with the desktop export.

#include "imageio/imagesettings.h"

#include "store/imagetext.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orbelle;

TEST(ImageSettings, NoLineADamagedLineOrNoFileIsNoRecord) {
    QTemporaryDir dir;
    const QString plainPath = dir.filePath(QStringLiteral("plain.png"));
    const QString damagedPath = dir.filePath(QStringLiteral("damaged.png"));
    QImage plain(20, 20, QImage::Format_RGB32);
    plain.fill(Qt::white);
    ASSERT_TRUE(plain.save(plainPath));
    EXPECT_FALSE(settingsFromImageFile(plainPath).has_value());
    DrawSettings record = DrawSettings::startup();
    setImageSettings(plain, record);
    ASSERT_TRUE(plain.save(damagedPath));
    ASSERT_TRUE(settingsFromImageFile(damagedPath).has_value());
    std::string damaged = imageSettingsText(record);
    damaged[0] = damaged[0] == '0' ? '1' : '0';
    plain.setText(QStringLiteral("Orbelle"), QString::fromStdString(damaged));
    ASSERT_TRUE(plain.save(damagedPath));
    EXPECT_FALSE(settingsFromImageFile(damagedPath).has_value());
    EXPECT_FALSE(settingsFromImageFile(dir.filePath(QStringLiteral("missing.png"))).has_value());
}
