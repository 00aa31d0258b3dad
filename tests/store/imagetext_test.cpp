#include "store/imagetext.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orbelle;

TEST(ImageText, CarriesTheSettingsFileLine) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = -7;
    s.drawColorMode = 2;
    s.drawColor = packRgb(200, 10, 30);
    s.zoom = 350;
    s.paramLocked[3] = 1;
    const std::string text = imageSettingsText(s);
    // 67 values, each followed by a comma, then the sum: 68 fields, no line end.
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), 67);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    const auto back = settingsFromImageText(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
}

TEST(ImageText, RefusesAnythingButOneValidLine) {
    const std::string good = imageSettingsText(DrawSettings::startup());
    EXPECT_FALSE(settingsFromImageText("").has_value());
    EXPECT_FALSE(settingsFromImageText("no numbers here").has_value());
    // One value changed, the sum kept: the check fails.
    std::string damaged = good;
    damaged[0] = damaged[0] == '0' ? '1' : '0';
    EXPECT_FALSE(settingsFromImageText(damaged).has_value());
    // A history line has one field more.
    EXPECT_FALSE(settingsFromImageText(good + ",0").has_value());
    EXPECT_FALSE(settingsFromImageText(good + "\n" + good).has_value());
}
