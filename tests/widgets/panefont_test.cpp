#include "widgets/panefont.h"

#include "support/guiapplication.h"

#include <gtest/gtest.h>

using namespace orbelle;

TEST(PaneFont, KeepsThePointSize) {
    EXPECT_EQ(gothicFont(10).pointSize(), 10);
    EXPECT_EQ(gothicFont(9).pointSize(), 9);
}
