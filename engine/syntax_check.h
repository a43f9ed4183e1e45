#pragma once
#include <optional>
#include <string>
#include <variant>

#include "fault.h"
#include "row_list.h"

namespace quorvel {

// What the check finds wrong with a token list.
enum class SyntaxKind {
    FirstToken,        // the first token cannot begin an expression
    MissingClose,      // a "(" is left open
    SurplusClose,      // a ")" closes no "("
    AfterOpening,      // after "(" comes no operand, function or "("
    AfterFunction,     // after a function name comes no "("
    AfterOperand,      // after an operand or ")" comes no operator or ")"
    AfterOperator,     // after an operator comes no operand, function or "("
    EndsWithFunction,  // the last token is a function name
    EndsWithOperator,  // the last token is an operator or "("
};

// A rejected token list: what is wrong; the row of the token it is about
// (the misplaced token, the first or the last token, or the "(" left open;
// 0 when there is none); and the position the message names, which for the
// last token is one past it.
struct SyntaxError {
    SyntaxKind kind;
    int token = 0;
    int position = 0;
    bool operator==(const SyntaxError&) const = default;
};

// What the check says: nothing when the tokens form an acceptable expression.
using Verdict = std::optional<SyntaxError>;

// Reads the token list. Fails only when row 0 is not a count the 16-bit
// list can hold.
std::variant<Verdict, Fault> CheckSyntax(const RowList& tokenList);

// The message the title shows for an error.
std::string SyntaxMessage(const SyntaxError& error);

}  // namespace quorvel
