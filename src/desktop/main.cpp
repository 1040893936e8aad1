#include "app/ui/Messages.h"
#include "desktop/EditorArguments.h"
#include "desktop/EditorStart.h"
#include "desktop/ScriptedPresses.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tilewright-%1.png").arg(size), QSize(size, size));
    return icon;
}

// The names the settings are kept under, the caption of every message box,
// the version, and the name by which the desktop matches the windows to the
// installed entry and its icon. They are set before any application object.
void nameTheApplication()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(Messages::title));
    QCoreApplication::setApplicationName(QString::fromLatin1(Messages::title));
    QCoreApplication::setApplicationVersion(QStringLiteral(TILEWRIGHT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TILEWRIGHT_APP_ID));
}

// True when the command line asks only for the help or the version text.
bool asksForText(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-h" || argument == "-?" || argument == "--help" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

// Answers a command line that asks for no window: the help, the version or
// a usage error. Returns the exit status.
int answerInText(QCommandLineParser& parser, const EditorArguments& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (arguments.request) {
    case EditorArguments::Help:
        // Only the parser itself can list Qt's own options; it ends the program.
        if (parser.isSet(QStringLiteral("help-all")))
            parser.process(QCoreApplication::arguments());
        out << parser.helpText();
        return 0;
    case EditorArguments::Version:
        out << "tilewright " << QCoreApplication::applicationVersion() << '\n';
        return 0;
    case EditorArguments::UsageError:
    case EditorArguments::Start:
        break;
    }
    err << "tilewright: " << arguments.error << '\n' << editorUsage << "\nTry 'tilewright --help' for more information.\n";
    return 2;
}

// True on a Unix desktop when no window system can be reached: no X or
// Wayland display and no platform asked for. Qt would end the program at
// once; the editor still answers its command line, on the offscreen platform.
bool withoutDisplay(int argc, char* argv[])
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-platform" || argument == "--platform")
            return false;
    }
    return true;
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return false;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    nameTheApplication();

    // The help and the version need no display: they are answered before
    // the window system is reached, so they work on a machine without one.
    if (asksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        const EditorArguments arguments = parseEditorArguments(parser, QCoreApplication::arguments());
        if (arguments.request == EditorArguments::Help || arguments.request == EditorArguments::Version)
            return answerInText(parser, arguments);
    }

    const bool headless = withoutDisplay(argc, argv);
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(applicationIcon());
    QCommandLineParser parser;
    const EditorArguments arguments = parseEditorArguments(parser, QApplication::arguments());
    if (arguments.request != EditorArguments::Start)
        return answerInText(parser, arguments);
    if (headless) {
        QTextStream(stderr) << "tilewright: there is no display to show the editor on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n";
        return 1;
    }

    const EditorStart start = startEditor(arguments);
    if (!start.window)
        return start.exitStatus;
    pressScriptedCells(start.window.get(), qgetenv("TILEWRIGHT_TEST_PRESSES"));
    return QApplication::exec();
}
