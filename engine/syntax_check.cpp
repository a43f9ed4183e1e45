#include "syntax_check.h"

#include <cmath>

#include "number_text.h"
#include "token_class.h"

namespace quorvel {

namespace {

std::string Numbered(int position, const char* tail) { return "错误:第" + CountToText(position) + tail; }

// The tail of the message when next may not follow cur, or nullptr.
const char* PairFault(std::string_view cur, std::string_view next)
{
    if (IsOpening(cur))
        return IsOperand(next) || IsOpening(next) ? nullptr : "个字符它必需是( 正,负数,变量";
    if (IsFunctionName(cur)) return IsOpening(next) ? nullptr : "个字符它必需(";
    if (IsOperand(cur) || IsClosing(cur))
        return IsOperatorToken(next) || IsClosing(next) ? nullptr : "个字符它必需是纯操作符)";
    // An operator token: every other cur has been accepted as one of the above.
    return IsOperand(next) || IsOpening(next) ? nullptr : "个字符它必需是正,负数,变量(";
}

}  // namespace

std::optional<Fault> CheckSyntax(const RowList& tokenList, std::string& message)
{
    message.clear();
    const std::optional<double> count = TextToNumber(tokenList.Read(0));
    if (!count) return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    const double rounded = std::nearbyint(*count);
    // n + 1 must still be a 16-bit position.
    if (rounded < -32768 || rounded > kMaxRows - 1) return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    const int n = static_cast<int>(rounded);

    const std::string& first = tokenList.Read(1);
    if (!IsOperand(first) && !IsOpening(first)) {
        message = "错误:第一个字符串类型只能是(,正,负常数,变量";
        return std::nullopt;
    }
    int opening = IsOpening(first) ? 1 : 0;
    int closing = 0;
    for (int i = 1; i <= n - 1; ++i) {
        const std::string& cur = tokenList.Read(i);
        const std::string& next = tokenList.Read(i + 1);
        if (IsOpening(next)) {
            ++opening;
        } else if (IsClosing(next) && ++closing > opening) {
            message = Numbered(i + 1, "位发现多于的)");
            return std::nullopt;
        }
        if (const char* tail = PairFault(cur, next)) {
            message = Numbered(i + 1, tail);
            return std::nullopt;
        }
    }

    const std::string& last = tokenList.Read(n);
    if (IsFunctionName(last)) message = Numbered(n + 1, "字符它必需是涵数前(");
    else if (!IsOperand(last) && !IsClosing(last)) message = Numbered(n + 1, "结束字符它必需是正,负数,变量)");
    // The running balance has already caught a surplus ")"; only a missing one is left.
    if (opening > closing) message = "错误:发现缺少)";
    return std::nullopt;
}

}  // namespace quorvel
