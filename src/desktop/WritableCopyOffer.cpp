#include "desktop/WritableCopyOffer.h"

#include "app/ui/Messages.h"
#include "desktop/GameFolderCopy.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

} // namespace

QString gameCopiesFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("Tilewright"));
}

QString offerWritableCopy(const QString& gameFolder, QWidget* parent)
{
    const QString unwritable = unwritableFolderOf(gameFolder);
    if (unwritable.isEmpty())
        return gameFolder;
    const QString levels = levelsFolderOf(gameFolder);
    const bool levelsUnwritable = unwritable == levels;
    const QString copyFolder = copyFolderFor(gameFolder, gameCopiesFolder());
    const QString question =
        QStringLiteral(
            "Tilewright cannot write into \"%1\"%2.\n\n"
            "Copy the game folder and its levels into \"%3\" and work on the copy? Tilewright will start there from now on.")
            .arg(shown(unwritable), levelsUnwritable ? QStringLiteral(", so levels cannot be saved there") : QString(), shown(copyFolder));
    QString stays = QStringLiteral("Tilewright works in \"%1\" as it is.").arg(shown(gameFolder));
    if (levelsUnwritable)
        stays += QStringLiteral(" Saving levels will fail there, since \"%1\" cannot be written.").arg(shown(levels));

    if (!Messages::askYesNo(parent, question)) {
        if (levelsUnwritable)
            Messages::report(parent, stays);
        return gameFolder;
    }
    QString copied;
    if (const Result made = copyGame(gameFolder, copyFolder, copied); !made) {
        Messages::show(parent, QStringLiteral("The game could not be copied: %1.\n\n").arg(made.message()) + stays, QMessageBox::Ok,
            QMessageBox::Ok, Messages::Icon::Exclamation);
        return gameFolder;
    }
    return copied;
}
