#pragma once

#include "model/Result.h"

#include <QString>

class QFileDevice;

// Asks the system to put what was written on the disk itself, so that a
// power cut after a save brings back the new file, never an empty one.
// Qt's QSaveFile syncs the new file before it takes the old one's place but
// pays no heed to a failure there, and leaves the folder that records the
// new name unsynced.

// Puts the contents of the open `file` on the disk. A failure (a disk that
// turns out full only now, a failing device) gives the system's reason.
Result syncFileToDisk(QFileDevice& file);

// Puts the entries of `folder` (a new name, a rename) on the disk. A file
// system that cannot sync a folder counts as done.
Result syncFolderToDisk(const QString& folder);
