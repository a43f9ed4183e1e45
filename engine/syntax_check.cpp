#include "syntax_check.h"

#include <cmath>

#include "number_text.h"
#include "token_class.h"

namespace quorvel {

namespace {

std::string Numbered(int position, const char* tail) { return "错误:第" + CountToText(position) + tail; }

bool IsOperand(TokenClass c) { return c == TokenClass::Operand || c == TokenClass::Function; }

// The tail of the message when next may not follow cur, or nullptr.
const char* PairFault(TokenClass cur, TokenClass next)
{
    switch (cur) {
    case TokenClass::Opening:
        return IsOperand(next) || next == TokenClass::Opening ? nullptr : "个字符它必需是( 正,负数,变量";
    case TokenClass::Function: return next == TokenClass::Opening ? nullptr : "个字符它必需(";
    case TokenClass::Operand:
    case TokenClass::Closing:
        return next == TokenClass::Operator || next == TokenClass::Closing ? nullptr : "个字符它必需是纯操作符)";
    default:
        // An operator: every other cur has been accepted as one of the above.
        return IsOperand(next) || next == TokenClass::Opening ? nullptr : "个字符它必需是正,负数,变量(";
    }
}

}  // namespace

std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message, int* token)
{
    message.clear();
    int unused = 0;
    int& about = token ? *token : unused;
    about = 0;
    const std::optional<double> count = TextToNumber(tokenList.Read(0));
    if (!count) return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    const double rounded = std::nearbyint(*count);
    // n + 1 must still be a 16-bit position.
    if (rounded < -32768 || rounded > kMaxRows - 1) return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    const int n = static_cast<int>(rounded);

    const TokenClass first = Classify(tokenList.Read(1));
    if (!IsOperand(first) && first != TokenClass::Opening) {
        message = "错误:第一个字符串类型只能是(,正,负常数,变量";
        if (first != TokenClass::None) about = 1;
        return std::nullopt;
    }
    int opening = first == TokenClass::Opening ? 1 : 0;
    int closing = 0;
    TokenClass cur = first;
    for (int i = 1; i <= n - 1; ++i) {
        const TokenClass next = Classify(tokenList.Read(i + 1));
        if (next == TokenClass::Opening) {
            ++opening;
        } else if (next == TokenClass::Closing && ++closing > opening) {
            message = Numbered(i + 1, "位发现多于的)");
            about = i + 1;
            return std::nullopt;
        }
        if (const char* tail = PairFault(cur, next)) {
            message = Numbered(i + 1, tail);
            about = i + 1;
            return std::nullopt;
        }
        cur = next;
    }

    const TokenClass last = Classify(tokenList.Read(n));
    if (last == TokenClass::Function) message = Numbered(n + 1, "字符它必需是涵数前(");
    else if (!IsOperand(last) && last != TokenClass::Closing) message = Numbered(n + 1, "结束字符它必需是正,负数,变量)");
    if (!message.empty()) about = n;
    // The running balance has already caught a surplus ")"; only a missing one is left.
    if (opening > closing) {
        message = "错误:发现缺少)";
        // The "(" left open last: walking back, the first "(" without its ")".
        for (int i = n, unmatched = 0; i >= 1; --i) {
            const TokenClass c = Classify(tokenList.Read(i));
            if (c == TokenClass::Closing) ++unmatched;
            else if (c == TokenClass::Opening && unmatched-- == 0) {
                about = i;
                break;
            }
        }
    }
    return std::nullopt;
}

}  // namespace quorvel
