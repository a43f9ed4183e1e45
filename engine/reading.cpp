#include "reading.h"

#include <algorithm>

#include "passes.h"
#include "token_class.h"

namespace quorvel {

namespace {

// An operand of a reduction: the tokens it covers, and whether it is itself
// a reduction, which then needs parentheses of its own.
struct Operand {
    int first;
    int last;
    bool reduced;
};

}  // namespace

// Kept by the caller, as the evaluator's rows are: fresh pages for every
// long text cost more than the reading itself.
struct Scratch::ForReading {
    std::vector<int> opens, closes;  // how many "(" go before and ")" after each token
    std::vector<Operand> operands;
    std::vector<char> operators;  // "(" marks where a group starts
    std::vector<int> groupFirst;  // the "(" of each open group, or its function name
};

Scratch::ForReading& Scratch::Reading()
{
    if (!reading_) reading_.reset(new ForReading);
    return *reading_;
}

void Scratch::Free::operator()(ForReading* p) const { delete p; }

std::u16string Reading(std::u16string_view text, const RowList& tokenList, const std::vector<TokenSpan>& spans,
                       Scratch& scratch)
{
    const int n = tokenList.Count() - 1;
    Scratch::ForReading& kept = scratch.Reading();
    std::vector<int>& opens = kept.opens;
    std::vector<int>& closes = kept.closes;
    std::vector<Operand>& operands = kept.operands;
    std::vector<char>& operators = kept.operators;
    std::vector<int>& groupFirst = kept.groupFirst;
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
            // An operator waiting on the stack whose pass comes first is reduced first.
            while (!operators.empty() && operators.back() != '(' && PassOf(operators.back()) <= PassOf(token[0])) reduce();
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
