// The literal model's calculation cycle on worked sequences of typing,
// entering values and clicking.
#include <gtest/gtest.h>

#include "expression_generator.h"
#include "literal_model.h"
#include "test_rows.h"

namespace quorvel::literal {
namespace {

using namespace fixtures;

TEST(LiteralCycle, TypingThenEnteringAValueAndClicking)
{
    WindowModel w;
    RowList tokens;
    w.text1 = u"2*(x+1)";
    literal::Text1_Change(w, &tokens);
    EXPECT_EQ(tokens.Rows(), (Rows{"7", "2", "*", "(", "x", "+", "1", ")"}));
    EXPECT_EQ(w.list2.Rows(), (Rows{"x"}));
    EXPECT_EQ(w.list3.Rows(), (Rows{"0"}));
    EXPECT_EQ(w.title, "");
    EXPECT_EQ(w.label1, "2");
    EXPECT_EQ(w.list1.Rows(), (Rows{"7", "2"}));
    EXPECT_EQ(w.failure, std::nullopt);

    w.list3.Write(0, "5");
    literal::Command1_Click(w, &tokens);
    EXPECT_EQ(tokens.Rows(), (Rows{"7", "2", "*", "(", "x", "+", "1", ")"}));
    EXPECT_EQ(w.list3.Rows(), (Rows{"5"}));
    EXPECT_EQ(w.label1, "12");
    literal::Command1_Click(w);
    EXPECT_EQ(w.label1, "12");
    EXPECT_EQ(w.list1.Rows(), (Rows{"7", "12"}));
}

TEST(LiteralCycle, ADivisorVariableShowsTheMessageUntilItGetsAValue)
{
    WindowModel w;
    w.text1 = u"1/x";
    literal::Text1_Change(w);
    EXPECT_EQ(w.list2.Rows(), (Rows{"x"}));
    EXPECT_EQ(w.list3.Rows(), (Rows{"0"}));
    EXPECT_EQ(w.title, "");
    EXPECT_EQ(w.label1, kDivisorZeroText);
    EXPECT_EQ(w.list1.Rows(), (Rows{"3", "1", "/", "0"}));

    w.list3.Write(0, "4");
    w.list3Index = 0;
    literal::Command1_Click(w);
    EXPECT_EQ(w.label1, "0.25");
    EXPECT_EQ(w.list3Index, 0);

    // A text change resets the values and the selection.
    w.text1 = u"1/x ";
    literal::Text1_Change(w);
    EXPECT_EQ(w.list3.Rows(), (Rows{"0"}));
    EXPECT_EQ(w.list3Index, -1);
    EXPECT_EQ(w.label1, kDivisorZeroText);
}

TEST(LiteralCycle, AFailedCheckKeepsTheResultAndTheSubstitutedTokens)
{
    WindowModel w;
    w.text1 = u"3+4";
    literal::Text1_Change(w);
    EXPECT_EQ(w.label1, "7");

    w.text1 = u"3+y+";
    literal::Text1_Change(w);
    EXPECT_EQ(w.title, EndsBadly(5));
    EXPECT_EQ(w.label1, "7");
    EXPECT_EQ(w.list1.Rows(), (Rows{"4", "3", "+", "0", "+"}));

    w.text1 = u"";
    literal::Text1_Change(w);
    EXPECT_EQ(w.title, kFirst);
    EXPECT_EQ(w.label1, "7");
    EXPECT_EQ(w.list1.Rows(), (Rows{"0"}));
    EXPECT_TRUE(w.list2.Rows().empty());
    EXPECT_TRUE(w.list3.Rows().empty());
}

TEST(LiteralCycle, AStepThatCannotCompleteIsReportedInTheResultLabel)
{
    struct FailingCycle {
        std::u16string text;
        std::string value;  // "-" keeps the reset value
        Fault fault;
        std::string title;
    };
    const FailingCycle table[] = {
        {u"_.", "-", {FaultKind::OperandNotNumber, "-."}, ""},
        {u"2+_.", "-", {FaultKind::OperandNotNumber, "-."}, ""},
        {u"x+1", "", {FaultKind::ValueNotNumber, "x"}, "kept"},
        {u"x*10", "1e308", {FaultKind::Overflow, {}}, ""},
        {u"sqr(_1)", "-", {FaultKind::SqrNegative, {}}, ""},
        {u"7\\0.4", "-", {FaultKind::IntDivDivisorRounds, {}}, ""},
    };
    for (const FailingCycle& row : table) {
        WindowModel w;
        w.text1 = row.text;
        literal::Text1_Change(w);
        if (row.value != "-") {
            w.list3.Write(0, row.value);
            w.title = "kept";
            literal::Command1_Click(w);
        }
        const std::string message = FaultMessage(row.fault);
        EXPECT_EQ(w.failure, message) << ToUtf8(row.text);
        EXPECT_EQ(w.label1, message) << ToUtf8(row.text);
        EXPECT_EQ(w.title, row.title) << ToUtf8(row.text);
    }

    // A text too long for the token list stops before anything is rebuilt.
    WindowModel w;
    w.text1 = u"1+2";
    literal::Text1_Change(w);
    w.text1.resize(32767, u' ');
    RowList tokens = ListOf({"untouched"});
    literal::Text1_Change(w, &tokens);
    EXPECT_EQ(w.failure, FaultMessage(Fault{FaultKind::TooLong, {}}));
    EXPECT_EQ(w.list1.Rows(), (Rows{"3", "3"}));
    EXPECT_EQ(tokens.Rows(), (Rows{"untouched"}));

    // The next cycle that completes clears the failure.
    w.text1 = u"1+2";
    literal::Text1_Change(w);
    EXPECT_EQ(w.failure, std::nullopt);
    EXPECT_EQ(w.label1, "3");
}

}  // namespace
}  // namespace quorvel::literal
