#pragma once
// What a screen reader hears without asking. A notification is announced
// when it is shown, so each text to be said is a new, tiny notification of
// the window; the window itself is a frame, named as its accessible name
// says.
#include <QPointer>
#include <QString>
#include <QWidget>

namespace quorvel {

// The accessible kinds of the window and its notices; once per program.
void InstallAccessibleKinds();

class Announcer {
public:
    explicit Announcer(QWidget* window) : window_(window) {}

    // Has text said once.
    void Say(const QString& text);

private:
    QWidget* window_;
    // A reader may still be reading the previous notice's name when the
    // next is shown, so the one before the previous goes first.
    QPointer<QWidget> previous_;
    QPointer<QWidget> latest_;
};

}  // namespace quorvel
