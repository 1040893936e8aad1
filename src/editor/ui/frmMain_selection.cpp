// The selection and the clipboard in the main window: their keys and menu
// entries, the frame on the map, and the notes that tell what a command did.
// What they do to the level is the core's (MapSelection, blockops, the
// block's text); here it is routed, drawn and recorded.
#include "editor/ui/frmMain.h"

#include "app/ui/Messages.h"
#include "app/ui/Twips.h"
#include "editor/BlockOperations.h"
#include "editor/MapGeometry.h"
#include "editor/MapView.h"
#include "editor/ui/CommandKeys.h"
#include "editor/ui/MapSurface.h"
#include "levelfile/BlockText.h"
#include "model/modLists.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

namespace {

QSize gridSize()
{
    return QSize(modLists::level.levelWidth, modLists::level.levelHeight);
}

} // namespace

void frmMain::buildSelectionCommands()
{
    m_mapMenu->addSeparator();
    auto command = [this](const char* name, const QString& text, const QList<QKeySequence>& keys, void (frmMain::*handler)()) {
        connect(addCommand(name, text, keys), &QAction::triggered, this, handler);
    };
    command("actCut", QStringLiteral("Cu&t"), commandKeys(QKeySequence::Cut, {QKeySequence(Qt::CTRL | Qt::Key_X)}), &frmMain::cutSelection);
    command(
        "actCopy", QStringLiteral("&Copy"), commandKeys(QKeySequence::Copy, {QKeySequence(Qt::CTRL | Qt::Key_C)}), &frmMain::copySelection);
    command(
        "actPaste", QStringLiteral("P&aste"), commandKeys(QKeySequence::Paste, {QKeySequence(Qt::CTRL | Qt::Key_V)}), &frmMain::pasteBlock);
    command("actDelete", QStringLiteral("D&elete"), commandKeys(QKeySequence::Delete, {QKeySequence(Qt::Key_Delete)}),
        &frmMain::deleteSelection);
    command("actSelectAll", QStringLiteral("Select the &Whole View"),
        commandKeys(QKeySequence::SelectAll, {QKeySequence(Qt::CTRL | Qt::Key_A)}), &frmMain::selectAll);

    // A paste chosen from the menu lands where the pointer was when the menu
    // opened, not where the menu's entry is. The entry is chosen after the
    // menu hides, so the place is forgotten only once that has run.
    connect(m_mapMenu, &QMenu::aboutToShow, this, [this] { m_menuPointer = QCursor::pos(); });
    connect(m_mapMenu, &QMenu::aboutToHide, this, [this] { QTimer::singleShot(0, this, [this] { m_menuPointer.reset(); }); });
}

void frmMain::showSelection()
{
    const MapSelection& selection = m_tools.selection();
    map()->setSelection(selection.frame(), selection.drag() == MapSelection::Drag::Moving ? selection.cells() : QRect());
}

bool frmMain::clearSelection()
{
    MapSelection& selection = m_tools.selection();
    if (selection.isEmpty())
        return false;
    selection.clear();
    showSelection();
    return true;
}

bool frmMain::checkSelected()
{
    if (!m_tools.selection().isEmpty())
        return true;
    showNote(QStringLiteral("Nothing is selected: press S and drag over the map, or Ctrl+A for the whole view."), std::nullopt);
    return false;
}

void frmMain::selectAll()
{
    finishGesture();
    m_tools.cancel();
    m_tools.selection().selectAll(gridSize());
    // The select tool, so that the selection can be dragged at once.
    chooseTool(Tool::Select);
}

namespace {

// What a copy or a cut took, for its note.
QString taken(const QString& verb, const Block& block)
{
    const size_t count = block.entities.size();
    const QString entities = count == 0 ? QStringLiteral("no entities")
        : count == 1                    ? QStringLiteral("1 entity")
                                        : QStringLiteral("%1 entities").arg(count);
    return QStringLiteral("%1 %2 × %3 cells with %4.").arg(verb).arg(block.width).arg(block.height).arg(entities);
}

} // namespace

void frmMain::copySelection()
{
    if (!checkSelected())
        return;
    const QRect cells = m_tools.selection().cells();
    showNote(taken(QStringLiteral("Copied"), putOnClipboard()), cells.bottomLeft());
}

void frmMain::cutSelection()
{
    if (!checkSelected())
        return;
    const QRect cells = m_tools.selection().cells();
    const Block block = putOnClipboard();
    eraseSelection();
    showNote(taken(QStringLiteral("Cut"), block), cells.bottomLeft());
}

Block frmMain::putOnClipboard()
{
    BlockOrigin origin;
    const Block block = blockops::copy(modLists::level, curView, m_tools.selection().cells(), &origin);
    std::unique_ptr<QMimeData> carried = blockMimeData(block, modLists::catalogue);
    m_copied = CopiedBlock{carried->data(QLatin1String(blockMimeType)), std::move(origin)};
    QGuiApplication::clipboard()->setMimeData(carried.release());
    return block;
}

