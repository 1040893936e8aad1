#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

class QIODevice;

// The most each kind of file may hold. The largest level there can be (70 by
// 70 cells on five layers and 32767 entities) is about 1.3 MB; the caps leave
// ample room for long names and data texts, and keep anything endless out.
namespace filecaps {
inline constexpr qint64 megabyte = 1024 * 1024;
inline constexpr qint64 level = 64 * megabyte;
inline constexpr qint64 catalogue = 4 * megabyte;
inline constexpr qint64 levelIndex = 4 * megabyte;
inline constexpr qint64 picture = 32 * megabyte;
} // namespace filecaps

// True when `path` is a symbolic link whose chain of links leads round in a
// loop, so that it names no file although the link itself is there.
bool isSymLinkLoop(const QString& path);

// Checks that `path` names a regular file (or a link to one) of at most `cap`
// bytes, before anything opens it: a pipe, a device or a huge file is refused
// at once instead of stalling the program. The failure's message is worded
// to follow the file's name: "was not found", "is a loop of symbolic links",
// "is not a regular file", "is a folder, not a file", "is larger than 64 MB".
Result checkWholeFile(const QString& path, qint64 cap);

// Reads the file at `path` whole into `bytes` after those checks; a failure
// to read adds "could not be read: " and the reason.
Result readWholeFile(const QString& path, qint64 cap, QByteArray& bytes);

// Replaces the file at `path` as a whole: `write` fills a new file beside it,
// which takes the old one's place only once it is complete, so a failure
// never loses the previous file. A path that names something other than a
// regular file (a device, a pipe) is refused rather than replaced. The
// failure's message is the reason alone, for the caller to put into its own
// words.
Result writeWholeFile(const QString& path, const std::function<Result(QIODevice& file)>& write);

// The same for bytes that are ready.
Result writeWholeFile(const QString& path, const QByteArray& bytes);

// Writes all of `bytes` to `file`. A disk that fills up part way makes a
// write stop short without an error; writing the rest again makes the
// system name its error, which the failure's message gives.
Result writeAll(QIODevice& file, const QByteArray& bytes);

// True when a new file can be made in `folder`. Only trying tells: the
// permission bits say nothing of a read-only mount, an ACL, or a folder that
// only an administrator may write.
bool canWriteIn(const QString& folder);

// Why the last operation on `file` failed, in the system's words. Qt leaves
// some failures as "Unknown error" (a rename that fails, a write that stops
// short); those take the system's own last error instead.
QString failureReason(const QIODevice& file);
