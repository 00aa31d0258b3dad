// The command line of the built orbelle-cli as a user types it: options with
// "=" and in any order, "--", help per command, unknown options, the formula
// list, the image on standard output, and full standard output.

#include "clitest.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>

using namespace orbelle;

namespace {

using CliSyntax = test::CliTest;

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST_F(CliSyntax, OptionsAnywhereAndWithEquals) {
    const std::string out = path("a.png");
    const struct {
        std::string args;
        const char* line; // a line the output holds
    } cases[] = {
        {"render 0 0 --size=50 -o " + out, "dots 100001\n"},
        {"render --size 50 -o " + out + " -- 0 0", "dots 100001\n"},
        {"render -o=" + out + " 0 2 --size=50", "dots 150000\n"},
        {"render 0 0 -o " + out + " --params 1 --size 50", "dots 501\n"},
        {"points --limit=1 0 0", "0 42.692286605748571 268.61380124880708\n"},
        {"points 0 0 --params=1,16 --limit 1", "0 "},
    };
    for (const auto& c : cases) {
        const test::CliOutcome o = run(c.args);
        EXPECT_EQ(o.status, 0) << c.args << ": " << o.err;
        EXPECT_NE(o.out.find(c.line), std::string::npos) << c.args << ": " << o.out;
        EXPECT_EQ(o.err, "") << c.args;
    }
}

TEST_F(CliSyntax, HelpPerCommandAndUnknownOptions) {
    const struct {
        const char* args;
        int status;
        const char* outStart;
        const char* err;
    } cases[] = {
        {"render --help", 0, "usage: orbelle-cli render (FILE.orbdr", ""},
        {"render 0 0 -h", 0, "usage: orbelle-cli render (FILE.orbdr", ""},
        {"points --help", 0, "usage: orbelle-cli points CATEGORY ITEM", ""},
        {"animate --help", 0, "usage: orbelle-cli animate FROM.orbdr TO.orbdr", ""},
        {"list --help", 0, "usage: orbelle-cli list [--json]", ""},
        {"--help", 0, "usage: orbelle-cli points", ""},
        {"render 0 0 --bogus -o x.png", 2, "",
         "orbelle-cli: unknown option '--bogus' for render\n"},
        {"points 0 0 -z", 2, "", "orbelle-cli: unknown option '-z' for points\n"},
        {"list --json=yes", 2, "", "orbelle-cli: unexpected value after '--json'\n"},
        {"--frames 3", 2, "", "orbelle-cli: unknown option '--frames' (a command comes first)\n"},
        {"render 0 0 --size", 2, "", "orbelle-cli: missing value after '--size'\n"},
    };
    for (const auto& c : cases) {
        const test::CliOutcome o = run(c.args);
        EXPECT_EQ(o.status, c.status) << c.args;
        EXPECT_EQ(o.out.rfind(c.outStart, 0), 0u) << c.args << ": " << o.out;
        EXPECT_EQ(o.err, c.err) << c.args;
    }
    // The general usage names every command and the per-command help.
    const std::string usage = run("--help").out;
    for (const char* word : {"points", "render", "animate", "list", "COMMAND --help", "-o OUT|-"}) {
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    }
}

TEST_F(CliSyntax, ListAgreesWithWhatRenderDraws) {
    const test::CliOutcome text = run("list");
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(lineCount(text.out), 166u);
    EXPECT_EQ(text.out.rfind("0\t0\tダイヤモンド\t100001\n0\t1\tサファイア\t100001\n", 0), 0u);
    const test::CliOutcome json = run("list --json");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(lineCount(json.out), 168u); // the brackets and one line per formula
    EXPECT_EQ(json.out.rfind("[\n  {\"category\": 0, \"item\": 0, \"name\": \"ダイヤモンド\", "
                             "\"dots\": 100001},\n",
                             0),
              0u);
    // The dot count of a line is what render reports for that formula.
    for (const char* line :
         {"0\t2\tルビー\t150000\n", "1\t0\t太陽\t100000\n", "9\t14\t和\t150000\n"}) {
        EXPECT_NE(text.out.find(line), std::string::npos) << line;
    }
    const struct {
        const char* formula;
        const char* dots;
    } renders[] = {{"0 2", "dots 150000\n"}, {"1 0", "dots 100000\n"}, {"9 14", "dots 150000\n"}};
    for (const auto& r : renders) {
        const test::CliOutcome o =
            run(std::string("render ") + r.formula + " --size 8 -o " + path("x.png"));
        EXPECT_NE(o.out.find(r.dots), std::string::npos) << r.formula << ": " << o.out;
    }
}

TEST_F(CliSyntax, TheImageGoesToStandardOutput) {
    ASSERT_EQ(run("render 0 1 --size 40 -o " + path("file.png")).status, 0);
    const struct {
        const char* options;
        const char* magic; // the first bytes of the format
        const char* format;
    } cases[] = {
        {"", "\x89PNG\r\n", "png"},
        {"--format png", "\x89PNG\r\n", "png"},
        {"--format=jpg", "\xff\xd8\xff", "jpeg"},
        {"--format bmp", "BM", "bmp"},
    };
    for (const auto& c : cases) {
        const test::CliOutcome o = run(std::string("render 0 1 --size 40 -o - ") + c.options);
        EXPECT_EQ(o.status, 0) << c.options << ": " << o.err;
        EXPECT_EQ(o.err, "") << c.options;
        EXPECT_EQ(o.out.rfind(c.magic, 0), 0u) << c.options; // nothing but the image
        const QImage image = QImage::fromData(QByteArray::fromStdString(o.out), c.format);
        EXPECT_EQ(image.size(), QSize(40, 40)) << c.options;
        if (std::string(c.format) == "png") {
            EXPECT_EQ(image, this->image(path("file.png")));
            EXPECT_EQ(o.out, test::slurp(path("file.png"))); // the same texts too
        }
    }
}

TEST_F(CliSyntax, AFullStandardOutputIsReportedInOneLine) {
    const std::string file = path("a.png");
    const struct {
        std::string args;
        std::string err;
    } cases[] = {
        {"render 0 0 --size 40 -o -",
         "orbelle-cli: cannot write the image to standard output: No space left on device\n"},
        {"render 0 0 --size 40 -o " + file, "orbelle-cli: cannot write the report of " + file +
                                                " to standard output: No space left on device\n"},
        {"list", "orbelle-cli: cannot write the list of formulas: No space left on device\n"},
        {"list --json",
         "orbelle-cli: cannot write the list of formulas: No space left on device\n"},
        {"render --help", "orbelle-cli: cannot write the usage: No space left on device\n"},
        {"--version", "orbelle-cli: cannot write the version: No space left on device\n"},
    };
    for (const auto& c : cases) {
        const test::CliOutcome o = run(c.args, "", ">/dev/full");
        EXPECT_EQ(o.status, 1) << c.args;
        EXPECT_EQ(o.err, c.err) << c.args;
    }
    // The image file itself was written before the report failed.
    EXPECT_EQ(image(file).size(), QSize(40, 40));
}

TEST_F(CliSyntax, APngNamesTheProgramAndTheFormula) {
    ASSERT_EQ(run("render 0 1 --size 30 -o " + path("a.png")).status, 0);
    ASSERT_EQ(run("render 8 13 --size 30 -o " + path("b.jpg")).status, 0);
    QImageReader png(QString::fromStdString(path("a.png")));
    EXPECT_EQ(png.text(QStringLiteral("Software")),
              QStringLiteral("Orbelle " ORBELLE_EXPECTED_VERSION));
    EXPECT_EQ(png.text(QStringLiteral("Description")),
              QStringLiteral("宝石 / サファイア (category 0, item 1)"));
    EXPECT_EQ(png.text(QStringLiteral("Orbelle")).left(4), QStringLiteral("0,1,"));
    QImageReader jpeg(QString::fromStdString(path("b.jpg")));
    EXPECT_EQ(jpeg.textKeys(), QStringList({QStringLiteral("Orbelle")}));
}
