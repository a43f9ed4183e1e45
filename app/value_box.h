#pragma once
// A line edit that hands each typed character, mapped as typed (MapTyped),
// to a key-press handler, which may cancel it (code 0) or replace it.
// Shortcuts, editing and navigation keys, paste and drops are not typed
// characters and pass unchanged.
#include <cstdint>
#include <functional>

#include <QLineEdit>

namespace quorvel {

class ValueBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    std::function<void(std::int16_t& keyAscii)> keyPress;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvel
