#pragma once
// The window's controls as plain data, and the handlers of the value box and
// the value list. No toolkit here; the calculation cycle is in cycle.h.
#include <optional>
#include <string>

#include "rnd.h"
#include "row_list.h"
#include "scratch.h"
#include "syntax_check.h"
#include "texts.h"
#include "tokenizer.h"

namespace quorvel {

enum class Outcome {
    NotRun,         // no cycle ran: the text did not change, or none yet
    Result,         // Label1 holds the result
    SyntaxMessage,  // the title holds the check's message
    DivisorZero,    // Label1 holds the zero divisor's message
    Failure,        // a step could not complete; Label1 says why
};

struct WindowModel {
    std::string title = texts::kWindowTitle;
    std::u16string text1;        // expression box, as UTF-16 code units
    std::string label1;          // result label
    RowList list1;               // token list
    RowList list2;               // name list
    RowList list3;               // value list
    int list3Index = -1;         // selected row of List3, -1 for none
    std::string text2 = "0";     // value box
    std::optional<SyntaxError> syntaxError;  // what the title's message says; none when it shows none
    std::optional<TokenSpan> marked;  // in Text1, the token the title's message is about
    Outcome outcome = Outcome::NotRun;  // what the last cycle or file work ended with
    Rnd rnd;                     // the generator behind rnd
    Scratch scratch;             // the calculation's working storage
};

// Selects row of List3 and loads its text into the value box.
void List3_Click(WindowModel& w, int row);

// Assigns the value box, running Text2_Change when the text changes.
void SetText2(WindowModel& w, std::string text);

// Writes the value box into the selected row of List3; with no row selected
// the value list stays as it is.
void Text2_Change(WindowModel& w);

}  // namespace quorvel
