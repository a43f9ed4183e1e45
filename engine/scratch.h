#pragma once
// Working storage the tokenizer's spans, the evaluator and the reading use
// again from call to call, so that a long list does not fault its pages in
// each time. Whoever runs calculations owns one. Nothing in it carries a
// meaning from one call to the next.
#include <vector>

#include "cells.h"
#include "reading.h"
#include "tokenizer.h"

namespace quorvel {

struct Scratch {
    std::vector<TokenSpan> spans;  // where each token of the text stands
    EvaluatorRows evaluator;
    ReadingStacks reading;
};

}  // namespace quorvel
