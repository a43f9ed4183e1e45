#include "reading.h"

#include <algorithm>

#include "token_class.h"

namespace quorvel {

namespace {

// The pass order as precedence: "/" is reduced first, "-" last.
int Rank(char op)
{
    switch (op) {
    case '/': return 6;
    case '^': return 5;
    case '*': return 4;
    case '\\': return 3;
    case '+': return 2;
    default: return 1;  // '-'
    }
}

// An operand of a reduction: the tokens it covers, and whether it is itself
// a reduction, which then needs parentheses of its own.
struct Operand {
    int first;
    int last;
    bool reduced;
};

}  // namespace

std::u16string Reading(std::u16string_view text, const RowList& tokenList)
{
    const int n = tokenList.Count() - 1;
    // How many "(" go before and ")" after each token.
    // Kept from call to call, as the evaluator keeps its storage: fresh
    // pages for every long text cost more than the reading itself.
    thread_local std::vector<int> opens, closes;
    thread_local std::vector<Operand> operands;
    thread_local std::vector<char> operators;  // "(" marks where a group starts
    thread_local std::vector<int> groupFirst;  // the "(" of each open group, or its function name
    thread_local std::vector<TokenSpan> spans;
    TokenSpans(text, spans);
    opens.assign(static_cast<size_t>(n) + 2, 0);
    closes.assign(static_cast<size_t>(n) + 2, 0);
    operands.clear();
    operators.clear();
    groupFirst.clear();

    auto enclose = [&](const Operand& o) {
        if (!o.reduced) return;
        ++opens[static_cast<size_t>(o.first)];
        ++closes[static_cast<size_t>(o.last)];
    };
    // Reduces the operator on top with the two operands on top. A reduction
    // is enclosed only once it becomes an operand itself, so the last one of
    // a group or of the whole stays bare.
    auto reduce = [&] {
        const Operand right = operands.back();
        operands.pop_back();
        Operand& left = operands.back();
        enclose(left);
        enclose(right);
        left = {left.first, right.last, true};
        operators.pop_back();
    };

    for (int k = 1; k <= n; ++k) {
        const std::string& token = tokenList.Read(k);
        switch (Classify(token)) {
        case TokenClass::Opening:
            groupFirst.push_back(k > 1 && IsFunctionName(tokenList.Read(k - 1)) ? k - 1 : k);
            operators.push_back('(');
            break;
        case TokenClass::Closing:
            while (operators.back() != '(') reduce();
            operators.pop_back();
            operands.back() = {groupFirst.back(), k, false};
            groupFirst.pop_back();
            break;
        case TokenClass::Operator:
            while (!operators.empty() && operators.back() != '(' && Rank(operators.back()) >= Rank(token[0])) reduce();
            operators.push_back(token[0]);
            break;
        case TokenClass::Operand: operands.push_back({k, k, false}); break;
        default: break;  // a function name: its group stands for it
        }
    }
    while (!operators.empty()) reduce();

    size_t length = 0;
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<size_t>(k);
        length += static_cast<size_t>(opens[i] + closes[i] + spans[i - 1].end - spans[i - 1].start);
    }
    std::u16string out(length, u'(');
    char16_t* at = out.data();
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<size_t>(k);
        at += opens[i];  // already "("
        at = std::copy(text.begin() + spans[i - 1].start, text.begin() + spans[i - 1].end, at);
        at = std::fill_n(at, closes[i], u')');
    }
    return out;
}

}  // namespace quorvel
