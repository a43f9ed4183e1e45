// The expression-file loader on arbitrary file contents: NUL bytes, invalid
// UTF-8, lone CRs and LFs, long lines. The box must end with all the lines
// of the text the loader decoded, joined without their ends (which encoding
// it chose: window.tsv). The file must be unchanged, and the window must
// still give 1+2 = 3.
// Input: a first byte, odd to load into a window that has calculated 6*7,
// then the contents.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cycle.h"
#include "expression_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvel;
    if (size == 0) return 0;
    static const std::string file = [] {
        char name[] = "/tmp/quorvel-fuzz-XXXXXX";
        close(mkstemp(name));
        std::atexit([] { std::remove(file.c_str()); });
        return std::string(name);
    }();
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    WindowModel w;
    if (data[0] & 1) SetText1(w, u"6*7");
    const std::u16string before = w.text1;
    TransferExpressionFile(kLoadFile, w, file);

    const std::u16string text =
        DecodeExpressionFile(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))).toStdU16String();
    const char* broken = nullptr;
    std::u16string joined;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != u'\r') joined += text[k];
        else if (k + 1 < text.size() && text[k + 1] == u'\n') ++k;
    }
    std::ostringstream reread;
    reread << std::ifstream(file, std::ios::binary).rdbuf();
    if (w.text1 != (text.empty() ? before : joined)) broken = "the box is not the lines joined";
    if (!broken && reread.str() != bytes) broken = "loading changed the file";
    w.text1 = u"1+2";
    if (!broken && (Text1_Change(w) != Outcome::Result || w.label1 != "3")) broken = "1+2 no longer gives 3";
    if (!broken) return 0;
    std::fprintf(stderr, "\n==== %s ====\nLabel1: %s\n", broken, w.label1.c_str());
    std::abort();
}
