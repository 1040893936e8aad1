// tilewright-cli: the editor's level loading, saving and map drawing on the
// command line, for a game's build. No display is needed.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Console.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

int answer(Console& console)
{
    QCommandLineParser parser;
    const ParsedArguments parsed = parseArguments(parser, QCoreApplication::arguments());
    switch (parsed.request) {
    case ParsedArguments::Help:
        console.out(parsed.helpText.toLocal8Bit());
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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tilewright-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TILEWRIGHT_VERSION));

    Console console;
    const int status = answer(console);
    // Status 0 promises that the output was written.
    if (const QString failure = console.finishOut(); !failure.isEmpty()) {
        console.errLine(QStringLiteral("tilewright-cli: standard output could not be written: ") + failure);
        return std::max(status, exitstatus::reported);
    }
    return status;
}
