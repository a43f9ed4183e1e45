#pragma once
// The value box's key filter: single typed characters only, no toolkit.
#include <cstdint>
#include <functional>
#include <string_view>

namespace quorvel {

// Backspace's character code, and the flag value that lets it pass.
inline constexpr std::int16_t kBackspace = 8;
inline constexpr std::int16_t kTrue = -1;

// Returns keyCode when its character is in allowed (compared without regard
// to case), or is backspace and backspaceFlag is exactly kTrue; otherwise
// calls beep and returns 0. keyCode is a UTF-16 code unit stored as a
// signed 16-bit integer; 0 stands for no key.
std::int16_t FilterKey(std::int16_t keyCode, std::u16string_view allowed, std::int16_t backspaceFlag,
                       const std::function<void()>& beep);

// The value box takes digits, "." and backspace; keyAscii becomes 0 for any
// other character, which cancels the key.
void Text2_KeyPress(std::int16_t& keyAscii, const std::function<void()>& beep);

}  // namespace quorvel
