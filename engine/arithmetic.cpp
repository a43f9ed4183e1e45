#include "arithmetic.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvel {

namespace {

Computed Finite(double x)
{
    if (!std::isfinite(x)) return Fault{FaultKind::Overflow, {}};
    return x;
}

Computed IntegerDivide(double a, double b)
{
    // Rounds half to even, as the 32-bit conversion does.
    const double ra = std::nearbyint(a);
    const double rb = std::nearbyint(b);
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (!(ra >= kMin && ra <= kMax) || !(rb >= kMin && rb <= kMax))
        return Fault{FaultKind::IntDivOperandRange, {}};
    const auto ia = static_cast<std::int32_t>(ra);
    const auto ib = static_cast<std::int32_t>(rb);
    if (ib == 0) return Fault{FaultKind::IntDivDivisorRounds, {}};
    if (ia == std::numeric_limits<std::int32_t>::min() && ib == -1)
        return Fault{FaultKind::IntDivQuotientRange, {}};
    const std::int32_t quotient = ia / ib;  // truncates toward zero
    return static_cast<double>(quotient);
}

Computed Power(double a, double b)
{
    if (a == 0 && b < 0) return Fault{FaultKind::PowerNotReal, {}};
    const double x = std::pow(a, b);
    if (std::isnan(x)) return Fault{FaultKind::PowerNotReal, {}};
    return Finite(x);
}

}  // namespace

Computed Combine(char op, double a, double b)
{
    switch (op) {
    case '/': return Finite(a / b);
    case '^': return Power(a, b);
    case '*': return Finite(a * b);
    case '\\': return IntegerDivide(a, b);
    case '+': return Finite(a + b);
    case '-': return Finite(a - b);
    default: return Fault{FaultKind::OperandNotNumber, std::string(1, op)};
    }
}

Computed Apply(Function f, double x, Rnd& rnd)
{
    switch (f) {
    case Function::None: return x;
    case Function::Int: return std::floor(x);
    case Function::Fix: return std::trunc(x);
    case Function::Abs: return std::fabs(x);
    case Function::Sin: return std::sin(x);
    case Function::Cos: return std::cos(x);
    case Function::Tan: return std::tan(x);
    case Function::Atn: return std::atan(x);
    case Function::Sqr:
        if (x < 0) return Fault{FaultKind::SqrNegative, {}};
        return std::sqrt(x);
    case Function::Exp: return Finite(std::exp(x));
    case Function::Log:
        if (x <= 0) return Fault{FaultKind::LogNotPositive, {}};
        return std::log(x);
    case Function::Rnd: return static_cast<double>(rnd.Next(x));
    }
    return x;
}

}  // namespace quorvel
