#pragma once
// The variables of the current expression: the name list holds one row per
// occurrence of a variable token, last occurrence first, and the value list
// holds the value of row k of the name list in its row k.
#include <optional>

#include "fault.h"
#include "row_list.h"

namespace quorvel {

// Rebuilds the name list from the variable tokens, in reverse text order.
void CollectVariables(const RowList& tokenList, RowList& nameList);

// Rebuilds the value list with one "0" per row of the name list.
void ResetValues(const RowList& nameList, RowList& valueList);

// Replaces every variable token by the number text of the value of the
// first name-list row with its name. Every value row is converted in order;
// at the first that is not a number the result is a ValueNotNumber fault and
// only the names of the rows before it have been substituted.
std::optional<Fault> ApplyValues(RowList& tokenList, const RowList& nameList, const RowList& valueList);

}  // namespace quorvel
