#pragma once

#include <QString>
#include <QStringList>

class Console;

// What the command line asked for.
struct Command
{
    enum Kind { Check, Format, Render, Diff, Merge };
    // How check writes its reports.
    enum class Output { Text, Json, GitHub };

    Kind kind = Check;
    QString gameFolder = QStringLiteral("."); // holds Elements.txt and the pictures
    QStringList levels; // level file paths as the user gave them; "-" is standard input
    QString output; // empty or "-": standard output (not render)
    int view = 0; // the layer shown by render
    bool dropUnknown = false; // format writes a level that loses lines of its file
    bool listAll = false; // every line with a report is listed, not only the first ones
    bool index = false; // check: the level index and every level it lists
    Output reportOutput = Output::Text; // check
    bool counts = false; // diff: only how many things changed
    bool renderDiff = false; // render: the second level with its changes from the first outlined
    bool gitDiff = false; // diff: git's seven arguments, the path first
    QString label; // merge: the level's name in messages (git's %P)
};

// The program's exit statuses.
namespace exitstatus {
inline constexpr int clean = 0;
// A level had a report, could not be read, or its output could not be
// written; diff: the levels differ; merge: there were conflicts.
inline constexpr int reported = 1;
// The command line was wrong, or the game folder cannot be used; diff and
// merge: a level could not be read.
inline constexpr int unusable = 2;
} // namespace exitstatus

// Reads the game folder's catalogue (and for render its pictures) as the
// editor's start-up does, then runs the command. Returns the exit status.
int runCommand(const Command& command, Console& console);
