#include "cli/CommandHelp.h"

#include <algorithm>

namespace {

// The program's help ends with them; each command's help says its own.
const char* const exitStatuses =
    "Exit status: 0 when all went well; 1 when a level had a report, could not\n"
    "be read or its output could not be written, when diff's levels differ and\n"
    "when merge met conflicts; 2 for a usage error, a game folder whose catalogue\n"
    "or pictures cannot be used, or a level diff or merge could not read whole.";

QString optionNames(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <%1>").arg(option.valueName());
    return text;
}

// The words of `text` in lines of at most `width` characters (a longer word
// has a line of its own), each after `indent` spaces but the first.
QString wrapped(const QString& text, qsizetype indent, qsizetype width)
{
    QString result;
    qsizetype used = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (used > 0 && used + 1 + word.size() > width) {
            result += u'\n' + QString(indent, u' ');
            used = 0;
        } else if (used > 0) {
            result += u' ';
            ++used;
        }
        result += word;
        used += word.size();
    }
    return result;
}

} // namespace

const QList<CommandHelp>& commandHelps()
{
    static const QList<CommandHelp> helps{
        {"check",
            "check [-C GAME] [--format FORMAT] [--list-all] LEVEL...\n"
            "check [-C GAME] [--format FORMAT] [--list-all] --index",
            "Loads each level as the editor's Load does and prints one line per message\n"
            "the editor would show, per entity it would keep but never show or save,\n"
            "and per grid name no tile kind has: path:line:column: message. A level\n"
            "index among the files (levels/index.txt from a glob) is skipped with a note.\n"
            "\n"
            "--index checks the game's level index (index.txt in the levels folder\n"
            "beside the game folder): lines that are no level name, listed levels whose\n"
            "file is missing, level files it does not list; then every level file.\n"
            "\n"
            "--format=json writes one JSON document, --format=github GitHub Actions\n"
            "annotations. Exit status: 0 when no level had a report, 1 when one had,\n"
            "2 for a usage error or a game folder that cannot be used.",
            {QStringLiteral("C"), QStringLiteral("index"), QStringLiteral("format"), QStringLiteral("list-all")}},
        {"format", "format [-C GAME] LEVEL [-o OUT] [--drop-unknown] [--list-all]",
            "Writes the level exactly as the editor's Save would, to OUT or to standard\n"
            "output (also with -o -). When that would lose lines of the file (unknown\n"
            "kinds, entities on screens outside 0 to 4) or write a grid name no tile kind\n"
            "has as another tile, it writes nothing and names each place, unless\n"
            "--drop-unknown is given. LEVEL - reads standard input.\n"
            "\n"
            "Exit status: 0 when the level loaded without a message and was written, 1\n"
            "when it had a message or could not be written, 2 for a usage error or a\n"
            "game folder that cannot be used.",
            {QStringLiteral("C"), QStringLiteral("o"), QStringLiteral("drop-unknown"), QStringLiteral("list-all")}},
        {"render",
            "render [-C GAME] LEVEL -o OUT.png [--view N] [--list-all]\n"
            "render [-C GAME] --diff OLD NEW -o OUT.png [--view N] [--list-all]",
            "Draws the level as the editor's map shows it in view N into a PNG picture;\n"
            "-o - writes it to standard output. With --diff it draws NEW with every cell\n"
            "that changed since OLD outlined: red where the change shows in the view,\n"
            "blue where it lies on another corner screen.\n"
            "\n"
            "Exit status: 0 when the picture was written from a level without a message,\n"
            "1 when a level had one or the picture could not be written, 2 for a usage\n"
            "error or a game folder whose catalogue or pictures cannot be used.",
            {QStringLiteral("C"), QStringLiteral("o"), QStringLiteral("view"), QStringLiteral("diff"), QStringLiteral("list-all")}},
        {"diff",
            "diff [-C GAME] [--stat] OLD NEW\n"
            "diff [-C GAME] [--stat] PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE",
            "Lists in words what changed from OLD to NEW, layer by layer: cells with\n"
            "their old and new tile, entities added, removed or with other data (matched\n"
            "by layer, cell and kind, in order), the player start, and the size with the\n"
            "corner when it can be told. --stat prints only the counts.\n"
            "\n"
            "The second form is what git passes to an external diff driver; it heads the\n"
            "output with the path and exits 0 for levels that differ, as git stops at any\n"
            "other status.\n"
            "\n"
            "Exit status: 0 when the levels are equal, 1 when they differ, 2 when a level\n"
            "could not be read whole (or for a usage error).",
            {QStringLiteral("C"), QStringLiteral("stat"), QStringLiteral("list-all")}},
        {"merge", "merge [-C GAME] BASE OURS THEIRS [-o OUT] [--label NAME]",
            "Merges two versions of a level made from BASE, cell by cell on each layer,\n"
            "entities by layer, cell and kind with their data as the value, the player\n"
            "start as one item. A change on one side is taken, the same change on both\n"
            "sides once; different changes of one item conflict. OUT (or standard output)\n"
            "gets OURS with every change of THEIRS that conflicts with none, written as\n"
            "Save writes it; each conflict is named on standard error with its layer and\n"
            "cell. As git's merge driver: merge -C GAME --label %P %O %A %B -o %A.\n"
            "\n"
            "Exit status: 0 when merged cleanly, 1 with conflicts, 2 when a level could\n"
            "not be read whole (nothing is written then), OUT could not be written, or\n"
            "for a usage error.",
            {QStringLiteral("C"), QStringLiteral("o"), QStringLiteral("label"), QStringLiteral("list-all")}},
    };
    return helps;
}

