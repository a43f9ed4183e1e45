// The rows the row-by-row model passes through on its way; the worked
// tables themselves run through both implementations in tests/engine.
#include <gtest/gtest.h>

#include <vector>

#include "literal_model.h"
#include "number_text.h"
#include "test_rows.h"

namespace quorvel::literal {
namespace {

using test::Tokens;

using Rows = std::vector<std::string>;

// The rows after every reduction, group replacement and top-level move.
TEST(LiteralEvaluate, NestedGroupsPassThroughTheirRowsOneStepAtATime)
{
    RowList list = Tokens("2 * ( 3 + ( 4 - 1 ) )");
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
    RowList list = Tokens("( 1 - 2 + 3 ) * 2");
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

    RowList list = Tokens("rnd ( 1 ) * 2");
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

}  // namespace
}  // namespace quorvel::literal
