#include "model/WholeFile.h"

#include "model/DiskSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace {

QString sizeText(qint64 bytes)
{
    if (bytes >= filecaps::megabyte && bytes % filecaps::megabyte == 0)
        return QStringLiteral("%1 MB").arg(bytes / filecaps::megabyte);
    return QStringLiteral("%1 bytes").arg(bytes);
}

// The text Qt gives when it has no reason of its own.
const QString& unknownErrorText()
{
    static const QString text = QFile().errorString();
    return text;
}

} // namespace

bool isSymLinkLoop(const QString& path)
{
    // The system gives up after 40 links; so does this.
    QFileInfo link(path);
    QStringList seen;
    for (int step = 0; step < 40; ++step) {
        if (!link.isSymLink())
            return false;
        const QString target = link.symLinkTarget();
        if (seen.contains(target))
            return true;
        seen.append(target);
        link.setFile(target);
    }
    return true;
}

Result checkWholeFile(const QString& path, qint64 cap)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Result::failure(isSymLinkLoop(path) ? QStringLiteral("is a loop of symbolic links") : QStringLiteral("was not found"));
    if (info.isDir())
        return Result::failure(QStringLiteral("is a folder, not a file"));
    if (!info.isFile())
        return Result::failure(QStringLiteral("is not a regular file"));
    if (info.size() > cap)
        return Result::failure(QStringLiteral("is larger than %1").arg(sizeText(cap)));
    return Result::success();
}

Result readWholeFile(const QString& path, qint64 cap, QByteArray& bytes)
{
    if (Result checked = checkWholeFile(path, cap); !checked)
        return checked;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(QStringLiteral("could not be read: %1").arg(failureReason(file)));
    // Only as many bytes as the file held when it was checked: a file that
    // grows meanwhile, or one the system sizes as empty, cannot run on.
    const qint64 size = qMin(file.size(), cap);
    QByteArray read(size, Qt::Uninitialized);
    const qint64 got = size > 0 ? file.read(read.data(), size) : 0;
    if (got < 0)
        return Result::failure(QStringLiteral("could not be read: %1").arg(failureReason(file)));
    read.truncate(got);
    bytes = std::move(read);
    return Result::success();
}

Result writeWholeFile(const QString& path, const std::function<Result(QIODevice& file)>& write)
{
    // Replacing a device or a pipe with a file would break what uses it.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return Result::failure(QStringLiteral("it is not a regular file"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Result::failure(failureReason(file));
    // commit() writes what is still buffered but does not look at how that
    // went: a disk that fills up there would leave a cut-off file in the old
    // one's place. So every byte is written and on the disk before it.
    Result written = write(file);
    if (written && !file.flush())
        written = Result::failure(failureReason(file));
    if (written)
        written = syncFileToDisk(file);
    if (!written) {
        file.cancelWriting();
        return written;
    }
    if (!file.commit())
        return Result::failure(failureReason(file));
    // The new file is found by its entry in the folder (the link to a file
    // that is followed leads to the file's own folder).
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (const Result synced = syncFolderToDisk(QFileInfo(canonical.isEmpty() ? path : canonical).absolutePath()); !synced)
        return Result::failure(
            QStringLiteral("the file was written, but the system could not put it on the disk: %1").arg(synced.message()));
    return Result::success();
}

Result writeWholeFile(const QString& path, const QByteArray& bytes)
{
    return writeWholeFile(path, [&bytes](QIODevice& file) { return writeAll(file, bytes); });
}

Result writeAll(QIODevice& file, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return Result::failure(failureReason(file));
        done += written;
    }
    return Result::success();
}

bool canWriteIn(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tilewright-XXXXXX")));
    return probe.open();
}

QString failureReason(const QIODevice& file)
{
    // Taken before anything else can change it.
    const QString system = qt_error_string(-1);
    if (file.errorString() != unknownErrorText())
        return file.errorString();
    if (!system.isEmpty())
        return system;
    const auto* fileDevice = qobject_cast<const QFileDevice*>(&file);
    if (fileDevice && fileDevice->error() == QFileDevice::RenameError)
        return QStringLiteral("the new file could not take the old one's place");
    return QStringLiteral("the file could not be read or written");
}
