// Prints the fuzz dictionary's entries that come from the engine's tables:
// every function name in both forms with its "(", two near misses of each
// that name variables ("Sin", and "TAN" beside "TAn"), and every operator.
// fuzz/run.sh adds the hand-written pieces (*.dict) and hands the fuzzer
// the whole.
#include <cctype>
#include <cstdio>
#include <string>

#include "functions.h"
#include "passes.h"

namespace {

void Entry(const std::string& bytes)
{
    std::string line = "\"";
    for (const char c : bytes) {
        if (c == '"' || c == '\\') line += '\\';
        line += c;
    }
    std::puts((line + '"').c_str());
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

int main()
{
    for (const quorvel::Function& f : quorvel::AllFunctions()) {
        Entry(std::string(f.name) + "(");
        Entry(std::string(f.capital) + "(");
        std::string capitals(f.name);
        for (char& c : capitals) c = Upper(c);
        Entry(capitals.front() + std::string(f.name.substr(1)));
        if (capitals != f.capital) Entry(capitals);
    }
    for (const quorvel::Operator& op : quorvel::kPassOrder) Entry(std::string(1, op.symbol));
    return std::fflush(stdout) == 0 ? 0 : 1;
}
