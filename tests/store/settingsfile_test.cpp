// Reading settings files from disk: only regular files, at most 1 MiB, and a
// failure that names the file and the reason.

#include "store/settingsfile.h"

#include "store/storetest.h"

#include <cerrno>

using namespace orbelle;
using namespace orbelle::test;
namespace fs = std::filesystem;

namespace {

class SettingsFileOnDisk : public StoreTest {
  protected:
    std::string write(const std::string& name, const std::string& content) const {
        writeFile(m_folder / name, content);
        return (m_folder / name).string();
    }

    const fs::path& m_dir = m_folder.path();
};

} // namespace

TEST_F(SettingsFileOnDisk, ARegularFileAndALinkToOne) {
    const DrawSettings s = DrawSettings::startup();
    const std::string path = write("a.orbdr", formatSettingsFile(s));
    const auto read = readSettingsFile(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value, s);

    const fs::path link = m_dir / "link.orbdr";
    fs::create_symlink(path, link);
    EXPECT_EQ(readSettingsFile(link.string()).value, s);
}

TEST_F(SettingsFileOnDisk, DevicesFoldersAndMissingFilesAreRefused) {
    const fs::path zero = m_dir / "zero.orbdr";
    fs::create_symlink("/dev/zero", zero);
    auto read = readSettingsFile(zero.string());
    EXPECT_EQ(read.status.error(), StoreError::NotRegularFile);
    EXPECT_EQ(read.status.path(), zero);

    read = readSettingsFile(m_dir.string());
    EXPECT_EQ(read.status.error(), StoreError::NotRegularFile);
    EXPECT_EQ(read.status.path(), m_dir);

    const std::string missing = (m_dir / "missing.orbdr").string();
    read = readSettingsFile(missing);
    EXPECT_EQ(read.status.error(), StoreError::CannotRead);
    EXPECT_EQ(read.status.errorNumber(), ENOENT);
    EXPECT_EQ(read.status.path(), missing);
}

TEST_F(SettingsFileOnDisk, AtMostOneMebibyte) {
    const std::string line = formatSettingsFile(DrawSettings::startup());
    // The line followed by comment lines up to exactly 1 MiB is read.
    std::string body = line;
    body += std::string(1048576 - body.size() - 3, '/') + "\r\n";
    body += "x";
    ASSERT_EQ(body.size(), 1048576u);
    EXPECT_TRUE(readSettingsFile(write("full.orbdr", body)).ok());
    // One byte more and the file is not a settings file.
    const std::string longer = write("longer.orbdr", body + "y");
    const auto read = readSettingsFile(longer);
    EXPECT_EQ(read.status.error(), StoreError::TooLarge);
    EXPECT_EQ(read.status.limit(), 1048576u);
    EXPECT_EQ(read.status.path(), longer);
}

TEST_F(SettingsFileOnDisk, DamagedContentNamesTheFile) {
    const std::string path = write("bad.orbdr", "1,2,3\r\n");
    const auto read = readSettingsFile(path);
    EXPECT_EQ(read.status.error(), StoreError::NotSettingsFile);
    EXPECT_EQ(read.status.path(), path);
}
