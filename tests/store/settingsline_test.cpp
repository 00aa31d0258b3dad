#include "settingsline.h"

#include <gtest/gtest.h>

using namespace orbelle;

TEST(SettingsLine, Placeholder) { EXPECT_EQ(fieldCount(LineVariant::History), 69); }
