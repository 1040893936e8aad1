#include "desktop/EditorStart.h"

#include "app/ui/Messages.h"
#include "desktop/GameFolder.h"
#include "desktop/GameFolderQuestion.h"
#include "model/modLists.h"
#include "recovery/RecoverySlot.h"

#include <QDir>

namespace {

EditorStart failed(const QString& message)
{
    Messages::show(nullptr, message, QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Critical);
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
    if (folder.isEmpty())
        folder = askGameFolder();
    // When the question was cancelled the working folder stays, and reading
    // its catalogue below gives the message a start in a wrong folder gives.
    if (!folder.isEmpty() && !QDir::setCurrent(folder))
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
