#include "font_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QFontMetricsF>
#include <QStyle>

namespace quorvel {

namespace {

// How much larger than Qt's default, 9 pt at 96 dpi, the controls' text
// comes out: by the height of a line of the window's own text, whose Chinese
// often comes from a taller fallback font, and by the font's own line, which
// a box of digits shows.
double FontScale(const QWidget* form)
{
    auto lines = [](const QFont& font) {
        const QFontMetricsF metrics(font);
        const QString sample = QStringLiteral("计算结果=7.13");
        return std::pair{metrics.boundingRect(QRectF(), Qt::TextSingleLine, sample).height(), metrics.height()};
    };
    QFont standard(QStringLiteral("Sans Serif"));
    standard.setPixelSize(12);
    const auto [mixedLine, ownLine] = lines(standard);
    double scale = 1;
    for (const QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const auto [mixed, own] = lines(w->font());
        scale = std::max({scale, mixed / mixedLine, own / ownLine});
    }
    return scale;
}

// 15 twips make a pixel at the default font. Edges are rounded outward, so
// no control gets less room than its twips give it.
QRect Pixels(QRect twips, double scale)
{
    auto px = [scale](int t) { return t * scale / 15; };
    const int left = static_cast<int>(std::floor(px(twips.left()))), top = static_cast<int>(std::floor(px(twips.top())));
    return {left, top, static_cast<int>(std::ceil(px(twips.left() + twips.width()))) - left,
            static_cast<int>(std::ceil(px(twips.top() + twips.height()))) - top};
}

}  // namespace

// The whole layout grows with the font, so no text is cut; a mirrored
// place is what a layout gives its widgets right to left.
void FitToFont(QWidget* form)
{
    const double scale = FontScale(form);
    const QRect client = Pixels({0, 0, 6600, 3720}, scale);
    form->setFixedSize(client.size());
    for (QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (const QVariant twips = w->property(kTwips); twips.isValid())
            w->setGeometry(QStyle::visualRect(form->layoutDirection(), client, Pixels(twips.toRect(), scale)));
}

}  // namespace quorvel
