// Property: every line the readers accept is written back to a line the same
// readers accept with the same values, in all three variants, and writing that
// again gives the same bytes.

#include "store/settingsline.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace orbelle;

namespace {

// Field texts that stress the reader.
// clang-format off
const std::vector<std::string> kEdgeTexts = {
    "0", "-1", "1",                                    // around zero
    "16777215", "16777216", "-16777216",               // 24-bit colours and beyond
    "2147483647", "-2147483648",                       // edges of 32 bits
    "4294967295", "99999999999", "-99999999999",       // saturation
    "", " 42", "\t-7", "+3", "12abc", "x", "-",        // emptiness, white space, signs, garbage
    "00000000123", "-0", "999", "-999", "359", "100"}; // zeros and range ends
// clang-format on

std::string randomField(std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, 3);
    switch (pick(rng)) {
    case 0: {
        std::uniform_int_distribution<std::size_t> k(0, kEdgeTexts.size() - 1);
        return kEdgeTexts[k(rng)];
    }
    case 1: {
        std::uniform_int_distribution<std::int32_t> v(INT32_MIN, INT32_MAX);
        return std::to_string(v(rng));
    }
    default: {
        std::uniform_int_distribution<int> v(-1000, 1000);
        return std::to_string(v(rng));
    }
    }
}

std::string randomName(std::mt19937& rng) {
    std::uniform_int_distribution<int> length(0, 8);
    std::uniform_int_distribution<int> byte(1, 255);
    std::string name;
    for (int n = length(rng); n > 0; --n) {
        const char c = static_cast<char>(byte(rng));
        if (c != ',' && c != '\r' && c != '\n') {
            name += c;
        }
    }
    return name;
}

std::string join(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        line += (k ? "," : "") + fields[k];
    }
    return line;
}

std::string sumText(const std::vector<std::string>& fields, std::size_t from, std::size_t to) {
    std::uint32_t sum = 0;
    for (std::size_t k = from; k < to; ++k) {
        sum += static_cast<std::uint32_t>(atoiField(fields[k]));
    }
    return std::to_string(static_cast<std::int32_t>(sum));
}

// A random line of the variant whose sums hold.
std::string randomLine(std::mt19937& rng, LineVariant variant) {
    std::vector<std::string> f;
    switch (variant) {
    case LineVariant::History:
    case LineVariant::SettingsFile: {
        const std::size_t values = variant == LineVariant::History ? 68 : 67;
        while (f.size() < values) {
            f.push_back(randomField(rng));
        }
        f.push_back(sumText(f, 0, values));
        break;
    }
    case LineVariant::Favorite: {
        f.push_back(randomField(rng));
        f.push_back(randomField(rng));
        f.push_back(randomName(rng));
        f.push_back(randomField(rng)); // kind: part of the last sum
        f.push_back(randomField(rng)); // not part of any sum
        for (int k = 0; k < 69; ++k) {
            f.push_back(randomField(rng));
        }
        const std::vector<std::string> parts{f[3], sumText(f, 5, 74)};
        f.push_back(sumText(parts, 0, 2));
        break;
    }
    }
    return join(f);
}

FavoritePrefix prefixOf(const std::vector<std::string>& fields) {
    return {atoiField(fields[0]), atoiField(fields[1]), fields[2]};
}

void checkRoundTrip(const std::string& line, LineVariant variant) {
    const auto fields = parseLine(line);
    const auto first = settingsFromLine(fields, variant);
    ASSERT_TRUE(first) << line;
    const FavoritePrefix prefix =
        variant == LineVariant::Favorite ? prefixOf(fields) : FavoritePrefix{};
    const std::string written = formatLine(variant, *first, prefix);
    const auto again = parseLine(written);
    const auto second = settingsFromLine(again, variant);
    ASSERT_TRUE(second) << line << "\n -> " << written;
    EXPECT_EQ(*second, *first) << line << "\n -> " << written;
    if (variant == LineVariant::Favorite) {
        EXPECT_EQ(again[0], std::to_string(prefix.id));
        EXPECT_EQ(again[1], std::to_string(prefix.parent));
        EXPECT_EQ(again[2], prefix.name);
        EXPECT_EQ(formatLine(variant, *second, prefixOf(again)), written);
    } else {
        EXPECT_EQ(formatLine(variant, *second), written);
    }
}

class RoundTrip : public ::testing::TestWithParam<LineVariant> {};

} // namespace

TEST_P(RoundTrip, EveryAcceptedLineReadsBackTheSame) {
    std::mt19937 rng(20240611u + static_cast<unsigned>(GetParam()));
    for (int n = 0; n < 3000; ++n) {
        checkRoundTrip(randomLine(rng, GetParam()), GetParam());
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_P(RoundTrip, EveryFieldAtEachEdgeValue) {
    // One field at a time takes each edge text; the sum is made to hold.
    const LineVariant variant = GetParam();
    const int count = fieldCount(variant);
    std::mt19937 rng(7);
    const auto base = parseLine(randomLine(rng, variant));
    const int firstNumber = variant == LineVariant::Favorite ? 3 : 0;
    for (int k = firstNumber; k < count - 1; ++k) {
        for (const std::string& text : kEdgeTexts) {
            auto f = base;
            f[k] = text;
            if (variant == LineVariant::Favorite) {
                const std::vector<std::string> parts{f[3], sumText(f, 5, 74)};
                f[74] = sumText(parts, 0, 2);
            } else {
                f[count - 1] = sumText(f, 0, count - 1);
            }
            checkRoundTrip(join(f), variant);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllVariants, RoundTrip,
                         ::testing::Values(LineVariant::History, LineVariant::SettingsFile,
                                           LineVariant::Favorite));
