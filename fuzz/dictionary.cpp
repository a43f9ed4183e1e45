// Prints the dictionary of a fuzz target (cycle or expression_file) in
// libFuzzer's form; fuzz/run.sh writes it before each run. The function
// names and the operators come from their tables, so the fuzzer learns a new
// one with the engine; the rest are pieces no table holds.
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

#include "functions.h"
#include "passes.h"

namespace {

using namespace std::string_view_literals;

void Entry(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line = "\"";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') line += '\\';
        if (b >= 0x20 && b < 0x7f) line += c;
        else line += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
    }
    std::puts((line + '"').c_str());
}

// The name with only its first letter a capital ("Sin"), and the name in
// capitals where the other form is not ("TAN"): names of variables.
void NearMisses(const quorvel::Function& f)
{
    std::string capitalFirst(f.name), capitals(f.name);
    capitalFirst[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(capitalFirst[0])));
    for (char& c : capitals) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Entry(capitalFirst);
    if (capitals != f.capital) Entry(capitals);
}

// Negative numbers, points, numbers at the edges of the arithmetic,
// separators, line ends and characters beyond ASCII (中, and the two halves
// of a surrogate pair as UTF-16 bytes).
constexpr std::string_view kPieces[] = {
    "("sv,     ")"sv,     "_"sv,   "_."sv,   "."sv,   "1e308"sv, "1e999"sv,      "2147483648"sv, "0.4"sv,
    "0.5"sv,   "710"sv,   "e-"sv,  "e+"sv,   "e999"sv, "1e-999"sv, " "sv,         "\r\n"sv,       "\r"sv,
    "\n"sv,    "\xff"sv,  "\xff\xff"sv, "\xe4\xb8\xad"sv, "\x00\xd8"sv, "\x00\xdc"sv,
};

// Of files only: a quotation mark, a byte-order mark and invalid UTF-8 (an
// overlong "/" and a lone surrogate).
constexpr std::string_view kFilePieces[] = {"\""sv, "\xef\xbb\xbf"sv, "\xc0\xaf"sv, "\xed\xa0\x80"sv};

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view target = argc == 2 ? argv[1] : "";
    if (target != "cycle" && target != "expression_file") {
        std::fputs("usage: fuzz_dictionary cycle|expression_file\n", stderr);
        return 64;
    }
    for (const quorvel::Function& f : quorvel::AllFunctions()) {
        Entry(std::string(f.name) + "(");
        Entry(std::string(f.capital) + "(");
        NearMisses(f);
    }
    for (const quorvel::Operator& op : quorvel::kPassOrder) Entry({&op.symbol, 1});
    for (const std::string_view piece : kPieces) Entry(piece);
    if (target == "expression_file")
        for (const std::string_view piece : kFilePieces) Entry(piece);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
