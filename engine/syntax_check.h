#pragma once
#include <optional>
#include <string>

#include "fault.h"
#include "row_list.h"

namespace quorvel {

// Reads the token list and sets message to the first problem found, or to
// the empty text when the tokens form an acceptable expression. Fails only
// when row 0 is not a count the 16-bit list can hold. When token is given it
// receives the row of the token the message is about: the misplaced token,
// the first or the last token, or the "(" left open; 0 when there is none.
std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message, int* token = nullptr);

}  // namespace quorvel
