#include "literal_model.h"

#include <cmath>
#include <variant>
#include <vector>

#include "arithmetic.h"
#include "number_text.h"
#include "token_class.h"

namespace quorvel::literal {

std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList)
{
    // The length is a 16-bit count and the scan steps one past the last
    // character, so 32767 characters already fail, before the list is touched.
    if (text.size() > 32766) return Fault{FaultKind::TooLong, {}};
    std::vector<std::string> tokens;
    bool inNumber = false, inName = false, point = false;
    for (const char16_t c : text) {
        const auto ascii = static_cast<char>(c);
        if (IsDigitChar(c) || c == u'.' || c == u'_') {
            if (!inNumber) {
                tokens.push_back(c == u'.' ? "0." : std::string(1, ascii));
                point = false;
            } else if (IsDigitChar(c) || (c == u'.' && !point)) {
                tokens.back() += ascii;
            }
            point = point || c == u'.';
            inNumber = true;
            inName = false;
        } else if (IsLetterChar(c)) {
            if (!inName) tokens.emplace_back();
            tokens.back() += ascii;
            inName = true;
            inNumber = false;
        } else {
            if (std::u16string_view(u")(*\\/+-^").find(c) != std::u16string_view::npos) tokens.emplace_back(1, ascii);
            inNumber = inName = false;
        }
    }
    // A leading "_" is the minus sign of a negative number; alone it is -1.
    for (std::string& t : tokens)
        if (t[0] == '_') t = t.size() == 1 ? "-1" : "-" + t.substr(1);
    tokenList.Clear();
    tokenList.Append(CountToText(static_cast<int>(tokens.size())));
    for (std::string& t : tokens) tokenList.Append(std::move(t));
    return std::nullopt;
}

void CollectVariables(const RowList& tokenList, RowList& nameList)
{
    nameList.Clear();
    for (int i = tokenList.Count() - 1; i >= 1; --i)
        if (IsVariable(tokenList.Read(i))) nameList.Append(tokenList.Read(i));
}

void ResetValues(const RowList& nameList, RowList& valueList)
{
    valueList.Clear();
    for (int k = 0; k < nameList.Count(); ++k) valueList.Append("0");
}

std::optional<Fault> ApplyValues(RowList& tokenList, const RowList& nameList, const RowList& valueList)
{
    for (int k = 0; k < nameList.Count(); ++k) {
        const std::string name = nameList.Read(k);
        const std::optional<double> value = TextToNumber(valueList.Read(k));
        if (!value) return Fault{FaultKind::ValueNotNumber, name};
        for (int i = tokenList.Count() - 1; i >= 1; --i)
            if (IsVariable(tokenList.Read(i)) && tokenList.Read(i) == name) tokenList.Write(i, NumberToText(*value));
    }
    return std::nullopt;
}

namespace {

const char* const kFirstToken = "错误:第一个字符串类型只能是(,正,负常数,变量";
const char* const kMissingClosing = "错误:发现缺少)";

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

}  // namespace

std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message)
{
    message.clear();
    const std::string& row0 = tokenList.Read(0);
    const std::optional<double> count = TextToNumber(row0);
    // n + 1 must be a 16-bit position too.
    if (!count || std::nearbyint(*count) < -32768 || std::nearbyint(*count) > 32766)
        return Fault{FaultKind::CountOutOfRange, row0};
    const int n = static_cast<int>(std::nearbyint(*count));
    if (!IsOperand(tokenList.Read(1)) && !IsOpening(tokenList.Read(1))) {
        message = kFirstToken;
        return std::nullopt;
    }
    int opening = IsOpening(tokenList.Read(1)) ? 1 : 0, closing = 0;
    for (int i = 1; i <= n - 1; ++i) {
        const std::string& next = tokenList.Read(i + 1);
        opening += IsOpening(next);
        if (IsClosing(next) && ++closing > opening) {
            message = Numbered(i + 1, "位发现多于的)");
            return std::nullopt;
        }
        const char* tail = nullptr;
        if (!Accepted(tokenList.Read(i), next, tail)) {
            message = Numbered(i + 1, tail);
            return std::nullopt;
        }
    }
    const std::string& last = tokenList.Read(n);
    if (IsFunctionName(last)) message = Numbered(n + 1, "字符它必需是涵数前(");
    else if (!IsOperand(last) && !IsClosing(last)) message = Numbered(n + 1, "结束字符它必需是正,负数,变量)");
    int balance = 0;
    for (int i = 1; i <= n; ++i) balance += IsOpening(tokenList.Read(i)) - IsClosing(tokenList.Read(i));
    if (balance > 0) message = kMissingClosing;
    return std::nullopt;
}

namespace {

enum Stop { None, DivisorZero, Failed };

struct Evaluation {
    RowList& rows;
    Rnd& rnd;
    int n = 0, s = 0, e = 0;
    double x = 0;
    Fault fault{};

    Stop Fail(Fault f)
    {
        fault = std::move(f);
        return Failed;
    }

    Stop Read(int row, double& v)
    {
        const std::optional<double> t = TextToNumber(rows.Read(row));
        if (!t) return Fail({FaultKind::OperandNotNumber, rows.Read(row)});
        v = *t;
        return None;
    }

