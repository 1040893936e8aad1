// Undo and redo of the level's history, and what the main window draws again after a step.
#include "editor/ui/frmMain.h"

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
    m_tools.cancel();
    showToolState();
    if (const std::optional<LevelChange> change = m_history.undo())
        showChange(*change);
}

void frmMain::redo()
{
    finishGesture();
    m_tools.cancel();
    showToolState();
    if (const std::optional<LevelChange> change = m_history.redo())
        showChange(*change);
}
