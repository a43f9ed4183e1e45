#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace quorvel {

namespace {

const QLatin1String kNotice("Notice");

// A top-level QWidget is a filler to AT-SPI, and a reader's "title" key
// finds no frame; a notice has no kind of its own at all.
QAccessibleInterface* AccessibleKind(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (widget->objectName() == kNotice) return new QAccessibleWidget(widget, QAccessible::Notification);
    if (widget->isWindow() && widget->objectName() == QLatin1String("Form1"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

}  // namespace

void InstallAccessibleKinds()
{
    static const bool installed = (QAccessible::installFactory(AccessibleKind), true);
    (void)installed;
}

void Announcer::Say(const QString& text)
{
    if (text.isEmpty()) return;
    // The same notice hidden and shown again at once would be heard once.
    delete previous_;
    previous_ = latest_;
    if (previous_) previous_->hide();
    latest_ = new QWidget(window_);
    latest_->setObjectName(kNotice);
    latest_->setAccessibleName(text);
    latest_->setGeometry(0, 0, 1, 1);
    latest_->setAttribute(Qt::WA_TransparentForMouseEvents);
    latest_->show();
}

}  // namespace quorvel
