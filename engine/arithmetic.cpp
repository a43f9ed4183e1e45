#include "arithmetic.h"

#include <cstdint>
#include <limits>

namespace quorvel {

Computed IntegerQuotient(double a, double b)
{
    // Rounds half to even, as the 32-bit conversion does.
    const double ra = std::nearbyint(a);
    const double rb = std::nearbyint(b);
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (!(ra >= kMin && ra <= kMax) || !(rb >= kMin && rb <= kMax)) return {.fault = FaultKind::IntDivOperandRange};
    const auto ia = static_cast<std::int32_t>(ra);
    const auto ib = static_cast<std::int32_t>(rb);
    if (ib == 0) return {.fault = FaultKind::IntDivDivisorRounds};
    if (ia == std::numeric_limits<std::int32_t>::min() && ib == -1) return {.fault = FaultKind::IntDivQuotientRange};
    const std::int32_t quotient = ia / ib;  // truncates toward zero
    return {.value = static_cast<double>(quotient)};
}

Computed Power(double a, double b)
{
    if (a == 0 && b < 0) return {.fault = FaultKind::PowerNotReal};
    const double x = std::pow(a, b);
    if (std::isnan(x)) return {.fault = FaultKind::PowerNotReal};
    return Finite(x);
}

}  // namespace quorvel
