#pragma once

#include <QString>
#include <QStringList>

class Console;

// What the command line asked for.
struct Command
{
    enum Kind { Check, Format, Render };

    Kind kind = Check;
    QString gameFolder = QStringLiteral("."); // holds Elements.txt and the pictures
    QStringList levels; // level file paths as the user gave them
    QString output; // empty: standard output (format only)
    int view = 0; // the layer shown by render
    bool dropUnknown = false; // format writes a level that loses lines of its file
    bool listAll = false; // every line with a report is listed, not only the first ones
};

// The program's exit statuses.
namespace exitstatus {
inline constexpr int clean = 0;
// A level had a report, could not be read, or its output could not be written.
inline constexpr int reported = 1;
// The command line was wrong, or the game folder cannot be used.
inline constexpr int unusable = 2;
} // namespace exitstatus

// Reads the game folder's catalogue (and for render its pictures) as the
// editor's start-up does, then runs the command. Returns the exit status.
int runCommand(const Command& command, Console& console);
