// The main window's recovery copies: keeping one of the unsaved work, and
// offering those that editors which ended with unsaved work left behind.
#include "editor/ui/frmMain.h"

#include "app/ui/Messages.h"
#include "levelfile/LevelFileLoad.h"
#include "levelfile/LevelWriter.h"
#include "levelfile/ui/frmLoadSave.h"
#include "model/modLists.h"
#include "recovery/ui/RecoveryQuestion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The game folder a copy belongs to, the same however the editor was started in it.
QString thisGameFolder()
{
    return QFileInfo(QDir::currentPath()).canonicalFilePath();
}

} // namespace

void frmMain::keepRecoveryCopies(const QString& folder)
{
    QString problem;
    std::unique_ptr<RecoverySlot> slot = RecoverySlot::makeNew(folder, &problem);
    if (!slot) {
        Messages::report(this, QStringLiteral("Tilewright cannot keep recovery copies of unsaved work: %1. Save often.").arg(problem));
        return;
    }
    m_recovery = std::make_unique<RecoveryKeeper>(std::move(slot),
        RecoveryKeeper::Editor{[this] { return m_history.levelChanged(); }, [this] { return m_gesture != nullptr || m_tools.isDragging(); },
            [this] { return recoverySnapshot(); }});
    m_history.setListener([this] { m_recovery->levelChanged(); });
    connect(m_recovery.get(), &RecoveryKeeper::copyFailed, this, [this](const QString& reason) {
        Messages::report(this,
            QStringLiteral("The recovery copy of the unsaved work could not be written: %1. The work is still in the editor; "
                           "save it where there is room.")
                .arg(reason));
    });
}

RecoveryCopy frmMain::recoverySnapshot() const
{
    return RecoveryCopy{
        m_levelName, m_levelPath, thisGameFolder(), QDateTime::currentDateTime(), writeLevel(modLists::level, modLists::catalogue)};
}

void frmMain::offerRecoveryCopies(const QString& folder)
{
    if (!m_recovery)
        return;
    for (std::unique_ptr<RecoverySlot>& slot : RecoverySlot::claimLeftBehind(folder)) {
        RecoveryCopy copy;
        Result read = recoverycopy::read(slot->copyPath(), copy);
        // Another game's kinds are not this catalogue's: the copy waits for
        // an editor started in its own game folder.
        if (read && copy.gameFolder != thisGameFolder())
            continue;
        // Read whole before anything is asked: a copy that does not read
        // completely is never half restored.
        LoadedLevel loaded =
            read ? loadLevelBytes(copy.level, modLists::catalogue, modLists::level, listedUnrecognisedLines) : LoadedLevel();
        if (read && !loaded.ok)
            read = Result::failure(QStringLiteral("is damaged: ") + loaded.reports.back().message);
        if (!read) {
            QString keptAs;
            const Result aside = slot->keepAside(keptAs);
            Messages::report(this,
                QStringLiteral("The recovery copy \"%1\" %2. %3 Nothing was restored from it.")
                    .arg(QDir::toNativeSeparators(slot->copyPath()), read.message(),
                        aside ? QStringLiteral("It was kept aside as \"%1\".").arg(QDir::toNativeSeparators(keptAs))
                              : QStringLiteral("It could not be put aside (%1) and stays where it is.").arg(aside.message())));
            continue;
        }
        if (askAboutRecoveryCopy(this, copy) == RecoveryAnswer::Discard) {
            QFile::remove(slot->copyPath());
            continue;
        }
        showLoadReports(loaded);
        modLists::level = std::move(loaded.level);
        m_levelName = copy.levelName;
        m_levelPath = copy.levelPath;
        prcDrawTiles();
        Form_Resize();
        if (!m_levelName.isEmpty()) {
            if (!m_loadSave)
                m_loadSave = new frmLoadSave(this);
            m_loadSave->setName(m_levelName);
        }
        // Unsaved work again, whose copy is the one restored: the history
        // tells the keeper first, then the keeper carries on in its place.
        m_history.clear();
        m_history.markChanged();
        m_recovery->adopt(std::move(slot));
        return;
    }
}
