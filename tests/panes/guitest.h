#pragma once
// Base fixture for widget tests. The program's QApplication comes from
// support/guiapplication.h and lives from before the first test to after the
// last.

#include "support/guiapplication.h"

#include <gtest/gtest.h>

namespace orbelle::test {

class GuiTest : public ::testing::Test {};

} // namespace orbelle::test
