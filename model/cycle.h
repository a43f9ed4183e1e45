#pragma once
// The calculation cycle: text → tokens → variables → check → evaluate, run
// on the window's state. The window, the file loader and the companion all
// drive it through these events and read what happened from their outcome.
#include <optional>
#include <string>

#include "row_list.h"
#include "window_model.h"

namespace quorvel {

enum class Outcome {
    NotRun,         // the text did not change, so no cycle ran
    Result,         // Label1 holds the result
    SyntaxMessage,  // the title holds the check's message
    DivisorZero,    // Label1 holds the zero divisor's message
    Failure,        // a step could not complete; Label1 says why
};

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
