#pragma once
// A second, deliberately naive implementation of the calculation cycle that
// the tests hold the engine against. Every step works row by row through
// RowList, with the same copying, rescans and removals the engine avoids,
// so that each observable row can be traced to one written step.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "fault.h"
#include "rnd.h"
#include "row_list.h"
#include "window_model.h"

namespace quorvel::literal {

std::optional<Fault> Tokenize(std::u16string_view text, RowList& tokenList);

void CollectVariables(const RowList& tokenList, RowList& nameList);
void ResetValues(const RowList& nameList, RowList& valueList);
std::optional<Fault> ApplyValues(RowList& tokenList, const RowList& nameList, const RowList& valueList);
void SubstituteVariable(RowList& tokenList, std::string_view name, double value);

std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message);

std::optional<Fault> Evaluate(RowList& tokenList, Rnd& rnd, std::string& result);

void Text1_Change(WindowModel& w, RowList* tokens = nullptr);
void Command1_Click(WindowModel& w, RowList* tokens = nullptr);

// Evaluate with an observer that sees the token list after every reduction
// ("reduce"), after a group has been replaced by its value ("group") and
// after the top level has moved rows up behind a reduction ("move").
using EvaluateObserver = std::function<void(std::string_view event, const RowList& rows)>;
std::optional<Fault> EvaluateObserved(RowList& tokenList, Rnd& rnd, std::string& result,
                                      const EvaluateObserver& observe);

}  // namespace quorvel::literal
