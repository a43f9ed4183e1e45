// The engine's cycle against the row-by-row model on generated cases; the
// only check of the rows left behind after a stop at "除数为0错" or a fault
// in cases no table holds. A longer soak: QUORVEL_MODEL_CASES=1000000
// QUORVEL_MODEL_SEED=7 model_tests
#include <gtest/gtest.h>

#include <cstdlib>

#include "cycle.h"
#include "differential.h"
#include "utf.h"

namespace quorvel::literal {
namespace {

TEST(Differential, GeneratedCasesAgreeAndReachEveryOutcome)
{
    auto env = [](const char* name, std::uint64_t fallback) {
        const char* text = std::getenv(name);
        return text ? std::strtoull(text, nullptr, 0) : fallback;
    };
    const std::uint64_t seed = env("QUORVEL_MODEL_SEED", 1), cases = env("QUORVEL_MODEL_CASES", 20000);
    Bytes bytes{.random = std::mt19937_64(seed), .seeded = true};
    Pair pair;
    std::uint64_t outcomes[5] = {};
    for (std::uint64_t n = 0; n < cases; ++n) {
        Outcome last = Outcome::NotRun;
        const std::string difference = Compare(pair, GenerateCase(bytes), &last);
        ASSERT_TRUE(difference.empty()) << "case " << n << " of seed " << seed << "\n" << difference;
        ++outcomes[static_cast<int>(last)];
    }
    for (int o = 1; o < 5; ++o) EXPECT_GT(outcomes[o], cases / 100) << "outcome " << o;
}

// A reading holds one operator between two parentheses, so the pass order no
// longer matters in it: wherever the expression gives a result, its reading
// gives the same.
TEST(Differential, ReadingGivesTheSameResult)
{
    Bytes bytes{.random = std::mt19937_64(3), .seeded = true};
    int results = 0;
    for (int n = 0; n < 20000; ++n) {
        WindowModel typed, read;
        typed.text1 = GenerateCase(bytes).text;
        if (quorvel::Text1_Change(typed) != Outcome::Result) continue;
        const std::optional<std::u16string> reading = ReadText1(typed);
        ASSERT_TRUE(reading);
        read.text1 = *reading;
        quorvel::Text1_Change(read);
        ASSERT_EQ(read.label1, typed.label1) << Utf16ToUtf8(typed.text1) << " read as " << Utf16ToUtf8(*reading);
        ++results;
    }
    EXPECT_GT(results, 1000);
}

}  // namespace
}  // namespace quorvel::literal
