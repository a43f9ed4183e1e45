// The worked tables in tables/*.tsv through the engine; the cycle's table
// through the row-by-row model as well, which the differential test trusts.
#include <charconv>
#include <sstream>

#include "binding.h"
#include "cycle.h"
#include "evaluator.h"
#include "literal_model.h"
#include "number_text.h"
#include "syntax_check.h"
#include "table.h"
#include "tokenizer.h"
#include "typed_text.h"
#include "utf.h"

namespace quorvel {
namespace {

using test::Bytes;
using test::Rows;
using test::Spaced;
using test::Units;

// What the evaluation shows in Label1.
std::string Shown(const Evaluation& evaluation)
{
    if (const Result* result = std::get_if<Result>(&evaluation)) return result->text;
    if (const Fault* fault = std::get_if<Fault>(&evaluation)) return FaultMessage(*fault);
    return "除数为0错";
}

// Suite names a class, which cannot be parenthesized.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define TABLE(Suite, file)                                      \
    class Suite : public ::testing::TestWithParam<test::Row> {}; \
    INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(test::Table(file)), test::RowName)
// NOLINTEND(bugprone-macro-parentheses)

TABLE(TokenizeTable, "tokenize.tsv");
TEST_P(TokenizeTable, CountThenTokensEachFromItsSpan)
{
    const std::u16string text = Units(GetParam()["text"]);
    RowList list = Rows("junk from an earlier cycle");
    std::vector<TokenSpan> spans{{7, 7}};
    ASSERT_FALSE(Tokenize(text, list, &spans));
    EXPECT_EQ(Spaced(list), Spaced(Rows(GetParam()["List1"])));
    ASSERT_EQ(static_cast<int>(spans.size()), list.Count() - 1);
    for (size_t k = 0; k < spans.size(); ++k) {
        RowList alone;
        Tokenize(std::u16string_view(text).substr(static_cast<size_t>(spans[k].start), static_cast<size_t>(spans[k].end - spans[k].start)), alone);
        EXPECT_EQ(Spaced(alone), "1 " + list.Read(static_cast<int>(k) + 1)) << "span of token " << k + 1;
    }
}

TABLE(UtfTable, "utf.tsv");
TEST_P(UtfTable, ConvertedAsTheBoxesAndFilesNeed)
{
    std::string bytes;
    std::u16string units;
    std::istringstream byteCells(GetParam()["bytes"]), unitCells(GetParam()["units"]);
    for (std::string hex; byteCells >> hex;) bytes += static_cast<char>(std::stoi(hex, nullptr, 16));
    for (std::string hex; unitCells >> hex;) units += static_cast<char16_t>(std::stoi(hex, nullptr, 16));
    if (GetParam()["way"] != "to8") {
        EXPECT_TRUE(Utf8ToUtf16(bytes) == units);
    }
    if (GetParam()["way"] != "to16") {
        EXPECT_EQ(Utf16ToUtf8(units), bytes);
    }
}

TABLE(TypedTable, "typed.tsv");
TEST_P(TypedTable, MappedToWhatTheKeysMean)
{
    EXPECT_EQ(Utf16ToUtf8(MapTyped(Units(GetParam()["typed"]))), Bytes(GetParam()["meant"]));
}

TABLE(ReadingTable, "reading.tsv");
TEST_P(ReadingTable, EveryReductionButTheLastEnclosed)
{
    WindowModel w;
    w.text1 = Units(GetParam()["text"]);
    const std::optional<std::u16string> reading = ReadText1(w);
    EXPECT_EQ(reading ? Utf16ToUtf8(*reading) : "-", Bytes(GetParam()["reading"]));
}

TABLE(CheckTable, "check.tsv");
TEST_P(CheckTable, MessageAndTheTokenItNames)
{
    const std::variant<Verdict, Fault> check = CheckSyntax(Rows(GetParam()["List1"]));
    const Verdict* verdict = std::get_if<Verdict>(&check);
    EXPECT_EQ(!verdict ? FaultMessage(std::get<Fault>(check)) : *verdict ? SyntaxMessage(**verdict) : "",
              Bytes(GetParam()["message"]));
    EXPECT_EQ(verdict && *verdict ? (*verdict)->token : 0, std::stoi(GetParam()["token"]));
}

TABLE(EvaluateTable, "evaluate.tsv");
TEST_P(EvaluateTable, ResultAndTheRowsLeft)
{
    RowList list = Rows(GetParam()["List1"]);
    Rnd rnd;
    EvaluatorRows kept;
    EXPECT_EQ(Shown(Evaluate(list, rnd, kept)), GetParam()["result"]);
    EXPECT_EQ(Spaced(list), Spaced(Rows(GetParam()["after"])));
}

TABLE(BindingTable, "binding.tsv");
TEST_P(BindingTable, NamesZerosThenValues)
{
    const test::Row& row = GetParam();
    RowList tokens, names, values = Rows("stale rows");
    ASSERT_FALSE(Tokenize(Units(row["text"]), tokens));
    CollectVariables(tokens, names);
    EXPECT_EQ(Spaced(names), Spaced(Rows(row["List2"])));
    ResetValues(names, values);
    EXPECT_EQ(values.Rows(), std::vector<std::string>(names.Rows().size(), "0"));
    if (!row["values"].empty()) values = Rows(row["values"]);
    const std::optional<Fault> fault = ApplyValues(tokens, names, values);
    EXPECT_EQ(fault ? FaultMessage(*fault) : "", Bytes(row["fault"]));
    EXPECT_EQ(Spaced(tokens), Spaced(Rows(row["List1"])));
}

TABLE(NumberTextTable, "number_text.tsv");
TEST_P(NumberTextTable, Written)
{
    const std::string& in = GetParam()["input"];
    const std::string& conversion = GetParam()["conversion"];
    double x = 0;
    float f = 0;
    std::string written;
    if (conversion == "number" && std::from_chars(in.data(), in.data() + in.size(), x).ec == std::errc()) written = NumberToText(x);
    if (conversion == "single" && std::from_chars(in.data(), in.data() + in.size(), f).ec == std::errc()) written = SingleToText(f);
    if (conversion == "read" && TextToNumber(Bytes(in))) written = NumberToText(*TextToNumber(Bytes(in)));
    EXPECT_EQ(written, Bytes(GetParam()["written"]));
}

// 0 repeats the last value and a seed restarts the sequence; seven digits.
TEST(Evaluate, RndSeedsRepeatsAndDraws)
{
    Rnd rnd;
    EvaluatorRows kept;
    const char* const x[] = {"-3", "0", "1", "-3", "1"};
    std::string seen[5];
    for (int k = 0; k < 5; ++k) {
        RowList list = Rows(std::string("4 rnd ( ") + x[k] + " )");
        seen[k] = Shown(Evaluate(list, rnd, kept));
        EXPECT_TRUE(seen[k].size() <= 9 && *TextToNumber(seen[k]) >= 0 && *TextToNumber(seen[k]) < 1) << seen[k];
    }
    EXPECT_EQ(seen[0] + " " + seen[2], seen[1] + " " + seen[4]);
    EXPECT_EQ(seen[3], seen[0]);
    EXPECT_NE(seen[2], seen[0]);
}

TABLE(CycleTable, "cycle.tsv");
TEST_P(CycleTable, OutcomeThenTheWindowStillCalculates)
{
    const char* const outcomes[] = {"NotRun", "Result", "SyntaxMessage", "DivisorZero", "Failure"};
    const test::Row& row = GetParam();
    const std::u16string text = Units(row["text"]);
    const RowList values = Rows(row["values"]);
    const std::pair<decltype(&Text1_Change), decltype(&Command1_Click)> both[] = {
        {Text1_Change, Command1_Click}, {literal::Text1_Change, literal::Command1_Click}};
    for (const auto& [change, click] : both) {
        // The model moves every row at every reduction: too slow for the longest texts.
        if (change == literal::Text1_Change && text.size() > 2000) continue;
        SCOPED_TRACE(change == Text1_Change ? "engine" : "model");
        WindowModel w;
        w.text1 = u"6*7";
        change(w, nullptr);
        w.text1 = text;
        Outcome outcome = change(w, nullptr);
        if (values.Count() > 0) {
            ASSERT_EQ(w.list3.Count(), values.Count());
            for (int k = 0; k < values.Count(); ++k) {
                List3_Click(w, k);
                SetText2(w, values.Read(k));
            }
            outcome = click(w, nullptr);
            EXPECT_EQ(w.list3, values) << "the values are kept as typed";
        }
        EXPECT_EQ(outcomes[static_cast<int>(outcome)], row["outcome"]);
        EXPECT_EQ(w.label1, Bytes(row["Label1"]));
        EXPECT_EQ(w.title, Bytes(row["title"]));
        if (change == Text1_Change) {
            EXPECT_EQ(w.syntaxError ? SyntaxMessage(*w.syntaxError) : "", w.title);
        }
        if (!row["List1"].empty()) {
            EXPECT_EQ(Spaced(w.list1), Spaced(Rows(row["List1"])));
        }
        w.text1 = u"1+2";
        EXPECT_EQ(change(w, nullptr), Outcome::Result);
        EXPECT_EQ(w.label1, "3");
        EXPECT_EQ(w.title, "");
        EXPECT_FALSE(w.syntaxError && change == Text1_Change);
        EXPECT_EQ(Spaced(w.list1), "3 3");
        EXPECT_EQ(w.list2.Count(), 0);
    }
}

// The value box writes only into the selected row, which a click on it
// loads; assigning the same text runs no cycle.
TEST(Cycle, MarksTheTokenTheTitleNamesUntilTheCheckPasses)
{
    WindowModel w;
    SetText1(w, u"2*(x+1");
    EXPECT_EQ(w.marked, (TokenSpan{2, 3}));
    SetText1(w, u"2*(x+1)");
    EXPECT_FALSE(w.marked);
    SetText1(w, u"\"+\" 1");
    EXPECT_EQ(w.marked, (TokenSpan{1, 2}));
}

TEST(Cycle, ValuesFollowTheSelection)
{
    WindowModel w;
    SetText1(w, u"x/y");
    SetText2(w, "5");
    List3_Click(w, 1);
    SetText2(w, "8");
    List3_Click(w, 0);
    SetText2(w, w.text2 + "2");
    EXPECT_EQ(Spaced(w.list3), "02 8");
    EXPECT_EQ(SetText1(w, u"x/y"), Outcome::NotRun);
}

}  // namespace
}  // namespace quorvel
