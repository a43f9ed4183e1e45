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

// The bytes behind every choice: a fuzzer's input (0 once it runs out) or a
// seeded stream.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit Bytes(std::uint64_t seed) : random_(seed), seeded_(true) {}
    unsigned Below(std::size_t n);
    bool Percent(unsigned chance) { return Below(100) < chance; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::mt19937_64 random_;
    bool seeded_ = false;
};

struct Case {
    std::u16string text;              // typed into the expression box
    std::vector<std::string> values;  // written into the value rows before each click
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
