// The engine's cycle against the row-by-row model on generated cases; the
// only check of the rows left behind after a stop at "除数为0错" or a fault
// in cases no table holds.
#include <gtest/gtest.h>

#include <cstdlib>

#include "differential.h"

namespace quorvel::literal {
namespace {

// A longer soak: QUORVEL_MODEL_CASES=1000000 QUORVEL_MODEL_SEED=7 model_tests
std::uint64_t EnvOr(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 0) : fallback;
}

TEST(Differential, GeneratedCasesAgreeAndReachEveryOutcome)
{
    const std::uint64_t seed = EnvOr("QUORVEL_MODEL_SEED", 1);
    const std::uint64_t cases = EnvOr("QUORVEL_MODEL_CASES", 20000);
    Bytes bytes(seed);
    Pair pair;
    int outcomes[5] = {};
    for (std::uint64_t n = 0; n < cases; ++n) {
        Outcome last = Outcome::NotRun;
        const std::string difference = Compare(pair, GenerateCase(bytes), &last);
        ASSERT_TRUE(difference.empty()) << "case " << n << " of seed " << seed << "\n" << difference;
        ++outcomes[static_cast<int>(last)];
    }
    for (Outcome o : {Outcome::Result, Outcome::SyntaxMessage, Outcome::DivisorZero, Outcome::Failure})
        EXPECT_GT(outcomes[static_cast<int>(o)], static_cast<int>(cases / 100)) << static_cast<int>(o);
}

}  // namespace
}  // namespace quorvel::literal
