// Evaluate of the literal model on worked token lists, including the rows it
// leaves behind and the rows it passes through on the way.
#include <gtest/gtest.h>

#include <vector>

#include "literal_model.h"
#include "number_text.h"
#include "test_rows.h"

namespace quorvel::literal {
namespace {

using namespace fixtures;

struct EvaluateRow {
    const char* tokens;
    std::string result;
    Rows after;
};

TEST(LiteralEvaluate, TokenListsReduceToTheirResultAndRows)
{
    const EvaluateRow table[] = {
        {"8 - 2 + 1", "5", {"5", "5"}},
        {"1 - 2 + 3", "-4", {"5", "-4"}},
        {"1 + 2 - 3 + 4", "-4", {"7", "-4"}},
        {"2 ^ 3 / 4", "1.68179283050743", {"5", "1.68179283050743"}},
        {"2 / 3 ^ 2", "0.444444444444445", {"5", "0.444444444444445"}},
        {"2 ^ 3 ^ 2", "64", {"5", "64"}},
        {"2 ^ 0.5", "1.4142135623731", {"3", "1.4142135623731"}},
        {"6 / 2 * 3", "9", {"5", "9"}},
        {"2 * 3 \\ 4", "1", {"5", "1"}},
        {"8 \\ 2 * 2", "2", {"5", "2"}},
        {"7 \\ 2", "3", {"3", "3"}},
        {"-7 \\ 2", "-3", {"3", "-3"}},
        {"7.5 \\ 2", "4", {"3", "4"}},
        {"6.5 \\ 2", "3", {"3", "3"}},
        {"7 \\ 2.5", "3", {"3", "3"}},
        {"1 / 3", "0.333333333333333", {"3", "0.333333333333333"}},
        {"10 / 3 * 3", "9.99999999999999", {"5", "9.99999999999999"}},
        {"int ( 10 / 3 * 3 )", "9", {"8", "9"}},
        {"int ( -2.5 )", "-3", {"4", "-3"}},
        {"fix ( -2.5 )", "-2", {"4", "-2"}},
        {"abs ( 2 - 5 ) * 2", "6", {"8", "6"}},
        {"sqr ( 9 + 16 )", "5", {"6", "5"}},
        {"TAn ( 0 )", "0", {"4", "0"}},
        {"exp ( 1 )", "2.71828182845905", {"4", "2.71828182845905"}},
        {"5 - -3", "8", {"3", "8"}},
        {"0.1 + 0.2", "0.3", {"3", "0.3"}},
        {"( 5 )", "5", {"3", "5"}},
        {"007", "7", {"1", "7"}},
        {"5.", "5", {"1", "5"}},
        {"( ( 1 + 2 ) )", "3", {"7", "3"}},
        {"sqr ( 16 ) + 1", "5", {"6", "5"}},
        {"1 + sqr ( 16 )", "5", {"6", "5"}},
        {"( 1 + 2 ) * ( 3 + 4 )", "21", {"11", "21"}},
        {"1 / 0", kDivisorZeroText, {"3", "1", "/", "0"}},
        {"1 / -0", kDivisorZeroText, {"3", "1", "/", "-0"}},
        {"1 / ( 2 - 2 )", kDivisorZeroText, {"7", "1", "/", "0"}},
        {"1 / ( 3 - 3 ) + 5", kDivisorZeroText, {"9", "1", "/", "0", "+", "5"}},
        {"2 * 3 \\ ( 1 - 1 )", kDivisorZeroText, {"9", "6", "\\", "0", "", "", "", ""}},
        {"4 \\ 0.0", kDivisorZeroText, {"3", "4", "\\", "0.0"}},
    };
    for (const EvaluateRow& row : table) {
        RowList list = TokenListOf(row.tokens);
        Rnd rnd;
        std::string result = "stale";
        EXPECT_EQ(Evaluate(list, rnd, result), std::nullopt) << row.tokens;
        EXPECT_EQ(result, row.result) << row.tokens;
        EXPECT_EQ(list.Rows(), row.after) << row.tokens;
    }
}

TEST(LiteralEvaluate, AFaultLeavesTheRowsAsTheyStoodAndTheResultAlone)
{
    const std::pair<const char*, std::pair<Fault, Rows>> table[] = {
        {"7 \\ 0.4", {{FaultKind::IntDivDivisorRounds, {}}, {"3", "7", "\\", "0.4"}}},
        {"-.", {{FaultKind::OperandNotNumber, "-."}, {"1", "-."}}},
        {"2 + -.", {{FaultKind::OperandNotNumber, "-."}, {"3", "2", "+", "-."}}},
        {"( -. )", {{FaultKind::OperandNotNumber, "-."}, {"3", "(", "-.", ")"}}},
        {"1 + sqr ( 0 - 4 )", {{FaultKind::SqrNegative, {}}, {"8", "1", "+", "sqr", "(", "-4", "-", "4", ")"}}},
        {"log ( 0 )", {{FaultKind::LogNotPositive, {}}, {"4", "log", "(", "0", ")"}}},
        {"exp ( 710 )", {{FaultKind::Overflow, {}}, {"4", "exp", "(", "710", ")"}}},
        {"-8 ^ 0.5", {{FaultKind::PowerNotReal, {}}, {"3", "-8", "^", "0.5"}}},
        {"0 ^ -1", {{FaultKind::PowerNotReal, {}}, {"3", "0", "^", "-1"}}},
        {"2 * 1e308 * 1", {{FaultKind::Overflow, {}}, {"5", "2", "*", "1e308", "*", "1"}}},
        {"2147483648 \\ 1", {{FaultKind::IntDivOperandRange, {}}, {"3", "2147483648", "\\", "1"}}},
        {"-2147483648 \\ -1", {{FaultKind::IntDivQuotientRange, {}}, {"3", "-2147483648", "\\", "-1"}}},
        {"x", {{FaultKind::CountOutOfRange, "x"}, {"x"}}},
    };
    for (const auto& [tokens, expected] : table) {
        RowList list = std::string_view(tokens) == "x" ? ListOf({"x"}) : TokenListOf(tokens);
        Rnd rnd;
        std::string result = "stale";
        EXPECT_EQ(Evaluate(list, rnd, result), expected.first) << tokens;
        EXPECT_EQ(result, "stale") << tokens;
        EXPECT_EQ(list.Rows(), expected.second) << tokens;
    }
}

TEST(LiteralEvaluate, ACountThatDoesNotMatchTheRowsIsRefusedUntouched)
{
    for (const Rows& rows : {Rows{}, Rows{"2", "1"}, Rows{"0", "1"}, Rows{"", "1"}, Rows{"1.5", "1"}}) {
        RowList list = ListOf(rows);
        Rnd rnd;
        std::string result = "stale";
        const std::optional<Fault> fault = Evaluate(list, rnd, result);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->kind, FaultKind::CountOutOfRange);
        EXPECT_EQ(fault->subject, rows.empty() ? "" : rows[0]);
        EXPECT_EQ(list.Rows(), rows);
    }
}

// The rows after every reduction, group replacement and top-level move.
TEST(LiteralEvaluate, NestedGroupsPassThroughTheirRowsOneStepAtATime)
{
    RowList list = TokenListOf("2 * ( 3 + ( 4 - 1 ) )");
    ASSERT_EQ(list.Rows(), (Rows{"11", "2", "*", "(", "3", "+", "(", "4", "-", "1", ")", ")"}));
    std::vector<std::pair<std::string, Rows>> seen;
    Rnd rnd;
    std::string result;
    auto observe = [&](std::string_view event, const RowList& rows) { seen.emplace_back(event, rows.Rows()); };
    ASSERT_EQ(EvaluateObserved(list, rnd, result, observe), std::nullopt);
    const std::vector<std::pair<std::string, Rows>> expected = {
        {"reduce", {"11", "2", "*", "(", "3", "+", "(", "3", "-", "1", ")", ")"}},
        {"group", {"11", "2", "*", "(", "3", "+", "3", ")"}},
        {"reduce", {"11", "2", "*", "(", "6", "+", "3", ")"}},
        {"group", {"11", "2", "*", "6"}},
        {"reduce", {"11", "12", "*", "6"}},
        {"move", {"11", "12", "", "", "", ""}},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(result, "12");
    EXPECT_EQ(list.Rows(), (Rows{"11", "12"}));
}

// Within a group the rows behind the last live operand keep old copies.
TEST(LiteralEvaluate, AGroupKeepsItsReducedRowsUntilItIsReplaced)
{
    RowList list = TokenListOf("( 1 - 2 + 3 ) * 2");
    std::vector<Rows> seen;
    Rnd rnd;
    std::string result;
    auto observe = [&](std::string_view, const RowList& rows) { seen.push_back(rows.Rows()); };
    ASSERT_EQ(EvaluateObserved(list, rnd, result, observe), std::nullopt);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], (Rows{"9", "(", "1", "-", "5", "+", "3", ")", "*", "2"}));
    EXPECT_EQ(seen[1], (Rows{"9", "(", "-4", "-", "5", "+", "3", ")", "*", "2"}));
    EXPECT_EQ(seen[2], (Rows{"9", "-4", "*", "2"}));
    EXPECT_EQ(result, "-8");
}

