#include "desktop/GameFolderCopy.h"

#include "model/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Copies the folder `from` as `to`, files and subfolders; `to` is made here.
Result copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return Result::failure(QStringLiteral("\"%1\" could not be made").arg(QDir::toNativeSeparators(to)));
    const QFileInfoList entries = QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir()) {
            // A link to a folder could lead back up the tree and never end.
            if (entry.isSymLink())
                continue;
            if (Result copied = copyFolder(entry.filePath(), target); !copied)
                return copied;
            continue;
        }
        QFile source(entry.filePath());
        if (!source.copy(target))
            return Result::failure(
                QStringLiteral("\"%1\" could not be copied: %2").arg(QDir::toNativeSeparators(entry.filePath()), source.errorString()));
        // A copy keeps the original's permissions; the index and the levels must be writable.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    return Result::success();
}

} // namespace

QString levelsFolderOf(const QString& gameFolder)
{
    return QDir::cleanPath(QDir(gameFolder).absoluteFilePath(QStringLiteral("../levels")));
}

QString unwritableFolderOf(const QString& gameFolder)
{
    const QString levels = levelsFolderOf(gameFolder);
    if (!canWriteIn(levels))
        return levels;
    if (!canWriteIn(gameFolder))
        return QDir(gameFolder).absolutePath();
    return {};
}

QString copyFolderFor(const QString& gameFolder, const QString& copies)
{
    QDir holder(QDir(gameFolder).absolutePath());
    QString name = holder.cdUp() ? holder.dirName() : QString();
    if (name.isEmpty())
        name = QStringLiteral("game");
    const QDir top(copies);
    QString candidate = top.filePath(name);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = top.filePath(QStringLiteral("%1 %2").arg(name).arg(n));
    return candidate;
}

Result copyGame(const QString& gameFolder, const QString& copyFolder, QString& copiedGameFolder)
{
    const QDir game(gameFolder);
    const QString gameName = QFileInfo(game.absolutePath()).fileName();
    const QString levels = levelsFolderOf(gameFolder);
    const QDir copy(copyFolder);
    Result copied = ::copyFolder(game.absolutePath(), copy.filePath(gameName));
    // Saving needs a levels folder beside the game folder, also when the original had none.
    if (copied && QFileInfo(levels).isDir())
        copied = ::copyFolder(levels, copy.filePath(QStringLiteral("levels")));
    else if (copied && !copy.mkpath(QStringLiteral("levels")))
        copied = Result::failure(
            QStringLiteral("\"%1\" could not be made").arg(QDir::toNativeSeparators(copy.filePath(QStringLiteral("levels")))));
    if (!copied) {
        QDir(copyFolder).removeRecursively();
        return copied;
    }
    copiedGameFolder = copy.filePath(gameName);
    return Result::success();
}
