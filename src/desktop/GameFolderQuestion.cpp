#include "desktop/GameFolderQuestion.h"

#include "app/ui/Messages.h"
#include "desktop/GameFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The places a game folder is usually found, beside the dialog's list: the
// computer, the home and documents folders, and the installed sample game.
QList<QUrl> placesToLook()
{
    QList<QUrl> places{QUrl(QStringLiteral("file:")), QUrl::fromLocalFile(QDir::homePath())};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        places.append(QUrl::fromLocalFile(documents));
    const QDir sample(QCoreApplication::applicationDirPath() + QStringLiteral("/" TILEWRIGHT_SAMPLE_FROM_PROGRAM));
    if (sample.exists(QStringLiteral("editor")))
        places.append(QUrl::fromLocalFile(sample.absoluteFilePath(QStringLiteral("editor"))));
    return places;
}

} // namespace

QString askGameFolder(QWidget* parent)
{
    // The user's own folders first: games are made and copied there, and
    // the installed sample, which cannot be saved into, is one place aside.
    QFileDialog dialog(parent, QString::fromLatin1(gameFolderQuestion), QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setSidebarUrls(placesToLook());
    while (dialog.exec() == QDialog::Accepted) {
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty())
            continue;
        const QString folder = chosen.first();
        if (holdsCatalogue(folder))
            return folder;
        Messages::show(parent,
            QStringLiteral("The folder \"%1\" holds no Elements.txt, so it is not a game folder.\n\n"
                           "Choose the folder that holds the catalogue Elements.txt and the pictures, "
                           "such as the \"editor\" folder of the sample game.")
                .arg(QDir::toNativeSeparators(folder)),
            QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Exclamation);
        // Ask again from where the user was.
        dialog.setDirectory(folder);
    }
    return {};
}
