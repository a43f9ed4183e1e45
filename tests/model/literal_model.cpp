#include "literal_model.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>
#include <vector>

#include "fault.h"
#include "number_text.h"
#include "passes.h"
#include "texts.h"
#include "token_class.h"

namespace quorvel::literal {

namespace {

// Ends a cycle: with the fault of a step that cannot complete, or with none
// for a zero divisor.
using Stop = std::optional<Fault>;

double Number(const std::string& text, FaultKind kind, const std::string& subject)
{
    const std::optional<double> v = TextToNumber(text);
    if (!v) throw Stop(Fault{kind, subject});
    return *v;
}

void Tokenize(std::u16string_view text, RowList& list)
{
    // The length is a 16-bit count and the scan steps one past the last
    // character, so 32767 characters already fail, before the list is touched.
    if (text.size() > 32766) throw Stop(Fault{FaultKind::TooLong, {}});
    std::vector<std::string> tokens;
    bool inNumber = false, inName = false, point = false;
    for (const char16_t c : text) {
        const auto ascii = static_cast<char>(c);
        const bool number = IsDigitChar(c) || c == u'.' || c == u'_';
        if (number && !inNumber) tokens.push_back(c == u'.' ? "0." : std::string(1, ascii));
        else if (number && (IsDigitChar(c) || (c == u'.' && !point))) tokens.back() += ascii;
        else if (IsLetterChar(c) && inName) tokens.back() += ascii;
        else if (IsLetterChar(c) || std::u16string_view(u")(*\\/+-^").find(c) != std::u16string_view::npos) tokens.emplace_back(1, ascii);
        // "_" and a second "." inside a number are dropped; anything else ends a number or a name.
        point = number && ((inNumber && point) || c == u'.');
        inNumber = number;
        inName = IsLetterChar(c);
    }
    // A leading "_" is the minus sign of a negative number; alone it is -1.
    list.Clear();
    list.Append(CountToText(static_cast<int>(tokens.size())));
    for (std::string& t : tokens) list.Append(t[0] != '_' ? t : t.size() == 1 ? "-1" : "-" + t.substr(1));
}

// The functions by both their names, written here apart from the engine's
// table so that a wrong row there shows as a difference.
struct Function {
    std::string_view name, capital;
    double (*apply)(double x, Rnd& rnd);
};
// A throw inside the rows' conditionals is freed too early by clang 14.
[[noreturn]] double Fail(FaultKind kind) { throw Stop(Fault{kind, {}}); }
const Function kFunctions[] = {
    {"int", "INT", [](double x, Rnd&) { return std::floor(x); }},
    {"fix", "FIX", [](double x, Rnd&) { return std::trunc(x); }},
    {"abs", "ABS", [](double x, Rnd&) { return std::fabs(x); }},
    {"sin", "SIN", [](double x, Rnd&) { return std::sin(x); }},
    {"cos", "COS", [](double x, Rnd&) { return std::cos(x); }},
    {"tan", "TAn", [](double x, Rnd&) { return std::tan(x); }},
    {"atn", "ATN", [](double x, Rnd&) { return std::atan(x); }},
    {"sqr", "SQR", [](double x, Rnd&) { return x < 0 ? Fail(FaultKind::SqrNegative) : std::sqrt(x); }},
    {"exp", "EXP", [](double x, Rnd&) { return std::exp(x); }},
    {"log", "LOG", [](double x, Rnd&) { return x <= 0 ? Fail(FaultKind::LogNotPositive) : std::log(x); }},
    {"rnd", "RND", [](double x, Rnd& rnd) { return static_cast<double>(rnd.Next(x)); }},
};

const Function* Named(std::string_view t)
{
    const auto f = std::ranges::find_if(kFunctions, [t](const Function& row) { return t == row.name || t == row.capital; });
    return f != std::end(kFunctions) ? f : nullptr;
}
bool IsFunctionName(std::string_view t) { return Named(t) != nullptr; }
bool IsVariable(std::string_view t) { return IsLetter(t) && !IsFunctionName(t); }

std::string Numbered(int position, const char* tail) { return "错误:第" + CountToText(position) + tail; }

// Whether next may follow cur; tail is the message when it may not.
bool Accepted(std::string_view cur, std::string_view next, const char*& tail)
{
    const bool operand = IsOperand(next) || IsOpening(next);
    const bool operatorOrClosing = IsOperatorToken(next) || IsClosing(next);
    if (IsOpening(cur)) return tail = "个字符它必需是( 正,负数,变量", operand;
    if (IsFunctionName(cur)) return tail = "个字符它必需(", IsOpening(next);
    if (IsOperand(cur) || IsClosing(cur)) return tail = "个字符它必需是纯操作符)", operatorOrClosing;
    if (IsOperatorToken(cur)) return tail = "个字符它必需是正,负数,变量(", operand;
    return true;
}

// The tokenizer's count in row 0 always matches the rows and fits 16 bits.
std::string CheckSyntax(const RowList& list)
{
    const int n = list.Count() - 1;
    if (!IsOperand(list.Read(1)) && !IsOpening(list.Read(1))) return "错误:第一个字符串类型只能是(,正,负常数,变量";
    int opening = IsOpening(list.Read(1)), closing = 0;
    for (int i = 1; i <= n - 1; ++i) {
        const std::string& next = list.Read(i + 1);
        opening += IsOpening(next);
        const char* tail = "位发现多于的)";
        if ((IsClosing(next) && ++closing > opening) || !Accepted(list.Read(i), next, tail)) return Numbered(i + 1, tail);
    }
    std::string message;
    if (IsFunctionName(list.Read(n))) message = Numbered(n + 1, "字符它必需是涵数前(");
    else if (!IsOperand(list.Read(n)) && !IsClosing(list.Read(n))) message = Numbered(n + 1, "结束字符它必需是正,负数,变量)");
    int balance = 0;
    for (int i = 1; i <= n; ++i) balance += IsOpening(list.Read(i)) - IsClosing(list.Read(i));
    return balance > 0 ? "错误:发现缺少)" : message;
}

struct Evaluation {
    RowList& rows;
    Rnd& rnd;
    int n = rows.Count() - 1, s = 0, e = 0;
    double x = 0;