void frmMain::deleteSelection()
{
    // With nothing selected, Delete on the map is the right button on the
    // cursor's cell.
    if (m_tools.selection().isEmpty() && map()->hasFocus()) {
        cursorPress(2);
        return;
    }
    if (checkSelected())
        eraseSelection();
}

void frmMain::eraseSelection()
{
    finishGesture();
    m_tools.cancel();
    const QRect cells = m_tools.selection().cells();
    areaops::Outcome erased = blockops::erase(modLists::level, curView, cells);
    showSelection();
    takeBlockStep(std::move(erased.step), cells);
}

void frmMain::pasteBlock()
{
    finishGesture();
    m_tools.cancel();
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    const BlockReadResult read = blockFromMimeData(clipboard, modLists::catalogue);
    if (!read.block) {
        showNote(
            QStringLiteral("The clipboard holds no block of cells to paste: select some with S and copy them with Ctrl+C."), std::nullopt);
        return;
    }
    const Block& block = *read.block;
    const QPoint at = pasteCell();
    const QRect before = m_tools.selection().cells();
    // A block this window copied from this level may go back where it came from.
    const bool ours = m_copied && clipboard && clipboard->data(QLatin1String(blockMimeType)) == m_copied->text;
    areaops::Outcome pasted = blockops::paste(modLists::level, block, curView, at, ours ? &m_copied->origin : nullptr);
    if (pasted.levelFull) {
        Messages::report(this,
            QStringLiteral("That paste would take the level past %1 entities, the most a level can hold, so nothing was pasted.")
                .arg(Level::maxEntities));
        return;
    }
    // The pasted block stays selected, so that it can be dragged on.
    m_tools.selection().select(at, at + QPoint(block.width - 1, block.height - 1), gridSize());
    chooseTool(Tool::Select);
    takeBlockStep(std::move(pasted.step), before);
    if (read.unknownLines > 0)
        showNote(
            QStringLiteral("%1 lines of the clipboard name kinds this game does not know; they were left out.").arg(read.unknownLines), at);
}

void frmMain::takeBlockStep(std::unique_ptr<AreaCommand> step, QRect selectedBefore)
{
    if (!step)
        return;
    step->setFrames(selectedBefore, m_tools.selection().cells());
    drawCells(step->cells());
    m_history.record(std::move(step));
}

QRect frmMain::visibleMapTwips() const
{
    using enum MainControl;
    // The scroll bars stand inside the map's area, over its right and bottom
    // edges; they count in the map's designed twips at every zoom.
    const double scale = m_scale.factor();
    return QRect(m_controls.get<QScrollBar>(hscArea)->value(), m_controls.get<QScrollBar>(vscArea)->value(),
        static_cast<int>(m_geometry.left(vscArea) / scale), static_cast<int>(m_geometry.top(hscArea) / scale));
}

std::optional<QPoint> frmMain::cellUnder(QPoint global) const
{
    const QPoint onMap = map()->mapFromGlobal(global);
    const QRect visible = visibleMapTwips();
    const QPointF twips = map()->twipsAt(onMap);
    if (!map()->contentsRect().contains(onMap) || !QRectF(visible).contains(twips))
        return std::nullopt;
    return QPoint(mapgeometry::cellAt(twips.x()), mapgeometry::cellAt(twips.y()));
}

QPoint frmMain::pasteCell() const
{
    const QSize grid = gridSize();
    if (const std::optional<QPoint> under = cellUnder(m_menuPointer.value_or(QCursor::pos())))
        // Over the margin, the nearest cell.
        return QPoint(std::clamp(under->x(), 0, grid.width() - 1), std::clamp(under->y(), 0, grid.height() - 1));
    return mapview::firstVisibleCell(visibleMapTwips(), grid);
}

void frmMain::showNote(const QString& text, std::optional<QPoint> cell)
{
    const QRect visible = visibleMapTwips();
    const double scale = m_scale.factor();
    const QRect shown(QPoint(twipsToPixels(visible.left() * scale), twipsToPixels(visible.top() * scale)),
        QSize(twipsToPixels(visible.width() * scale), twipsToPixels(visible.height() * scale)));
    // Just below its cell, so that it hides nothing there, when that shows;
    // else at the visible part's corner.
    QPoint at = shown.topLeft() + QPoint(8, 8);
    if (cell && modLists::level.levelTiles.contains(cell->x(), cell->y())) {
        const QRect pixels = map()->shownCell(*cell).translated(-map()->contentsRect().topLeft());
        if (shown.contains(pixels.center()))
            at = pixels.bottomLeft();
    }
    QToolTip::showText(map()->mapToGlobal(map()->contentsRect().topLeft() + at), text, map(), QRect(), 6000);
}
