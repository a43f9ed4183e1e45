#pragma once
// UTF-8 for files and terminals, UTF-16 code units as the text boxes hold
// them; Qt Core converts.
#include <string>
#include <string_view>

namespace quorvel {

// Broken sequences become U+FFFD: one for each byte Qt Core cannot place in
// a sequence (E0 80 80 gives three, and so does a sequence cut short).
std::u16string Utf8ToUtf16(std::string_view text);

// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace quorvel
