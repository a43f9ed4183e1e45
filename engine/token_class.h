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
inline bool IsOperatorToken(std::string_view t)
{
    switch (First(t)) {
    case '+': case '*': case '/': case '\\': case '^': return true;
    case '-': return t.size() == 1;
    default: return false;
    }
}

inline bool IsOperand(std::string_view t) { return IsLetter(t) || IsDigit(t) || IsNegativeNumber(t); }

enum class Function { None, Int, Fix, Abs, Sin, Cos, Tan, Atn, Sqr, Exp, Log, Rnd };

// Exactly one of the 22 written forms ("TAn" is one, "TAN" is not), or None.
Function FunctionNamed(std::string_view t);
inline bool IsFunctionName(std::string_view t) { return FunctionNamed(t) != Function::None; }

inline bool IsVariable(std::string_view t) { return IsLetter(t) && !IsFunctionName(t); }

// The classes the syntax check tells apart, each decided once per token.
enum class TokenClass { None, Opening, Closing, Operator, Function, Operand };

inline TokenClass Classify(std::string_view t)
{
    switch (First(t)) {
    case '\0': return TokenClass::None;
    case '(': return TokenClass::Opening;
    case ')': return TokenClass::Closing;
    case '+': case '*': case '/': case '\\': case '^': return TokenClass::Operator;
    case '-': return t.size() == 1 ? TokenClass::Operator : TokenClass::Operand;
    default: break;
    }
    if (IsDigit(t)) return TokenClass::Operand;
    if (IsLetter(t)) return IsFunctionName(t) ? TokenClass::Function : TokenClass::Operand;
    return TokenClass::None;
}

// Row j holds an occurrence of operator op: exactly that one character.
inline bool IsOccurrence(std::string_view row, char op) { return row.size() == 1 && row[0] == op; }

}  // namespace quorvel
