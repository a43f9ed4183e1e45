// The engine's window model against the literal model, cycle by cycle, on
// generated expressions: every control the cycle touches must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "expression_generator.h"
#include "fault.h"
#include "literal_model.h"
#include "window_model.h"

namespace quorvel::literal {
namespace {

constexpr std::uint64_t kSeed = 0x51756f7276656c01ULL;
constexpr int kCases = 60000;
constexpr int kReportedCases = 5;

// A longer soak: QUORVEL_MODEL_CASES=1000000 QUORVEL_MODEL_SEED=7 model_tests
std::uint64_t EnvOr(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 0) : fallback;
}

std::string Quote(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string Show(const RowList& list)
{
    std::string out = std::to_string(list.Count()) + " rows [";
    for (int i = 0; i < list.Count(); ++i) out += (i ? ", " : "") + Quote(list.Read(i));
    return out + "]";
}

std::string Show(const std::optional<std::string>& s) { return s ? Quote(*s) : "(none)"; }

struct Side {
    WindowModel w;
    RowList tokens;
    std::string thrown;  // what a cycle threw, if it did
};

using Handler = std::function<void(WindowModel&, RowList*)>;

void RunCycle(Side& side, const Handler& handler)
{
    side.tokens = RowList{};
    try {
        handler(side.w, &side.tokens);
    } catch (const std::exception& e) {
        side.thrown = e.what();
    }
}

// The first field in which the two sides differ, described with both values.
std::optional<std::string> Difference(const Side& engine, const Side& model)
{
    auto field = [](const std::string& name, const std::string& e, const std::string& m) {
        return name + "\n    engine: " + e + "\n    model:  " + m;
    };
    if (engine.thrown != model.thrown) return field("exception", Quote(engine.thrown), Quote(model.thrown));
    const WindowModel& p = engine.w;
    const WindowModel& q = model.w;
    if (p.title != q.title) return field("title", Quote(p.title), Quote(q.title));
    if (p.label1 != q.label1) return field("label1", Quote(p.label1), Quote(q.label1));
    if (p.failure != q.failure) return field("failure", Show(p.failure), Show(q.failure));
    if (p.list3Index != q.list3Index)
        return field("list3Index", std::to_string(p.list3Index), std::to_string(q.list3Index));
    const std::pair<const char*, std::pair<const RowList*, const RowList*>> lists[] = {
        {"list1", {&p.list1, &q.list1}},
        {"list2", {&p.list2, &q.list2}},
        {"list3", {&p.list3, &q.list3}},
        {"tokens", {&engine.tokens, &model.tokens}},
    };
    for (const auto& [name, pair] : lists) {
        const RowList& a = *pair.first;
        const RowList& b = *pair.second;
        if (a == b) continue;
        int row = 0;
        while (row < std::min(a.Count(), b.Count()) && a.Read(row) == b.Read(row)) ++row;
        return field(std::string(name) + " (first difference at row " + std::to_string(row) + ")", Show(a),
                     Show(b));
    }
    return std::nullopt;
}

std::string Describe(const Case& c)
{
    std::ostringstream out;
    const std::string text = ToUtf8(c.text);
    out << "text (" << c.text.size() << " code units): "
        << Quote(text.size() > 400 ? text.substr(0, 400) + "..." : text) << "\nvalues: [";
    for (size_t k = 0; k < c.values.size(); ++k) out << (k ? ", " : "") << Quote(c.values[k]);
    out << "]";
    return out.str();
}

void WriteValues(WindowModel& w, const std::vector<std::string>& values)
{
    const int rows = std::min(static_cast<int>(values.size()), w.list3.Count());
    for (int k = 0; k < rows; ++k) w.list3.Write(k, values[static_cast<size_t>(k)]);
}

// Runs one case on both sides, the text change and then up to two clicks;
// returns the report of the first difference.
std::optional<std::string> Compare(const Case& c, int cycleCount = 3)
{
    Side engine;
    Side model;
    engine.w.text1 = c.text;
    model.w.text1 = c.text;

    const std::pair<const char*, std::pair<Handler, Handler>> cycles[] = {
        {"Text1_Change", {quorvel::Text1_Change, literal::Text1_Change}},
        {"Command1_Click after writing the values", {quorvel::Command1_Click, literal::Command1_Click}},
        {"second Command1_Click", {quorvel::Command1_Click, literal::Command1_Click}},
    };
    bool first = true;
    for (const auto& [name, handlers] : cycles) {
        if (cycleCount-- == 0) break;
        if (!first) {
            WriteValues(engine.w, c.values);
            WriteValues(model.w, c.values);
        }
        first = false;
        RunCycle(engine, handlers.first);
        RunCycle(model, handlers.second);
        if (auto diff = Difference(engine, model)) return Describe(c) + "\ncycle: " + name + "\nfield: " + *diff;
    }
    return std::nullopt;
}

TEST(Differential, GeneratedCasesAgreeAfterEveryCycle)
{
    const std::uint64_t seed = EnvOr("QUORVEL_MODEL_SEED", kSeed);
    const auto cases = static_cast<long long>(EnvOr("QUORVEL_MODEL_CASES", kCases));
    RandomSource bytes(seed);
    int mismatches = 0;
    long long n = 0;
    const auto start = std::chrono::steady_clock::now();
    for (; n < cases && mismatches < kReportedCases; ++n) {
        const Case c = GenerateCase(bytes);
        if (auto report = Compare(c)) {
            ++mismatches;
            ADD_FAILURE() << "case " << n << " of seed " << seed << "\n" << *report;
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::cout << n << " cases in " << elapsed.count() << " s\n";
    EXPECT_EQ(mismatches, 0);
}

// Typing a text one code unit at a time runs a text-change cycle per prefix,
// each starting from the rows the previous cycle left behind.
TEST(Differential, TypingAgreesAfterEveryKeystroke)
{
    RandomSource bytes(kSeed + 1);
    int mismatches = 0;
    for (int n = 0; n < 1500 && mismatches < kReportedCases; ++n) {
        const Case c = GenerateCase(bytes);
        if (c.text.size() > 60) continue;
        Side engine;
        Side model;
        for (size_t length = 0; length <= c.text.size(); ++length) {
            engine.w.text1 = model.w.text1 = c.text.substr(0, length);
            RunCycle(engine, quorvel::Text1_Change);
            RunCycle(model, literal::Text1_Change);
            if (auto diff = Difference(engine, model)) {
                ++mismatches;
                ADD_FAILURE() << Describe(c) << "\ntyped prefix of " << length << " code units\nfield: " << *diff;
                break;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// A fuzzer's input drives the generator the same way on every run, and an
// input that runs out early still ends in a case.
TEST(ExpressionGenerator, SameBytesGiveTheSameCase)
{
    RandomSource random(kSeed + 2);
    for (int n = 0; n < 200; ++n) {
        std::vector<std::uint8_t> input(random.Below(300));
        for (std::uint8_t& b : input) b = random.Next();
        SpanSource first(input.data(), input.size());
        SpanSource second(input.data(), input.size());
        const Case a = GenerateCase(first);
        const Case b = GenerateCase(second);
        EXPECT_EQ(a.text, b.text) << n;
        EXPECT_EQ(a.values, b.values) << n;
        EXPECT_LE(a.text.size(), 40000u) << n;
    }
    SpanSource empty(nullptr, 0);
    const Case c = GenerateCase(empty);
    EXPECT_TRUE(c.text.empty());
}

std::u16string Repeated(std::u16string_view unit, size_t times, std::u16string_view tail)
{
    std::u16string text;
    for (size_t k = 0; k < times; ++k) text += unit;
    return text += tail;
}

// Token lists near the 16-bit limit, where every index is largest. The
// model takes seconds for one cycle here, so most get only the text change.
TEST(Differential, TextsAtTheLengthLimitAgree)
{
    const std::pair<Case, int> cases[] = {
        {{Repeated(u"1+", 4000, u"1") + std::u16string(24765, u' '), {}}, 3},
        {{Repeated(u"1+", 16381, u"1/0"), {}}, 3},
        {{Repeated(u"(", 16382, Repeated(u")", 16382, u"")).insert(16382, u"1"), {}}, 1},
        {{u"x" + Repeated(u"+1", 16381, u"/x"), {"3"}}, 1},
        {{Repeated(u"1", 32766, u""), {}}, 3},
    };
    for (const auto& [c, cycles] : cases) {
        ASSERT_LE(c.text.size(), 32766u);
        if (auto report = Compare(c, cycles)) ADD_FAILURE() << *report;
    }
}

// The generated cases have to reach every outcome of a cycle, or the
// comparison above proves little.
TEST(Differential, GeneratedCasesReachEveryOutcome)
{
    RandomSource bytes(kSeed);
    std::set<std::string> failures;
    std::set<std::string> titleShapes;
    int divisorZero = 0;
    int divisorZeroWithEmptyRows = 0;
    int results = 0;
    int longCases = 0;
    for (int n = 0; n < kCases / 2; ++n) {
        const Case c = GenerateCase(bytes);
        WindowModel w;
        RowList tokens;
        w.text1 = c.text;
        literal::Text1_Change(w, &tokens);
        if (tokens.Count() > 61) ++longCases;
        WriteValues(w, c.values);
        literal::Command1_Click(w);
        if (w.failure) failures.insert(*w.failure);
        std::string shape = w.title;
        std::erase_if(shape, [](char ch) { return ch >= '0' && ch <= '9'; });
        titleShapes.insert(shape);
        if (!w.failure && w.title.empty()) {
            if (w.label1 == kDivisorZero) {
                ++divisorZero;
                const auto& rows = w.list1.Rows();
                if (std::count(rows.begin(), rows.end(), std::string()) > 0) ++divisorZeroWithEmptyRows;
            } else {
                ++results;
            }
        }
    }
    for (FaultKind kind : {FaultKind::TooLong, FaultKind::ValueNotNumber, FaultKind::OperandNotNumber,
                           FaultKind::Overflow, FaultKind::SqrNegative, FaultKind::LogNotPositive,
                           FaultKind::PowerNotReal, FaultKind::IntDivOperandRange, FaultKind::IntDivDivisorRounds,
                           FaultKind::IntDivQuotientRange}) {
        // The message around a marker subject matches every subject.
        const std::string message = FaultMessage(Fault{kind, "\x01"});
        const size_t marker = message.find('\x01');
        const std::string head = message.substr(0, marker);
        const std::string tail = marker == std::string::npos ? "" : message.substr(marker + 1);
        const bool seen = std::any_of(failures.begin(), failures.end(), [&](const std::string& f) {
            if (marker == std::string::npos) return f == message;
            return f.size() > head.size() + tail.size() && f.starts_with(head) && f.ends_with(tail);
        });
        EXPECT_TRUE(seen) << "no generated case fails with " << message;
    }
    for (const char* shape : {"", "错误:第一个字符串类型只能是(,正,负常数,变量", "错误:第位发现多于的)",
                              "错误:第个字符它必需是( 正,负数,变量", "错误:第个字符它必需(",
                              "错误:第个字符它必需是纯操作符)", "错误:第个字符它必需是正,负数,变量(",
                              "错误:第字符它必需是涵数前(", "错误:第结束字符它必需是正,负数,变量)", "错误:发现缺少)"}) {
        EXPECT_TRUE(titleShapes.count(shape)) << "no generated case gets the title " << Quote(shape);
    }
    EXPECT_GE(results, kCases / 10);
    EXPECT_GE(divisorZero, 200);
    EXPECT_GE(divisorZeroWithEmptyRows, 5);
    EXPECT_GE(longCases, 100);
}

}  // namespace
}  // namespace quorvel::literal
