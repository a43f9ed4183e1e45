#pragma once
// Expression texts of a given length in the shapes that stress the cycle.
#include <string>
#include <vector>

namespace quorvel::bench {

struct Shape {
    const char* name;
    std::u16string (*make)(size_t length);
};

// Repeats piece between head and tail, and pads with spaces, up to length.
inline std::u16string Fill(const std::u16string& head, const std::u16string& piece, const std::u16string& tail,
                           size_t length)
{
    std::u16string s = head;
    while (s.size() + piece.size() + tail.size() <= length) s += piece;
    s += tail;
    s.resize(length, u' ');
    return s;
}

inline std::u16string LongSum(size_t n) { return Fill(u"1", u"+1", u"", n); }

inline std::u16string DeepNesting(size_t n)
{
    const size_t depth = (n - 1) / 2;
    return std::u16string(depth, u'(') + u"1" + std::u16string(depth, u')');
}

inline std::u16string ManyGroups(size_t n) { return Fill(u"(1)", u"+(1)", u"", n); }

inline std::u16string RepeatedVariable(size_t n) { return Fill(u"x", u"+x", u"", n); }

// Names a, b, …, Z, aa, ab, …: every one a different variable (none of
// them three letters long, so none is a function name).
inline std::u16string DistinctVariables(size_t n)
{
    std::u16string s;
    const std::u16string letters = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (size_t k = 0;; ++k) {
        std::u16string name(1, letters[k % 52]);
        if (k >= 52) name = std::u16string(1, letters[(k / 52 - 1) % 52]) + name;
        if (s.size() + name.size() + 1 > n) break;
        if (!s.empty()) s += u'+';
        s += name;
    }
    s.resize(n, u' ');
    return s;
}

inline std::u16string FunctionChain(size_t n)
{
    const size_t depth = (n - 1) / 10;  // "sin(cos(" and "))": 10 characters a pair
    std::u16string s;
    for (size_t k = 0; k < depth; ++k) s += u"sin(cos(";
    s += u"1";
    s += std::u16string(2 * depth, u')');
    s.resize(n, u' ');
    return s;
}

inline std::u16string DivisionByZeroAtTheEnd(size_t n) { return Fill(u"1", u"+1", u"/0", n); }

inline const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes = {
        {"long_sum", LongSum},
        {"deep_nesting", DeepNesting},
        {"many_groups", ManyGroups},
        {"repeated_variable", RepeatedVariable},
        {"distinct_variables", DistinctVariables},
        {"function_chain", FunctionChain},
        {"zero_divisor_at_end", DivisionByZeroAtTheEnd},
    };
    return shapes;
}

inline constexpr size_t kLengths[] = {4096, 8192, 16384, 32766};

}  // namespace quorvel::bench
