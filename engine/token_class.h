#pragma once
// Token classes, decided by a token's first character (and, for "-", by its
// length), and the table of the 22 function names.
#include <string_view>

namespace quorvel {

inline bool IsLetterChar(char16_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsDigitChar(char16_t c) { return c >= '0' && c <= '9'; }

inline char First(std::string_view t) { return t.empty() ? '\0' : t.front(); }

inline bool IsLetter(std::string_view t) { return !t.empty() && IsLetterChar(static_cast<unsigned char>(t[0])); }
inline bool IsDigit(std::string_view t) { return !t.empty() && IsDigitChar(static_cast<unsigned char>(t[0])); }
inline bool IsNegativeNumber(std::string_view t) { return t.size() > 1 && t[0] == '-'; }
inline bool IsOpening(std::string_view t) { return First(t) == '('; }
inline bool IsClosing(std::string_view t) { return First(t) == ')'; }

// "+", "*", "/", "\" and "^" by their first character; "-" only alone.
bool IsOperatorToken(std::string_view t);

inline bool IsOperand(std::string_view t) { return IsLetter(t) || IsDigit(t) || IsNegativeNumber(t); }

enum class Function { None, Int, Fix, Abs, Sin, Cos, Tan, Atn, Sqr, Exp, Log, Rnd };

// Exactly one of the 22 written forms ("TAn" is one, "TAN" is not), or None.
Function FunctionNamed(std::string_view t);
inline bool IsFunctionName(std::string_view t) { return FunctionNamed(t) != Function::None; }

inline bool IsVariable(std::string_view t) { return IsLetter(t) && !IsFunctionName(t); }

// Row j holds an occurrence of operator op: exactly that one character.
inline bool IsOccurrence(std::string_view row, char op) { return row.size() == 1 && row[0] == op; }

}  // namespace quorvel
