#pragma once
// Our texts as Qt's: UTF-8 in std::string and const char*, UTF-16 code units
// in std::u16string.
#include <string_view>

#include <QString>

namespace quorvel {

inline QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline QString Q(std::u16string_view utf16)
{
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

}  // namespace quorvel
