// "orbelle-cli find" run as a user runs it: the rows it prints are worth
// showing and go straight into --params; a seed repeats a search; locks and
// the 3D values of a record count; no qualifying try exits with 1.

#include "cli/find.h"

#include "cli/clitest.h"
#include "engine/figuresearch.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace orbelle;

namespace {

using CliFind = test::CliTest;
using test::CliOutcome;

std::vector<std::int32_t> valuesIn(const std::string& line) {
    std::vector<std::int32_t> values;
    std::stringstream stream(line);
    std::string value;
    while (std::getline(stream, value, ','))
        values.push_back(std::stoi(value));
    return values;
}

} // namespace

TEST_F(CliFind, PrintsRowsWorthShowingThatParamsTakes) {
    // From the dust of "定数H" -998.
    const std::string start = "200,16,58,400,177,285,468,87,113,31,-11,39,-11,-998";
    const CliOutcome found = run("find 0 0 --seed 5 --params " + start);
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.err, "");
    ASSERT_EQ(std::count(found.out.begin(), found.out.end(), '\n'), 1);
    const std::string line = found.out.substr(0, found.out.size() - 1);
    const std::vector<std::int32_t> values = valuesIn(line);
    ASSERT_EQ(values.size(), 20u);
    ParamRows rows{};
    std::copy(values.begin(), values.end(), rows.begin());
    EXPECT_TRUE(judgeRows({0, 0}, rows, FigurePlacement{})->worthShowing());

    // The same seed finds the same rows, and the desktop program's search
    // with that seed lands on them too.
    EXPECT_EQ(run("find 0 0 --seed=5 --params " + start).out, found.out);
    auto parsed = cli::parseCommandLine({"find", "0", "0", "--seed", "5", "--params", start});
    const auto& cmd = std::get<cli::FindCommand>(parsed);
    const FigureSearch search = cli::searchOf(cmd, 5);
    EXPECT_EQ(cli::paramsText(search, searchFigure(search)), line);

    const CliOutcome drawn = run("render 0 0 -o " + path("found.png") + " --params " + line);
    EXPECT_EQ(drawn.status, 0) << drawn.err;
}

TEST_F(CliFind, ARecordBringsItsLocksAndPlacement) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = 20; // quick tries
    s.paramLocked[0] = 1;
    s.paramLocked[5] = 1;
    const CliOutcome found = run("find " + recordFile("locked.orbdr", s) + " --seed 11");
    ASSERT_EQ(found.status, 0) << found.err;
    const std::vector<std::int32_t> values = valuesIn(found.out);
    ASSERT_EQ(values.size(), 20u);
    EXPECT_EQ(values[0], 20);
    EXPECT_EQ(values[5], s.params[5]);

    // Laid flat on one line by the 3D values, no try qualifies.
    s.rotX = 90;
    s.scaleZ = 0;
    const CliOutcome none = run("find " + recordFile("flat.orbdr", s) + " --seed 11 --tries 3");
    EXPECT_EQ(none.status, cli::kNothingFound);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err,
              "orbelle-cli: no figure worth showing in 3 tries from seed 11 (the last try: covers "
              "too little)\n");
}

TEST_F(CliFind, NoQualifyingTryExitsWithOne) {
    const CliOutcome none = run("find 0 0 --params 1 --lock 0 --tries 5 --seed 3");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_TRUE(test::isOneErrorLine(none.err)) << none.err;
    // 501 dots: scattered.
    EXPECT_EQ(none.err,
              "orbelle-cli: no figure worth showing in 5 tries from seed 3 (the last try: dust)\n");
    // Without a seed, the message names the one drawn.
    const CliOutcome unseeded = run("find 0 0 --params 1 --lock 0 --tries 2");
    EXPECT_EQ(unseeded.status, 1);
    EXPECT_NE(unseeded.err.find(" tries from seed "), std::string::npos) << unseeded.err;

    const CliOutcome refused = run("find 0 0 --tries 0");
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(test::isOneErrorLine(refused.err)) << refused.err;
}
