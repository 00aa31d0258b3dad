// Reading settings files from disk: only regular files, at most 1 MiB, and a
// message that names the file and the reason.

#include "store/settingsfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace orbelle;
namespace fs = std::filesystem;

namespace {

class SettingsFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orbelle-settingsfile-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string& name, const std::string& content) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    fs::path m_dir;
};

} // namespace

TEST_F(SettingsFileOnDisk, ARegularFileAndALinkToOne) {
    const DrawSettings s = DrawSettings::startup();
    const std::string path = write("a.orbdr", formatSettingsFile(s));
    const auto read = readSettingsFile(path);
    ASSERT_TRUE(read.settings) << read.error;
    EXPECT_EQ(*read.settings, s);
    EXPECT_TRUE(read.error.empty());

    const fs::path link = m_dir / "link.orbdr";
    fs::create_symlink(path, link);
    EXPECT_EQ(readSettingsFile(link.string()).settings, s);
}

TEST_F(SettingsFileOnDisk, DevicesFoldersAndMissingFilesAreRefused) {
    const fs::path zero = m_dir / "zero.orbdr";
    fs::create_symlink("/dev/zero", zero);
    auto read = readSettingsFile(zero.string());
    EXPECT_FALSE(read.settings);
    EXPECT_EQ(read.error, "cannot read " + zero.string() + ": not a regular file");

    read = readSettingsFile(m_dir.string());
    EXPECT_FALSE(read.settings);
    EXPECT_NE(read.error.find("not a regular file"), std::string::npos);

    const std::string missing = (m_dir / "missing.orbdr").string();
    read = readSettingsFile(missing);
    EXPECT_FALSE(read.settings);
    EXPECT_EQ(read.error, "cannot read " + missing + ": No such file or directory");
}

TEST_F(SettingsFileOnDisk, AtMostOneMebibyte) {
    const std::string line = formatSettingsFile(DrawSettings::startup());
    // The line followed by comment lines up to exactly 1 MiB is read.
    std::string body = line;
    body += std::string(1048576 - body.size() - 3, '/') + "\r\n";
    body += "x";
    ASSERT_EQ(body.size(), 1048576u);
    EXPECT_TRUE(readSettingsFile(write("full.orbdr", body)).settings);
    // One byte more and the file is not a settings file.
    const std::string longer = write("longer.orbdr", body + "y");
    const auto read = readSettingsFile(longer);
    EXPECT_FALSE(read.settings);
    EXPECT_EQ(read.error, longer + ": not a settings file (longer than 1 MiB)");
}

TEST_F(SettingsFileOnDisk, DamagedContentNamesTheFile) {
    const std::string path = write("bad.orbdr", "1,2,3\r\n");
    const auto read = readSettingsFile(path);
    EXPECT_FALSE(read.settings);
    EXPECT_EQ(read.error, path + ": not a settings file (wrong field count or failing sum)");
}
