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

}  // namespace

std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList)
{
    if (text.size() > static_cast<size_t>(kMaxTextLength)) return Fault{FaultKind::TooLong, {}};

    std::vector<std::string> tokens;
    bool inNumber = false;
    bool inName = false;
    bool pointSeen = false;
    for (char16_t c : text) {
        if (IsNumberChar(c) && !inNumber) {
            if (c == '.') {
                tokens.emplace_back("0.");
                pointSeen = true;
            } else {
                tokens.emplace_back(1, static_cast<char>(c));
                pointSeen = false;
            }
            inNumber = true;
            inName = false;
        } else if (IsDigitChar(c)) {  // inNumber
            tokens.back().push_back(static_cast<char>(c));
        } else if (c == '.') {  // inNumber: a second point is dropped
            if (!pointSeen) {
                tokens.back().push_back('.');
                pointSeen = true;
            }
        } else if (c == '_') {  // inNumber: dropped, the number goes on
        } else if (IsLetterChar(c)) {
            if (inName) {
                tokens.back().push_back(static_cast<char>(c));
            } else {
                tokens.emplace_back(1, static_cast<char>(c));
                inName = true;
                inNumber = false;
            }
        } else if (IsOperatorChar(c)) {
            tokens.emplace_back(1, static_cast<char>(c));
            inNumber = inName = false;
        } else {
            inNumber = inName = false;
        }
    }
    for (std::string& t : tokens) ApplySign(t);

    std::vector<std::string>& rows = tokenList.MutableRows();
    rows.clear();
    rows.reserve(tokens.size() + 1);
    rows.push_back(CountToText(static_cast<int>(tokens.size())));
    for (std::string& t : tokens) rows.push_back(std::move(t));
    return std::nullopt;
}

}  // namespace quorvel
