#include "levelfile/LevelIndex.h"

#include "model/TextLines.h"
#include "model/WholeFile.h"

#include <QFile>
#include <QFileInfo>

QStringList readLevelIndex(const QString& path, QString* problem)
{
    if (!QFileInfo::exists(path))
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

namespace {

// True when the last line of a hand-edited index has no line break yet.
bool endsInsideALine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0 || !file.seek(file.size() - 1))
        return false;
    char last = 0;
    return file.getChar(&last) && last != '\n' && last != '\r';
}

} // namespace

Result appendToLevelIndex(const QString& path, const QString& name)
{
    // The index is 8-bit text: a name it cannot hold would come back as another name.
    for (const QChar c : name)
        if (c.unicode() > 0xFF)
            return Result::failure(QStringLiteral("the name holds characters that the 8-bit index cannot store"));
    // Opening a pipe or a device would wait for it, or write into it.
    if (const QFileInfo index(path); index.exists() && !index.isFile())
        return Result::failure(QStringLiteral("it is not a regular file"));
    // A name appended to an unfinished last line would merge with it.
    const QByteArray lineBreak = endsInsideALine(path) ? "\r\n" : "";
    QFile file(path);
    // Unbuffered, so that a disk that fills up shows in the write itself.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return Result::failure(failureReason(file));
    const QByteArray line = lineBreak + toFileBytes(name) + "\r\n";
    return writeAll(file, line);
}
