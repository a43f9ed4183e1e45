// The worked tables in tables/*.tsv through the engine; the cycle's table
// through the row-by-row model as well, which the differential test trusts.
// A table holds one case a line, columns split by tabs, "#" lines and blank
// lines skipped; its first line says what the columns hold and how they are
// escaped.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "binding.h"
#include "cycle.h"
#include "evaluator.h"
#include "literal_model.h"
#include "number_text.h"
#include "syntax_check.h"
#include "tokenizer.h"
#include "utf.h"

namespace quorvel {
namespace {

struct TableRow {
    int line = 0;
    std::vector<std::string> cells;
    // A missing trailing cell reads as empty.
    std::string operator[](size_t k) const { return k < cells.size() ? cells[k] : ""; }
};

std::string RowName(const ::testing::TestParamInfo<TableRow>& info) { return "line" + std::to_string(info.param.line); }

std::vector<TableRow> ReadTable(const std::string& name)
{
    std::ifstream in(std::string(QUORVEL_TABLES) + "/" + name);
    if (!in) throw std::runtime_error("cannot read " + name);
    std::vector<TableRow> rows;
    int line = 0;
    for (std::string text; std::getline(in, text);) {
        if (++line, text.empty() || text[0] == '#') continue;
        rows.push_back({line, {}});
        for (size_t from = 0, tab = 0; tab != std::string::npos; from = tab + 1)
            rows.back().cells.push_back(text.substr(from, (tab = text.find('\t', from)) - from));
    }
    return rows;
}

// \uXXXX is any code unit, lone surrogates too; "\" takes the next
// character as it is; {N*unit} is unit N times; the rest is UTF-8.
std::u16string Text(std::string_view cell)
{
    std::u16string out;
    for (size_t k = 0, next = 0; k < cell.size(); k = next) {
        unsigned n = 0;
        if (cell.substr(k, 2) == "\\u") {
            std::from_chars(cell.data() + k + 2, cell.data() + k + 6, n, 16);
            out += static_cast<char16_t>(n);
            next = k + 6;
        } else if (cell[k] == '\\') {
            out += static_cast<char16_t>(cell[k + 1]);
            next = k + 2;
        } else if (cell[k] == '{') {
            const size_t star = cell.find('*', k);
            next = cell.find('}', k) + 1;
            std::from_chars(cell.data() + k + 1, cell.data() + star, n);
            for (const std::u16string unit = Text(cell.substr(star + 1, next - star - 2)); n > 0; --n) out += unit;
        } else {
            next = std::min(cell.find_first_of("{\\", k), cell.size());
            out += Utf8ToUtf16(cell.substr(k, next - k));
        }
    }
    return out;
}

std::string Utf8(std::string_view cell) { return Utf16ToUtf8(Text(cell)); }

// Rows split by spaces, row 0 first, "~" an empty row, each row escaped as above.
RowList Rows(std::string_view cell)
{
    RowList list;
    for (size_t from = 0, end = 0; from < cell.size(); from = end + 1) {
        end = std::min(cell.find(' ', from), cell.size());
        list.Append(cell.substr(from, end - from) == "~" ? "" : Utf8(cell.substr(from, end - from)));
    }
    return list;
}

std::string Spaced(const RowList& list)
{
    std::string s;
    for (const std::string& r : list.Rows()) s += (s.empty() ? "" : " ") + (r.empty() ? "~" : r);
    return s;
}


// What a step shows: its fault's message, or what it gave.
std::string Shown(const std::optional<Fault>& fault, const std::string& given)
{
    return fault ? FaultMessage(*fault) : given;
}

// Suite names a class, which cannot be parenthesized.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define TABLE(Suite, file)                                      \
    class Suite : public ::testing::TestWithParam<TableRow> {}; \
    INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(ReadTable(file)), RowName)
// NOLINTEND(bugprone-macro-parentheses)

TABLE(TokenizeTable, "tokenize.tsv");
TEST_P(TokenizeTable, CountThenTokensEachFromItsSpan)
{
    const std::u16string text = Text(GetParam()[0]);
    RowList list = Rows("junk from an earlier cycle");
    ASSERT_FALSE(Tokenize(text, list));
    EXPECT_EQ(Spaced(list), Spaced(Rows(GetParam()[1])));
    std::vector<TokenSpan> spans{{7, 7}};
    TokenSpans(text, spans);
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
    std::istringstream byteCells(GetParam()[1]), unitCells(GetParam()[2]);
    for (std::string hex; byteCells >> hex;) bytes += static_cast<char>(std::stoi(hex, nullptr, 16));
    for (std::string hex; unitCells >> hex;) units += static_cast<char16_t>(std::stoi(hex, nullptr, 16));
    if (GetParam()[0] != "to8") {
        EXPECT_TRUE(Utf8ToUtf16(bytes) == units);
    }
    if (GetParam()[0] != "to16") {
        EXPECT_EQ(Utf16ToUtf8(units), bytes);
    }
}

TABLE(ReadingTable, "reading.tsv");
TEST_P(ReadingTable, EveryReductionButTheLastEnclosed)
{
    WindowModel w;
    w.wantReading = true;
    w.text1 = Text(GetParam()[0]);
    Text1_Change(w);
    EXPECT_EQ(w.reading ? Utf16ToUtf8(*w.reading) : "-", GetParam()[1]);
}

TABLE(CheckTable, "check.tsv");
TEST_P(CheckTable, MessageAndTheTokenItNames)
{
    std::string message = "stale";
    int named = -1;
    EXPECT_EQ(Shown(CheckSyntax(Rows(GetParam()[0]), message, &named), message), GetParam()[1]);
    EXPECT_EQ(std::to_string(named), GetParam()[2]);
}

TABLE(EvaluateTable, "evaluate.tsv");
TEST_P(EvaluateTable, ResultAndTheRowsLeft)
{
    RowList list = Rows(GetParam()[0]);
    Rnd rnd;
    std::string result = "untouched";
    const auto fault = Evaluate(list, rnd, result);
    EXPECT_EQ(Shown(fault, result), GetParam()[1]);
    EXPECT_TRUE(!fault || result == "untouched");
    EXPECT_EQ(Spaced(list), Spaced(Rows(GetParam()[2])));
}

TABLE(BindingTable, "binding.tsv");
TEST_P(BindingTable, NamesZerosThenValues)
{
    const TableRow& row = GetParam();
    RowList tokens, names, values = Rows("stale rows");
    ASSERT_FALSE(Tokenize(Text(row[0]), tokens));
    CollectVariables(tokens, names);
    EXPECT_EQ(Spaced(names), row[1]);
    ResetValues(names, values);
    EXPECT_EQ(values.Rows(), std::vector<std::string>(names.Rows().size(), "0"));
    if (!row[2].empty()) values = Rows(row[2]);
    EXPECT_EQ(Shown(ApplyValues(tokens, names, values), ""), row[4]);
    EXPECT_EQ(Spaced(tokens), row[3]);
}

TABLE(NumberTextTable, "number_text.tsv");
TEST_P(NumberTextTable, Written)
{
    const std::string& in = GetParam()[1];
    double x = 0;
    float f = 0;
    std::string written;
    if (GetParam()[0] == "number" && std::from_chars(in.data(), in.data() + in.size(), x).ec == std::errc()) written = NumberToText(x);
    if (GetParam()[0] == "single" && std::from_chars(in.data(), in.data() + in.size(), f).ec == std::errc()) written = SingleToText(f);
    if (GetParam()[0] == "read" && TextToNumber(Utf8(in))) written = NumberToText(*TextToNumber(Utf8(in)));
    EXPECT_EQ(written, GetParam()[2]);
}

// 0 repeats the last value and a seed restarts the sequence; seven digits.
TEST(Evaluate, RndSeedsRepeatsAndDraws)
{
    Rnd rnd;
    const char* const x[] = {"-3", "0", "1", "-3", "1"};
    std::string seen[5];
    for (int k = 0; k < 5; ++k) {
        RowList list = Rows(std::string("4 rnd ( ") + x[k] + " )");
        EXPECT_FALSE(Evaluate(list, rnd, seen[k]));
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
    const TableRow& row = GetParam();
    const std::u16string text = Text(row[0]);
    const RowList values = Rows(row[1]);
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
        EXPECT_EQ(outcomes[static_cast<int>(outcome)] + (" " + w.label1) + " " + w.title, row[2] + " " + Utf8(row[3]) + " " + row[4]);
        EXPECT_TRUE(row[5].empty() || Spaced(w.list1) == Spaced(Rows(row[5]))) << Spaced(w.list1);
        w.text1 = u"1+2";
        EXPECT_EQ(change(w, nullptr), Outcome::Result);
        EXPECT_EQ(w.label1 + w.title + " " + Spaced(w.list1) + Spaced(w.list2), "3 3 3");
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
