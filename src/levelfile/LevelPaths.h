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

// File systems allow 255 characters in a file name (255 bytes of UTF-8 on
// Linux and macOS, where a letter beyond ASCII takes two).
inline constexpr int longestFileName = 255;

// A save writes a temporary file beside the level's and then puts it in the
// level's place; that file's name is the level's file name (the name and
// ".txt") and 7 characters more. So a level name may be 244 characters long.
inline constexpr int maxLevelNameLength = longestFileName - 4 - 7;

// The name's length as the file system counts it.
int levelNameLength(const QString& name);
