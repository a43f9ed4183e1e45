#pragma once
// The six operators, in the fixed order of their passes: every parenthesised
// group, and then the whole expression, is reduced by one left-to-right pass
// per operator, "/" first and "-" last. There is no other precedence. Every
// other part of the engine learns the operator set from this table.
#include <array>

#include "arithmetic.h"

namespace quorvel {

struct Operator {
    char symbol;
    Computed (*combine)(double a, double b);
    bool divides = false;  // a zero b stops the calculation with "除数为0错" instead
};

inline constexpr auto kPassOrder = std::to_array<Operator>({
    {'/', Quotient, true},
    {'^', Power},
    {'*', Product},
    {'\\', IntegerQuotient, true},
    {'+', Sum},
    {'-', Difference},
});

// The index of each character's pass in kPassOrder, -1 for a character that
// is no operator.
inline constexpr std::array<signed char, 256> kPassOf = [] {
    std::array<signed char, 256> of{};
    of.fill(-1);
    for (size_t k = 0; k < kPassOrder.size(); ++k)
        of[static_cast<unsigned char>(kPassOrder[k].symbol)] = static_cast<signed char>(k);
    return of;
}();

constexpr int PassOf(char c) { return kPassOf[static_cast<unsigned char>(c)]; }
constexpr bool IsOperatorChar(char16_t c) { return c < 256 && PassOf(static_cast<char>(c)) >= 0; }

}  // namespace quorvel
