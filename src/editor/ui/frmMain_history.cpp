// The main window's keys for the level's history, and what it draws again after a step.
#include "editor/ui/frmMain.h"

#include <QShortcut>

void frmMain::connectKeys()
{
    // The platform's own keys, and everywhere both redo keys designers know.
    auto keys = [](QKeySequence::StandardKey standard, std::initializer_list<QKeySequence> more) {
        QList<QKeySequence> list = QKeySequence::keyBindings(standard);
        for (const QKeySequence& key : more)
            if (!list.contains(key))
                list.append(key);
        return list;
    };
    auto* undoKeys = new QShortcut(this);
    undoKeys->setKeys(keys(QKeySequence::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    connect(undoKeys, &QShortcut::activated, this, &frmMain::undo);
    auto* redoKeys = new QShortcut(this);
    redoKeys->setKeys(keys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    connect(redoKeys, &QShortcut::activated, this, &frmMain::redo);
}

void frmMain::showChange(const LevelChange& change)
{
    if (change.wholeMap) {
        // As after a resize: the map may have a new size.
        prcDrawTiles();
        Form_Resize();
        return;
    }
    drawCells(change.cells);
}

void frmMain::undo()
{
    finishGesture();
    if (const std::optional<LevelChange> change = m_history.undo())
        showChange(*change);
}

void frmMain::redo()
{
    finishGesture();
    if (const std::optional<LevelChange> change = m_history.redo())
        showChange(*change);
}
