#pragma once
// Numbers travel between the steps of a calculation only as text. These
// conversions never depend on the locale: "." is always the decimal point.
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Whole values below 1e15 print as their digits, so their text reads back
// exactly; formatting them directly skips the general conversion and gives
// the same text.
inline bool IsSmallWhole(double x) { return std::fabs(x) < 1e15 && x == std::trunc(x); }

// At most 15 significant digits, no trailing zeros, never "-0"; exponent form
// for magnitudes from 1e15 up and below 1e-4. x must be finite.
std::string NumberToText(double x);

// As NumberToText with at most 7 significant digits (the result of rnd).
std::string SingleToText(float x);

// Strict: an optional sign, digits with at most one ".", at least one digit,
// and an optional exponent. Rejects the empty text, ".", "-.", names, "inf",
// "nan", hexadecimal and surrounding spaces. A value beyond the range of a
// double is rejected; one too small to represent reads as zero.
std::optional<double> TextToNumber(std::string_view text);

// Plain decimal digits of a row count.
std::string CountToText(int n);

}  // namespace quorvel
