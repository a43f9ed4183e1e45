#pragma once
// How the six passes read an expression: the text with every reduction they
// make put in parentheses, except the last one of each group and of the
// whole, which its own parentheses (or nothing) already enclose. So every
// pair of parentheses holds at most one operator and the reading means the
// same under any order of passes: 8-2+1 reads 8-(2+1), 2^3/4 reads 2^(3/4),
// a+b-c+d reads (a+b)-(c+d).
#include <string>
#include <string_view>
#include <vector>

#include "row_list.h"
#include "tokenizer.h"

namespace quorvel {

// What the reading keeps from call to call, in the caller's Scratch.
struct ReadingStacks {
    // An operand of a reduction: the tokens it covers, and whether it is
    // itself a reduction, which then needs parentheses of its own.
    struct Operand {
        int first;
        int last;
        bool reduced;
    };
    std::vector<int> opens, closes;  // how many "(" go before and ")" after each token
    std::vector<Operand> operands;
    std::vector<char> operators;  // "(" marks where a group starts
    std::vector<int> groupFirst;  // the "(" of each open group, or its function name
};

// tokenList and spans as Tokenize left them for text (values substituted or
// not), which passed the syntax check. Each token keeps its spelling in the
// text (numbers, "_" negatives, names, the user's own parentheses and
// function names); the characters between tokens are dropped.
std::u16string Reading(std::u16string_view text, const RowList& tokenList, const std::vector<TokenSpan>& spans,
                       ReadingStacks& kept);

}  // namespace quorvel
