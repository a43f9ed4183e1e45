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

    // The length is known to fit, so the list can be rewritten as the scan goes.
    std::vector<std::string>& tokens = tokenList.MutableRows();
    tokens.clear();
    tokens.emplace_back();  // row 0: the count, once it is known
    bool inNumber = false;
    bool inName = false;
    bool pointSeen = false;
    bool signs = false;
    for (char16_t c : text) {
        if (IsNumberChar(c) && !inNumber) {
            if (c == '.') {
                tokens.emplace_back("0.");
                pointSeen = true;
            } else {
                tokens.emplace_back(1, static_cast<char>(c));
                pointSeen = false;
                signs |= c == '_';
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
    if (signs)
        for (size_t k = 1; k < tokens.size(); ++k) ApplySign(tokens[k]);
    tokens[0] = CountToText(static_cast<int>(tokens.size() - 1));
    return std::nullopt;
}

}  // namespace quorvel
