#include <gtest/gtest.h>

#include "implementations.h"
#include "test_rows.h"

namespace quorvel {
namespace {

using test::Spaced;
using test::Tokens;

struct EvalCase {
    std::string tokens;
    std::string result;
    std::string after;  // List1 afterwards, row 0 first
};

class EvaluateTable : public ::testing::TestWithParam<EvalCase> {};

TEST_P(EvaluateTable, ResultAndRows)
{
    for (const auto& impl : test::Implementations()) {
        RowList list = Tokens(GetParam().tokens);
        Rnd rnd;
        std::string result = "untouched";
        ASSERT_FALSE(impl.evaluate(list, rnd, result)) << impl.name;
        EXPECT_EQ(result, GetParam().result) << impl.name;
        EXPECT_EQ(Spaced(list), GetParam().after) << impl.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Reductions, EvaluateTable, ::testing::Values(
    // "+" is reduced before "-", and "/" before "^" and "*".
    EvalCase{"8 - 2 + 1", "5", "5 5"},
    EvalCase{"1 - 2 + 3", "-4", "5 -4"},
    EvalCase{"1 + 2 - 3 + 4", "-4", "7 -4"},
    EvalCase{"2 ^ 3 / 4", "1.68179283050743", "5 1.68179283050743"},
    EvalCase{"2 / 3 ^ 2", "0.444444444444445", "5 0.444444444444445"},
    EvalCase{"2 ^ 3 ^ 2", "64", "5 64"},
    EvalCase{"2 ^ 0.5", "1.4142135623731", "3 1.4142135623731"},
    EvalCase{"6 / 2 * 3", "9", "5 9"},
    EvalCase{"2 * 3 \\ 4", "1", "5 1"},
    EvalCase{"8 \\ 2 * 2", "2", "5 2"},
    EvalCase{"7 \\ 2", "3", "3 3"},
    EvalCase{"-7 \\ 2", "-3", "3 -3"},
    EvalCase{"7.5 \\ 2", "4", "3 4"},
    EvalCase{"6.5 \\ 2", "3", "3 3"},
    EvalCase{"7 \\ 2.5", "3", "3 3"},
    EvalCase{"1 / 3", "0.333333333333333", "3 0.333333333333333"},
    EvalCase{"10 / 3 * 3", "9.99999999999999", "5 9.99999999999999"},
    EvalCase{"5 - -3", "8", "3 8"},
    EvalCase{"0.1 + 0.2", "0.3", "3 0.3"},
    EvalCase{"007", "7", "1 7"},
    EvalCase{"5.", "5", "1 5"},
    EvalCase{"1e+20 * 10", "1e+21", "3 1e+21"},
    // Groups, innermost and leftmost first, with the function in front.
    EvalCase{"int ( 10 / 3 * 3 )", "9", "8 9"},
    EvalCase{"int ( -2.5 )", "-3", "4 -3"},
    EvalCase{"fix ( -2.5 )", "-2", "4 -2"},
    EvalCase{"abs ( 2 - 5 ) * 2", "6", "8 6"},
    EvalCase{"sqr ( 9 + 16 )", "5", "6 5"},
    EvalCase{"sqr ( 16 ) + 1", "5", "6 5"},
    EvalCase{"TAn ( 0 )", "0", "4 0"},
    EvalCase{"exp ( 1 )", "2.71828182845905", "4 2.71828182845905"},
    EvalCase{"( 5 )", "5", "3 5"},
    EvalCase{"( ( 1 + 2 ) )", "3", "7 3"},
    EvalCase{"2 * ( 3 + ( 4 - 1 ) )", "12", "11 12"},
    EvalCase{"( 1 ) + ( 2 ) * ( 3 )", "7", "11 7"},
    EvalCase{"LOG ( 1 ) - ATN ( 0 ) + COS ( 0 )", "-1", "14 -1"},
    // The function is applied to the group's value before it is rounded to text.
    EvalCase{"int ( 0.1 * 3 * 10 )", "3", "8 3"},
    EvalCase{"int ( 1 - 0.0000000000000001 )", "0", "6 0"},
    EvalCase{"( 1 - 0.0000000000000001 )", "1", "5 1"},
    // Division by zero stops at once, leaving the rows of that moment.
    EvalCase{"1 / 0", "除数为0错", "3 1 / 0"},
    EvalCase{"1 / -0", "除数为0错", "3 1 / -0"},
    EvalCase{"1 / ( 2 - 2 )", "除数为0错", "7 1 / 0"},
    EvalCase{"1 / ( 3 - 3 ) + 5", "除数为0错", "9 1 / 0 + 5"},
    EvalCase{"2 * 3 \\ ( 1 - 1 )", "除数为0错", "9 6 \\ 0 ~ ~ ~ ~"},
    EvalCase{"8 \\ 0.0", "除数为0错", "3 8 \\ 0.0"},
    // Rows left behind inside a group and past a shortened list.
    EvalCase{"( 2 + 3 * 4 ) / 0", "除数为0错", "9 14 / 0"},
    EvalCase{"1 * 2 + 3 \\ ( 1 - 1 )", "除数为0错", "11 2 + 3 \\ 0 ~ ~ ~ ~"},
    EvalCase{"2 * 2 * 3 - 1 \\ ( 1 - 1 )", "除数为0错", "13 12 - 1 \\ 0 ~ ~ ~ ~ ~ ~"},
    EvalCase{"( 1 + 2 + 3 / ( 4 - 4 ) )", "除数为0错", "13 ( 1 + 2 + 3 / 0 )"},
    EvalCase{"( 6 / 3 / 0 + 1 )", "除数为0错", "9 ( 2 / 0 + 1 + 1 )"},
    EvalCase{"2 * 3 * 4 - ( 1 - 1 ) \\ 0", "除数为0错", "13 24 - 0 \\ 0 \\ 0 \\ 0"}));

TEST(Evaluate, StaleRowsAfterATrailingGroup)
{
    // "*" copies the rows past the shortened list, appending empty rows, and
    // the stale count makes the "\" pass run on them.
    for (const auto& impl : test::Implementations()) {
        RowList list = Tokens("2 * ( 1 + 1 ) \\ ( 2 - 2 )");
        Rnd rnd;
        std::string result;
        ASSERT_FALSE(impl.evaluate(list, rnd, result));
        EXPECT_EQ(result, "除数为0错") << impl.name;
        EXPECT_EQ(Spaced(list), "13 4 \\ 0 ~ ~ ~ ~") << impl.name;
    }
}

struct FaultCase {
    std::string tokens;
    FaultKind kind;
    std::string rows;  // List1 when the fault was met
};

class EvaluateFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(EvaluateFaults, StopWithRowsOfThatMoment)
{
    for (const auto& impl : test::Implementations()) {
        RowList list = Tokens(GetParam().tokens);
        Rnd rnd;
        std::string result = "untouched";
        const auto fault = impl.evaluate(list, rnd, result);
        ASSERT_TRUE(fault) << impl.name;
        EXPECT_EQ(fault->kind, GetParam().kind) << impl.name;
        EXPECT_EQ(result, "untouched");
        EXPECT_EQ(Spaced(list), GetParam().rows) << impl.name;
    }
}

TEST(Evaluate, CountThatDoesNotMatchTheRowsIsRefusedUntouched)
{
    for (const auto& impl : test::Implementations()) {
        for (const char* rows : {"", "2 1", "0 1", "1.5 1", "x"}) {
            RowList list = test::Rows(rows);
            Rnd rnd;
            std::string result = "untouched";
            const auto fault = impl.evaluate(list, rnd, result);
            ASSERT_TRUE(fault) << impl.name << ' ' << rows;
            EXPECT_EQ(fault->kind, FaultKind::CountOutOfRange);
            EXPECT_EQ(Spaced(list), Spaced(test::Rows(rows)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Conditions, EvaluateFaults, ::testing::Values(
    FaultCase{"1e308 * 10", FaultKind::Overflow, "3 1e308 * 10"},
    FaultCase{"1 + 1e308 * 10 + 1", FaultKind::Overflow, "7 1 + 1e308 * 10 + 1"},
    FaultCase{"-1e308 - 1e308", FaultKind::Overflow, "3 -1e308 - 1e308"},
    FaultCase{"1e300 / 1e-300", FaultKind::Overflow, "3 1e300 / 1e-300"},
    FaultCase{"10 ^ 400", FaultKind::Overflow, "3 10 ^ 400"},
    FaultCase{"exp ( 710 )", FaultKind::Overflow, "4 exp ( 710 )"},
    FaultCase{"sqr ( -1 )", FaultKind::SqrNegative, "4 sqr ( -1 )"},
    FaultCase{"log ( 0 )", FaultKind::LogNotPositive, "4 log ( 0 )"},
    FaultCase{"LOG ( 2 - 3 )", FaultKind::LogNotPositive, "6 LOG ( -1 - 3 )"},
    FaultCase{"0 ^ -1", FaultKind::PowerNotReal, "3 0 ^ -1"},
    FaultCase{"-8 ^ 0.5", FaultKind::PowerNotReal, "3 -8 ^ 0.5"},
    FaultCase{"1e10 \\ 2", FaultKind::IntDivOperandRange, "3 1e10 \\ 2"},
    FaultCase{"7 \\ 0.4", FaultKind::IntDivDivisorRounds, "3 7 \\ 0.4"},
    FaultCase{"7 \\ -0.5", FaultKind::IntDivDivisorRounds, "3 7 \\ -0.5"},
    FaultCase{"-2147483648 \\ -1", FaultKind::IntDivQuotientRange, "3 -2147483648 \\ -1"},
    FaultCase{"-.", FaultKind::OperandNotNumber, "1 -."},
    FaultCase{"1 + -.", FaultKind::OperandNotNumber, "3 1 + -."},
    FaultCase{"( -. )", FaultKind::OperandNotNumber, "3 ( -. )"},
    FaultCase{"1 + sqr ( 0 - 4 )", FaultKind::SqrNegative, "8 1 + sqr ( -4 - 4 )"},
    // The passes before the fault have already rewritten their rows.
    FaultCase{"2 * 3 + ( 1e308 * 10 )", FaultKind::Overflow, "9 2 * 3 + ( 1e308 * 10 )"},
    FaultCase{"( 1 + 2 * 3 ) * 1e308 * 10", FaultKind::Overflow, "11 7 * 1e308 * 10"},
    FaultCase{"2 * 3 + 1e308 * ( 5 + 5 )", FaultKind::Overflow, "11 6 + 1e308 * 10 ~ ~ ~ ~"}));

TEST(Evaluate, RndCallsTheGenerator)
{
    auto run = [](const std::string& tokens, Rnd& rnd) {
        RowList list = Tokens(tokens);
        std::string result;
        EXPECT_FALSE(Evaluate(list, rnd, result));
        return result;
    };
    Rnd rnd;
    const std::string seeded = run("rnd ( -3 )", rnd);
    EXPECT_EQ(run("rnd ( 0 )", rnd), seeded) << "0 repeats the last value";
    const std::string next = run("rnd ( 1 )", rnd);
    EXPECT_NE(next, seeded);
    EXPECT_EQ(run("rnd ( -3 )", rnd), seeded) << "the same seed gives the same value";
    EXPECT_EQ(run("rnd ( 1 )", rnd), next);
    for (int k = 0; k < 200; ++k) {
        const std::string v = run("RND ( 1 )", rnd);
        const double d = std::stod(v);
        EXPECT_GE(d, 0.0);
        EXPECT_LT(d, 1.0);
        // Single precision: at most 7 significant digits.
        size_t digits = 0;
        bool leading = true;
        for (char c : v) {
            if (c < '0' || c > '9' || (leading && c == '0')) continue;
            leading = false;
            ++digits;
        }
        EXPECT_LE(digits, 7u) << v;
    }
}

}  // namespace
}  // namespace quorvel
