// The engine's calculation cycle against the row-by-row model. The input
// drives the case generator (tests/model/differential.h) for two cases in a
// row, the second starting from the rows the first left; or, after a first
// byte 0xFF, it is the case itself: the text as UTF-8, then each value after
// a further 0xFF.
#include <cstdio>
#include <cstdlib>

#include "differential.h"
#include "utf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvel::literal;
    std::vector<Case> cases;
    if (size > 0 && data[0] == 0xFF) {
        std::vector<std::string> fields(1);
        for (std::size_t k = 1; k < size; ++k) {
            if (data[k] == 0xFF) fields.emplace_back();
            else fields.back().push_back(static_cast<char>(data[k]));
        }
        cases.push_back({quorvel::Utf8ToUtf16(fields[0]), {fields.begin() + 1, fields.end()}});
    } else {
        Bytes bytes{data, size};
        cases = {GenerateCase(bytes), GenerateCase(bytes)};
    }
    Pair pair;
    for (const Case& c : cases) {
        const std::string difference = Compare(pair, c);
        if (difference.empty()) continue;
        std::fprintf(stderr, "\n==== engine and model differ ====\n%s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
