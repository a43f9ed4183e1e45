#pragma once
// Token classes, decided by a token's first character (and, for "-", by its
// length). The operators come from passes.h, the function names from
// functions.h.
#include <array>
#include <string_view>

#include "characters.h"
#include "functions.h"
#include "passes.h"

namespace quorvel {

inline char First(std::string_view t) { return t.empty() ? '\0' : t.front(); }

inline bool IsLetter(std::string_view t) { return !t.empty() && IsLetterChar(static_cast<unsigned char>(t[0])); }
inline bool IsDigit(std::string_view t) { return !t.empty() && IsDigitChar(static_cast<unsigned char>(t[0])); }
inline bool IsNegativeNumber(std::string_view t) { return t.size() > 1 && t[0] == '-'; }
inline bool IsOpening(std::string_view t) { return First(t) == '('; }
inline bool IsClosing(std::string_view t) { return First(t) == ')'; }

// Every operator by its first character, except that "-" with more after it
// is a negative number.
inline bool IsOperatorToken(std::string_view t) { return PassOf(First(t)) >= 0 && !IsNegativeNumber(t); }

inline bool IsOperand(std::string_view t) { return IsLetter(t) || IsDigit(t) || IsNegativeNumber(t); }

inline bool IsFunctionName(std::string_view t) { return FunctionNamed(t) != nullptr; }

inline bool IsVariable(std::string_view t) { return IsLetter(t) && !IsFunctionName(t); }

// The classes the syntax check tells apart, each decided once per token.
enum class TokenClass : unsigned char { None, Opening, Closing, Operator, Function, Operand };

// The class of a token by its first character. A letter begins a name,
// which is a function's or a variable's; "-" begins an operator or a
// negative number.
inline constexpr std::array<TokenClass, 256> kClassOfFirst = [] {
    std::array<TokenClass, 256> of{};
    for (int c = 0; c < 256; ++c) {
        if (IsDigitChar(static_cast<char16_t>(c))) of[static_cast<size_t>(c)] = TokenClass::Operand;
        if (IsLetterChar(static_cast<char16_t>(c))) of[static_cast<size_t>(c)] = TokenClass::Function;
        if (PassOf(static_cast<char>(c)) >= 0) of[static_cast<size_t>(c)] = TokenClass::Operator;
    }
    of['('] = TokenClass::Opening;
    of[')'] = TokenClass::Closing;
    return of;
}();

inline TokenClass Classify(std::string_view t)
{
    const TokenClass byFirst = kClassOfFirst[static_cast<unsigned char>(First(t))];
    switch (byFirst) {
    case TokenClass::Function: return IsFunctionName(t) ? TokenClass::Function : TokenClass::Operand;
    case TokenClass::Operator: return IsNegativeNumber(t) ? TokenClass::Operand : TokenClass::Operator;
    default: return byFirst;
    }
}

}  // namespace quorvel
