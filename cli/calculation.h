#pragma once
// One calculation of the companion: a fresh window, the expression typed
// into Text1, then optionally values entered and "计算" clicked.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cycle.h"
#include "window_model.h"

namespace quorvel::cli {

// Every member has an initializer of its own, so that a designated
// initializer may leave any of them out.
struct Request {
    std::string expression;  // UTF-8
    std::vector<std::pair<std::string, std::string>> values{};  // NAME=VALUE, in order
    std::optional<std::vector<std::string>> rows{};  // the value-list rows themselves
    bool click = false;  // values or rows were given
    bool reading = false;  // how the passes read the expression is wanted
    bool tokens = false;   // List1 right after tokenizing is wanted
};

struct Result {
    std::string expression;  // UTF-8, as loaded from a file
    WindowModel window;
    Outcome outcome = Outcome::NotRun;  // of the last cycle
    RowList tokens;  // List1 right after tokenizing, in the last cycle, when wanted
    std::optional<std::u16string> reading;  // when asked for and the check passes
    std::optional<std::string> error;  // why a request or a file gave no calculation
};

// Calculates into r as in a fresh window. The storage of r's lists, text
// and working storage is used again, so that line after line of a long
// expression does not fault its pages in each time; nothing else of the
// calculation before is kept.
void Calculate(const Request& request, Result& r);

// Loads an expression file as the window's open button does; error tells
// why nothing was loaded.
Result LoadFile(const std::string& fileName, bool reading);

// 0 for a result, 1 for a syntax message, 2 for "除数为0错" or a failure.
int Severity(const Result& r);

// The line a user sees: the result, the syntax message or the failure.
const std::string& Message(const Result& r);

}  // namespace quorvel::cli
