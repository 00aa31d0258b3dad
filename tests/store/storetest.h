#pragma once
// Helpers for the store tests: a temporary folder per test and small records
// that tell entries apart.

#include "engine/drawsettings.h"
#include "support/scratchfiles.h"

#include <gtest/gtest.h>

#include <string>

namespace orbelle::test {

/// Fixture giving every test its own empty folder.
class StoreTest : public ::testing::Test {
  protected:
    TempFolder m_folder;
};

/// The record of the hand-written literal lines: category 1, item 3, first
/// parameter -75, pen 2, black on white, everything else 0. Its 68 fields sum
/// to 1 + 3 - 75 + 2 + 1 + 16777215 = 16777147.
inline DrawSettings literalRecord() {
    std::array<std::int32_t, kSettingsFieldCount> f{};
    f[0] = 1;
    f[1] = 3;
    f[2] = -75;
    f[22] = 2;
    f[25] = 1;
    f[26] = 16777215;
    return DrawSettings::fromFields(f);
}

/// The history line of literalRecord(), written out by hand.
inline const std::string kLiteralHistoryLine = "1,3,-75,"
                                               "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                                               "2,0,0,1,16777215,"
                                               "0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                                               "0,0,0,0,0,0,0,"
                                               "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                                               "16777147";

/// A record told apart by its first parameter.
inline DrawSettings numbered(int n) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = n;
    return s;
}

} // namespace orbelle::test
