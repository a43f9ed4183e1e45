// Starts the window. Options are read before any window system is asked
// for, so --help, --version and a usage error need no display. Without a
// display there is nothing to show: say so in one line and exit, instead of
// Qt's abort when no platform plugin starts.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "form1.h"
#include "history.h"
#include "program.h"
#include "texts.h"

namespace {

[[noreturn]] void Exit(const QByteArray& text, std::FILE* to, int status)
{
    std::fputs(text.constData(), to);
    std::fflush(to);
    std::_Exit(status);
}

[[noreturn]] void NoDisplay() { Exit(quorvel::texts::kNoDisplay, stderr, EXIT_FAILURE); }

[[noreturn]] void Usage(const QString& why)
{
    Exit("quorvel: " + why.toUtf8() + '\n' + quorvel::texts::kWindowUsage, stderr, quorvel::kUsageExit);
}

bool Set(const char* name) { return !qEnvironmentVariableIsEmpty(name); }

// The Wayland client library complains on its own when it finds no socket,
// so a compositor is asked for only when its socket is there.
bool WaylandReachable()
{
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (name.isEmpty()) return false;
    if (QFileInfo(name).isAbsolute()) return QFileInfo::exists(name);
    // libwayland takes only an absolute XDG_RUNTIME_DIR.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.startsWith('/') && QFileInfo::exists(runtime + '/' + name);
}

struct Options {
    bool history = true;
    QString file;          // empty: none
    QString platform;      // -platform, which Qt prefers to QT_QPA_PLATFORM
    bool display = false;  // -display names the X display
    int qtArgc = 0;        // the arguments before "--": Qt reads its options there
};

// The cases that need no connection attempt: no display named at all for the
// platform that would be chosen.
bool DisplayNamed(const Options& options)
{
    const QByteArray platform =
        options.platform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : options.platform.toLocal8Bit();
    const bool x = Set("DISPLAY") || options.display;
    if (platform.isEmpty()) return x || WaylandReachable();
    if (platform.contains(';')) return true;  // a fallback list: let Qt try it
    if (platform.startsWith("xcb")) return x;
    if (platform.startsWith("wayland")) return WaylandReachable();
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

// Qt's own options as QApplication and QGuiApplication document them, X11's
// included, with the name of the value each takes. Qt reads them itself; they
// are known here so that an option's value is no file and an option Qt does
// not know is still an error.
constexpr std::pair<const char*, const char*> kQtOptions[] = {
    {"style", "style"},
    {"stylesheet", "file"},
    {"widgetcount", ""},
    {"reverse", ""},
    {"qmljsdebugger", "port"},
    {"platform", "name"},
    {"platformpluginpath", "path"},
    {"platformtheme", "name"},
    {"plugin", "plugin"},
    {"qwindowgeometry", "geometry"},
    {"qwindowicon", "icon"},
    {"qwindowtitle", "title"},
    {"session", "session"},
    {"display", "display"},
    {"geometry", "geometry"},
};

Options ReadOptions(int argc, char* argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // -style as Qt spells it, not -s -t -y -l -e.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption noHistory(QStringLiteral("no-history"));
    parser.addOptions({help, version, noHistory});
    for (const auto& [name, value] : kQtOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), {}, QString::fromLatin1(value)));
    if (!parser.parse(args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) Usage(parser.errorText());
        // Named as typed: -name or --name.
        const QString& name = unknown.front();
        const auto typed = std::find_if(args.cbegin(), args.cend(), [&](const QString& arg) {
            return arg.section('=', 0, 0).endsWith("-" + name);
        });
        Usage(QString::fromUtf8(quorvel::texts::kUnknownOption) + typed->section('=', 0, 0));
    }
    if (parser.isSet(help)) Exit(QByteArray(quorvel::texts::kWindowUsage) + '\n' + quorvel::texts::kWindowHelp, stdout, 0);
    if (parser.isSet(version)) Exit(QByteArray("quorvel ") + quorvel::kVersion + '\n', stdout, 0);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) Usage(QString::fromUtf8(quorvel::texts::kOneFileOnly));
    const auto end = std::find_if(argv, argv + argc, [](const char* arg) { return std::strcmp(arg, "--") == 0; });
    return {.history = !parser.isSet(noHistory),
            .file = files.value(0),
            .platform = parser.value(QStringLiteral("platform")),
            .display = parser.isSet(QStringLiteral("display")),
            .qtArgc = int(end - argv)};
}

}  // namespace

int main(int argc, char* argv[])
{
    const Options options = ReadOptions(argc, argv);
    if (!DisplayNamed(options)) NoDisplay();
    // Qt tries Wayland before X whenever WAYLAND_DISPLAY or a Wayland session
    // is named; with no compositor there, X is asked straight away.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !WaylandReachable()) qputenv("QT_QPA_PLATFORM", "xcb");
    previous = qInstallMessageHandler(HoldMessage);
    // Qt reads its options up to "--" and never beyond: a file named like one
    // of them stays a file.
    int qtArgc = options.qtArgc;
    QApplication app(qtArgc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : held) previous(type, QMessageLogContext(), message);
    held.clear();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quorvel")));

    // Qt's own texts (the file dialogs, the question before a file is
    // replaced, the box's context menu) in Chinese like the rest of the
    // window, where installed.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    quorvel::Form1 form(nullptr, {}, options.history ? quorvel::History::DefaultFile() : QString());
    form.show();
    // quorvel FILE, as a file manager's "Open with" starts it.
    if (!options.file.isEmpty()) form.OpenFile(options.file);
    return app.exec();
}
