#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quorvel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Past this, rounding to 15 digits could pass the largest double.
constexpr double kLargest15 = 1.797693134862314e308;

// Whole values below 1e15 print as their digits; formatting them directly is
// several times faster than the general conversion and gives the same text.
bool SmallWhole(double x) { return std::fabs(x) < 1e15 && x == std::trunc(x); }

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

}  // namespace

std::string NumberToText(double x)
{
    if (x == 0) return "0";
    char buf[40];
    std::to_chars_result r;
    if (SmallWhole(x)) {
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(x));
    } else if (std::fabs(x) > kLargest15) {
        // Rounding to 15 digits would go past the largest double, and the
        // text would not read back: round towards zero instead.
        return x < 0 ? "-1.79769313486231e+308" : "1.79769313486231e+308";
    } else {
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
    if (text.size() == 1 && IsDigit(text[0])) return text[0] - '0';  // most tokens and values
    size_t i = 0;
    const size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t mantissaStart = i;
    size_t digits = 0;
    long long whole = 0;
    while (i < n && IsDigit(text[i])) {
        if (digits < 18) whole = whole * 10 + (text[i] - '0');
        ++digits;
        ++i;
    }
    bool plainWhole = i == n && digits > 0 && digits <= 15;
    if (plainWhole) {
        // The common case: a short run of digits converts exactly.
        double v = static_cast<double>(whole);
        return negative ? -v : v;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++digits;
            ++i;
        }
    }
    if (digits == 0) return std::nullopt;
    const size_t mantissaEnd = i;
    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        size_t expDigits = 0;
        while (i < n && IsDigit(text[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (i != n) return std::nullopt;

    double v = 0;
    const char* first = text.data() + mantissaStart;
    auto r = std::from_chars(first, text.data() + n, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        if (Magnitude(text.substr(mantissaStart, mantissaEnd - mantissaStart), exponent) < 0) {
            v = 0;
        } else {
            return std::nullopt;
        }
    } else if (r.ec != std::errc() || r.ptr != text.data() + n || !std::isfinite(v)) {
        return std::nullopt;
    }
    return negative ? -v : v;
}

std::string CountToText(int n) { return std::to_string(n); }

}  // namespace quorvel
