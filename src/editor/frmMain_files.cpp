// The main window's file commands: save, load and the close handler.
#include "editor/frmMain.h"

#include "app/Messages.h"
#include "levelfile/LevelFileLoad.h"
#include "levelfile/LevelPaths.h"
#include "levelfile/LevelWriter.h"
#include "levelfile/frmLoadSave.h"
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
    if (!isPlainLevelName(name) || !writeWholeFile(path, writeLevel(modLists::level, modLists::catalogue))) {
        Messages::report(this,
            QStringLiteral("File access error - could not save\r\n"
                           "please close any program which may be accessing the file (e.g. the Quandor Game) and try again."));
        return;
    }
    modLists::level.levelChanged = false;
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
    LoadedLevel loaded = loadLevelFile(path, modLists::catalogue, modLists::level);
    for (const LevelFileReport& report : loaded.reports) {
        if (loaded.missing)
            Messages::show(this, report.message, QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Exclamation);
        else
            Messages::report(this, report.message);
    }
    if (!loaded.ok)
        return;
    modLists::level = std::move(loaded.level);
    m_history.clear();
    prcDrawTiles();
    Form_Resize();
    modLists::level.levelChanged = false;
}

void frmMain::Form_Unload(int& cancel)
{
    cancel = 0;
    if (!modLists::level.levelChanged)
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
        break;
    }
}