const CommandHelp* findCommandHelp(const QString& name)
{
    const QList<CommandHelp>& helps = commandHelps();
    const auto it = std::find_if(helps.begin(), helps.end(), [&](const CommandHelp& help) { return name == QLatin1String(help.name); });
    return it == helps.end() ? nullptr : &*it;
}

QString programDescription()
{
    QString text = QStringLiteral("Checks, formats, renders, compares and merges level files of a Tilewright game.\n\nCommands:\n");
    for (const CommandHelp& help : commandHelps())
        for (const QString& usage : QString::fromLatin1(help.usage).split(u'\n'))
            text += QStringLiteral("  ") + usage + u'\n';
    text += QStringLiteral("\n'tilewright-cli help COMMAND' or 'tilewright-cli COMMAND --help' describes one command.\n\n");
    text +=
        QStringLiteral("Of each level the first 100 lines with a report are listed and the rest\ncounted; --list-all lists every one.\n\n");
    return text + QLatin1String(exitStatuses);
}

QString commandHelpText(const CommandHelp& help, const QList<QCommandLineOption>& options)
{
    QString text;
    const QStringList usages = QString::fromLatin1(help.usage).split(u'\n');
    for (qsizetype i = 0; i < usages.size(); ++i)
        text += (i == 0 ? QStringLiteral("Usage: tilewright-cli ") : QStringLiteral("       tilewright-cli ")) + usages[i] + u'\n';
    text += u'\n' + QString::fromLatin1(help.text) + QStringLiteral("\n\nOptions:\n");

    QList<QPair<QString, QString>> rows;
    for (const QString& name : help.options)
        for (const QCommandLineOption& option : options)
            if (option.names().contains(name))
                rows.append({optionNames(option), option.description()});
    rows.append({QStringLiteral("-h, --help"), QStringLiteral("Displays help on this command.")});
    qsizetype width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    // As Qt's own help: lines of at most 79 characters.
    const qsizetype indent = 2 + width + 2;
    for (const auto& row : rows)
        text += QStringLiteral("  ") + row.first.leftJustified(width + 2) + wrapped(row.second, indent, 79 - indent) + u'\n';
    return text;
}
