// The worked tables in tables/*.tsv through the engine.
#include <charconv>

#include "cycle.h"
#include "evaluator.h"
#include "number_text.h"
#include "syntax_check.h"
#include "table.h"
#include "tokenizer.h"
#include "typed_text.h"

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

TABLE(CycleTable, "cycle.tsv");
TEST_P(CycleTable, OutcomeThenTheWindowStillCalculates)
{
    const char* const outcomes[] = {"NotRun", "Result", "SyntaxMessage", "DivisorZero", "Failure"};
    const test::Row& row = GetParam();
    const RowList values = Rows(row["values"]);
    WindowModel w;
    SetText1(w, u"6*7");
    Outcome outcome = SetText1(w, Units(row["text"]));
    if (values.Count() > 0) {
        ASSERT_EQ(w.list3.Count(), values.Count());
        for (int k = 0; k < values.Count(); ++k) {
            List3_Click(w, k);
            SetText2(w, values.Read(k));
        }
        outcome = Command1_Click(w);
        EXPECT_EQ(SetText1(w, std::u16string(w.text1)), Outcome::NotRun);
        EXPECT_EQ(w.list3, values) << "the values are kept as typed";
    }
    EXPECT_EQ(outcomes[static_cast<int>(outcome)], row["outcome"]);
    EXPECT_EQ(w.label1, Bytes(row["Label1"]));
    EXPECT_EQ(w.title, Bytes(row["title"]));
    EXPECT_EQ(w.marked ? std::to_string(w.marked->start) + "-" + std::to_string(w.marked->end) : "", row["marked"]);
    EXPECT_EQ(row["List1"].empty() ? "" : Spaced(w.list1), Spaced(Rows(row["List1"])));
    EXPECT_EQ(row["List2"].empty() ? "" : Spaced(w.list2), Spaced(Rows(row["List2"])));
    EXPECT_EQ(SetText1(w, u"1+2"), Outcome::Result);
    EXPECT_EQ(w.label1 + "|" + w.title + "|" + Spaced(w.list1) + "|" + Spaced(w.list2), "3||3 3|");
    EXPECT_FALSE(w.marked);
}

}  // namespace
}  // namespace quorvel
