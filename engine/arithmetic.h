#pragma once
// The arithmetic of one reduction and of one function group, with the
// conditions under which it has no finite result. A zero divisor of "/" or
// "\" is tested by the caller, which owns the division-by-zero message.
#include <variant>

#include "fault.h"
#include "rnd.h"
#include "token_class.h"

namespace quorvel {

using Computed = std::variant<double, Fault>;

// a op b for op one of / ^ * \ + -, b already known not to be 0 for / and \.
Computed Combine(char op, double a, double b);

// The function f applied to the group's value x.
Computed Apply(Function f, double x, Rnd& rnd);

// Functions whose result is single precision are written with 7 digits.
inline bool IsSingle(Function f) { return f == Function::Rnd; }

}  // namespace quorvel
