#pragma once
#include <optional>
#include <string>

#include "fault.h"
#include "rnd.h"
#include "row_list.h"

namespace quorvel {

// Reduces a checked token list in place: every parenthesised group,
// innermost and leftmost first, then the whole, each by six left-to-right
// passes in the fixed order "/", "^", "*", "\", "+", "-". Afterwards the list
// holds row 0 and the result, and result holds its text, or "除数为0错" with
// the list as it stood at the zero divisor. On a fault the list also stays as
// it stood when the fault was met and result is left alone.
std::optional<Fault> Evaluate(RowList& tokenList, Rnd& rnd, std::string& result);

}  // namespace quorvel
