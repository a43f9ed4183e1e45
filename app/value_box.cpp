#include "value_box.h"

#include <QKeyEvent>

#include "typed_text.h"

namespace quorvel {

namespace {

// A key that would insert its text by itself: no Ctrl, Alt or Meta chord,
// some text, and not Delete (which edits like a navigation key).
bool IsTypedCharacter(const QKeyEvent& e)
{
    const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (e.modifiers() & chord) return false;
    const QString text = e.text();
    return !text.isEmpty() && text.front() != QChar(0x7F);
}

}  // namespace

// Composed text would bypass the key filter, so no input method may compose
// here. The query is the place to say so: a line edit answers it itself,
// whatever Qt::WA_InputMethodEnabled holds.
QVariant ValueBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return query == Qt::ImEnabled ? QVariant(false) : QLineEdit::inputMethodQuery(query);
}

void ValueBox::keyPressEvent(QKeyEvent* event)
{
    if (!keyPress || !IsTypedCharacter(*event)) return QLineEdit::keyPressEvent(event);
    const char16_t typed = event->text().front().unicode();
    // A value typed in Chinese mode means the same: full-width digits, "。".
    auto key = static_cast<std::int16_t>(MapTyped(std::u16string_view(&typed, 1)).front());
    keyPress(key);
    if (key == static_cast<std::int16_t>(typed)) return QLineEdit::keyPressEvent(event);
    event->accept();
    if (key != 0) insert(QString(QChar(static_cast<char16_t>(key))));
}

}  // namespace quorvel
