#pragma once

#include "levelfile/LevelReader.h"
#include "model/Catalogue.h"
#include "model/Level.h"

#include <QString>

#include <vector>

struct LoadedLevel
{
    // True when the whole file was read; `level` then holds it.
    bool ok = false;
    Level level;
    // Every message the editor's Load would show, in the order it shows
    // them. Line 0 means the message concerns the file as a whole.
    std::vector<LevelFileReport> reports;
};

// Reads the level file at `path` as the editor's Load command reads it into
// a new level: a missing or unreadable file, the lines of unknown kinds and
// what ended a failed read give the editor's own messages.
LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue);

// A report as one line of output: "path:line: message", or "path: message"
// for line 0. Line breaks inside the message are written as \r and \n so that
// every report stays on one line.
QString reportLine(const QString& path, const LevelFileReport& report);
