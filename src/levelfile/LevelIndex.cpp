#include "levelfile/LevelIndex.h"

#include "model/TextLines.h"
#include "model/WholeFile.h"

#include <QFileInfo>

QStringList readLevelIndex(const QString& path, QString* problem)
{
    if (!QFileInfo::exists(path) && !isSymLinkLoop(path))
        return {};
    QByteArray bytes;
    if (const Result read = readWholeFile(path, filecaps::levelIndex, bytes); !read) {
        if (problem)
            *problem = read.message();
        return {};
    }
    LineReader lines(bytes);
    QStringList names;
    while (!lines.atEnd())
        names.append(lines.readLine());
    return names;
}

Result appendToLevelIndex(const QString& path, const QString& name)
{
    // The index is 8-bit text: a name it cannot hold would come back as another name.
    for (const QChar c : name)
        if (c.unicode() > 0xFF)
            return Result::failure(QStringLiteral("the name holds characters that the 8-bit index cannot store"));
    // The whole index is written anew through the same safe writer as a
    // level, so a full disk or a failed write never leaves it cut short.
    QByteArray bytes;
    if (QFileInfo::exists(path)) {
        if (const Result read = readWholeFile(path, filecaps::levelIndex, bytes); !read)
            return Result::failure(QStringLiteral("the index %1").arg(read.message()));
    }
    // A name appended to an unfinished last line would merge with it.
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    bytes += toFileBytes(name) + "\r\n";
    return writeWholeFile(path, bytes);
}
