#pragma once
// The eleven functions, one row each in functions.cpp: the two written forms
// of its name and what it makes of the value of the group that follows it.
#include <span>
#include <string_view>

#include "arithmetic.h"
#include "rnd.h"

namespace quorvel {

struct Function {
    std::string_view name;     // in lower case
    std::string_view capital;  // the other form: capitals, except "TAn"
    Computed (*apply)(double x, Rnd& rnd);
    bool single = false;  // the result is single precision, written with 7 digits
};

// The function written exactly t, in either form, or nullptr.
const Function* FunctionNamed(std::string_view t);

// Every row of the table, for what is made from it.
std::span<const Function> AllFunctions();

// A group's value after the function in front of it, if there is one.
inline Computed Apply(const Function* f, double x, Rnd& rnd) { return f ? f->apply(x, rnd) : Computed{.value = x}; }

}  // namespace quorvel
