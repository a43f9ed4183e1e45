// The literal model checked against worked examples, so that the oracle of
// the differential test is itself known to be right.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "expression_generator.h"
#include "literal_model.h"
#include "number_text.h"
#include "test_rows.h"

namespace quorvel::literal {
namespace {

using namespace fixtures;

// ---- tokenizer -------------------------------------------------------------

struct TokenizeRow {
    std::u16string text;
    Rows rows;
};

TEST(LiteralTokenize, ExpressionTextsGiveTheirRows)
{
    const TokenizeRow table[] = {
        {u"3.14*r^2", {"5", "3.14", "*", "r", "^", "2"}},
        {u"_5+.5", {"3", "-5", "+", "0.5"}},
        {u"1..2", {"1", "1.2"}},
        {u"1.2.3", {"1", "1.23"}},
        {u"12_3", {"1", "123"}},
        {u"x2", {"2", "x", "2"}},
        {u"2x", {"2", "2", "x"}},
        {u"x.5", {"2", "x", "0.5"}},
        {u"ab12cd", {"3", "ab", "12", "cd"}},
        {u"a b", {"2", "a", "b"}},
        {u"3,5", {"2", "3", "5"}},
        {u"sin(_)", {"4", "sin", "(", "-1", ")"}},
        {u"_x", {"2", "-1", "x"}},
        {u"x_", {"2", "x", "-1"}},
        {u"__5", {"1", "-5"}},
        {u"_5_", {"1", "-5"}},
        {u"_.5", {"1", "-.5"}},
        {u"._5", {"1", "0.5"}},
        {u"_.", {"1", "-."}},
        {u".", {"1", "0."}},
        {u"5.", {"1", "5."}},
        {u"-5", {"2", "-", "5"}},
        {u"((x))", {"5", "(", "(", "x", ")", ")"}},
        {u"\"x\"", {"1", "x"}},
        {u"", {"0"}},
        // Characters outside the token classes end a token as a space does.
        {u"ab中cd", {"2", "ab", "cd"}},
        {u"xＡy", {"2", "x", "y"}},
        {u"1\t2\n3", {"3", "1", "2", "3"}},
        {u"2*)(\\/+-^", {"9", "2", "*", ")", "(", "\\", "/", "+", "-", "^"}},
    };
    for (const TokenizeRow& row : table) {
        RowList list = ListOf({"stale", "rows"});
        EXPECT_EQ(Tokenize(row.text, list), std::nullopt);
        EXPECT_EQ(list.Rows(), row.rows) << "text " << ToUtf8(row.text);
    }
}

TEST(LiteralTokenize, ReplacesWhateverTheListHeld)
{
    RowList seven = ListOf({"a", "b", "c", "d", "e", "f", "g"});
    EXPECT_EQ(Tokenize(u"1+2", seven), std::nullopt);
    EXPECT_EQ(seven.Rows(), (Rows{"3", "1", "+", "2"}));

    RowList empty;
    EXPECT_EQ(Tokenize(u"", empty), std::nullopt);
    EXPECT_EQ(empty.Rows(), (Rows{"0"}));
}

TEST(LiteralTokenize, TextsBeyond32766CodeUnitsLeaveTheListAlone)
{
    std::u16string longest = u"12+x";
    longest.resize(32766, u' ');
    RowList list = ListOf({"1", "7"});
    EXPECT_EQ(Tokenize(longest, list), std::nullopt);
    EXPECT_EQ(list.Rows(), (Rows{"3", "12", "+", "x"}));

    for (size_t length : {32767u, 32768u, 50000u}) {
        std::u16string text = u"1";
        text.resize(length, u' ');
        RowList kept = ListOf({"1", "7"});
        EXPECT_EQ(Tokenize(text, kept), (Fault{FaultKind::TooLong, {}})) << length;
        EXPECT_EQ(kept.Rows(), (Rows{"1", "7"})) << length;
    }
}

// ---- syntax check ----------------------------------------------------------

std::string CheckedMessage(const RowList& list)
{
    std::string message = "not set";
    const std::optional<Fault> fault = CheckSyntax(list, message);
    EXPECT_EQ(fault, std::nullopt);
    return message;
}

TEST(LiteralCheckSyntax, TypedExpressionsGiveTheirMessages)
{
    const std::pair<std::u16string, std::string> table[] = {
        {u"1+", EndsBadly(3)},
        {u"(1", kMissing},
        {u"1)", Surplus(2)},
        {u"sin 2", AfterFunction(2)},
        {u"2 3", AfterOperand(2)},
        {u"-5", kFirst},
        {u"_5", ""},
        {u"", kFirst},
        {u"2*sin", EndsInFunction(4)},
        {u"sin", EndsInFunction(2)},
        {u"(1+", kMissing},
        {u"(", kMissing},
        {u"()", AfterOpening(2)},
        {u"1++2", AfterOperator(3)},
        {u"2--3", AfterOperator(3)},
        {u"2-_3", ""},
        {u"2 _5", AfterOperand(2)},
        {u"2(3)", AfterOperand(2)},
        {u"(1)(2)", AfterOperand(4)},
        {u"(1))", Surplus(4)},
        {u"1+)", Surplus(3)},
        {u"sin(2)", ""},
        {u"TAn(1)", ""},
        {u"TAN(1)", AfterOperand(2)},
        {u"((1))", ""},
        {u"5", ""},
        {u"+1", kFirst},
        {u")", kFirst},
        {u"sqr(4)", ""},
        {u"1+1+1+1+1+1 2", AfterOperand(12)},
    };
    for (const auto& [text, expected] : table) {
        RowList list;
        ASSERT_EQ(Tokenize(text, list), std::nullopt);
        EXPECT_EQ(CheckedMessage(list), expected) << "typed " << ToUtf8(text);

        // With the variables replaced by their reset values the message stays.
        RowList names;
        RowList values;
        CollectVariables(list, names);
        ResetValues(names, values);
        ASSERT_EQ(ApplyValues(list, names, values), std::nullopt);
        const RowList before = list;
        EXPECT_EQ(CheckedMessage(list), expected) << "typed " << ToUtf8(text) << " after the values";
        EXPECT_EQ(CheckedMessage(list), expected) << "second check of " << ToUtf8(text);
        EXPECT_EQ(list, before) << "the check wrote a row of " << ToUtf8(text);
    }
}

TEST(LiteralCheckSyntax, EmptyTokensAreRejectedByThePairBeforeThem)
{
    EXPECT_EQ(CheckedMessage(ListOf({"1", ""})), kFirst);
    EXPECT_EQ(CheckedMessage(ListOf({"2", "1", ""})), AfterOperand(2));
    EXPECT_EQ(CheckedMessage(ListOf({"3", "1", "+", ""})), AfterOperator(3));
    EXPECT_EQ(CheckedMessage(ListOf({"3", "(", "", ")"})), AfterOpening(2));
    // A count beyond the rows reads empty tokens after the last one.
    EXPECT_EQ(CheckedMessage(ListOf({"3", "1"})), AfterOperand(2));
}

TEST(LiteralCheckSyntax, ACountThatIsNoNumberOrBeyond16BitsCannotBeChecked)
{
    const std::pair<Rows, std::string> table[] = {
        {{}, ""},
        {{"x", "1"}, "x"},
        {{"32767", "1"}, "32767"},
        {{"-32769", "1"}, "-32769"},
        {{"1e9", "1"}, "1e9"},
    };
    for (const auto& [rows, subject] : table) {
        std::string message = "stale";
        EXPECT_EQ(CheckSyntax(ListOf(rows), message), (Fault{FaultKind::CountOutOfRange, subject})) << subject;
    }
    // Row 0 is rounded half to even before it is used as the count.
    EXPECT_EQ(CheckedMessage(ListOf({"2.5", "1", "+", "1"})), EndsBadly(3));
    EXPECT_EQ(CheckedMessage(ListOf({"1.5", "1", "+"})), EndsBadly(3));
}

// ---- variable binding ------------------------------------------------------

struct Binding {
    RowList tokens;
    RowList names;
    RowList values;
};

Binding Bound(std::u16string_view text)
{
    Binding b;
    EXPECT_EQ(Tokenize(text, b.tokens), std::nullopt);
    CollectVariables(b.tokens, b.names);
    ResetValues(b.names, b.values);
    return b;
}

TEST(LiteralBinding, NamesComeLastOccurrenceFirstWithOneZeroEach)
{
    const std::pair<std::u16string, Rows> table[] = {
        {u"x+y*x", {"x", "y", "x"}},  {u"sin(a)+TAN", {"TAN", "a"}}, {u"2+3", {}},
        {u"", {}},                    {u"TAn(b)*t", {"t", "b"}},     {u"X+x", {"x", "X"}},
        {u"rate*(1+rate)", {"rate", "rate"}},
    };
    for (const auto& [text, names] : table) {
        Binding b = Bound(text);
        EXPECT_EQ(b.names.Rows(), names) << ToUtf8(text);
        EXPECT_EQ(b.values.Rows(), Rows(names.size(), "0")) << ToUtf8(text);
    }
}

TEST(LiteralBinding, ApplyValuesSubstitutesTheFirstRowOfEachName)
{
    Binding b = Bound(u"x+y*x");
    ASSERT_EQ(ApplyValues(b.tokens, b.names, b.values), std::nullopt);
    EXPECT_EQ(b.tokens.Rows(), (Rows{"5", "0", "+", "0", "*", "0"}));

    b = Bound(u"x+y*x");
    b.values = ListOf({"2", "3", "5"});
    ASSERT_EQ(ApplyValues(b.tokens, b.names, b.values), std::nullopt);
    EXPECT_EQ(b.tokens.Rows(), (Rows{"5", "2", "+", "3", "*", "2"}));
    Rnd rnd;
    std::string result;
    ASSERT_EQ(Evaluate(b.tokens, rnd, result), std::nullopt);
    EXPECT_EQ(result, "8");

    b = Bound(u"sin(a)+TAN");
    ASSERT_EQ(ApplyValues(b.tokens, b.names, b.values), std::nullopt);
    EXPECT_EQ(b.tokens.Rows(), (Rows{"6", "sin", "(", "0", ")", "+", "0"}));

    b = Bound(u"2+3");
    ASSERT_EQ(ApplyValues(b.tokens, b.names, b.values), std::nullopt);
    EXPECT_EQ(b.tokens.Rows(), (Rows{"3", "2", "+", "3"}));

    b = Bound(u"rate*(1+rate)");
    b.values = ListOf({"4", "9"});
    ASSERT_EQ(ApplyValues(b.tokens, b.names, b.values), std::nullopt);
    EXPECT_EQ(b.tokens.Rows(), (Rows{"7", "4", "*", "(", "1", "+", "4", ")"}));
}

TEST(LiteralBinding, AValueThatIsNoNumberStopsAfterTheRowsBeforeIt)
{
    const std::pair<std::string, Rows> table[] = {
        {"", {"5", "2", "+", "3", "*", "2"}},
        {"1.2.3", {"5", "2", "+", "3", "*", "2"}},
        {".", {"5", "2", "+", "3", "*", "2"}},
    };
    for (const auto& [bad, tokens] : table) {
        Binding b = Bound(u"x+y*x");
        b.values = ListOf({"2", "3", bad});
        EXPECT_EQ(ApplyValues(b.tokens, b.names, b.values), (Fault{FaultKind::ValueNotNumber, "x"})) << bad;
        EXPECT_EQ(b.tokens.Rows(), tokens) << bad;
    }
    Binding b = Bound(u"x+y*x");
    b.values = ListOf({"2", "abc", "5"});
    EXPECT_EQ(ApplyValues(b.tokens, b.names, b.values), (Fault{FaultKind::ValueNotNumber, "y"}));
    EXPECT_EQ(b.tokens.Rows(), (Rows{"5", "2", "+", "y", "*", "2"}));

    // A missing value row reads as the empty text.
    b = Bound(u"x+y");
    b.values = ListOf({"1"});
    EXPECT_EQ(ApplyValues(b.tokens, b.names, b.values), (Fault{FaultKind::ValueNotNumber, "x"}));
}

TEST(LiteralBinding, ValuesTravelThroughTheirNumberText)
{
    const std::pair<std::string, std::string> table[] = {
        {".5", "0.5"}, {"007", "7"}, {"2.50", "2.5"}, {"3.", "3"}, {"10", "10"},
        {"1234567890.123456789", "1234567890.12346"}, {"-0", "0"},
    };
    for (const auto& [typed, substituted] : table) {
        Binding b = Bound(u"x*(x)");
        b.values = ListOf({typed, typed});
        ASSERT_EQ(ApplyValues(b.tokens, b.names, b.values), std::nullopt) << typed;
        EXPECT_EQ(b.tokens.Rows(), (Rows{"5", substituted, "*", "(", substituted, ")"})) << typed;
    }
    // A function name is never substituted, whatever the name list says.
    RowList tokens = TokenListOf("sin ( x )");
    SubstituteVariable(tokens, "sin", 1);
    EXPECT_EQ(tokens.Rows(), (Rows{"4", "sin", "(", "x", ")"}));
}

}  // namespace
}  // namespace quorvel::literal
