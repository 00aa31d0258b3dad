#include "colour.h"

#include <gtest/gtest.h>

using namespace orbelle;

TEST(Colour, Placeholder) { EXPECT_EQ(rgbToHsv(255, 0, 0), (Hsv{0, 255, 255})); }
