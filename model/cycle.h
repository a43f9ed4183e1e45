#pragma once
// The calculation cycle: text → tokens → variables → check → evaluate, run
// on the window's state. The window, the file loader and the companion all
// drive it through these events and read what happened from their outcome.
#include <optional>
#include <string>

#include "row_list.h"
#include "window_model.h"

namespace quorvel {

// On a change of Text1: the values are reset to "0". When tokens is given it
// receives the rows of List1 right after tokenizing.
Outcome Text1_Change(WindowModel& w, RowList* tokens = nullptr);

// On a click of "计算": the values are kept.
Outcome Command1_Click(WindowModel& w, RowList* tokens = nullptr);

// Assigns Text1, running Text1_Change when the text changes.
Outcome SetText1(WindowModel& w, std::u16string text);

// How the six passes read Text1 (see Reading), made only when asked for:
// nothing when the text is too long or its check fails.
std::optional<std::u16string> ReadText1(WindowModel& w);

}  // namespace quorvel
