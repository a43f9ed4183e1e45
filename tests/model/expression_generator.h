#pragma once
// Expression cases built from a stream of bytes: a fuzzer hands in its input
// as the bytes, the tests a seeded pseudo-random stream. The same bytes
// always give the same case.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quorvel::literal {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The next byte; an exhausted source keeps answering 0.
    virtual std::uint8_t Next() = 0;

    // A number in 0..n-1 (n >= 1), from one byte or two when n is large.
    unsigned Below(unsigned n);
    // True with the given chance in percent.
    bool Percent(unsigned chance) { return Below(100) < chance; }
};

class SpanSource final : public ByteSource {
public:
    SpanSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Next() override { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class RandomSource final : public ByteSource {
public:
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}
    std::uint8_t Next() override { return static_cast<std::uint8_t>(engine_() >> 56); }

private:
    std::mt19937_64 engine_;
};

struct Case {
    std::u16string text;              // the expression box
    std::vector<std::string> values;  // rows for the value list before a click
};

Case GenerateCase(ByteSource& bytes);

// UTF-8 form of an expression text, for messages.
std::string ToUtf8(std::u16string_view text);

}  // namespace quorvel::literal
