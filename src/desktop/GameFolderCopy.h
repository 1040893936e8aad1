#pragma once

#include "model/Result.h"

#include <QString>

// A game folder the editor cannot save into (the installed sample, a
// read-only share) and the copy of it the user can work on instead. No
// widgets: the folders are checked and copied with plain files.

// The levels folder of a game folder: "levels" beside it.
QString levelsFolderOf(const QString& gameFolder);

// The first of the levels folder and the game folder that cannot be written
// (a missing levels folder cannot); empty when both can.
QString unwritableFolderOf(const QString& gameFolder);

// Where a copy of the game goes: a folder under `copies` named after the
// folder that holds the game folder and its levels ("sample" for the
// installed sample), with " 2", " 3"... added when that name is taken, so an
// earlier copy is never written over.
QString copyFolderFor(const QString& gameFolder, const QString& copies);

// Copies the game folder and its levels folder, with everything in them,
// into `copyFolder` (which must not exist yet), keeping their names side by
// side, and makes every copied file writable by its owner. Gives the copied
// game folder's path, or a failure that names the file and the reason; a
// failed copy leaves nothing behind.
Result copyGame(const QString& gameFolder, const QString& copyFolder, QString& copiedGameFolder);
