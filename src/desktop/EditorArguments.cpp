#include "desktop/EditorArguments.h"

#include <QFileInfo>

namespace {

const char* const description =
    "Edits the levels of a Quandor game.\n"
    "\n"
    "The game folder holds the catalogue Elements.txt and the pictures; its\n"
    "levels lie in the folder 'levels' beside it. Without -C the editor starts\n"
    "in the current folder when it holds Elements.txt, else in the game folder\n"
    "used last, else it asks for one.";

} // namespace

EditorArguments parseEditorArguments(QCommandLineParser& parser, const QStringList& arguments)
{
    parser.setApplicationDescription(QString::fromLatin1(description));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption folderOption({QStringLiteral("C"), QStringLiteral("game")},
        QStringLiteral("The game folder that holds Elements.txt and the pictures; it becomes the working folder."),
        QStringLiteral("GAMEDIR"));
    // tilewright-cli's other name for it, taken here too but not shown.
    QCommandLineOption folderAlias(QStringLiteral("game-folder"), folderOption.description(), folderOption.valueName());
    folderAlias.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({folderOption, folderAlias});
    parser.addPositionalArgument(QStringLiteral("level"),
        QStringLiteral("A level file to open after start-up, as Load opens it (a path from the current folder)."),
        QStringLiteral("[LEVEL]"));

    EditorArguments parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    // --help-all is Qt's longer help; the editor has no options beyond its own to show.
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        parsed.request = EditorArguments::Help;
        return parsed;
    }
    if (parser.isSet(versionOption)) {
        parsed.request = EditorArguments::Version;
        return parsed;
    }

    const QStringList levels = parser.positionalArguments();
    if (levels.size() > 1) {
        parsed.error = QStringLiteral("Only one level file can be opened, not %1.").arg(levels.size());
        return parsed;
    }
    if (!levels.isEmpty())
        parsed.levelPath = levels.first();
    if (parser.isSet(folderOption) || parser.isSet(folderAlias)) {
        parsed.gameFolder = parser.isSet(folderOption) ? parser.value(folderOption) : parser.value(folderAlias);
        if (parsed.gameFolder.isEmpty()) {
            parsed.error = QStringLiteral("-C needs a folder.");
            return parsed;
        }
        if (!QFileInfo(parsed.gameFolder).isDir()) {
            parsed.error = QStringLiteral("The game folder '%1' does not exist.").arg(parsed.gameFolder);
            return parsed;
        }
    }
    parsed.request = EditorArguments::Start;
    return parsed;
}
