#include "desktop/GameFolderQuestion.h"

#include "app/ui/Messages.h"
#include "desktop/GameFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace {

// The installed sample game when there is one, so that a first start shows a
// game folder to pick; the home folder otherwise.
QString firstPlaceToLook()
{
    const QDir sample(QCoreApplication::applicationDirPath() + QStringLiteral("/" TILEWRIGHT_SAMPLE_FROM_PROGRAM));
    return sample.exists() ? sample.absolutePath() : QDir::homePath();
}

} // namespace

QString askGameFolder(QWidget* parent)
{
    QFileDialog dialog(parent, QString::fromLatin1(gameFolderQuestion), firstPlaceToLook());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
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
