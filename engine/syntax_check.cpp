#include "syntax_check.h"

#include <cmath>

#include "number_text.h"
#include "texts.h"
#include "token_class.h"

namespace quorvel {

namespace {

Verdict Numbered(int position, const char* tail, int token)
{
    return {texts::kAt + CountToText(position) + tail, token};
}

bool IsOperand(TokenClass c) { return c == TokenClass::Operand || c == TokenClass::Function; }

// The tail of the message when next may not follow cur, or nullptr.
const char* PairFault(TokenClass cur, TokenClass next)
{
    switch (cur) {
    case TokenClass::Opening:
        return IsOperand(next) || next == TokenClass::Opening ? nullptr : texts::kAfterOpening;
    case TokenClass::Function: return next == TokenClass::Opening ? nullptr : texts::kAfterFunction;
    case TokenClass::Operand:
    case TokenClass::Closing:
        return next == TokenClass::Operator || next == TokenClass::Closing ? nullptr : texts::kAfterOperand;
    default:
        // An operator: every other cur has been accepted as one of the above.
        return IsOperand(next) || next == TokenClass::Opening ? nullptr : texts::kAfterOperator;
    }
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
        return Verdict{texts::kFirstToken, first != TokenClass::None ? 1 : 0};
    int opening = first == TokenClass::Opening ? 1 : 0;
    int closing = 0;
    TokenClass cur = first;
    for (int i = 1; i <= n - 1; ++i) {
        const TokenClass next = Classify(tokenList.Read(i + 1));
        if (next == TokenClass::Opening) {
            ++opening;
        } else if (next == TokenClass::Closing && ++closing > opening) {
            return Numbered(i + 1, texts::kSurplusClose, i + 1);
        }
        if (const char* tail = PairFault(cur, next)) return Numbered(i + 1, tail, i + 1);
        cur = next;
    }

    // The running balance has already caught a surplus ")"; only a missing
    // one is left, and it outranks a wrong last token.
    if (opening > closing) {
        // The "(" left open last: walking back, the first "(" without its ")".
        int open = 0;
        for (int i = n, unmatched = 0; i >= 1 && open == 0; --i) {
            const TokenClass c = Classify(tokenList.Read(i));
            if (c == TokenClass::Closing) ++unmatched;
            else if (c == TokenClass::Opening && unmatched-- == 0) open = i;
        }
        return Verdict{texts::kMissingClose, open};
    }
    const TokenClass last = Classify(tokenList.Read(n));
    if (last == TokenClass::Function) return Numbered(n + 1, texts::kEndsWithFunction, n);
    if (!IsOperand(last) && last != TokenClass::Closing) return Numbered(n + 1, texts::kEndsWithOperator, n);
    return Verdict{};
}

}  // namespace quorvel