    double Read(int row) { return Number(rows.Read(row), FaultKind::OperandNotNumber, rows.Read(row)); }

    static double Value(const Computed& c)
    {
        if (c.fault != FaultKind::None) throw Stop(Fault{c.fault, {}});
        return c.value;
    }

    // The six passes over rows from..end, each bounded by end as it stood when
    // the pass began. A reduction reads its left operand first, and a zero
    // divisor stops at once; every other one writes its value over the left
    // operand, moves the rows behind it up by two and rescans, unless its
    // right operand is the last row: then its rows stay.
    void Passes(int from, int& end)
    {
        for (char op : {'/', '^', '*', '\\', '+', '-'}) {
            if (n <= 2) continue;
            const int last = end;
            for (int j = from; j <= last;) {
                if (rows.Read(j) != std::string(1, op)) {
                    ++j;
                    continue;
                }
                const double a = Read(j - 1), b = Read(j + 1);
                if ((op == '/' || op == '\\') && b == 0) throw Stop{};
                rows.Write(j - 1, NumberToText(x = Value(kPassOrder[static_cast<size_t>(PassOf(op))].combine(a, b))));
                if (j + 1 >= end) break;
                for (int k = j + 2; k <= end; ++k) rows.Write(k - 2, rows.Read(k));
                end -= 2;
                j = from + 1;
            }
        }
    }

    // The group from the "(" in row s (or its function in row s - 1) to the ")" in row i.
    void Group(int i)
    {
        e = i - 1;
        x = Read(s + 1);
        if (IsFunctionName(rows.Read(s - 1))) --s;
        Passes(s, e);
        const Function* f = Named(rows.Read(s));
        const double v = f ? f->apply(x, rnd) : x;
        if (!std::isfinite(v)) throw Stop(Fault{FaultKind::Overflow, {}});
        rows.Write(s, f && f->name == "rnd" ? SingleToText(static_cast<float>(v)) : NumberToText(v));
        const int width = i - s;
        if (i < n) {
            for (int k = i + 1; k <= n; ++k) rows.Write(k - width, rows.Read(k));
            for (int k = n; k >= n - width + 1; --k) rows.Remove(k);
            n -= width;
        } else {
            // The ")" was the last token: n keeps counting the removed rows.
            for (int k = n; k >= s + 1; --k) rows.Remove(k);
        }
    }

    // Each ")" reduces its group and the scan starts again at row 1.
    std::string Run()
    {
        for (int i = 0, n0 = n; i <= n0;) {
            if (First(rows.Read(i)) == '(') s = i;
            if (First(rows.Read(i)) != ')') {
                ++i;
                continue;
            }
            const bool last = i == n;
            Group(i);
            if (last) break;
            i = 1;
        }
        Passes(0, n);
        x = Read(1);
        while (rows.Count() > 1) rows.Remove(rows.Count() - 1);
        rows.Write(1, NumberToText(x));
        return NumberToText(x);
    }
};

Outcome Cycle(WindowModel& w, RowList* tokens, bool textChanged)
{
    try {
        literal::Tokenize(w.text1, w.list1);  // not the engine's, which argument lookup also finds
        if (tokens) *tokens = w.list1;
        w.list2.Clear();
        for (int i = w.list1.Count() - 1; i >= 1; --i)
            if (IsVariable(w.list1.Read(i))) w.list2.Append(w.list1.Read(i));
        if (textChanged) {
            w.list3.Clear();
            for (int k = 0; k < w.list2.Count(); ++k) w.list3.Append("0");
            w.list3Index = -1;
        }
        for (int k = 0; k < w.list2.Count(); ++k) {
            const std::string name = w.list2.Read(k);
            const std::string value = NumberToText(Number(w.list3.Read(k), FaultKind::ValueNotNumber, name));
            for (int i = w.list1.Count() - 1; i >= 1; --i)
                if (IsVariable(w.list1.Read(i)) && w.list1.Read(i) == name) w.list1.Write(i, value);
        }
        w.title = literal::CheckSyntax(w.list1);
        if (!w.title.empty()) return Outcome::SyntaxMessage;
        w.label1 = Evaluation{w.list1, w.rnd}.Run();
        return Outcome::Result;
    } catch (const Stop& stop) {
        w.label1 = stop ? FaultMessage(*stop) : texts::kDivisorZero;
        return stop ? Outcome::Failure : Outcome::DivisorZero;
    }
}

}  // namespace

Outcome Text1_Change(WindowModel& w, RowList* tokens) { return Cycle(w, tokens, true); }

Outcome Command1_Click(WindowModel& w, RowList* tokens) { return Cycle(w, tokens, false); }

}  // namespace quorvel::literal
