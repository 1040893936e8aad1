#include "desktop/EditorStart.h"

#include "app/ui/Messages.h"
#include "desktop/GameFolder.h"
#include "desktop/GameFolderQuestion.h"
#include "desktop/WritableCopyOffer.h"
#include "model/modLists.h"
#include "recovery/RecoverySlot.h"

#include <QDir>
#include <QTextStream>

namespace {

// Also on standard error, for whoever started the editor from a shell or
// reads the desktop session's log.
EditorStart failed(const QString& message, Messages::Icon icon = Messages::Icon::Critical)
{
    QTextStream(stderr) << "tilewright: " << message << '\n';
    Messages::show(nullptr, message, QMessageBox::Ok, QMessageBox::Ok, icon);
    EditorStart start;
    start.exitStatus = 1;
    return start;
}

// A level path on the command line is a path from the folder the program was
// started in. Once the working folder has moved it is made absolute, so that
// it still names that file (and its messages say which).
QString levelPathFrom(const QString& startFolder, const QString& given)
{
    if (QDir::isAbsolutePath(given) || QDir::currentPath() == startFolder)
        return given;
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(startFolder).absoluteFilePath(given)));
}

} // namespace

EditorStart startEditor(const EditorArguments& arguments)
{
    const QString startFolder = QDir::currentPath();
    QString folder = arguments.gameFolder;
    if (folder.isEmpty())
        folder = findGameFolder(startFolder, rememberedGameFolder());
    if (folder.isEmpty()) {
        folder = askGameFolder();
        if (folder.isEmpty())
            return failed(QStringLiteral("No game folder was chosen, so Tilewright has nothing to edit and ends.\n\n"
                                         "Start it again to choose the folder that holds Elements.txt."),
                Messages::Icon::None);
    }
    // A game that cannot be saved into (the installed sample) is offered as a copy of the user's own.
    if (holdsCatalogue(folder))
        folder = offerWritableCopy(folder);
    if (!QDir::setCurrent(folder))
        return failed(QStringLiteral("The game folder \"%1\" could not be opened.").arg(QDir::toNativeSeparators(folder)));

    // The game folder is the working folder: the catalogue and pictures lie
    // there, the levels folder beside it.
    if (const Result read = modLists::readElements(QDir::currentPath()); !read)
        return failed(read.message());
    auto window = std::make_unique<frmMain>();
    if (const Result loaded = window->Form_Load(); !loaded)
        return failed(loaded.message());

    rememberGameFolder(QDir::currentPath());
    window->show();
    if (!arguments.levelPath.isEmpty())
        window->openLevelFile(levelPathFrom(startFolder, arguments.levelPath));
    // Unsaved work of an editor that ended before it was saved comes back
    // here; it replaces a level just opened, which has none of its own.
    window->keepRecoveryCopies(recoveryFolder());
    window->offerRecoveryCopies(recoveryFolder());
    EditorStart start;
    start.window = std::move(window);
    return start;
}
