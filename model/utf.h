#pragma once
// UTF-8 for files and terminals, UTF-16 code units as the text boxes hold them.
#include <string>
#include <string_view>

namespace quorvel {

// Invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace quorvel
