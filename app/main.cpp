// Starts the window. Without a display there is nothing to show: say so in
// one line and exit, instead of Qt's abort when no platform plugin starts.
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "form1.h"
#include "texts.h"

namespace {

[[noreturn]] void NoDisplay()
{
    std::fputs(quorvel::texts::kNoDisplay, stderr);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

bool Set(const char* name) { return !qEnvironmentVariableIsEmpty(name); }

// The cases that need no connection attempt: no display named at all for the
// platform that would be chosen.
bool DisplayNamed()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty()) return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
    if (platform.contains(';')) return true;  // a fallback list: let Qt try it
    if (platform.startsWith("xcb")) return Set("DISPLAY");
    if (platform.startsWith("wayland")) return Set("WAYLAND_DISPLAY");
    return true;  // offscreen, vnc, eglfs and the like need no display variable
}

// While QApplication starts, Qt's messages are held back: a display that
// cannot be reached ends in a fatal message, which becomes our one line.
std::vector<std::pair<QtMsgType, QString>> held;
QtMessageHandler previous = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) NoDisplay();
    held.emplace_back(type, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!DisplayNamed()) NoDisplay();
    previous = qInstallMessageHandler(HoldMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : held) previous(type, QMessageLogContext(), message);
    held.clear();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quorvel")));

    // Qt's own texts (the file dialogs, the question before a file is
    // replaced) in Chinese like the rest of the window, where installed.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    quorvel::Form1 form;
    form.show();
    // quorvel FILE, as a file manager's "Open with" starts it.
    if (QApplication::arguments().size() > 1) form.OpenFile(QApplication::arguments().at(1));
    return app.exec();
}
