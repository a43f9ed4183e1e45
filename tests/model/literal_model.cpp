// Tokenizer, variable binding, syntax check and the calculation cycle of the
// literal model. Evaluate lives in literal_evaluate.cpp.
#include "literal_model.h"

#include <cmath>
#include <vector>

#include "number_text.h"
#include "token_class.h"

namespace quorvel::literal {

namespace {

bool IsNumberChar(char16_t c) { return IsDigitChar(c) || c == u'.' || c == u'_'; }

bool IsOperatorChar(char16_t c)
{
    switch (c) {
    case u')': case u'(': case u'*': case u'\\': case u'/': case u'+': case u'-': case u'^': return true;
    default: return false;
    }
}

// The list controls address rows with 16-bit signed integers.
constexpr int kInt16Max = 32767;

}  // namespace

std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList)
{
    // Taking the length as a 16-bit count fails above 32767; a text of exactly
    // 32767 fails once the position steps past it after the last character.
    // Both happen before the token list is touched.
    const auto textLength = static_cast<long long>(text.size());
    if (textLength > kInt16Max) return Fault{FaultKind::TooLong, {}};
    const int length = static_cast<int>(textLength);

    // Phase 1: scan.
    std::vector<std::string> tokens;
    int tokenCount = 0;
    bool inNumber = false;
    bool inName = false;
    bool pointSeen = false;
    for (int position = 1; position <= length; ++position) {
        const char16_t c = text[static_cast<size_t>(position - 1)];
        if (IsNumberChar(c) && !inNumber) {
            if (c == u'.') {
                tokens.emplace_back("0.");
                pointSeen = true;
            } else {
                tokens.emplace_back(1, static_cast<char>(c));
                pointSeen = false;
            }
            ++tokenCount;
            inNumber = true;
            inName = false;
        } else if (IsDigitChar(c) && inNumber) {
            tokens.back().push_back(static_cast<char>(c));
        } else if (c == u'.' && inNumber && !pointSeen) {
            tokens.back().push_back('.');
            pointSeen = true;
        } else if (c == u'.' && inNumber && pointSeen) {
            // dropped; the number goes on
        } else if (c == u'_' && inNumber) {
            // dropped; the number goes on
        } else if (IsLetterChar(c) && !inName) {
            tokens.emplace_back(1, static_cast<char>(c));
            ++tokenCount;
            inName = true;
            inNumber = false;
        } else if (IsLetterChar(c) && inName) {
            tokens.back().push_back(static_cast<char>(c));
        } else if (IsOperatorChar(c)) {
            tokens.emplace_back(1, static_cast<char>(c));
            ++tokenCount;
            inNumber = false;
            inName = false;
        } else {
            inNumber = false;
            inName = false;
        }
        if (position == kInt16Max) return Fault{FaultKind::TooLong, {}};
    }

    // Phase 2: a leading "_" becomes the minus sign of a negative number.
    for (std::string& token : tokens) {
        if (token.empty() || token[0] != '_') continue;
        if (token == "_") {
            token = "-1";
        } else {
            token = "-" + token.substr(1);
        }
    }

    // Phase 3: the first row goes once for every row beyond it, then row 0
    // takes the count and every token write appends.
    const int rowsBefore = tokenList.Count();
    for (int k = 1; k < rowsBefore; ++k) tokenList.Remove(0);
    tokenList.Write(0, CountToText(tokenCount));
    for (int i = 1; i <= tokenCount; ++i) tokenList.Write(i, tokens[static_cast<size_t>(i - 1)]);
    return std::nullopt;
}

void CollectVariables(const RowList& tokenList, RowList& nameList)
{
    for (int r = nameList.Count() - 1; r >= 0; --r) nameList.Remove(r);
    const int n = tokenList.Count();
    for (int i = n - 1; i >= 1; --i) {
        const std::string& row = tokenList.Read(i);
        if (!IsLetter(row)) continue;
        if (IsFunctionName(row)) continue;
        nameList.Append(row);
    }
}

void ResetValues(const RowList& nameList, RowList& valueList)
{
    for (int r = valueList.Count() - 1; r >= 0; --r) valueList.Remove(r);
    const int m = nameList.Count();
    for (int j = 0; j < m; ++j) valueList.Write(j, CountToText(0));
}

std::optional<Fault> ApplyValues(RowList& tokenList, const RowList& nameList, const RowList& valueList)
{
    const int m = nameList.Count();
    for (int k = 0; k < m; ++k) {
        const std::string name = nameList.Read(k);
        const std::optional<double> value = TextToNumber(valueList.Read(k));
        if (!value) return Fault{FaultKind::ValueNotNumber, name};
        SubstituteVariable(tokenList, name, *value);
    }
    return std::nullopt;
}

void SubstituteVariable(RowList& tokenList, std::string_view name, double value)
{
    const int n = tokenList.Count();
    for (int i = n - 1; i >= 1; --i) {
        const std::string& row = tokenList.Read(i);
        if (!IsLetter(row)) continue;
        if (IsFunctionName(row)) continue;
        if (row == name) tokenList.Write(i, NumberToText(value));
    }
}

