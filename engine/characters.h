#pragma once
// The characters names and numbers are made of: a name is a run of letters,
// a number's digits are these.

namespace quorvel {

constexpr bool IsLetterChar(char16_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsDigitChar(char16_t c) { return c >= '0' && c <= '9'; }

}  // namespace quorvel
