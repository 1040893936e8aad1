#include "levelfile/LevelIndex.h"

#include "model/TextLines.h"

#include <QFile>

QStringList readLevelIndex(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    LineReader lines(file.readAll());
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
    // A name appended to an unfinished last line would merge with it.
    const QByteArray lineBreak = endsInsideALine(path) ? "\r\n" : "";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return Result::failure(file.errorString());
    const QByteArray line = lineBreak + toFileBytes(name) + "\r\n";
    if (file.write(line) != line.size() || !file.flush())
        return Result::failure(file.errorString());
    return Result::success();
}
