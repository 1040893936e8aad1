#pragma once

#include "levelfile/LevelReader.h"
#include "model/Catalogue.h"
#include "model/Level.h"

#include <QString>

#include <vector>

struct [[nodiscard]] LoadedLevel
{
    // True when the whole file was read; `level` then holds it.
    bool ok = false;
    // True when there is no file at the path (the editor warns of that one).
    bool missing = false;
    Level level;
    // Every message the editor's Load would show, in the order it shows
    // them. Line 0 means the message concerns the file as a whole.
    std::vector<LevelFileReport> reports;
};

// Reads the level file at `path` as the Load command does, into a separate
// level that starts from `current` (whose player start stays when the file
// has no player line): a missing or unreadable file, the lines of unknown
// kinds and what ended a failed read give the editor's own messages.
LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue, const Level& current);
