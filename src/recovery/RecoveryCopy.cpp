#include "recovery/RecoveryCopy.h"

#include "model/WholeFile.h"

#include <QCryptographicHash>

#include <map>

namespace recoverycopy {

namespace {

const QByteArray firstLine = "Tilewright recovery copy";
const QByteArray endOfHeader = "\r\n\r\n";
// The header is a few hundred bytes; a level is at most filecaps::level.
constexpr qint64 cap = filecaps::level + filecaps::megabyte;

// Names and paths may hold any character; in the header they are kept to
// printable ASCII, so that no TAB or line break can end a field early.
QByteArray field(const QString& text)
{
    return text.toUtf8().toPercentEncoding();
}

QString text(const QByteArray& field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field));
}

QByteArray checksum(const QByteArray& level)
{
    return QCryptographicHash::hash(level, QCryptographicHash::Sha256).toHex();
}

} // namespace

QByteArray fileBytes(const RecoveryCopy& copy)
{
    QByteArray bytes = firstLine + "\r\n";
    bytes += "name\t" + field(copy.levelName) + "\r\n";
    bytes += "path\t" + field(copy.levelPath) + "\r\n";
    bytes += "game\t" + field(copy.gameFolder) + "\r\n";
    bytes += "made\t" + copy.madeAt.toUTC().toString(Qt::ISODateWithMs).toLatin1() + "\r\n";
    bytes += "level\t" + QByteArray::number(copy.level.size()) + "\t" + checksum(copy.level) + "\r\n";
    bytes += "\r\n";
    return bytes + copy.level;
}

Result read(const QString& path, RecoveryCopy& copy)
{
    QByteArray bytes;
    if (const Result read = readWholeFile(path, cap, bytes); !read)
        return read;
    const qsizetype headerEnd = bytes.indexOf(endOfHeader);
    if (!bytes.startsWith(firstLine + "\r\n") || headerEnd < 0)
        return Result::failure(QStringLiteral("is not a recovery copy of Tilewright"));

    std::map<QByteArray, QByteArray> fields;
    for (const QByteArray& line : bytes.first(headerEnd).split('\n').mid(1)) {
        const QByteArray trimmed = line.endsWith('\r') ? line.chopped(1) : line;
        const qsizetype tab = trimmed.indexOf('\t');
        if (tab > 0)
            fields[trimmed.first(tab)] = trimmed.sliced(tab + 1);
    }
    const QList<QByteArray> level = fields["level"].split('\t');
    bool sized = false;
    const qsizetype size = level.size() == 2 ? level[0].toLongLong(&sized) : 0;
    RecoveryCopy read;
    read.levelName = text(fields["name"]);
    read.levelPath = text(fields["path"]);
    read.gameFolder = text(fields["game"]);
    read.madeAt = QDateTime::fromString(QString::fromLatin1(fields["made"]), Qt::ISODateWithMs);
    if (!sized || !read.madeAt.isValid() || read.gameFolder.isEmpty())
        return Result::failure(QStringLiteral("is damaged: its header is incomplete"));
    read.level = bytes.sliced(headerEnd + endOfHeader.size());
    if (read.level.size() != size)
        return Result::failure(QStringLiteral("is damaged: it holds %1 of the level's %2 bytes").arg(read.level.size()).arg(size));
    if (checksum(read.level) != level[1])
        return Result::failure(QStringLiteral("is damaged: its level is not the one that was written"));
    read.madeAt = read.madeAt.toLocalTime();
    copy = std::move(read);
    return Result::success();
}

} // namespace recoverycopy
