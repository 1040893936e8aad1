#include "app/Messages.h"
#include "desktop/EditorArguments.h"
#include "desktop/EditorStart.h"

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

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The settings are kept under these names, and every message box is captioned with the title.
    QApplication::setOrganizationName(QString::fromLatin1(Messages::title));
    QApplication::setApplicationName(QString::fromLatin1(Messages::title));
    QApplication::setApplicationVersion(QStringLiteral(TILEWRIGHT_VERSION));
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TILEWRIGHT_APP_ID));
    QApplication::setWindowIcon(applicationIcon());

    QCommandLineParser parser;
    const EditorArguments arguments = parseEditorArguments(parser, QApplication::arguments());
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (arguments.request) {
    case EditorArguments::Help:
        // Only the parser itself can list Qt's own options; it ends the program.
        if (parser.isSet(QStringLiteral("help-all")))
            parser.process(QApplication::arguments());
        out << parser.helpText();
        return 0;
    case EditorArguments::Version:
        out << "tilewright " << QApplication::applicationVersion() << '\n';
        return 0;
    case EditorArguments::UsageError:
        err << "tilewright: " << arguments.error << '\n' << editorUsage << "\nTry 'tilewright --help' for more information.\n";
        return 2;
    case EditorArguments::Start:
        break;
    }

    const EditorStart start = startEditor(arguments);
    if (!start.window)
        return start.exitStatus;
    return QApplication::exec();
}
