#pragma once
// A second, naive implementation of the calculation cycle for the tests to
// hold the engine against: each step works row by row through RowList, with
// the copying, rescans and removals the engine avoids. It shares the
// engine's number texts (number_text.h), arithmetic (arithmetic.h), token
// classes and function names (token_class.h), fault messages (fault.h), the
// generator behind rnd and RowList itself, so it does not check those.
#include <optional>
#include <string>

#include "cycle.h"
#include "fault.h"

namespace quorvel::literal {

std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList);
void CollectVariables(const RowList& tokenList, RowList& nameList);
void ResetValues(const RowList& nameList, RowList& valueList);
std::optional<Fault> ApplyValues(RowList& tokenList, const RowList& nameList, const RowList& valueList);
std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message);
std::optional<Fault> Evaluate(RowList& tokenList, Rnd& rnd, std::string& result);

Outcome Text1_Change(WindowModel& w, RowList* tokens = nullptr);
Outcome Command1_Click(WindowModel& w, RowList* tokens = nullptr);

}  // namespace quorvel::literal
