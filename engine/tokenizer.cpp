#include "tokenizer.h"

#include <string>

#include "number_text.h"
#include "passes.h"
#include "token_class.h"

namespace quorvel {

namespace {

bool IsNumberChar(char16_t c) { return IsDigitChar(c) || c == '.' || c == '_'; }

// An operator or a parenthesis: a token of its own.
bool IsSingleChar(char16_t c) { return c == '(' || c == ')' || IsOperatorChar(c); }

// "_" in front of a number is its minus sign; a lone "_" stands for -1.
void ApplySign(std::string& token)
{
    if (token.empty() || token[0] != '_') return;
    if (token.size() == 1) token = "-1";
    else token[0] = '-';
}

// The number that starts at text[i], which moves past it. Inside a number
// a second point and every "_" are dropped.
std::string ReadNumber(std::u16string_view text, size_t& i)
{
    bool pointSeen = text[i] == '.';
    std::string token = pointSeen ? std::string("0.") : std::string(1, static_cast<char>(text[i]));
    for (++i; i < text.size() && IsNumberChar(text[i]); ++i) {
        const char16_t c = text[i];
        if (IsDigitChar(c)) {
            token.push_back(static_cast<char>(c));
        } else if (c == '.' && !pointSeen) {
            token.push_back('.');
            pointSeen = true;
        }
    }
    ApplySign(token);
    return token;
}

// The name that starts at text[i], which moves past it.
std::string ReadName(std::u16string_view text, size_t& i)
{
    const size_t start = i;
    while (i < text.size() && IsLetterChar(text[i])) ++i;
    std::string token(i - start, '\0');
    for (size_t k = start; k < i; ++k) token[k - start] = static_cast<char>(text[k]);
    return token;
}

}  // namespace

std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList, std::vector<TokenSpan>* spans)
{
    if (text.size() > static_cast<size_t>(kMaxTextLength)) return Fault{FaultKind::TooLong, {}};

    // The length is known to fit, so the list can be rewritten as the scan goes.
    tokenList.Clear();
    if (spans) spans->clear();
    tokenList.Append({});  // row 0: the count, once it is known
    // A number runs over digits, "." and "_", a name over letters, and an
    // operator is one character; everything else separates tokens.
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        const char16_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : u'\0';
        if (IsSingleChar(c) || (IsDigitChar(c) && !IsNumberChar(next)) || (IsLetterChar(c) && !IsLetterChar(next))) {
            tokenList.AppendCharacter(static_cast<char>(c));  // a whole token of one character
            ++i;
        } else if (IsNumberChar(c) || IsLetterChar(c)) {
            tokenList.Append(IsLetterChar(c) ? ReadName(text, i) : ReadNumber(text, i));
        } else {
            ++i;
            continue;
        }
        if (spans) spans->push_back({static_cast<int>(start), static_cast<int>(i)});
    }
    tokenList.Write(0, CountToText(tokenList.Count() - 1));
    return std::nullopt;
}

}  // namespace quorvel