TEST(LiteralEvaluate, RndWritesItsSevenDigitValueAndLaterStepsUseIt)
{
    Rnd reference;
    const std::string drawn = SingleToText(reference.Next(1));
    ASSERT_TRUE(TextToNumber(drawn).has_value());

    RowList list = TokenListOf("rnd ( 1 ) * 2");
    Rnd rnd;
    std::string result;
    std::vector<Rows> groups;
    auto observe = [&](std::string_view event, const RowList& rows) {
        if (event == "group") groups.push_back(rows.Rows());
    };
    ASSERT_EQ(EvaluateObserved(list, rnd, result, observe), std::nullopt);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0], (Rows{"6", drawn, "*", "2"}));
    EXPECT_EQ(result, NumberToText(*TextToNumber(drawn) * 2));
}

// A function's argument is the computed value, not its 15-digit text.
TEST(LiteralEvaluate, AFunctionTakesTheUnroundedValueOfItsGroup)
{
    const std::pair<const char*, const char*> table[] = {
        {"int ( 1 - 0.0000000000000001 )", "0"},
        {"( 1 - 0.0000000000000001 )", "1"},
        {"1 - 0.0000000000000001", "1"},
    };
    for (const auto& [tokens, expected] : table) {
        RowList list = TokenListOf(tokens);
        Rnd rnd;
        std::string result;
        ASSERT_EQ(Evaluate(list, rnd, result), std::nullopt) << tokens;
        EXPECT_EQ(result, expected) << tokens;
    }
}

}  // namespace
}  // namespace quorvel::literal
