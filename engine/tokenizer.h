#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "fault.h"
#include "row_list.h"

namespace quorvel {

// Longest expression text, in UTF-16 code units, that the token list can take.
inline constexpr int kMaxTextLength = 32766;

// Rewrites the token list from the expression text: row 0 the token count,
// then the tokens in text order. A text beyond kMaxTextLength is a TooLong
// fault and leaves the list exactly as it was.
std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList);

// Where a token stands in the text: code units [start, end).
struct TokenSpan {
    int start = 0;
    int end = 0;
    bool operator==(const TokenSpan&) const = default;
};

// Rewrites spans with where each of the tokens that Tokenize writes for text
// stands, in token order; empty for a text beyond kMaxTextLength.
void TokenSpans(std::u16string_view text, std::vector<TokenSpan>& spans);

}  // namespace quorvel
