#pragma once
// What every calculation cycle leaves behind, checked from the outside: the
// shapes of the texts the window can show, and the rows the lists can hold.
// A broken rule prints what was seen and aborts, which the fuzzer reports.
#include <optional>
#include <string>
#include <string_view>

#include "row_list.h"
#include "window_model.h"

namespace quorvel::fuzz {

[[noreturn]] void Fail(const std::string& what);
inline void Require(bool ok, const std::string& what)
{
    if (!ok) Fail(what);
}

// A text the number conversion writes: at most 15 significant digits, no
// trailing zeros after a point, no "-0", exponent form with a sign.
bool IsNumberText(std::string_view s);

// One of the nine syntax messages, with a position from 1 to tokens + 1.
bool IsSyntaxMessage(std::string_view s, int tokens);

// A failure message a cycle can end with; the value and operand messages
// must name a subject.
bool IsFailureMessage(std::string_view s);

// Letters only and not one of the 22 function names.
bool IsVariableName(std::string_view s);

std::string Show(const RowList& list);
std::string Show(std::u16string_view text);
std::string Quote(std::string_view s);

// The controls a cycle may change, captured before it runs.
struct Before {
    std::string title, label1;
    RowList list1, list2, list3;
    int list3Index;
    explicit Before(const WindowModel& w)
        : title(w.title), label1(w.label1), list1(w.list1), list2(w.list2), list3(w.list3),
          list3Index(w.list3Index)
    {
    }
};

// The rules one cycle must keep. tokens: List1 right after tokenizing (as the
// cycle handed it out); textChange: the cycle reset the values.
void CheckCycle(const WindowModel& w, const Before& before, const RowList& tokens, bool textChange,
                std::string_view context);

// A fresh "1+2" in the same window gives 3 with a clean title and lists.
void CheckStillUsable(WindowModel& w, std::string_view context);

}  // namespace quorvel::fuzz
