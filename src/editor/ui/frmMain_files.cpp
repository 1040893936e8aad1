// The main window's file commands: save, load and the close handler.
#include "editor/ui/frmMain.h"

#include "app/ui/Messages.h"
#include "levelfile/LevelFileLoad.h"
#include "levelfile/LevelPaths.h"
#include "levelfile/LevelWriter.h"
#include "levelfile/SaveFailure.h"
#include "levelfile/ui/frmLoadSave.h"
#include "model/WholeFile.h"
#include "model/modLists.h"

#include <QFileInfo>

QString frmMain::chooseLevelName(bool save)
{
    if (!m_loadSave)
        m_loadSave = new frmLoadSave(this);
    m_loadSave->save = save;
    m_loadSave->exec();
    return m_loadSave->fName;
}

void frmMain::cmdSave_Click()
{
    finishGesture();
    const QString name = chooseLevelName(true);
    if (name.isEmpty())
        return;
    const QString path = levelFilePath(name);
    if (isPlainLevelName(name) && QFileInfo::exists(path)
        && !Messages::askYesNo(this, QStringLiteral("Overwrite existing \"") + path + QStringLiteral("\"?")))
        return;
    const QByteArray bytes = writeLevel(modLists::level, modLists::catalogue);
    const QString notAFile =
        QStringLiteral("the name holds a folder separator or a NUL character, so it names no file in the levels folder");
    const Result saved = isPlainLevelName(name) ? writeWholeFile(path, bytes) : Result::failure(notAFile);
    if (!saved) {
        // The message stays word for word; beneath it, the cause when it
        // is one the user can see to (the message itself speaks of a file in
        // use), and the system's own words for whoever opens the details.
        const QString cause = isPlainLevelName(name)
            ? saveFailureReason(path, bytes.size())
            : QStringLiteral("The name \"%1\" holds a folder separator or a NUL character, so it names no file in the levels folder.")
                  .arg(name);
        Messages::report(this,
            QStringLiteral("File access error - could not save\r\n"
                           "please close any program which may be accessing the file (e.g. the Quandor Game) and try again."),
            QStringLiteral("'%1' could not be written: %2.").arg(path, saved.message()), cause);
        return;
    }
    m_levelName = name;
    m_levelPath = path;
    m_history.markSaved();
}

void frmMain::cmdLoad_Click()
{
    finishGesture();
    const QString name = chooseLevelName(false);
    if (name.isEmpty())
        return;
    openLevelFile(levelFilePath(name));
}

void frmMain::openLevelFile(const QString& path)
{
    // One box per line of unknown kind is what a designer expects of a file
    // with a slip or two; a file with thousands gets a count instead.
    LoadedLevel loaded = loadLevelFile(path, modLists::catalogue, modLists::level, listedUnrecognisedLines);
    if (!showLoadReports(loaded))
        return;
    modLists::level = std::move(loaded.level);
    clearSelection();
    m_copied.reset();
    m_levelName = QFileInfo(path).completeBaseName();
    m_levelPath = path;
    prcDrawTiles();
    Form_Resize();
    // This is now the saved state.
    m_history.clear();
}

bool frmMain::showLoadReports(const LoadedLevel& loaded)
{
    // A failed read ends with the report of what ended it.
    const size_t listed = loaded.ok ? loaded.reports.size() : loaded.reports.size() - 1;
    for (size_t i = 0; i < listed; ++i)
        Messages::report(this, loaded.reports[i].message);
    if (loaded.unlisted > 0)
        Messages::report(this,
            loaded.unlisted == 1 ? QStringLiteral("1 more line names a kind that neither the entity kinds nor the tile kinds know; it was "
                                                  "skipped as well.")
                                 : QStringLiteral("%1 more lines name a kind that neither the entity kinds nor the tile kinds know; they "
                                                  "were skipped as well. tilewright-cli check --list-all lists every one.")
                                       .arg(loaded.unlisted));
    if (!loaded.ok) {
        const QString& failure = loaded.reports.back().message;
        if (loaded.missing)
            Messages::show(this, failure, QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Exclamation);
        else
            Messages::report(this, failure);
        return false;
    }
    return true;
}

void frmMain::Form_Unload(int& cancel)
{
    cancel = 0;
    if (!m_history.levelChanged())
        return;
    switch (Messages::askYesNoCancel(this, QStringLiteral("Do you want to save your changes?"))) {
    case QMessageBox::Cancel:
        cancel = 1;
        break;
    case QMessageBox::Yes:
        // The window closes whatever comes of the save.
        cmdSave_Click();
        break;
    default:
        // The designer threw the work away: so does its recovery copy.
        if (m_recovery)
            m_recovery->discard();
        break;
    }
}
