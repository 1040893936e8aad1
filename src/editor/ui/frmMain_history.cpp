// Undo and redo of the level's history: what the main window draws again
// after a step, and how it brings the step into sight.
#include "editor/ui/frmMain.h"

#include "editor/MapView.h"
#include "model/Excerpt.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QScrollBar>

void frmMain::showChange(const LevelChange& change, bool undone)
{
    if (change.wholeMap) {
        // As after a resize: the map may have a new size.
        clearSelection();
        prcDrawTiles();
        Form_Resize();
        return;
    }
    // A change on another layer shows once its view does: the view buttons
    // follow, and the whole map is drawn in that view.
    if (const std::optional<int> layer = change.layerToShow(curView)) {
        m_views->button(*layer)->setChecked(true);
        optView_Click(*layer);
    } else {
        drawCells(change.cells);
    }
    if (change.frames) {
        const QRect frame = undone ? change.frames->before : change.frames->after;
        if (frame.isEmpty())
            m_tools.selection().clear();
        else
            m_tools.selection().select(
                frame.topLeft(), frame.bottomRight(), QSize(modLists::level.levelWidth, modLists::level.levelHeight));
        showSelection();
    }
    if (change.dataText) {
        tellDataText(*change.dataText, undone);
        return;
    }
    revealCells(change.cells);
}

void frmMain::revealCells(const std::vector<QPoint>& cells)
{
    const QRect visible = visibleMapTwips();
    const QPoint start = mapview::scrollToShow(visible, cells, QSize(modLists::level.levelWidth, modLists::level.levelHeight));
    // Each bar's own change handler moves the map.
    if (start.x() != visible.left())
        m_controls.get<QScrollBar>(MainControl::hscArea)->setValue(start.x());
    if (start.y() != visible.top())
        m_controls.get<QScrollBar>(MainControl::vscArea)->setValue(start.y());
}

void frmMain::tellDataText(int slot, bool undone)
{
    const QString step = undone ? QStringLiteral("Undo") : QStringLiteral("Redo");
    // The map shows no data texts, so a note by the entity tells what changed.
    const Level& level = modLists::level;
    const QString& text = slot < 0 ? level.playerData : level.entityData[static_cast<size_t>(slot)];
    const QString now = text.isEmpty() ? QStringLiteral("is now empty") : QStringLiteral("is now \"%1\"").arg(excerpt(text));
    if (slot < 0) {
        const QPoint cell(level.playerX, level.playerY);
        revealCells({cell});
        showNote(QStringLiteral("%1: the player start's data text %2.").arg(step, now), cell);
        return;
    }
    const Entity& e = level.entities[static_cast<size_t>(slot)];
    const QPoint cell(e.x, e.y);
    revealCells({cell});
    const QString kind = modLists::catalogue.hasEntity(e.kind) ? modLists::catalogue.entityName(e.kind) : QStringLiteral("entity");
    showNote(
        QStringLiteral("%1: the data text of the %2 at %3, %4 %5.").arg(step, kind, QString::number(e.x), QString::number(e.y), now), cell);
}

void frmMain::undo()
{
    finishGesture();
    m_tools.cancel();
    showToolState();
    if (const std::optional<LevelChange> change = m_history.undo())
        showChange(*change, true);
}

void frmMain::redo()
{
    finishGesture();
    m_tools.cancel();
    showToolState();
    if (const std::optional<LevelChange> change = m_history.redo())
        showChange(*change, false);
}
