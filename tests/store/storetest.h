#pragma once
// Helpers for the store tests: a temporary folder per test, whole-file reads
// and writes, and small records that tell entries apart.

#include "engine/drawsettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace orbelle::test {

/// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orbelle-store-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

/// Fixture giving every test its own empty folder.
class StoreTest : public ::testing::Test {
  protected:
    TempFolder m_folder;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

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
