// The main window's file commands: save, load and the close handler.
#include "editor/frmMain.h"

#include "app/Messages.h"
#include "levelfile/LevelFileSave.h"
#include "levelfile/LevelPaths.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "levelfile/frmLoadSave.h"
#include "model/modLists.h"

#include <QFile>
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
    const QString name = chooseLevelName(true);
    if (name.isEmpty())
        return;
    const QString path = levelFilePath(name);
    if (isPlainLevelName(name) && QFileInfo::exists(path)
        && !Messages::askYesNo(this, QStringLiteral("Overwrite existing \"") + path + QStringLiteral("\"?")))
        return;
    if (!isPlainLevelName(name) || !saveLevelBytes(path, writeLevel(modLists::level, modLists::catalogue)).isEmpty()) {
        Messages::report(this,
            QStringLiteral("File access error - could not save\r\n"
                           "please close any program which may be accessing the file (e.g. the Quandor Game) and try again."));
        return;
    }
    modLists::level.levelChanged = false;
}

void frmMain::cmdLoad_Click()
{
    const QString name = chooseLevelName(false);
    if (name.isEmpty())
        return;
    const QString path = levelFilePath(name);
    QFile file(path);
    if (!file.exists()) {
        Messages::show(this, QStringLiteral("'") + path + QStringLiteral("' was not found."), QMessageBox::Ok, QMessageBox::Ok,
            Messages::Icon::Exclamation);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        Messages::report(this, QStringLiteral("'%1' could not be read: %2").arg(path, file.errorString()));
        return;
    }
    LevelReadResult result = readLevel(file.readAll(), modLists::catalogue, modLists::level);
    file.close();
    for (const LevelFileReport& report : result.reports)
        Messages::report(this, report.message);
    if (!result.ok) {
        Messages::report(this, result.failure.message);
        return;
    }
    modLists::level = std::move(result.level);
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
