// The one table of image formats both front ends write.

#include "imageio/imageformat.h"

#include <QImageWriter>
#include <gtest/gtest.h>

using namespace orbelle;

TEST(ImageFormat, TheTableByExtensionInAnyCase) {
    const struct {
        const char* path;
        const char* writerFormat;
        int quality;
        bool carriesSettings;
    } cases[] = {
        {"a.png", "png", -1, true},   {"dir.x/b.PNG", "png", -1, true}, {"c.bmp", "bmp", -1, false},
        {"d.Bmp", "bmp", -1, false},  {"e.jpg", "jpeg", 95, true},      {"f.JPG", "jpeg", 95, true},
        {"g.jpeg", "jpeg", 95, true}, {"h.JPEG", "jpeg", 95, true},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromLatin1(c.path);
        const auto format = imageFormatFor(path);
        ASSERT_TRUE(format.has_value()) << c.path;
        EXPECT_EQ(format->writerFormat, QByteArray(c.writerFormat)) << c.path;
        EXPECT_EQ(format->quality, c.quality) << c.path;
        EXPECT_EQ(format->carriesSettings, c.carriesSettings) << c.path;
        EXPECT_EQ(carriesSettings(path), c.carriesSettings) << c.path;
        EXPECT_EQ(writableImageFormatFor(path)->writerFormat, QByteArray(c.writerFormat)) << c.path;
    }
    EXPECT_EQ(imageFormats().size(), 4u);
}

TEST(ImageFormat, OtherExtensionsAreOnlyWhatTheWritersKnow) {
    for (const char* path : {"a.tif", "b.gif", "c.xyz", "noextension", "d.orbdr", "png"}) {
        EXPECT_FALSE(imageFormatFor(QString::fromLatin1(path)).has_value()) << path;
        EXPECT_FALSE(carriesSettings(QString::fromLatin1(path))) << path;
    }
    EXPECT_FALSE(writableImageFormatFor(QStringLiteral("c.xyz")).has_value());
    EXPECT_FALSE(writableImageFormatFor(QStringLiteral("noextension")).has_value());
    if (QImageWriter::supportedImageFormats().contains("tif")) { // a Qt with the TIFF plug-in
        const auto tiff = writableImageFormatFor(QStringLiteral("e.TIF"));
        ASSERT_TRUE(tiff.has_value());
        EXPECT_EQ(tiff->writerFormat, QByteArray("tif"));
        EXPECT_EQ(tiff->quality, -1);
        EXPECT_FALSE(tiff->carriesSettings);
    }
}