    // Left operand first; a zero divisor changes nothing.
    Stop Reduce(char op, int j)
    {
        double a = 0, b = 0;
        if (Stop stop = Read(j - 1, a)) return stop;
        if (Stop stop = Read(j + 1, b)) return stop;
        if ((op == '/' || op == '\\') && b == 0) return DivisorZero;
        const Computed c = Combine(op, a, b);
        if (const Fault* f = std::get_if<Fault>(&c)) return Fail(*f);
        x = std::get<double>(c);
        rows.Write(j - 1, NumberToText(x));
        return None;
    }

    // The six passes over rows from..end, each bounded by end as it stood when
    // the pass began. Every reduction moves the rows behind it up by two and
    // rescans; one whose right operand is the last row leaves its rows.
    Stop Passes(int from, int& end)
    {
        for (char op : {'/', '^', '*', '\\', '+', '-'}) {
            if (n <= 2) continue;
            const int last = end;
            for (int j = from; j <= last;) {
                if (!IsOccurrence(rows.Read(j), op)) {
                    ++j;
                    continue;
                }
                if (Stop stop = Reduce(op, j)) return stop;
                if (j + 1 >= end) break;
                for (int k = j + 2; k <= end; ++k) rows.Write(k - 2, rows.Read(k));
                end -= 2;
                j = from + 1;
            }
        }
        return None;
    }

    // The group from the "(" in row s (or its function in row s - 1) to the ")" in row i.
    Stop Group(int i)
    {
        e = i - 1;
        if (Stop stop = Read(s + 1, x)) return stop;
        if (IsFunctionName(rows.Read(s - 1))) --s;
        if (Stop stop = Passes(s, e)) return stop;
        const Function f = FunctionNamed(rows.Read(s));
        const Computed c = Apply(f, x, rnd);
        if (const Fault* fault = std::get_if<Fault>(&c)) return Fail(*fault);
        const double v = std::get<double>(c);
        rows.Write(s, IsSingle(f) ? SingleToText(static_cast<float>(v)) : NumberToText(v));
        const int width = i - s;
        if (i < n) {
            for (int k = i + 1; k <= n; ++k) rows.Write(k - width, rows.Read(k));
            for (int k = n; k >= n - width + 1; --k) rows.Remove(k);
            n -= width;
        } else {
            // The ")" was the last token: n keeps counting the removed rows.
            for (int k = n; k >= s + 1; --k) rows.Remove(k);
        }
        return None;
    }

    Stop Run(std::string& result)
    {
        const int n0 = n;
        Stop stop = None;
        for (int i = 0; i <= n0 && !stop;) {
            const char first = First(rows.Read(i));
            if (first == ')') {
                const bool last = i == n;
                stop = Group(i);
                if (last) break;
                i = 1;
                continue;
            }
            if (first == '(') s = i;
            ++i;
        }
        if (!stop) stop = Passes(0, n);
        if (!stop) stop = Read(1, x);
        if (stop) return stop;
        while (rows.Count() > 1) rows.Remove(rows.Count() - 1);
        rows.Write(1, result = NumberToText(x));
        return None;
    }
};

}  // namespace

std::optional<Fault> Evaluate(RowList& tokenList, Rnd& rnd, std::string& result)
{
    const std::string row0 = tokenList.Read(0);
    const std::optional<double> count = TextToNumber(row0);
    const int rowsAfterCount = tokenList.Count() - 1;
    if (!count || std::nearbyint(*count) != rowsAfterCount || rowsAfterCount > 32766)
        return Fault{FaultKind::CountOutOfRange, row0};
    Evaluation evaluation{tokenList, rnd, rowsAfterCount};
    switch (evaluation.Run(result)) {
    case None: return std::nullopt;
    case DivisorZero: result = kDivisorZero; return std::nullopt;
    case Failed: return evaluation.fault;
    }
    return std::nullopt;
}

namespace {

Outcome Cycle(WindowModel& w, RowList* tokens, bool textChanged)
{
    auto fail = [&w](const Fault& fault) {
        w.label1 = FaultMessage(fault);
        return Outcome::Failure;
    };
    if (auto fault = Tokenize(w.text1, w.list1)) return fail(*fault);
    if (tokens) *tokens = w.list1;
    CollectVariables(w.list1, w.list2);
    if (textChanged) {
        ResetValues(w.list2, w.list3);
        w.list3Index = -1;
    }
    if (auto fault = ApplyValues(w.list1, w.list2, w.list3)) return fail(*fault);
    std::string message;
    if (auto fault = CheckSyntax(w.list1, message)) return fail(*fault);
    w.title = message;
    if (!message.empty()) return Outcome::SyntaxMessage;
    w.label1.clear();
    std::string result;
    if (auto fault = Evaluate(w.list1, w.rnd, result)) return fail(*fault);
    w.label1 = result;
    return result == kDivisorZero ? Outcome::DivisorZero : Outcome::Result;
}

}  // namespace

Outcome Text1_Change(WindowModel& w, RowList* tokens) { return Cycle(w, tokens, true); }

Outcome Command1_Click(WindowModel& w, RowList* tokens) { return Cycle(w, tokens, false); }

}  // namespace quorvel::literal
