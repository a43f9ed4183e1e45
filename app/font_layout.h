#pragma once
// The window's layout in twips, as the controls are placed: each control
// keeps its place in twips, and the window turns them into pixels for the
// font it has, so the whole layout grows with the user's font.
#include <QRect>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace quorvel {

// The property that holds a control's place in twips.
inline constexpr char kTwips[] = "twips";

inline QRect Twips(int left, int top, int width, int height) { return {left, top, width, height}; }

// A new control of the window, named, at its place in twips.
template <class W>
W* Place(QWidget* parent, const char* name, QRect twips)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setProperty(kTwips, twips);
    return w;
}

// Sizes the window and places every control for the font the controls use;
// right to left (Qt's -reverse), every place is mirrored.
void FitToFont(QWidget* form);

}  // namespace quorvel
