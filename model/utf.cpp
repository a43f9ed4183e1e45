#include "utf.h"

namespace quorvel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void PutUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

void PutUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < text.size()) {
        const unsigned char b = byte(i);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        // Lead byte: how many continuation bytes follow, and the smallest
        // value the sequence may encode (anything below is overlong).
        size_t extra = 0;
        char32_t c = 0, least = 0;
        if (b >= 0xC2 && b < 0xE0) extra = 1, c = b & 0x1F, least = 0x80;
        else if (b >= 0xE0 && b < 0xF0) extra = 2, c = b & 0x0F, least = 0x800;
        else if (b >= 0xF0 && b < 0xF5) extra = 3, c = b & 0x07, least = 0x10000;
        size_t k = 1;
        while (extra > 0 && k <= extra && i + k < text.size() && (byte(i + k) & 0xC0) == 0x80) {
            c = (c << 6) | (byte(i + k) & 0x3F);
            ++k;
        }
        const bool complete = extra > 0 && k == extra + 1;
        if (!complete || c < least || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            out.push_back(static_cast<char16_t>(kReplacement));
            i += k;
            continue;
        }
        PutUtf16(out, c);
        i += k;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = kReplacement;
        }
        PutUtf8(out, c);
    }
    return out;
}

}  // namespace quorvel
