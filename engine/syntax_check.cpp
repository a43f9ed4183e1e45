#include "syntax_check.h"

#include <cmath>

#include "number_text.h"
#include "texts.h"
#include "token_class.h"

namespace quorvel {

namespace {

bool IsOperand(TokenClass c) { return c == TokenClass::Operand || c == TokenClass::Function; }

// Whether next may follow cur.
bool MayFollow(TokenClass cur, TokenClass next)
{
    switch (cur) {
    case TokenClass::Function: return next == TokenClass::Opening;
    case TokenClass::Operand:
    case TokenClass::Closing: return next == TokenClass::Operator || next == TokenClass::Closing;
    default: return IsOperand(next) || next == TokenClass::Opening;  // after "(" or an operator
    }
}

// What is wrong when a token may not follow cur.
SyntaxKind After(TokenClass cur)
{
    switch (cur) {
    case TokenClass::Opening: return SyntaxKind::AfterOpening;
    case TokenClass::Function: return SyntaxKind::AfterFunction;
    case TokenClass::Operand:
    case TokenClass::Closing: return SyntaxKind::AfterOperand;
    default: return SyntaxKind::AfterOperator;  // every other cur has been accepted as one of these
    }
}

// The "(" left open last: walking back from row n, the first "(" without its ")".
int LastOpen(const RowList& tokenList, int n)
{
    for (int i = n, unmatched = 0; i >= 1; --i) {
        const TokenClass c = Classify(tokenList.Read(i));
        if (c == TokenClass::Closing) ++unmatched;
        else if (c == TokenClass::Opening && unmatched-- == 0) return i;
    }
    return 0;
}

}  // namespace

std::variant<Verdict, Fault> CheckSyntax(const RowList& tokenList)
{
    const std::optional<double> count = TextToNumber(tokenList.Read(0));
    if (!count) return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    const double rounded = std::nearbyint(*count);
    // n + 1 must still be a 16-bit position.
    if (rounded < -32768 || rounded > kMaxRows - 1) return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    const int n = static_cast<int>(rounded);

    const TokenClass first = Classify(tokenList.Read(1));
    if (!IsOperand(first) && first != TokenClass::Opening)
        return SyntaxError{SyntaxKind::FirstToken, first != TokenClass::None ? 1 : 0};
    int opening = first == TokenClass::Opening ? 1 : 0;
    int closing = 0;
    TokenClass cur = first;
    for (int i = 1; i <= n - 1; ++i) {
        const TokenClass next = Classify(tokenList.Read(i + 1));
        if (next == TokenClass::Opening) {
            ++opening;
        } else if (next == TokenClass::Closing && ++closing > opening) {
            return SyntaxError{SyntaxKind::SurplusClose, i + 1, i + 1};
        }
        if (!MayFollow(cur, next)) return SyntaxError{After(cur), i + 1, i + 1};
        cur = next;
    }

    // The running balance has already caught a surplus ")"; only a missing
    // one is left, and it outranks a wrong last token.
    if (opening > closing) return SyntaxError{SyntaxKind::MissingClose, LastOpen(tokenList, n)};
    const TokenClass last = Classify(tokenList.Read(n));
    if (last == TokenClass::Function) return SyntaxError{SyntaxKind::EndsWithFunction, n, n + 1};
    if (!IsOperand(last) && last != TokenClass::Closing) return SyntaxError{SyntaxKind::EndsWithOperator, n, n + 1};
    return Verdict{};
}

std::string SyntaxMessage(const SyntaxError& error)
{
    const char* tail = nullptr;  // after "错误:第" and the position
    switch (error.kind) {
    case SyntaxKind::FirstToken: return texts::kFirstToken;
    case SyntaxKind::MissingClose: return texts::kMissingClose;
    case SyntaxKind::SurplusClose: tail = texts::kSurplusClose; break;
    case SyntaxKind::AfterOpening: tail = texts::kAfterOpening; break;
    case SyntaxKind::AfterFunction: tail = texts::kAfterFunction; break;
    case SyntaxKind::AfterOperand: tail = texts::kAfterOperand; break;
    case SyntaxKind::AfterOperator: tail = texts::kAfterOperator; break;
    case SyntaxKind::EndsWithFunction: tail = texts::kEndsWithFunction; break;
    case SyntaxKind::EndsWithOperator: tail = texts::kEndsWithOperator; break;
    }
    return texts::kAt + CountToText(error.position) + tail;
}

}  // namespace quorvel