namespace {

const char* const kFirstToken = "错误:第一个字符串类型只能是(,正,负常数,变量";
const char* const kSurplusClosing = "位发现多于的)";
const char* const kAfterOpening = "个字符它必需是( 正,负数,变量";
const char* const kAfterFunction = "个字符它必需(";
const char* const kAfterOperand = "个字符它必需是纯操作符)";
const char* const kAfterOperator = "个字符它必需是正,负数,变量(";
const char* const kEndsInFunction = "字符它必需是涵数前(";
const char* const kEndsBadly = "结束字符它必需是正,负数,变量)";
const char* const kMissingClosing = "错误:发现缺少)";

std::string Numbered(int position, const char* tail) { return "错误:第" + CountToText(position) + tail; }

// The pair rule: whether next may follow cur, and the tail of the message
// when it may not.
bool Accepted(std::string_view cur, std::string_view next, const char*& tail)
{
    if (IsOpening(cur)) {
        tail = kAfterOpening;
        return IsOperand(next) || IsOpening(next);
    }
    if (IsFunctionName(cur)) {
        tail = kAfterFunction;
        return IsOpening(next);
    }
    if (IsOperand(cur)) {
        tail = kAfterOperand;
        return IsOperatorToken(next) || IsClosing(next);
    }
    if (IsOperatorToken(cur)) {
        tail = kAfterOperator;
        return IsOperand(next) || IsOpening(next);
    }
    if (IsClosing(cur)) {
        tail = kAfterOperand;
        return IsOperatorToken(next) || IsClosing(next);
    }
    // Every token at a scanned position was accepted before it, so one of
    // the rows above always matches.
    tail = "";
    return true;
}

}  // namespace

std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message)
{
    message.clear();

    // 1. Count.
    const std::string& row0 = tokenList.Read(0);
    const std::optional<double> count = TextToNumber(row0);
    if (!count) return Fault{FaultKind::CountOutOfRange, row0};
    const double rounded = std::nearbyint(*count);
    // n + 1 has to fit in 16 bits as well.
    if (rounded < -32768 || rounded > kInt16Max - 1) return Fault{FaultKind::CountOutOfRange, row0};
    const int n = static_cast<int>(rounded);

    // 2. First token.
    const std::string& first = tokenList.Read(1);
    if (!IsOperand(first) && !IsOpening(first)) {
        message = kFirstToken;
        return std::nullopt;
    }
    int opening = IsOpening(first) ? 1 : 0;
    int closing = 0;

    // 3. Scan the adjacent pairs.
    for (int i = 1; i <= n - 1; ++i) {
        const std::string& cur = tokenList.Read(i);
        const std::string& next = tokenList.Read(i + 1);
        if (IsOpening(next)) {
            ++opening;
        } else if (IsClosing(next)) {
            ++closing;
            if (closing > opening) {
                message = Numbered(i + 1, kSurplusClosing);
                return std::nullopt;
            }
        }
        const char* tail = nullptr;
        if (!Accepted(cur, next, tail)) {
            message = Numbered(i + 1, tail);
            return std::nullopt;
        }
    }

    // 4. End.
    const std::string& last = tokenList.Read(n);
    if (IsFunctionName(last)) {
        message = Numbered(n + 1, kEndsInFunction);
    } else if (!IsOperand(last) && !IsClosing(last)) {
        message = Numbered(n + 1, kEndsBadly);
    }
    int openingTotal = 0;
    int closingTotal = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string& token = tokenList.Read(i);
        if (IsOpening(token)) ++openingTotal;
        if (IsClosing(token)) ++closingTotal;
    }
    if (openingTotal > closingTotal) message = kMissingClosing;

    // 5.
    return std::nullopt;
}

namespace {

void Fail(WindowModel& w, const Fault& fault)
{
    w.failure = FaultMessage(fault);
    w.label1 = *w.failure;
}

void Cycle(WindowModel& w, RowList* tokens, bool textChanged)
{
    w.failure.reset();

    if (auto fault = Tokenize(w.text1, w.list1)) return Fail(w, *fault);
    if (tokens) *tokens = w.list1;

    CollectVariables(w.list1, w.list2);

    if (textChanged) {
        ResetValues(w.list2, w.list3);
        w.list3Index = -1;
    }

    if (auto fault = ApplyValues(w.list1, w.list2, w.list3)) return Fail(w, *fault);

    std::string message;
    if (auto fault = CheckSyntax(w.list1, message)) return Fail(w, *fault);
    w.title = message;
    if (!message.empty()) return;

    w.label1.clear();
    std::string result;
    if (auto fault = Evaluate(w.list1, w.rnd, result)) return Fail(w, *fault);
    w.label1 = result;
}

}  // namespace

void Text1_Change(WindowModel& w, RowList* tokens) { Cycle(w, tokens, true); }

void Command1_Click(WindowModel& w, RowList* tokens) { Cycle(w, tokens, false); }

}  // namespace quorvel::literal
