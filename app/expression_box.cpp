#include "expression_box.h"

#include <memory>

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>

#include "qt_text.h"
#include "texts.h"
#include "typed_text.h"

namespace quorvel {

namespace {

QString Map(const QString& typed) { return Q(MapTyped(typed.toStdU16String())); }

}  // namespace

ExpressionBox::ExpressionBox(QWidget* parent) : QLineEdit(parent) {}

void ExpressionBox::Paste(QClipboard::Mode mode)
{
    if (!isReadOnly()) insert(Map(QGuiApplication::clipboard()->text(mode)));
}

void ExpressionBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        Paste(QClipboard::Clipboard);
        event->accept();
        return;
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && recall && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        recall(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    const QString mapped = Map(event->text());
    if (mapped == event->text()) return QLineEdit::keyPressEvent(event);
    // The same key with the meant text: one keystroke, one undo step.
    QKeyEvent meant(event->type(), event->key(), event->modifiers(), mapped, event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&meant);
    event->setAccepted(meant.isAccepted());
}

void ExpressionBox::inputMethodEvent(QInputMethodEvent* event)
{
    const QString mapped = Map(event->commitString());
    if (mapped == event->commitString()) return QLineEdit::inputMethodEvent(event);
    QInputMethodEvent meant(event->preeditString(), event->attributes());
    meant.setCommitString(mapped, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&meant);
    event->setAccepted(meant.isAccepted());
}

void ExpressionBox::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The standard paste item is known by its shortcut, shown after a tab.
    const QString pasteKeys = '\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (!action->text().endsWith(pasteKeys)) continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
    }
    menu->addSeparator();
    QAction* clear = menu->addAction(Q(texts::kClearHistory));
    clear->setObjectName(QStringLiteral("clear-history"));
    connect(clear, &QAction::triggered, this, [this] {
        if (clearHistory) clearHistory();
    });
    menu->exec(event->globalPos());
}

void ExpressionBox::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasText()) return QLineEdit::dropEvent(event);
    QMimeData mapped;
    mapped.setText(Map(event->mimeData()->text()));
    QDropEvent meant(event->position(), event->possibleActions(), &mapped, event->buttons(), event->modifiers());
    meant.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&meant);
    event->setDropAction(meant.dropAction());
    event->setAccepted(meant.isAccepted());
}

void ExpressionBox::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the primary selection.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        Paste(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

}  // namespace quorvel
