#pragma once
// What a Chinese input method or a pasted document gives for the characters
// an expression is typed with: its Chinese punctuation and full-width forms,
// and the typographic signs of arithmetic. Only what the user types or pastes
// into the boxes is mapped; loaded files and the companion's text are not.
#include <string>
#include <string_view>

namespace quorvel {

// The forms mapped, longest first where one begins another; besides these,
// every full-width form U+FF01 to U+FF5E is its ASCII character.
struct TypedForm {
    std::u16string_view typed;
    char16_t meant;
};
inline constexpr TypedForm kTypedForms[] = {
    {u"\u2014\u2014", u'_'},  // —— the "_" key in Chinese punctuation mode
    {u"\u2014", u'_'},        // —
    {u"\u2026\u2026", u'^'},  // …… the "^" key
    {u"\u3002", u'.'},        // 。 the "." key
    {u"\u3001", u'\\'},       // 、 the "\" key
    {u"\u3000", u' '},        // the full-width space
    {u"\u00D7", u'*'},        // ×
    {u"\u00F7", u'/'},        // ÷
    {u"\u2212", u'-'},        // − the minus sign
};

std::u16string MapTyped(std::u16string_view typed);

}  // namespace quorvel
