#include "reading.h"

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

std::u16string Reading(std::u16string_view text, const RowList& tokenList, const std::vector<TokenSpan>& spans)
{
    const int n = tokenList.Count() - 1;
    // How many "(" go before and ")" after each token.
    std::vector<int> opens(static_cast<size_t>(n) + 2), closes(static_cast<size_t>(n) + 2);
    std::vector<Operand> operands;
    std::vector<char> operators;  // "(" marks where a group starts
    std::vector<int> groupFirst;  // the "(" of each open group, or its function name

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

    std::u16string out;
    out.reserve(text.size() + 2 * static_cast<size_t>(n));
    for (int k = 1; k <= n; ++k) {
        const TokenSpan span = spans[static_cast<size_t>(k) - 1];
        out.append(static_cast<size_t>(opens[static_cast<size_t>(k)]), u'(');
        out.append(text.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.end - span.start)));
        out.append(static_cast<size_t>(closes[static_cast<size_t>(k)]), u')');
    }
    return out;
}

}  // namespace quorvel
