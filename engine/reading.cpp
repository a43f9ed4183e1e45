#include "reading.h"

#include <algorithm>

#include "passes.h"
#include "token_class.h"

namespace quorvel {

namespace {

// Finds the reductions the passes make, as an operator-precedence parse
// would: kept.opens and kept.closes receive, for each token, how many
// reductions begin and end at it.
class Marks {
public:
    explicit Marks(ReadingStacks& kept) : k_(kept) {}

    void Find(const RowList& tokenList)
    {
        const int n = tokenList.Count() - 1;
        k_.opens.assign(static_cast<size_t>(n) + 2, 0);
        k_.closes.assign(static_cast<size_t>(n) + 2, 0);
        k_.operands.clear();
        k_.operators.clear();
        k_.groupFirst.clear();
        for (int t = 1; t <= n; ++t) {
            const std::string& token = tokenList.Read(t);
            switch (Classify(token)) {
            case TokenClass::Opening:
                k_.groupFirst.push_back(t > 1 && IsFunctionName(tokenList.Read(t - 1)) ? t - 1 : t);
                k_.operators.push_back('(');
                break;
            case TokenClass::Closing:
                while (k_.operators.back() != '(') Reduce();
                k_.operators.pop_back();
                k_.operands.back() = {k_.groupFirst.back(), t, false};
                k_.groupFirst.pop_back();
                break;
            case TokenClass::Operator:
                // An operator waiting on the stack whose pass comes first is reduced first.
                while (!k_.operators.empty() && k_.operators.back() != '(' && PassOf(k_.operators.back()) <= PassOf(token[0]))
                    Reduce();
                k_.operators.push_back(token[0]);
                break;
            case TokenClass::Operand: k_.operands.push_back({t, t, false}); break;
            default: break;  // a function name: its group stands for it
            }
        }
        while (!k_.operators.empty()) Reduce();
    }

private:
    // Reduces the operator on top with the two operands on top. A reduction
    // is enclosed only once it becomes an operand itself, so the last one of
    // a group or of the whole stays bare.
    void Reduce()
    {
        const ReadingStacks::Operand right = k_.operands.back();
        k_.operands.pop_back();
        ReadingStacks::Operand& left = k_.operands.back();
        Enclose(left);
        Enclose(right);
        left = {left.first, right.last, true};
        k_.operators.pop_back();
    }

    void Enclose(const ReadingStacks::Operand& o)
    {
        if (!o.reduced) return;
        ++k_.opens[static_cast<size_t>(o.first)];
        ++k_.closes[static_cast<size_t>(o.last)];
    }

    ReadingStacks& k_;
};

}  // namespace

std::u16string Reading(std::u16string_view text, const RowList& tokenList, const std::vector<TokenSpan>& spans,
                       ReadingStacks& kept)
{
    Marks(kept).Find(tokenList);
    const auto n = static_cast<size_t>(tokenList.Count() - 1);
    size_t length = 0;
    for (size_t i = 1; i <= n; ++i)
        length += static_cast<size_t>(kept.opens[i] + kept.closes[i] + spans[i - 1].end - spans[i - 1].start);
    std::u16string out(length, u'(');
    char16_t* at = out.data();
    for (size_t i = 1; i <= n; ++i) {
        at += kept.opens[i];  // already "("
        at = std::copy(text.begin() + spans[i - 1].start, text.begin() + spans[i - 1].end, at);
        at = std::fill_n(at, kept.closes[i], u')');
    }
    return out;
}

}  // namespace quorvel
