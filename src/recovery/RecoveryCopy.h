#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A copy of the editor's unsaved work, kept in the user's data folder while
// the editor runs, so that a crash, a kill or a power cut loses nothing: the
// level in the level file's own form, where it came from, and when the copy
// was made.
struct RecoveryCopy
{
    QString levelName; // the name it was loaded or saved under; empty for a level never saved
    QString levelPath; // its file; empty likewise
    QString gameFolder; // the game folder whose catalogue names its kinds
    QDateTime madeAt;
    QByteArray level; // the level file's bytes, as Save writes them

    friend bool operator==(const RecoveryCopy&, const RecoveryCopy&) = default;
};

namespace recoverycopy {

// Writes the copy's file at `path` through the safe writer: a few lines of
// its own (what the level is, its length and a checksum of it), an empty
// line, then the level file. The level is written as it is, not copied.
Result write(const QString& path, const RecoveryCopy& copy);

// Reads the copy's file at `path` as any file is read (only a regular file,
// up to a cap). A file that is no recovery copy, or whose level was cut
// short or changed since it was written, fails; the message is worded to
// follow the file's name.
Result read(const QString& path, RecoveryCopy& copy);

} // namespace recoverycopy
