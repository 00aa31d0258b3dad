#include "widgets/panefont.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace orbelle;

TEST(PaneFont, KeepsThePointSize) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    EXPECT_EQ(gothicFont(10).pointSize(), 10);
    EXPECT_EQ(gothicFont(9).pointSize(), 9);
}
