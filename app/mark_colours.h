#pragma once
// The colours of the mark under the token a syntax message is about: they
// stand out from the box, light or dark, and leave the text readable.
#include <QColor>

namespace quorvel {

// Contrast ratio of two colours, from their relative luminance: 1 for equal
// colours, 21 for black on white.
double Contrast(const QColor& a, const QColor& b);

// Red, drawn toward the text colour until it stands out from the box by
// 3:1 at least, on a dark box as on a light one.
QColor MarkColour(const QColor& base, const QColor& text);

// The mark colour laid over the box as thickly as leaves the text readable.
QColor Tint(const QColor& mark, const QColor& base, const QColor& text);

}  // namespace quorvel
