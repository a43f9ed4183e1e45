#include "typed_text.h"

namespace quorvel {

std::u16string MapTyped(std::u16string_view typed)
{
    std::u16string meant;
    meant.reserve(typed.size());
    for (size_t i = 0; i < typed.size();) {
        const char16_t c = typed[i];
        if (c >= 0xFF01 && c <= 0xFF5E) {
            meant.push_back(static_cast<char16_t>(c - 0xFEE0));
            ++i;
            continue;
        }
        const TypedForm* form = nullptr;
        for (const TypedForm& f : kTypedForms) {
            if (typed.substr(i, f.typed.size()) == f.typed) {
                form = &f;
                break;
            }
        }
        meant.push_back(form ? form->meant : c);
        i += form ? form->typed.size() : 1;
    }
    return meant;
}

}  // namespace quorvel
