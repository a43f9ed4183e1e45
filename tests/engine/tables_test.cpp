// The worked tables in tables/*.tsv, each row through the engine and, where
// it is quick, through the row-by-row model as well.
#include <gtest/gtest.h>

#include <clocale>

#include "binding.h"
#include "evaluator.h"
#include "literal_model.h"
#include "number_text.h"
#include "syntax_check.h"
#include "table.h"
#include "tokenizer.h"

namespace quorvel {
namespace {

using test::Rows;
using test::Spaced;
using test::TableRow;
using test::Text;
using test::Utf8;

struct Implementation {
    const char* name;
    decltype(&Tokenize) tokenize;
    decltype(&CheckSyntax) checkSyntax;
    decltype(&Evaluate) evaluate;
    decltype(&CollectVariables) collectVariables;
    decltype(&ResetValues) resetValues;
    decltype(&ApplyValues) applyValues;
    decltype(&Text1_Change) text1Change;
    decltype(&Command1_Click) command1Click;
};

const Implementation kBoth[] = {
    {"engine", Tokenize, CheckSyntax, Evaluate, CollectVariables, ResetValues, ApplyValues, Text1_Change,
     Command1_Click},
    {"model", literal::Tokenize, literal::CheckSyntax, literal::Evaluate, literal::CollectVariables,
     literal::ResetValues, literal::ApplyValues, literal::Text1_Change, literal::Command1_Click},
};

// What a step shows: its fault's message, or what it gave.
std::string Shown(const std::optional<Fault>& fault, const std::string& given)
{
    return fault ? FaultMessage(*fault) : given;
}

#define TABLE(Suite, file)                  \
    class Suite : public ::testing::TestWithParam<TableRow> {}; \
    INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(test::ReadTable(file)), test::RowName)

TABLE(TokenizeTable, "tokenize.tsv");
TEST_P(TokenizeTable, CountThenTokens)
{
    for (const Implementation& impl : kBoth) {
        RowList list = Rows("junk from an earlier cycle");
        ASSERT_FALSE(impl.tokenize(Text(GetParam()[0]), list)) << impl.name;
        EXPECT_EQ(Spaced(list), Spaced(Rows(GetParam()[1]))) << impl.name;
    }
}

TABLE(CheckTable, "check.tsv");
TEST_P(CheckTable, MessageAndTheRowsUntouched)
{
    for (const Implementation& impl : kBoth) {
        const RowList list = Rows(GetParam()[0]);
        std::string message = "stale";
        EXPECT_EQ(Shown(impl.checkSyntax(list, message), message), Utf8(GetParam()[1])) << impl.name;
    }
}

TABLE(EvaluateTable, "evaluate.tsv");
TEST_P(EvaluateTable, ResultAndTheRowsLeft)
{
    for (const Implementation& impl : kBoth) {
        RowList list = Rows(GetParam()[0]);
        Rnd rnd;
        std::string result = "untouched";
        const auto fault = impl.evaluate(list, rnd, result);
        EXPECT_EQ(Shown(fault, result), Utf8(GetParam()[1])) << impl.name;
        EXPECT_TRUE(!fault || result == "untouched") << impl.name;
        EXPECT_EQ(Spaced(list), Spaced(Rows(GetParam()[2]))) << impl.name;
    }
}

TABLE(BindingTable, "binding.tsv");
TEST_P(BindingTable, NamesZerosThenValues)
{
    const TableRow& row = GetParam();
    for (const Implementation& impl : kBoth) {
        SCOPED_TRACE(impl.name);
        RowList tokens, names, values = Rows("stale rows");
        ASSERT_FALSE(impl.tokenize(Text(row[0]), tokens));
        impl.collectVariables(tokens, names);
        EXPECT_EQ(Spaced(names), row[1]);
        impl.resetValues(names, values);
        EXPECT_EQ(values.Rows(), std::vector<std::string>(names.Rows().size(), "0"));
        if (!row[2].empty()) values = Rows(row[2]);
        EXPECT_EQ(Shown(impl.applyValues(tokens, names, values), ""), row[4]);
        EXPECT_EQ(Spaced(tokens), row[3]);
    }
}

TABLE(NumberTextTable, "number_text.tsv");
TEST_P(NumberTextTable, Written)
{
    const TableRow& row = GetParam();
    const std::string& in = row[1];
    double x = 0;
    float f = 0;
    if (row[0] == "number") {
        std::from_chars(in.data(), in.data() + in.size(), x);
        EXPECT_EQ(NumberToText(x), row[2]);
    } else if (row[0] == "single") {
        std::from_chars(in.data(), in.data() + in.size(), f);
        EXPECT_EQ(SingleToText(f), row[2]);
    } else {
        const auto read = TextToNumber(Utf8(in));
        EXPECT_EQ(read ? NumberToText(*read) : "", row[2]);
    }
}

TEST(NumberText, IndependentOfTheLocale)
{
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if ((german = std::setlocale(LC_ALL, name))) break;
    if (!german) GTEST_SKIP() << "no German locale on this machine";
    const std::string written = NumberToText(2.5) + " " + SingleToText(0.25f);
    const bool commaRead = TextToNumber("2,5").has_value();
    const auto pointRead = TextToNumber("2.5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(written, "2.5 0.25");
    EXPECT_FALSE(commaRead);
    EXPECT_EQ(pointRead, 2.5);
}

TEST(Evaluate, RndSeedsRepeatsAndDraws)
{
    Rnd rnd;
    auto draw = [&rnd](const char* x) {
        RowList list = Rows(std::string("4 rnd ( ") + x + " )");
        std::string result;
        EXPECT_FALSE(Evaluate(list, rnd, result));
        EXPECT_TRUE(TextToNumber(result) >= 0.0 && TextToNumber(result) < 1.0) << result;
        EXPECT_LE(result.size(), 9u) << "seven digits after 0.";
        return result;
    };
    const std::string seeded = draw("-3");
    EXPECT_EQ(draw("0"), seeded) << "0 repeats the last value";
    const std::string next = draw("1");
    EXPECT_NE(next, seeded);
    EXPECT_EQ(draw("-3"), seeded) << "the same seed gives the same value";
    EXPECT_EQ(draw("1"), next);
}

const char* const kOutcomes[] = {"NotRun", "Result", "SyntaxMessage", "DivisorZero", "Failure"};

TABLE(CycleTable, "cycle.tsv");
TEST_P(CycleTable, OutcomeThenTheWindowStillCalculates)
{
    const TableRow& row = GetParam();
    const std::u16string text = Text(row[0]);
    const RowList values = Rows(row[1]);
    for (const Implementation& impl : kBoth) {
        // The model moves every row for every reduction: too slow for the longest texts.
        if (impl.evaluate == literal::Evaluate && text.size() > 2000) continue;
        SCOPED_TRACE(impl.name);
        WindowModel w;
        w.text1 = u"6*7";
        impl.text1Change(w, nullptr);
        w.text1 = text;
        Outcome outcome = impl.text1Change(w, nullptr);
        if (values.Count() > 0) {
            ASSERT_EQ(w.list3.Count(), values.Count());
            for (int k = 0; k < values.Count(); ++k) {
                List3_Click(w, k);
                SetText2(w, values.Read(k));
            }
            outcome = impl.command1Click(w, nullptr);
            EXPECT_EQ(w.list3, values) << "the values are kept as typed";
        }
        EXPECT_STREQ(kOutcomes[static_cast<int>(outcome)], row[2].c_str());
        EXPECT_EQ(w.label1, Utf8(row[3]));
        EXPECT_EQ(w.title, row[4]);
        EXPECT_TRUE(row[5].empty() || Spaced(w.list1) == Spaced(Rows(row[5]))) << Spaced(w.list1);

        w.text1 = u"1+2";
        EXPECT_EQ(impl.text1Change(w, nullptr), Outcome::Result);
        EXPECT_EQ(w.label1 + w.title + " " + Spaced(w.list1) + Spaced(w.list2), "3 3 3");
    }
}

// The value box writes only into the selected row; a click keeps the values
// and the selection, a new text resets both.
TEST(Cycle, ValuesFollowTheSelection)
{
    WindowModel w;
    SetText1(w, u"x/y");
    SetText2(w, "5");
    EXPECT_EQ(Spaced(w.list3), "0 0");
    List3_Click(w, 1);
    SetText2(w, "8");
    List3_Click(w, 0);
    EXPECT_EQ(w.text2, "0");
    SetText2(w, "2");
    EXPECT_EQ(Command1_Click(w), Outcome::Result);
    EXPECT_EQ(w.label1, "4");
    EXPECT_EQ(Command1_Click(w), Outcome::Result) << "the tokens are rebuilt from the text";
    EXPECT_EQ(Spaced(w.list3) + " " + std::to_string(w.list3Index), "2 8 0");
    EXPECT_EQ(SetText1(w, u"x/y"), Outcome::NotRun);
    EXPECT_EQ(SetText1(w, u"x/y+1"), Outcome::DivisorZero);
    EXPECT_EQ(Spaced(w.list3) + " " + std::to_string(w.list3Index), "0 0 -1");
}

}  // namespace
}  // namespace quorvel
