#include "functions.h"

#include <algorithm>
#include <utility>

#include "characters.h"

namespace quorvel {

namespace {

constexpr Function kFunctions[] = {
    {"int", "INT", [](double x, Rnd&) -> Computed { return {.value = std::floor(x)}; }},
    {"fix", "FIX", [](double x, Rnd&) -> Computed { return {.value = std::trunc(x)}; }},
    {"abs", "ABS", [](double x, Rnd&) -> Computed { return {.value = std::fabs(x)}; }},
    {"sin", "SIN", [](double x, Rnd&) -> Computed { return {.value = std::sin(x)}; }},
    {"cos", "COS", [](double x, Rnd&) -> Computed { return {.value = std::cos(x)}; }},
    {"tan", "TAn", [](double x, Rnd&) -> Computed { return {.value = std::tan(x)}; }},
    {"atn", "ATN", [](double x, Rnd&) -> Computed { return {.value = std::atan(x)}; }},
    {"sqr", "SQR", [](double x, Rnd&) -> Computed {
         if (x < 0) return {.fault = FaultKind::SqrNegative};
         return {.value = std::sqrt(x)};
     }},
    {"exp", "EXP", [](double x, Rnd&) { return Finite(std::exp(x)); }},
    {"log", "LOG", [](double x, Rnd&) -> Computed {
         if (x <= 0) return {.fault = FaultKind::LogNotPositive};
         return {.value = std::log(x)};
     }},
    {"rnd", "RND", [](double x, Rnd& rnd) -> Computed { return {.value = static_cast<double>(rnd.Next(x))}; }, true},
};

// The tokenizer ends a name at the first character that is not a letter:
// a name with any other character in it could never be typed.
constexpr bool IsTypable(std::string_view name) { return !name.empty() && std::ranges::all_of(name, IsLetterChar); }
static_assert(std::ranges::all_of(kFunctions, [](const Function& f) { return IsTypable(f.name) && IsTypable(f.capital); }),
              "a function name is letters only");

// The shortest and the longest name: most names the user writes are told
// apart from the functions by their length alone.
constexpr std::pair<size_t, size_t> kNameLengths = [] {
    std::pair<size_t, size_t> lengths{kFunctions[0].name.size(), 0};
    for (const Function& f : kFunctions) {
        for (const std::string_view name : {f.name, f.capital}) {
            lengths.first = std::min(lengths.first, name.size());
            lengths.second = std::max(lengths.second, name.size());
        }
    }
    return lengths;
}();

}  // namespace

const Function* FunctionNamed(std::string_view t)
{
    if (t.size() < kNameLengths.first || t.size() > kNameLengths.second) return nullptr;
    for (const Function& f : kFunctions)
        if (t == f.name || t == f.capital) return &f;
    return nullptr;
}

std::span<const Function> AllFunctions() { return kFunctions; }

}  // namespace quorvel
