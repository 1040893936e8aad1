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
    return text.toUtf8().toPercentEncoding(" /\\:");
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

Result write(const QString& path, const RecoveryCopy& copy)
{
    QByteArray header = firstLine + "\r\n";
    header += "name\t" + field(copy.levelName) + "\r\n";
    header += "path\t" + field(copy.levelPath) + "\r\n";
    header += "game\t" + field(copy.gameFolder) + "\r\n";
    header += "made\t" + copy.madeAt.toUTC().toString(Qt::ISODateWithMs).toLatin1() + "\r\n";
    header += "level\t" + QByteArray::number(copy.level.size()) + "\t" + checksum(copy.level) + "\r\n";
    header += "\r\n";
    return writeWholeFile(path, [&](QIODevice& file) {
        const Result written = writeAll(file, header);
        return written ? writeAll(file, copy.level) : written;
    });
}

Result read(const QString& path, RecoveryCopy& copy)
{
    QByteArray bytes;
    if (const Result readable = readWholeFile(path, cap, bytes); !readable)
        return readable;
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
    const QList<QByteArray> levelField = fields["level"].split('\t'); // its size and checksum
    bool sized = false;
    const qsizetype size = levelField.size() == 2 ? levelField[0].toLongLong(&sized) : 0;
    RecoveryCopy found;
    found.levelName = text(fields["name"]);
    found.levelPath = text(fields["path"]);
    found.gameFolder = text(fields["game"]);
    found.madeAt = QDateTime::fromString(QString::fromLatin1(fields["made"]), Qt::ISODateWithMs);
    if (!sized || !found.madeAt.isValid() || found.gameFolder.isEmpty())
        return Result::failure(QStringLiteral("is damaged: its header is incomplete"));
    // In place: a level can be tens of megabytes.
    bytes.remove(0, headerEnd + endOfHeader.size());
    found.level = std::move(bytes);
    if (found.level.size() != size)
        return Result::failure(QStringLiteral("is damaged: it holds %1 of the level's %2 bytes").arg(found.level.size()).arg(size));
    if (checksum(found.level) != levelField[1])
        return Result::failure(QStringLiteral("is damaged: its level is not the one that was written"));
    found.madeAt = found.madeAt.toLocalTime();
    copy = std::move(found);
    return Result::success();
}

} // namespace recoverycopy
