#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "fault.h"
#include "row_list.h"

namespace quorvel {

// Longest expression text, in UTF-16 code units, that the token list can take.
inline constexpr int kMaxTextLength = 32766;

// Where a token stands in the text: code units [start, end).
struct TokenSpan {
    int start = 0;
    int end = 0;
};

// Rewrites the token list from the expression text: row 0 the token count,
// then the tokens in text order; when spans is given, it is rewritten with
// where each token stands. A text beyond kMaxTextLength is a TooLong fault
// and leaves the list and the spans exactly as they were.
std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList, std::vector<TokenSpan>* spans = nullptr);

}  // namespace quorvel
