#pragma once
// A second, naive implementation of the calculation cycle for the tests to
// hold the engine against: each step works row by row through RowList, with
// the copying, rescans and removals the engine avoids, and the functions
// from a table of its own. It shares the engine's number texts
// (number_text.h), operators (passes.h), token classes (token_class.h), fault
// messages (fault.h), the generator behind rnd, RowList and the window's
// value handlers, so it does not check those.
#include "cycle.h"

namespace quorvel::literal {

Outcome Text1_Change(WindowModel& w, RowList* tokens = nullptr);
Outcome Command1_Click(WindowModel& w, RowList* tokens = nullptr);

}  // namespace quorvel::literal
