#include "checks.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "number_text.h"
#include "utf.h"

namespace quorvel::fuzz {

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

constexpr std::array<std::string_view, 22> kFunctionNames{
    "int", "INT", "fix", "FIX", "abs", "ABS", "sin", "SIN", "cos", "COS", "tan",
    "TAn", "atn", "ATN", "sqr", "SQR", "exp", "EXP", "log", "LOG", "rnd", "RND"};

constexpr std::string_view kTooLong = "表达式超过32766个字符错";
constexpr std::string_view kCountOutOfRange = "记号数超出范围错";
constexpr std::string_view kDivisorZeroText = "除数为0错";

bool IsTokenText(std::string_view t)
{
    if (t.size() == 1 && std::string_view("()*\\/+-^").find(t[0]) != std::string_view::npos) return true;
    bool letters = !t.empty();
    for (char c : t) letters = letters && Letter(c);
    if (letters) return true;
    std::string_view body = t;
    const bool negative = !body.empty() && body[0] == '-';
    if (negative) body.remove_prefix(1);
    if (body.empty() || (!negative && !Digit(body[0]))) return false;
    int points = 0;
    for (char c : body) {
        if (c == '.') ++points;
        else if (!Digit(c)) return false;
    }
    return points <= 1;
}

// Digits after a prefix, as a number, or -1.
long long DigitsValue(std::string_view s)
{
    if (s.empty() || s.size() > 9) return -1;
    long long v = 0;
    for (char c : s) {
        if (!Digit(c)) return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string Dump(const WindowModel& w)
{
    std::string out = "  text1 (" + std::to_string(w.text1.size()) + " code units): " + Show(w.text1);
    out += "\n  title: " + Quote(w.title) + "\n  label1: " + Quote(w.label1);
    out += "\n  failure: " + (w.failure ? Quote(*w.failure) : std::string("(none)"));
    out += "\n  list1: " + Show(w.list1) + "\n  list2: " + Show(w.list2) + "\n  list3: " + Show(w.list3);
    out += "\n  list3Index: " + std::to_string(w.list3Index);
    return out;
}

}  // namespace

void Fail(const std::string& what)
{
    std::fprintf(stderr, "\n==== quorvel fuzz check failed ====\n%s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string Quote(std::string_view s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Show(std::u16string_view text)
{
    const bool cut = text.size() > 200;
    return Quote(Utf16ToUtf8(text.substr(0, 200))) + (cut ? "..." : "");
}

std::string Show(const RowList& list)
{
    std::string out = std::to_string(list.Count()) + " rows [";
    for (int i = 0; i < list.Count() && i < 40; ++i) out += (i ? ", " : "") + Quote(list.Read(i));
    return out + (list.Count() > 40 ? ", ...]" : "]");
}

bool IsNumberText(std::string_view s)
{
    std::string_view m = s;
    if (!m.empty() && m[0] == '-') m.remove_prefix(1);
    std::string_view exponent;
    if (const size_t e = m.find('e'); e != std::string_view::npos) {
        exponent = m.substr(e + 1);
        m = m.substr(0, e);
        if (exponent.size() < 3 || exponent.size() > 4 || (exponent[0] != '+' && exponent[0] != '-')) return false;
        if (DigitsValue(exponent.substr(1)) < 0) return false;
    }
    const size_t point = m.find('.');
    const std::string_view whole = m.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : m.substr(point + 1);
    if (whole.empty()) return false;
    for (char c : whole) if (!Digit(c)) return false;
    for (char c : fraction) if (!Digit(c)) return false;
    if (whole.size() > 1 && whole[0] == '0') return false;
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0')) return false;
    if (!exponent.empty() && (whole.size() != 1 || whole[0] == '0')) return false;
    // Significant digits: from the first non-zero digit on.
    std::string digits = std::string(whole) + std::string(fraction);
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return s == "0";
    if (digits.size() - first > 15) return false;
    // The conversion reads it back as the number it writes.
    const std::optional<double> v = TextToNumber(s);
    return v && NumberToText(*v) == s;
}

bool IsSyntaxMessage(std::string_view s, int tokens)
{
    if (s == "错误:第一个字符串类型只能是(,正,负常数,变量" || s == "错误:发现缺少)") return true;
    constexpr std::string_view kHead = "错误:第";
    if (!s.starts_with(kHead)) return false;
    s.remove_prefix(kHead.size());
    size_t n = 0;
    while (n < s.size() && Digit(s[n])) ++n;
    const long long position = DigitsValue(s.substr(0, n));
    const std::string_view tail = s.substr(n);
    static constexpr std::array<std::string_view, 5> kInner{
        "位发现多于的)", "个字符它必需是( 正,负数,变量", "个字符它必需(", "个字符它必需是纯操作符)",
        "个字符它必需是正,负数,变量("};
    static constexpr std::array<std::string_view, 2> kEnd{"字符它必需是涵数前(", "结束字符它必需是正,负数,变量)"};
    for (std::string_view t : kInner)
        if (tail == t) return position >= 2 && position <= tokens;
    for (std::string_view t : kEnd)
        if (tail == t) return position == tokens + 1;
    return false;
}

bool IsVariableName(std::string_view s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (!Letter(c)) return false;
    for (std::string_view f : kFunctionNames)
        if (s == f) return false;
    return true;
}

bool IsFailureMessage(std::string_view s)
{
    static constexpr std::array<std::string_view, 10> kPlain{
        kTooLong,          "数值溢出错",          "负数不能开平方错",          "对数的参数必须大于0错",
        "乘方没有实数结果错", "整除的操作数超出范围错", "整除的除数取整后为0错", "整除的结果超出范围错",
        kCountOutOfRange,  "计算错"};
    for (std::string_view p : kPlain)
        if (s == p) return true;
    if (s.starts_with("变量") && s.ends_with("的值不是数字错"))
        return IsVariableName(s.substr(6, s.size() - 6 - std::string_view("的值不是数字错").size()));
    if (s.starts_with("数字") && s.ends_with("无效错")) return s.size() > 6 + 9;
    return false;
}

void CheckCycle(const WindowModel& w, const Before& before, const RowList& tokens, bool textChange,
                std::string_view context)
{
    // Messages are made only on a failure: this runs for every token.
    auto require = [&](bool ok, const char* what, int row = -1) {
        if (ok) return;
        const std::string where = row >= 0 ? " (row " + std::to_string(row) + ")" : "";
        Fail(std::string(context) + ": " + what + where + "\n" + Dump(w) + "\n  tokens: " + Show(tokens));
    };
    if (w.failure) {
        require(w.label1 == *w.failure, "Label1 does not show the failure");
        require(IsFailureMessage(*w.failure), "not a failure message");
        require(*w.failure != kCountOutOfRange, "a tokenized list has a count out of range");
    }
    const bool tooLong = w.failure && *w.failure == kTooLong;
    require(tooLong == (w.text1.size() > 32766), "the too-long failure and the text length disagree");
    if (tooLong) {
        require(w.title == before.title, "a too-long text changed the title");
        require(w.list1 == before.list1 && w.list2 == before.list2 && w.list3 == before.list3,
                "a too-long text changed a list");
        require(w.list3Index == before.list3Index, "a too-long text changed the selection");
        return;
    }

    // Tokens: row 0 the count, then tokens of the token classes.
    require(tokens.Count() >= 1, "no token list");
    const int n = tokens.Count() - 1;
    const std::string count = std::to_string(n);
    require(tokens.Read(0) == count, "row 0 is not the token count");
    require(static_cast<size_t>(n) <= w.text1.size(), "more tokens than characters");
    for (int i = 1; i <= n; ++i) require(IsTokenText(tokens.Read(i)), "a token has no class", i);

    // Names: every variable token, last first; values: "0" each after a change.
    RowList names;
    for (int i = n; i >= 1; --i)
        if (IsVariableName(tokens.Read(i))) names.Append(tokens.Read(i));
    require(w.list2 == names, "List2 is not the variable tokens in reverse order");
    if (textChange) {
        require(w.list3.Count() == w.list2.Count(), "List3 and List2 differ in length after a change");
        for (const std::string& v : w.list3.Rows()) require(v == "0", "a value is not reset to 0");
        require(w.list3Index == -1, "the selection survived a text change");
    } else {
        require(w.list3 == before.list3, "a click changed the values");
        require(w.list3Index == before.list3Index, "a click changed the selection");
    }

    if (w.failure) {
        const std::string& f = *w.failure;
        if (f.starts_with("变量")) {
            require(w.title == before.title, "the check ran after a value failure");
            int k = 0;
            while (k < w.list2.Count() && TextToNumber(w.list3.Read(k))) ++k;
            require(k < w.list2.Count(), "a value failure with every value a number");
            require(f == "变量" + w.list2.Read(k) + "的值不是数字错", "the value failure names the wrong variable");
        } else {
            require(w.title.empty(), "an evaluation failure after a failed check");
            if (f.starts_with("数字")) {
                // Only "-." (from "_.") and literals beyond the range of a double are no numbers.
                bool named = false;
                for (int i = 1; i <= n && !named; ++i)
                    named = f == "数字" + tokens.Read(i) + "无效错" && !TextToNumber(tokens.Read(i));
                require(named, "the operand failure names no token that is not a number");
            }
        }
        return;
    }

    require(w.list1.Read(0) == tokens.Read(0), "row 0 of List1 changed");
    if (!w.title.empty()) {
        require(IsSyntaxMessage(w.title, n), "the title is no syntax message");
        require(w.label1 == before.label1, "a failed check changed Label1");
        require(w.list1.Count() == tokens.Count(), "a failed check changed the number of rows");
        for (int i = 1; i <= n; ++i) {
            const std::string& t = tokens.Read(i);
            const std::string& r = w.list1.Read(i);
            if (IsVariableName(t)) require(IsNumberText(r), "a variable row holds no number", i);
            else require(r == t, "a failed check changed a token row", i);
        }
        return;
    }
    if (w.label1 == kDivisorZeroText) return;
    require(IsNumberText(w.label1), "Label1 is no number text");
    require(w.list1.Count() == 2 && w.list1.Read(1) == w.label1, "List1 is not the count and the result");
}

void CheckStillUsable(WindowModel& w, std::string_view context)
{
    w.text1 = u"1+2";
    Text1_Change(w);
    const bool ok = !w.failure && w.label1 == "3" && w.title.empty() && w.list1 == (RowList{"3", "3"}) &&
                    w.list2.Count() == 0 && w.list3.Count() == 0 && w.list3Index == -1;
    if (!ok) Fail(std::string(context) + ": 1+2 no longer gives 3\n" + Dump(w));
}

}  // namespace quorvel::fuzz
