#include "cliargs.h"

#include <gtest/gtest.h>

using namespace orbelle;

TEST(CliArgs, Placeholder) { EXPECT_TRUE(std::holds_alternative<cli::UsageError>(cli::parseCommandLine({}))); }
