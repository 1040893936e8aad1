#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// What the editor's command line asked for.
struct EditorArguments
{
    enum Request { Start, Help, Version, UsageError };

    Request request = UsageError;
    QString gameFolder; // -C: made the working folder; empty when not given
    QString levelPath; // opened after start-up as Load opens a level; empty when none
    QString error; // when UsageError
};

// The line that shows how the editor is called, for usage messages.
inline constexpr const char* editorUsage = "Usage: tilewright [-C GAMEDIR] [LEVEL]";

// Sets `parser` up with the editor's options and reads the arguments (the
// program's name first). A game folder that is not an existing folder is a
// usage error, so nothing starts on a mistyped path.
EditorArguments parseEditorArguments(QCommandLineParser& parser, const QStringList& arguments);
