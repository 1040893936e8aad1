// tilewright-cli: the editor's level loading, saving and map drawing on the
// command line, for a game's build. No display is needed.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Console.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tilewright-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TILEWRIGHT_VERSION));

    Console console;
    QCommandLineParser parser;
    const ParsedArguments parsed = parseArguments(parser, QCoreApplication::arguments());
    switch (parsed.request) {
    case ParsedArguments::Help:
        console.out(parser.helpText().toLocal8Bit());
        return exitstatus::clean;
    case ParsedArguments::Version:
        console.outLine(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion());
        return exitstatus::clean;
    case ParsedArguments::UsageError:
        console.errLine(QStringLiteral("tilewright-cli: ") + parsed.error);
        console.errLine(QStringLiteral("Try 'tilewright-cli --help' for more information."));
        return exitstatus::unusable;
    case ParsedArguments::Run:
        break;
    }
    return runCommand(parsed.command, console);
}
