#pragma once

#include "levelfile/LevelReader.h"
#include "model/Catalogue.h"
#include "model/Level.h"

#include <QString>

#include <limits>
#include <vector>

struct [[nodiscard]] LoadedLevel
{
    // True when the whole file was read; `level` then holds it.
    bool ok = false;
    // True when there is no file at the path (the editor warns of that one).
    bool missing = false;
    Level level;
    // Every message the editor's Load would show, in the order it shows
    // them: the lines of unknown kind, as many as were to be listed, then
    // what ended a failed read. Line 0 means the message concerns the file
    // as a whole (missing, not a regular file, too large, unreadable).
    std::vector<LevelFileReport> reports;
    // The lines of unknown kind beyond those listed: counted only.
    qsizetype unlisted = 0;
    // The entity lines a save would not write back (LevelReadResult::unsaved).
    std::vector<LevelFileReport> unsaved;
};

// Reads the level file at `path` as the Load command does, into a separate
// level that starts from `current` (whose player start stays when the file
// has no player line): a missing or unusable file, the lines of unknown
// kinds and what ended a failed read give the editor's own messages. Only
// the first `listed` lines of unknown kind are listed in `reports`.
LoadedLevel loadLevelFile(
    const QString& path, const Catalogue& catalogue, const Level& current, qsizetype listed = std::numeric_limits<qsizetype>::max());

// The same for a level file's bytes that are already read (the level of a
// recovery copy): its reports are those of a file.
LoadedLevel loadLevelBytes(
    const QByteArray& bytes, const Catalogue& catalogue, const Level& current, qsizetype listed = std::numeric_limits<qsizetype>::max());

// The same for a tool that tells every line as it comes: the lines of
// unknown kind, the unsaved ones and the grid names no tile kind has go to
// `notes` in file order, and `reports` keeps only what concerns the file as
// a whole or ended the read.
LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue, const Level& current, const LineNotes& notes);

// The same for a level's bytes read from elsewhere (a tool's standard input).
LoadedLevel loadLevelBytes(const QByteArray& bytes, const Catalogue& catalogue, const Level& current, const LineNotes& notes);
