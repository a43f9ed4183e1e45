#include "filter_key.h"

#include <cwctype>
#include <string>

namespace quorvel {

namespace {

// Upper case as the C library's current locale sees it; ASCII needs no locale.
char16_t Upper(char16_t c)
{
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
    if (c < 0x80 || (c >= 0xD800 && c <= 0xDFFF)) return c;
    return static_cast<char16_t>(std::towupper(static_cast<std::wint_t>(c)));
}

}  // namespace

std::int16_t FilterKey(std::int16_t keyCode, std::u16string_view allowed, std::int16_t backspaceFlag,
                       const std::function<void()>& beep)
{
    std::u16string set;
    set.reserve(allowed.size() + 1);
    for (char16_t c : allowed) set.push_back(Upper(c));
    if (backspaceFlag == kTrue) set.push_back(static_cast<char16_t>(kBackspace));

    const char16_t key = Upper(static_cast<char16_t>(keyCode));
    if (set.find(key) != std::u16string::npos) return keyCode;
    if (beep) beep();
    return 0;
}

void Text2_KeyPress(std::int16_t& keyAscii, const std::function<void()>& beep)
{
    keyAscii = FilterKey(keyAscii, u"0123456789.", kTrue, beep);
}

}  // namespace quorvel
