#pragma once

#include <QString>

// Where the level files lie: a folder "levels" beside the working folder.
// Paths are relative to the working folder and use the platform's separator,
// so messages show them as the user knows them (..\levels\Level1.txt on
// Windows). The name is used exactly as given: no trimming, no checks.
QString levelFilePath(const QString& name);

// The level index "index.txt" in the same folder.
QString levelIndexPath();

// True when the name can only mean a file in the levels folder itself: it
// holds no folder separator of any platform and no NUL.
bool isPlainLevelName(const QString& name);
