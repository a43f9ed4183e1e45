#pragma once
// The fixed order of the six operator passes: every parenthesised group,
// and then the whole expression, is reduced by one left-to-right pass per
// operator, "/" first and "-" last. There is no other precedence.
#include <array>

namespace quorvel {

inline constexpr std::array<char, 6> kPassOrder = {'/', '^', '*', '\\', '+', '-'};

// The index of op's pass in kPassOrder, -1 for a character that is no operator.
inline constexpr std::array<signed char, 256> kPassOf = [] {
    std::array<signed char, 256> of{};
    of.fill(-1);
    for (size_t k = 0; k < kPassOrder.size(); ++k) of[static_cast<unsigned char>(kPassOrder[k])] = static_cast<signed char>(k);
    return of;
}();

constexpr int PassOf(char op) { return kPassOf[static_cast<unsigned char>(op)]; }

}  // namespace quorvel
