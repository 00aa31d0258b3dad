// The cores animate works on: cpu.max texts as the kernel writes them,
// /proc/self/cgroup texts, limits up a cgroup tree, and the affinity.

#include "cli/corecount.h"

#include <gtest/gtest.h>
#include <sched.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

using namespace orbelle;
namespace fs = std::filesystem;

TEST(CoreCount, CpuMaxTexts) {
    struct Case {
        const char* text;
        std::optional<int> cores;
    };
    const Case cases[] = {
        {"max 100000\n", std::nullopt},    // no limit
        {"200000 100000\n", 2},            // two whole cores
        {"150000 100000\n", 2},            // one and a half: a started core counts
        {"50000 100000\n", 1},             // half a core
        {"1000 100000\n", 1},              // a hundredth
        {"400000 100000", 4},              // without the line end
        {"100000 50000\n", 2},             // another period
        {"", std::nullopt},                // no file
        {"max\n", std::nullopt},           // no period
        {"0 100000\n", std::nullopt},      // no quota is no limit to read
        {"-1 100000\n", std::nullopt},     // the cgroup v1 way of saying none
        {"200000 0\n", std::nullopt},      // no period
        {"2e5 100000\n", std::nullopt},    // not a number
        {"200000  100000\n", std::nullopt} // not the kernel's format
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cli::coresAllowedByCpuMax(c.text), c.cores) << '"' << c.text << '"';
    }
}

TEST(CoreCount, CgroupV2PathOfProcSelfCgroup) {
    EXPECT_EQ(cli::cgroupV2Path("0::/user.slice/user-1000.slice/session-2.scope\n"),
              "/user.slice/user-1000.slice/session-2.scope");
    EXPECT_EQ(cli::cgroupV2Path("0::/\n"), "/"); // inside a container's namespace
    // A hybrid system lists the v1 controllers first.
    EXPECT_EQ(cli::cgroupV2Path("4:memory:/docker/abc\n1:cpu:/\n0::/docker/abc\n"), "/docker/abc");
    EXPECT_EQ(cli::cgroupV2Path("4:memory:/docker/abc\n1:cpu,cpuacct:/docker/abc\n"),
              std::nullopt); // v1 only
    EXPECT_EQ(cli::cgroupV2Path(""), std::nullopt);
}

class CgroupTree : public ::testing::Test {
  protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 (std::string("orbelle-cgroup-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root / "machine/box/inner");
    }
    void TearDown() override { fs::remove_all(m_root); }

    void cpuMax(const std::string& folder, const std::string& text) {
        std::ofstream(m_root / folder / "cpu.max") << text;
    }
    std::optional<int> limitOf(const std::string& path) {
        return cli::cgroupCoreLimit(m_root.string(), path);
    }

    fs::path m_root;
};

TEST_F(CgroupTree, TheLeastLimitUpTheTreeApplies) {
    EXPECT_EQ(limitOf("/machine/box/inner"), std::nullopt); // no cpu.max anywhere
    cpuMax("machine/box/inner", "max 100000\n");
    cpuMax("machine", "300000 100000\n");
    EXPECT_EQ(limitOf("/machine/box/inner"), 3); // the grandparent's
    cpuMax("machine/box", "150000 100000\n");
    EXPECT_EQ(limitOf("/machine/box/inner"), 2); // the parent's is less
    EXPECT_EQ(limitOf("/machine/box/inner/"), 2);
    EXPECT_EQ(limitOf("/machine"), 3); // a child's limit does not reach up
    cpuMax("", "100000 100000\n");
    EXPECT_EQ(limitOf("/"), 1); // a container's own root
    EXPECT_EQ(limitOf("/machine/box/inner"), 1);
}

TEST(CoreCount, TheAffinityLoweredToTheLimit) {
    EXPECT_EQ(cli::usableCores(8, std::nullopt), 8);
    EXPECT_EQ(cli::usableCores(8, 2), 2);
    EXPECT_EQ(cli::usableCores(2, 4), 2); // a limit above the affinity adds no core
    EXPECT_EQ(cli::usableCores(0, std::nullopt), 1);
    EXPECT_EQ(cli::usableCores(4, 0), 1);
}

TEST(CoreCount, ThisProcessHasAtLeastOneCoreAndNoMoreThanItsAffinity) {
    const int cores = cli::usableCoresOfThisProcess();
    EXPECT_GE(cores, 1);
    cpu_set_t set;
    CPU_ZERO(&set);
    ASSERT_EQ(sched_getaffinity(0, sizeof set, &set), 0);
    EXPECT_LE(cores, CPU_COUNT(&set));
}
