#include "mark_colours.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

QColor Mix(const QColor& from, const QColor& to, double share)
{
    auto mix = [share](float a, float b) { return static_cast<float>(a + (b - a) * share); };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()), mix(from.blueF(), to.blueF()));
}

}  // namespace

double Contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& c) {
        auto linear = [](float v) { return v <= 0.04045F ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

QColor MarkColour(const QColor& base, const QColor& text)
{
    QColor mark(Qt::red);
    for (int step = 1; step <= 10 && Contrast(mark, base) < 3.5; ++step) mark = Mix(QColor(Qt::red), text, step / 10.0);
    return mark;
}

QColor Tint(const QColor& mark, const QColor& base, const QColor& text)
{
    for (int percent = 70; percent > 10; percent -= 10) {
        const QColor tint = Mix(base, mark, percent / 100.0);
        if (Contrast(tint, text) >= 4.5) return tint;
    }
    return Mix(base, mark, 0.1);
}

}  // namespace quorvel
