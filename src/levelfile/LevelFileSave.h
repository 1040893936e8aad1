#pragma once

#include <QByteArray>
#include <QString>

// True when the name can only mean a file in the levels folder itself: it
// holds no folder separator of any platform and no NUL.
bool isPlainLevelName(const QString& name);

// Replaces the file at `path` by `bytes` as a whole: the bytes go to a new
// file that takes the old one's place only once it is complete, so a failed
// save never loses the previous file. Returns an empty text on success, else
// the reason.
QString saveLevelBytes(const QString& path, const QByteArray& bytes);
