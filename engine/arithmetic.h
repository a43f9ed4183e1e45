#pragma once
// What each operator and each function computes, with the conditions under
// which it has no finite result. A zero divisor of "/" or "\" is tested by
// the caller, which owns the division-by-zero message (see Operator).
#include <cmath>

#include "fault.h"

namespace quorvel {

// A computed value, or the kind of fault that left it without one (the
// faults of arithmetic name no token). Two plain fields, so that it comes
// back in registers rather than through the stack.
struct Computed {
    double value = 0;
    FaultKind fault = FaultKind::None;
};

// x, or an Overflow when it is beyond the largest double.
inline Computed Finite(double x)
{
    if (!std::isfinite(x)) return {.fault = FaultKind::Overflow};
    return {.value = x};
}

// The six operators' a op b; b is already known not to be 0 for / and \.
inline Computed Quotient(double a, double b) { return Finite(a / b); }
Computed Power(double a, double b);
inline Computed Product(double a, double b) { return Finite(a * b); }
Computed IntegerQuotient(double a, double b);
inline Computed Sum(double a, double b) { return Finite(a + b); }
inline Computed Difference(double a, double b) { return Finite(a - b); }

}  // namespace quorvel
