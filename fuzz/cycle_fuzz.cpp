// The whole calculation cycle on arbitrary text: a text change, value rows
// written as the value box writes them, a click, and then "1+2" in the same
// window. Input: a flags byte, the expression field, then one field per
// value row (see fields.h).
//   flags bit 0: the text is UTF-8 (invalid sequences included), else UTF-16LE
//   bit 1: start from a window that has calculated x+9 with x = 5
//   bit 2: values go through List3_Click and the value box, else into List3
//   bit 3: click a second time
//   bits 4-7, when 13, 14 or 15: repeat the text up to 32766, 32767 or 32768
//   code units, the longest text and the first two that are too long
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks.h"
#include "fields.h"
#include "utf.h"
#include "window_model.h"

namespace {

using namespace quorvel;
using fuzz::Before;
using fuzz::CheckCycle;

// Lone surrogates become U+FFFD on the way through UTF-8, nothing else changes.
void CheckUtfRoundTrip(const std::u16string& text)
{
    std::u16string expected = text;
    for (size_t k = 0; k < expected.size(); ++k) {
        const char16_t c = expected[k];
        const bool high = c >= 0xD800 && c < 0xDC00;
        if (high && k + 1 < expected.size() && expected[k + 1] >= 0xDC00 && expected[k + 1] < 0xE000) {
            ++k;
        } else if (c >= 0xD800 && c < 0xE000) {
            expected[k] = 0xFFFD;
        }
    }
    fuzz::Require(Utf8ToUtf16(Utf16ToUtf8(text)) == expected, "UTF-16 to UTF-8 and back changed the text " +
                                                                  fuzz::Show(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Fields in(data, size);
    const std::uint8_t flags = in.Byte();
    const std::string textBytes = in.Next();
    std::vector<std::string> values;
    while (!in.AtEnd()) values.push_back(in.Next());

    std::u16string text = (flags & 1) ? Utf8ToUtf16(textBytes) : fuzz::CodeUnits(textBytes);
    if (!(flags & 1)) CheckUtfRoundTrip(text);
    if ((flags >> 4) >= 13) {
        const size_t length = 32766 + (flags >> 4) - 13;
        if (text.empty()) text = u" ";
        const std::u16string unit = text;
        while (text.size() < length) text += unit;
        text.resize(length);
    }

    WindowModel w;
    if (flags & 2) {
        w.text1 = u"x+9";
        Text1_Change(w);
        List3_Click(w, 0);
        SetText2(w, "5");
        Command1_Click(w);
        fuzz::Require(w.label1 == "14", "x+9 with x = 5 is not 14");
    }

    RowList tokens;
    {
        const Before before(w);
        w.text1 = text;
        Text1_Change(w, &tokens);
        CheckCycle(w, before, tokens, true, "Text1_Change");
    }

    // Values only reach rows that exist; a click on a row past the end selects nothing.
    std::vector<std::string> expected = w.list3.Rows();
    for (size_t k = 0; k < values.size(); ++k) {
        const int row = static_cast<int>(k);
        if (flags & 4) {
            const int selected = w.list3Index;
            List3_Click(w, row);
            if (row >= w.list3.Count()) {
                fuzz::Require(w.list3Index == selected, "a click past the last value row changed the selection");
                continue;
            }
            fuzz::Require(w.list3Index == row && w.text2 == w.list3.Read(row), "List3_Click did not load the row");
            SetText2(w, values[k]);
        } else if (row < w.list3.Count()) {
            w.list3.Write(row, values[k]);
        }
        if (row < w.list3.Count()) expected[k] = values[k];
    }
    fuzz::Require(w.list3.Rows() == expected, "the value rows are not what was written");

    for (int click = 0; click < ((flags & 8) ? 2 : 1); ++click) {
        const Before before(w);
        tokens = RowList{};
        Command1_Click(w, &tokens);
        CheckCycle(w, before, tokens, false, "Command1_Click");
    }

    fuzz::CheckStillUsable(w, "after the case");
    return 0;
}
