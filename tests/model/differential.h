#pragma once
// Generated cases run through the engine's cycle and the model's side by
// side, for the differential test and the fuzz target. The same bytes always
// give the same case.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "literal_model.h"

namespace quorvel::literal {

// The bytes behind every choice: a fuzzer's input (0 once it runs out) or,
// with a seed, a pseudo-random stream. Below(n) is a number in 0..n-1.
struct Bytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::mt19937_64 random{};
    bool seeded = false;
    unsigned Below(std::size_t n);
    bool Percent(unsigned chance) { return Below(100) < chance; }
};

// The text typed into the expression box, and the values written into the
// value rows before each click.
struct Case {
    std::u16string text;
    std::vector<std::string> values;
};

Case GenerateCase(Bytes& bytes);

// The two windows; a case starts from the rows the one before left behind.
struct Pair {
    WindowModel engine, model;
};

// A text change, then the values and a click, then a second click. Returns
// where the windows first differ (outcome, title, Label1, selection, a row
// of List1, List2, List3 or of the tokens right after tokenizing), or "".
std::string Compare(Pair& pair, const Case& c, Outcome* last = nullptr);

}  // namespace quorvel::literal
