// Runs the built orbelle-cli as a user would and checks its output and exit
// status.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
    int status;
    std::string out;
};

Outcome run(const std::string& args) {
    const std::string command = std::string(ORBELLE_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int raw = pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

} // namespace

TEST(CliRun, PointsPrintsIndexAndCoordinates) {
    const Outcome o = run("points 0 0 --limit 3");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "0 42.692286605748571 268.61380124880708\n"
                     "1 -64.335278669129224 268.53911345600335\n"
                     "2 -163.37079612920772 227.9567580019104\n");
}

TEST(CliRun, PointsRunsToN) {
    const Outcome o = run("points 0 0 --params 1");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 501);
    EXPECT_EQ(o.out.rfind("500 ", std::string::npos) != std::string::npos, true);
}

TEST(CliRun, BadInputExitsWithTwo) {
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("points 11 0").status, 2);
    EXPECT_EQ(
        run("points 0 0 --params 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21").status, 2);
    EXPECT_EQ(run("points 0 0 --params 200,x").status, 2);
    EXPECT_EQ(run("render /nonexistent.orbdr -o /tmp/x.png").status, 2);
    EXPECT_EQ(run("render 0 0 -o /tmp/x.gif").status, 2);
    EXPECT_EQ(run("render 0 0 -o /nonexistent-folder/x.png").status, 2);
}

TEST(CliRun, RenderWritesAPicture) {
    const auto path = std::filesystem::temp_directory_path() / "orbelle-cli-render.png";
    const Outcome o = run("render 0 0 -o " + path.string() + " --size 120");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("dots 100001"), std::string::npos);
    EXPECT_NE(o.out.find("bounds "), std::string::npos);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_GT(std::filesystem::file_size(path), 100u);
    std::filesystem::remove(path);
}
