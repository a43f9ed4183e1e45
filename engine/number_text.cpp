#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "characters.h"

namespace quorvel {

namespace {

bool IsDigitAt(std::string_view text, size_t i) { return i < text.size() && IsDigitChar(static_cast<unsigned char>(text[i])); }

// The largest double with 15 significant digits. Rounding a larger value to
// 15 digits could pass the largest double, and its text would not read back.
constexpr double kLargest15 = 1.79769313486231e308;

// Moves i past the run of digits that starts there; returns its length.
size_t SkipDigits(std::string_view text, size_t& i)
{
    const size_t start = i;
    while (IsDigitAt(text, i)) ++i;
    return i - start;
}

// Moves i past a sign, if one stands there; true for "-".
bool ReadSign(std::string_view text, size_t& i)
{
    if (i >= text.size() || (text[i] != '+' && text[i] != '-')) return false;
    return text[i++] == '-';
}

// The exponent that starts at text[i], which moves past it: 0 when there is
// none, nothing when "e" has no digits. Its value stops growing far beyond
// any double's, which is all Magnitude needs.
std::optional<long> ReadExponent(std::string_view text, size_t& i)
{
    if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) return 0;
    ++i;
    const bool negative = ReadSign(text, i);
    const size_t start = i;
    if (SkipDigits(text, i) == 0) return std::nullopt;
    long exponent = 0;
    for (size_t k = start; k < i && exponent < 100000; ++k) exponent = exponent * 10 + (text[k] - '0');
    return negative ? -exponent : exponent;
}

// Decimal order of magnitude of a validated mantissa and exponent, used only
// to tell an underflow from an overflow when the conversion reports a range
// error (which it does only far beyond either end).
long Magnitude(std::string_view mantissa, long exponent)
{
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    for (size_t k = 0; k < mantissa.size(); ++k) {
        if (mantissa[k] == '.' || mantissa[k] == '0') continue;
        const long position = k < point ? static_cast<long>(point - k) : -static_cast<long>(k - point - 1);
        return position + exponent;
    }
    return -1;
}

// The value of a checked number text without its sign; nothing beyond the
// range of a double, zero for one too small to represent.
std::optional<double> Convert(std::string_view text, std::string_view mantissa, long exponent)
{
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) return Magnitude(mantissa, exponent) < 0 ? std::optional(0.0) : std::nullopt;
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

std::string NumberToText(double x)
{
    if (x == 0) return "0";
    char buf[40];
    std::to_chars_result r;
    if (IsSmallWhole(x)) {
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(x));
    } else {
        // Beyond kLargest15, round towards zero instead.
        if (std::fabs(x) > kLargest15) x = std::copysign(kLargest15, x);
        r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    }
    return std::string(buf, r.ptr);
}

std::string SingleToText(float x)
{
    if (x == 0) return "0";
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 7);
    return std::string(buf, r.ptr);
}

std::optional<double> TextToNumber(std::string_view text)
{
    if (text.size() == 1 && IsDigitAt(text, 0)) return text[0] - '0';  // most tokens and values
    size_t i = 0;
    const bool negative = ReadSign(text, i);
    const size_t mantissaStart = i;
    size_t digits = SkipDigits(text, i);
    if (i == text.size() && digits > 0 && digits <= 15) {
        // The common case: a short run of digits converts exactly.
        long long whole = 0;
        for (size_t k = mantissaStart; k < i; ++k) whole = whole * 10 + (text[k] - '0');
        return negative ? -static_cast<double>(whole) : static_cast<double>(whole);
    }
    if (i < text.size() && text[i] == '.') digits += SkipDigits(text, ++i);
    if (digits == 0) return std::nullopt;
    const std::string_view mantissa = text.substr(mantissaStart, i - mantissaStart);
    const std::optional<long> exponent = ReadExponent(text, i);
    if (!exponent || i != text.size()) return std::nullopt;
    const std::optional<double> v = Convert(text.substr(mantissaStart), mantissa, *exponent);
    if (!v) return std::nullopt;
    return negative ? -*v : *v;
}

std::string CountToText(int n) { return std::to_string(n); }

}  // namespace quorvel
