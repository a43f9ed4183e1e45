#pragma once
// Contrast ratio of two colours, from their relative luminance: 1 for equal
// colours, 21 for black on white.
#include <algorithm>
#include <cmath>

#include <QColor>

namespace quorvel {

inline double Contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& c) {
        auto linear = [](float v) { return v <= 0.04045F ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

}  // namespace quorvel
