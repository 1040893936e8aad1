#include "levelfile/SaveFailure.h"

#include "model/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

namespace {

// Room a file takes beyond its bytes: blocks, and the new file that is
// written beside the old one.
constexpr qint64 slack = 64 * 1024;

QString size(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace

QString saveFailureReason(const QString& path, qint64 bytes)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(QDir::cleanPath(file.absolutePath()));
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The levels folder \"%1\" does not exist.").arg(folder);
    if (!canWriteIn(folder))
        return QStringLiteral("The levels folder \"%1\" cannot be written: it is read-only, or you may not write into it.").arg(folder);
    const QStorageInfo disk(folder);
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < bytes + slack)
        return QStringLiteral("The disk is full: the level needs %1, and %2 is free on the disk that holds \"%3\".")
            .arg(size(bytes), size(disk.bytesAvailable()), folder);
    if (file.isDir())
        return QStringLiteral("\"%1\" is a folder, not a file.").arg(QDir::toNativeSeparators(file.absoluteFilePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("The file \"%1\" is read-only.").arg(QDir::toNativeSeparators(file.absoluteFilePath()));
    return {};
}
