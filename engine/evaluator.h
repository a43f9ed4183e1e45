#pragma once
#include <string>
#include <variant>

#include "fault.h"
#include "rnd.h"
#include "row_list.h"
#include "cells.h"

namespace quorvel {

// What a reduction ends with: the result's text; a zero divisor, which the
// window shows as "除数为0错"; or a fault.
struct Result {
    std::string text;
};
struct DivisorZero {};
using Evaluation = std::variant<Result, DivisorZero, Fault>;

// Reduces a checked token list in place: every parenthesised group,
// innermost and leftmost first, then the whole, each by six left-to-right
// passes in the order of kPassOrder. Afterwards the list holds row 0 and
// the result; at a zero divisor or a fault it stays as it stood there.
// kept is working storage, used again from call to call (see Scratch).
Evaluation Evaluate(RowList& tokenList, Rnd& rnd, EvaluatorRows& kept);

}  // namespace quorvel
