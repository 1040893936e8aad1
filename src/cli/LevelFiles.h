#pragma once

#include "levelfile/LevelFileLoad.h"

#include <QString>

#include <functional>

class Console;

// Something the program tells about a file, for a person or for a build.
struct Report
{
    QString file; // as the user gave it, or as the index names it
    int line = 0; // 0: the file as a whole
    int column = 0; // 0: the line as a whole
    // What kind of report it is, in a few stable words a build can match
    // ("unknown-kind", "bad-file", ...).
    const char* kind = "";
    QString message;
};

// "path:line:column: message", without the parts that are 0. Line breaks
// inside the message are written as \r and \n, so each report is one line.
QString reportLine(const Report& report);

// Which of the lines the editor's Load passes over in silence are told as
// well as those it shows.
enum class Silent {
    Quiet, // only what the editor's Load shows
    Told, // also entities a save would drop and grid names no tile kind has
};

// Lines with a report that are listed one by one; the rest are counted, so
// that a file of millions of bad lines is answered in a moment.
inline constexpr qsizetype listedLines = 100;

// A level read as the editor's Load reads it, from a file or, for "-", from
// standard input, every report told as it comes: the lines of unknown kind,
// the silent ones when asked (the first `listedLines` of them, or all with
// `listAll`, then a line that counts the rest), then what ended a failed read.
struct ToldLoad
{
    LoadedLevel loaded;
    qsizetype told = 0; // reports told, of every kind, the unlisted ones included
    qsizetype lostLines = 0; // lines of the file a save of the level would not write
    qsizetype unknownTiles = 0; // grid names a save would write as another tile
};

ToldLoad loadTelling(
    const QString& path, const Catalogue& catalogue, Silent silent, bool listAll, const std::function<void(const Report&)>& tell);

// Writes a level's bytes to `output`, or to standard output when it is empty
// or "-"; the file is replaced whole or not at all. False, after saying why
// on standard error, when it could not be written.
bool writeOutput(const QString& output, const QByteArray& bytes, Console& console);
