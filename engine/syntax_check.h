#pragma once
#include <optional>
#include <string>

#include "fault.h"
#include "row_list.h"

namespace quorvel {

// Reads the token list and sets message to the first problem found, or to
// the empty text when the tokens form an acceptable expression. Fails only
// when row 0 is not a count the 16-bit list can hold.
std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message);

}  // namespace quorvel
