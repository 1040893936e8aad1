#include "cli/CommandLine.h"

namespace {

const char* const description =
    "Checks, formats and renders level files of a Tilewright game.\n"
    "\n"
    "Commands:\n"
    "  check [-C DIR] LEVEL... [--list-all]\n"
    "      Loads each level as the editor's Load does and prints one line per\n"
    "      message the editor would show: path:line: message.\n"
    "  format [-C DIR] LEVEL [-o OUT] [--drop-unknown] [--list-all]\n"
    "      Writes the level exactly as the editor's Save would, to OUT or to\n"
    "      standard output. When that would lose lines of the file (unknown\n"
    "      kinds, entities on screens outside 0 to 4) it writes nothing, unless\n"
    "      --drop-unknown is given.\n"
    "  render [-C DIR] LEVEL -o OUT.png [--view N] [--list-all]\n"
    "      Draws the level as the editor's map shows it in view N into a PNG.\n"
    "\n"
    "Of each level the first 100 lines with a report are listed and the rest\n"
    "counted; --list-all lists every one.\n"
    "\n"
    "Exit status: 0 when all went well, 1 when a level had a report, could not\n"
    "be read or its output could not be written, 2 for a usage error or a game\n"
    "folder whose catalogue or pictures cannot be used.";

} // namespace

ParsedArguments parseArguments(QCommandLineParser& parser, const QStringList& arguments)
{
    parser.setApplicationDescription(QString::fromLatin1(description));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption folderOption({QStringLiteral("C"), QStringLiteral("game-folder")},
        QStringLiteral("The game folder that holds Elements.txt and the pictures (default: the current folder)."), QStringLiteral("DIR"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("The file to write: the level (format) or the PNG (render)."), QStringLiteral("OUT"));
    const QCommandLineOption viewOption(QStringLiteral("view"),
        QStringLiteral("The view render draws: 0 main level, 1 top left, 2 top right, 3 bottom left, 4 bottom right (default 0)."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption dropOption(QStringLiteral("drop-unknown"),
        QStringLiteral("format writes the level even when lines of unknown kind or entities on screens outside 0 to 4 are lost."));
    const QCommandLineOption listAllOption(
        QStringLiteral("list-all"), QStringLiteral("Lists every line with a report, not only the first 100 of each level."));
    parser.addOptions({folderOption, outputOption, viewOption, dropOption, listAllOption});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("check, format or render."));
    parser.addPositionalArgument(
        QStringLiteral("levels"), QStringLiteral("The level files, as paths from the current folder."), QStringLiteral("LEVEL..."));

    ParsedArguments parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    if (parser.isSet(helpOption)) {
        parsed.request = ParsedArguments::Help;
        return parsed;
    }
    if (parser.isSet(versionOption)) {
        parsed.request = ParsedArguments::Version;
        return parsed;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        parsed.error = QStringLiteral("No command given: use check, format or render.");
        return parsed;
    }
    const QString name = positional.takeFirst();
    Command& command = parsed.command;
    if (name == QLatin1String("check"))
        command.kind = Command::Check;
    else if (name == QLatin1String("format"))
        command.kind = Command::Format;
    else if (name == QLatin1String("render"))
        command.kind = Command::Render;
    else {
        parsed.error = QStringLiteral("Unknown command '%1': use check, format or render.").arg(name);
        return parsed;
    }
    command.levels = positional;
    if (parser.isSet(folderOption))
        command.gameFolder = parser.value(folderOption);
    command.output = parser.value(outputOption);
    command.dropUnknown = parser.isSet(dropOption);
    command.listAll = parser.isSet(listAllOption);

    if (command.levels.isEmpty())
        parsed.error = QStringLiteral("%1 needs a level file.").arg(name);
    else if (command.kind != Command::Check && command.levels.size() > 1)
        parsed.error = QStringLiteral("%1 takes one level file, not %2.").arg(name).arg(command.levels.size());
    else if (command.kind == Command::Check && parser.isSet(outputOption))
        parsed.error = QStringLiteral("check writes no file; -o is for format and render.");
    else if (parser.isSet(outputOption) && command.output.isEmpty())
        parsed.error = QStringLiteral("-o needs a file name.");
    else if (command.kind == Command::Render && command.output.isEmpty())
        parsed.error = QStringLiteral("render needs -o OUT.png, the picture to write.");
    else if (command.kind != Command::Render && parser.isSet(viewOption))
        parsed.error = QStringLiteral("--view is for render only.");
    else if (command.kind != Command::Format && command.dropUnknown)
        parsed.error = QStringLiteral("--drop-unknown is for format only.");
    else if (parser.isSet(folderOption) && command.gameFolder.isEmpty())
        parsed.error = QStringLiteral("-C needs a folder.");
    if (!parsed.error.isEmpty())
        return parsed;

    bool isNumber = false;
    command.view = parser.value(viewOption).toInt(&isNumber);
    if (!isNumber || command.view < 0 || command.view > 4) {
        parsed.error = QStringLiteral("--view must be a number from 0 to 4, not '%1'.").arg(parser.value(viewOption));
        return parsed;
    }
    parsed.request = ParsedArguments::Run;
    return parsed;
}
