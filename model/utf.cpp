#include "utf.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quorvel {

// Straight into the caller's string, without a QString in between. A
// byte-order mark is text like any other character.
std::u16string Utf8ToUtf16(std::string_view text)
{
    QStringDecoder decode(QStringConverter::Utf8,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
    std::u16string out(static_cast<size_t>(decode.requiredSpace(bytes.size())), u'\0');
    auto* start = reinterpret_cast<QChar*>(out.data());
    out.resize(static_cast<size_t>(decode.appendToBuffer(start, bytes) - start));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    QStringEncoder encode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QStringView units(text.data(), static_cast<qsizetype>(text.size()));
    std::string out(static_cast<size_t>(encode.requiredSpace(units.size())), '\0');
    out.resize(static_cast<size_t>(encode.appendToBuffer(out.data(), units) - out.data()));
    return out;
}

}  // namespace quorvel
