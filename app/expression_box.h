#pragma once
// The expression box. What the user types, composes with an input method,
// pastes or drops is mapped (MapTyped) before the box takes it, so Chinese
// punctuation and full-width forms mean what the keys say; text set by the
// program is taken as it is. Up and Down go to the window, which recalls
// earlier expressions.
#include <functional>

#include <QClipboard>
#include <QLineEdit>

namespace quorvel {

class ExpressionBox final : public QLineEdit {
public:
    explicit ExpressionBox(QWidget* parent);

    std::function<void(int older)> recall;  // Up: 1, Down: -1
    std::function<void()> clearHistory;     // chosen in the context menu

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Paste(QClipboard::Mode mode);
};

}  // namespace quorvel
