#pragma once

#include "cli/LevelFiles.h"

#include <QString>
#include <QStringList>

#include <functional>

// The level index of a game as a build checks it: the index "index.txt" in
// the levels folder beside the game folder, one level name per line.
struct IndexedLevels
{
    QString indexPath; // as messages name it
    // The level files to check: those the index lists that exist, in index
    // order, then those it does not list, by name.
    QStringList listed;
    QStringList unlisted;
};

// Reads the index of the game in `gameFolder` and tells, in this order, what
// is wrong with it: a line that is no level name (empty, holding a folder
// separator or a line feed, or a name listed twice) and a listed level whose
// file is missing, line by line; then each level file it does not list.
IndexedLevels readIndexedLevels(const QString& gameFolder, const std::function<void(const Report&)>& tell);

// Whether a path names a level index rather than a level (a folder's
// "index.txt"), which a glob such as levels/*.txt takes in.
bool isLevelIndex(const QString& path);
