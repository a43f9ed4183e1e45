#pragma once
#include <string>
#include <variant>

#include "fault.h"
#include "row_list.h"

namespace quorvel {

// What the check says: the message for the title, the empty text when the
// tokens form an acceptable expression, and the row of the token the
// message is about: the misplaced token, the first or the last token, or
// the "(" left open; 0 when there is none.
struct Verdict {
    std::string message;
    int token = 0;
    bool operator==(const Verdict&) const = default;
};

// Reads the token list. Fails only when row 0 is not a count the 16-bit
// list can hold.
std::variant<Verdict, Fault> CheckSyntax(const RowList& tokenList);

}  // namespace quorvel
