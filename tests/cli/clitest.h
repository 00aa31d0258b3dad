#pragma once
// What the tests of orbelle-cli share: a scratch folder of their own for each
// test, and one way of running the built tool as a user would, through the
// shell, with its exit status, standard output and standard error.

#include "store/settingsfile.h"

#include <QImage>
#include <QImageReader>
#include <QString>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace orbelle::test {

struct CliOutcome {
    int status; // the exit status; -1 when the tool did not exit
    std::string out;
    std::string err;
};

/// The whole content of a file; empty when it cannot be read.
inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

/// True for exactly one line, starting "orbelle-cli: ".
inline bool isOneErrorLine(const std::string& err) {
    return err.rfind("orbelle-cli: ", 0) == 0 && std::count(err.begin(), err.end(), '\n') == 1 &&
           err.back() == '\n';
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root = std::filesystem::temp_directory_path() /
                 (std::string("orbelle-cli-") + test->test_suite_name() + "." + test->name());
        m_dir = m_root / "files";
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    /// A path in the scratch folder, which is empty when each test starts.
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    /// Writes s as a settings file in the scratch folder; returns its path.
    std::string recordFile(const std::string& name, const DrawSettings& s) const {
        std::ofstream(path(name), std::ios::binary) << formatSettingsFile(s);
        return path(name);
    }

    /// Runs "orbelle-cli args" with no input. before comes ahead of the
    /// command (variables, limits, traps); output, when given, replaces the
    /// capture of standard output (">/dev/full").
    CliOutcome run(const std::string& args, const std::string& before = "",
                   const std::string& output = "") const {
        return shell(before + " exec " + ORBELLE_CLI_PATH + " " + args, output);
    }
    /// Runs a whole shell command with its output captured.
    CliOutcome shell(const std::string& command, const std::string& output = "") const {
        const std::string out = (m_root / "stdout.txt").string();
        const std::string err = (m_root / "stderr.txt").string();
        const std::string line =
            command + " " + (output.empty() ? ">" + out : output) + " 2>" + err + " </dev/null";
        const int raw = std::system(line.c_str());
        CliOutcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        return outcome;
    }

    static std::set<std::string> entries(const std::filesystem::path& folder) {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            names.insert(e.path().filename().string());
        return names;
    }
    static QImage image(const std::string& file) { return QImage(QString::fromStdString(file)); }
    /// The settings line an image file carries.
    static std::string lineOf(const std::string& file) {
        return QImageReader(QString::fromStdString(file))
            .text(QStringLiteral("Orbelle"))
            .toStdString();
    }

    std::filesystem::path m_dir; // the scratch folder

  private:
    std::filesystem::path m_root; // the scratch folder and the captured output
};

} // namespace orbelle::test
