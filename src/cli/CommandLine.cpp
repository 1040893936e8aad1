#include "cli/CommandLine.h"

#include "cli/CommandHelp.h"

#include <algorithm>

namespace {

const QString commandList = QStringLiteral("check, format, render, diff or merge");

// git's external diff passes seven arguments: the path, then the old and the
// new file, each with its hash and mode.
constexpr qsizetype gitDiffArguments = 7;

struct Options
{
    QCommandLineOption folder{{QStringLiteral("C"), QStringLiteral("game"), QStringLiteral("game-folder")},
        QStringLiteral("The game folder that holds Elements.txt and the pictures (default: the current folder)."), QStringLiteral("GAME")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("The file to write: the level (format, merge) or the PNG (render); - for standard output."), QStringLiteral("OUT")};
    QCommandLineOption view{QStringLiteral("view"),
        QStringLiteral("The view render draws: 0 main level, 1 top left, 2 top right, 3 bottom left, 4 bottom right (default 0)."),
        QStringLiteral("N"), QStringLiteral("0")};
    QCommandLineOption drop{QStringLiteral("drop-unknown"),
        QStringLiteral("format writes the level even when lines of unknown kind or entities on screens outside 0 to 4 are lost, or "
                       "grid names no tile kind has become the first tile kind.")};
    QCommandLineOption index{
        QStringLiteral("index"), QStringLiteral("check checks the game's level index and every level file in the levels folder.")};
    QCommandLineOption format{QStringLiteral("format"),
        QStringLiteral("How check writes its reports: text (default), json or github (GitHub Actions annotations)."),
        QStringLiteral("FORMAT"), QStringLiteral("text")};
    QCommandLineOption stat{QStringLiteral("stat"), QStringLiteral("diff prints only how many things changed on each layer.")};
    QCommandLineOption diff{QStringLiteral("diff"), QStringLiteral("render draws NEW with every cell that changed since OLD outlined.")};
    QCommandLineOption listAll{
        QStringLiteral("list-all"), QStringLiteral("Lists every line with a report, not only the first 100 of each level.")};
    QCommandLineOption label{QStringLiteral("label"),
        QStringLiteral("The name merge gives the level in its messages (git's %P; default: OURS)."), QStringLiteral("NAME")};

    QList<QCommandLineOption> all() const { return {folder, output, view, drop, index, format, stat, diff, listAll, label}; }
};

// The commands an option is for, as a usage error names them.
struct OptionUse
{
    const QCommandLineOption* option;
    QList<Command::Kind> commands;
    const char* message;
};

bool takeCommand(const QString& name, Command::Kind& kind)
{
    static const QList<QPair<QString, Command::Kind>> names{{QStringLiteral("check"), Command::Check},
        {QStringLiteral("format"), Command::Format}, {QStringLiteral("render"), Command::Render}, {QStringLiteral("diff"), Command::Diff},
        {QStringLiteral("merge"), Command::Merge}};
    for (const auto& [known, value] : names)
        if (name == known) {
            kind = value;
            return true;
        }
    return false;
}

// How many level files the command takes; an error when the count is wrong.
QString levelCountError(const Command& command)
{
    const qsizetype count = command.levels.size();
    switch (command.kind) {
    case Command::Check:
        if (command.index && count > 0)
            return QStringLiteral("check --index takes no level file: it checks those in the levels folder.");
        if (!command.index && count == 0)
            return QStringLiteral("check needs a level file, or --index.");
        break;
    case Command::Format:
        if (count == 0)
            return QStringLiteral("format needs a level file.");
        if (count > 1)
            return QStringLiteral("format takes one level file, not %1.").arg(count);
        break;
    case Command::Render:
        if (count == 0)
            return QStringLiteral("render needs a level file.");
        if (command.renderDiff && count != 2)
            return QStringLiteral("render --diff takes two level files, OLD and NEW, not %1.").arg(count);
        if (!command.renderDiff && count > 1)
            return QStringLiteral("render takes one level file, not %1.").arg(count);
        break;
    case Command::Diff:
        if (count != 2 && count != gitDiffArguments)
            return QStringLiteral("diff takes two level files, OLD and NEW (or git's seven arguments), not %1.").arg(count);
        break;
    case Command::Merge:
        if (count != 3)
            return QStringLiteral("merge takes three level files, BASE, OURS and THEIRS, not %1.").arg(count);
        break;
    }
    // Standard input can be read once.
    if (command.levels.count(QStringLiteral("-")) > 1)
        return QStringLiteral("only one level can come from standard input (-).");
    return {};
}

} // namespace

