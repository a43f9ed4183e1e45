#include "tokenizer.h"

#include <string>
#include <vector>

#include "number_text.h"
#include "token_class.h"

namespace quorvel {

namespace {

bool IsNumberChar(char16_t c) { return IsDigitChar(c) || c == '.' || c == '_'; }

bool IsOperatorChar(char16_t c)
{
    switch (c) {
    case ')': case '(': case '*': case '\\': case '/': case '+': case '-': case '^': return true;
    default: return false;
    }
}

// "_" in front of a number is its minus sign; a lone "_" stands for -1.
void ApplySign(std::string& token)
{
    if (token.empty() || token[0] != '_') return;
    if (token.size() == 1) token = "-1";
    else token[0] = '-';
}

// The scan: every character starts a token, extends the last one, is
// dropped inside a number, or separates. sink.Start(i, first) begins a token
// at code unit i, sink.Extend(i, c) appends c, sink.Keep(i) drops a
// character that still belongs to the number.
template <class Sink>
void Scan(std::u16string_view text, Sink& sink)
{
    bool inNumber = false;
    bool inName = false;
    bool pointSeen = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsNumberChar(c) && !inNumber) {
            pointSeen = c == '.';
            const char first = static_cast<char>(c);
            sink.Start(i, pointSeen ? std::string_view("0.") : std::string_view(&first, 1));
            inNumber = true;
            inName = false;
        } else if (IsDigitChar(c)) {  // inNumber
            sink.Extend(i, static_cast<char>(c));
        } else if (c == '.' && !pointSeen) {  // inNumber
            sink.Extend(i, '.');
            pointSeen = true;
        } else if (c == '.' || c == '_') {  // inNumber: dropped, the number goes on
            sink.Keep(i);
        } else if (IsLetterChar(c)) {
            const char letter = static_cast<char>(c);
            if (inName) sink.Extend(i, letter);
            else sink.Start(i, std::string_view(&letter, 1));
            inName = true;
            inNumber = false;
        } else if (IsOperatorChar(c)) {
            const char op = static_cast<char>(c);
            sink.Start(i, std::string_view(&op, 1));
            inNumber = inName = false;
        } else {
            inNumber = inName = false;
        }
    }
}

}  // namespace

std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList)
{
    if (text.size() > static_cast<size_t>(kMaxTextLength)) return Fault{FaultKind::TooLong, {}};

    // The length is known to fit, so the list can be rewritten as the scan goes.
    struct Texts {
        std::vector<std::string>& tokens;
        bool signs = false;
        void Start(size_t, std::string_view first)
        {
            tokens.emplace_back(first);
            signs |= first[0] == '_';
        }
        void Extend(size_t, char c) { tokens.back().push_back(c); }
        void Keep(size_t) {}
    } sink{tokenList.MutableRows()};
    sink.tokens.clear();
    sink.tokens.emplace_back();  // row 0: the count, once it is known
    Scan(text, sink);
    std::vector<std::string>& tokens = sink.tokens;
    if (sink.signs)
        for (size_t k = 1; k < tokens.size(); ++k) ApplySign(tokens[k]);
    tokens[0] = CountToText(static_cast<int>(tokens.size() - 1));
    return std::nullopt;
}

std::vector<TokenSpan> TokenSpans(std::u16string_view text)
{
    struct Spans {
        std::vector<TokenSpan> spans;
        void Start(size_t i, std::string_view) { spans.push_back({static_cast<int>(i), static_cast<int>(i) + 1}); }
        void Extend(size_t i, char) { spans.back().end = static_cast<int>(i) + 1; }
        void Keep(size_t i) { spans.back().end = static_cast<int>(i) + 1; }
    } sink;
    if (text.size() <= static_cast<size_t>(kMaxTextLength)) Scan(text, sink);
    return std::move(sink.spans);
}

}  // namespace quorvel