ParsedArguments parseArguments(QCommandLineParser& parser, const QStringList& arguments)
{
    static const Options options;
    parser.setApplicationDescription(programDescription());
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addOptions(options.all());
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("check, format, render, diff, merge, or help COMMAND."));
    parser.addPositionalArgument(QStringLiteral("levels"),
        QStringLiteral("The level files, as paths from the current folder; - for standard input."), QStringLiteral("LEVEL..."));

    ParsedArguments parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    QStringList positional = parser.positionalArguments();
    const QString name = positional.isEmpty() ? QString() : positional.takeFirst();
    Command& command = parsed.command;

    // "help COMMAND", "COMMAND --help", and the program's own help.
    const bool helpCommand = name == QLatin1String("help");
    if (helpCommand || parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        const QString about = helpCommand ? positional.value(0) : name;
        parsed.request = ParsedArguments::Help;
        if (about.isEmpty() || (!helpCommand && !findCommandHelp(about))) {
            parsed.helpText = parser.helpText();
        } else if (const CommandHelp* help = findCommandHelp(about)) {
            parsed.helpText = commandHelpText(*help, options.all());
        } else {
            parsed.request = ParsedArguments::UsageError;
            parsed.error = QStringLiteral("Unknown command '%1': use %2.").arg(about, commandList);
        }
        return parsed;
    }
    if (parser.isSet(versionOption)) {
        parsed.request = ParsedArguments::Version;
        return parsed;
    }
    if (name.isEmpty()) {
        parsed.error = QStringLiteral("No command given: use %1.").arg(commandList);
        return parsed;
    }
    if (!takeCommand(name, command.kind)) {
        parsed.error = QStringLiteral("Unknown command '%1': use %2.").arg(name, commandList);
        return parsed;
    }
    command.levels = positional;
    if (parser.isSet(options.folder))
        command.gameFolder = parser.value(options.folder);
    command.output = parser.value(options.output);
    command.dropUnknown = parser.isSet(options.drop);
    command.listAll = parser.isSet(options.listAll);
    command.index = parser.isSet(options.index);
    command.counts = parser.isSet(options.stat);
    command.renderDiff = parser.isSet(options.diff);
    command.label = parser.value(options.label);
    command.gitDiff = command.kind == Command::Diff && command.levels.size() == gitDiffArguments;

    const QList<OptionUse> uses{
        {&options.output, {Command::Format, Command::Render, Command::Merge}, "%1 writes no file; -o is for format, render and merge."},
        {&options.view, {Command::Render}, "--view is for render only."},
        {&options.drop, {Command::Format}, "--drop-unknown is for format only."},
        {&options.index, {Command::Check}, "--index is for check only."},
        {&options.format, {Command::Check}, "--format is for check only."},
        {&options.stat, {Command::Diff}, "--stat is for diff only."},
        {&options.diff, {Command::Render}, "--diff is for render only."},
        {&options.label, {Command::Merge}, "--label is for merge only."},
    };
    if (const QString error = levelCountError(command); !error.isEmpty()) {
        parsed.error = error;
        return parsed;
    }
    for (const OptionUse& use : uses) {
        if (parser.isSet(*use.option) && !use.commands.contains(command.kind)) {
            parsed.error = QString::fromLatin1(use.message);
            if (parsed.error.contains(QLatin1String("%1")))
                parsed.error = parsed.error.arg(name);
            return parsed;
        }
    }
    if (parser.isSet(options.output) && command.output.isEmpty())
        parsed.error = QStringLiteral("-o needs a file name.");
    else if (command.kind == Command::Render && command.output.isEmpty())
        parsed.error = QStringLiteral("render needs -o OUT.png, the picture to write.");
    else if (parser.isSet(options.folder) && command.gameFolder.isEmpty())
        parsed.error = QStringLiteral("-C needs a folder.");
    if (!parsed.error.isEmpty())
        return parsed;

    bool isNumber = false;
    command.view = parser.value(options.view).toInt(&isNumber);
    if (!isNumber || command.view < 0 || command.view > 4) {
        parsed.error = QStringLiteral("--view must be a number from 0 to 4, not '%1'.").arg(parser.value(options.view));
        return parsed;
    }
    const QString form = parser.value(options.format);
    if (form == QLatin1String("text"))
        command.reportOutput = Command::Output::Text;
    else if (form == QLatin1String("json"))
        command.reportOutput = Command::Output::Json;
    else if (form == QLatin1String("github"))
        command.reportOutput = Command::Output::GitHub;
    else {
        parsed.error = QStringLiteral("--format must be text, json or github, not '%1'.").arg(form);
        return parsed;
    }
    // A picture named .jpg would hold a PNG all the same.
    if (command.kind == Command::Render && command.output != QLatin1String("-")
        && !command.output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        parsed.error = QStringLiteral("render writes PNG pictures: '%1' does not end in .png.").arg(command.output);
        return parsed;
    }
    parsed.request = ParsedArguments::Run;
    return parsed;
}
