// The map's tools beside the brush: rectangle, fill, line and pick, and the
// replace dialog. The tools' logic is MapTools'; here presses are routed to
// it and what it reports is drawn, recorded and told.
#include "editor/ui/frmMain.h"

#include "app/ui/Messages.h"
#include "app/ui/Twips.h"
#include "editor/MapGeometry.h"
#include "editor/ui/MapSurface.h"
#include "editor/ui/ToolCursors.h"
#include "editor/ui/frmReplace.h"
#include "model/modLists.h"

#include <QAction>
#include <QCursor>

namespace {

QPoint cellAt(double X, double Y)
{
    return QPoint(mapgeometry::cellAt(X), mapgeometry::cellAt(Y));
}

const QString& lastWords()
{
    static const QString words = QStringLiteral(" Esc returns to the brush; F10 lists every tool and command.");
    return words;
}

} // namespace

void frmMain::chooseTool(Tool tool)
{
    m_tools.choose(tool);
    showToolState();
}

void frmMain::escape()
{
    // A selection goes first, with a move of it under way; the next Escape
    // returns to the brush.
    m_tools.cancel();
    if (clearSelection()) {
        showToolState();
        return;
    }
    chooseTool(Tool::Brush);
}

void frmMain::pickKey()
{
    // While the keyboard works on the map the key picks at its cursor; over
    // the visible part of the map it picks what lies under the pointer at
    // once; anywhere else it arms the tool for the next click.
    if (map()->isCursorShown()) {
        pickAtCursor();
        return;
    }
    const std::optional<QPoint> cell = cellUnder(QCursor::pos());
    if (!cell) {
        chooseTool(Tool::Pick);
        return;
    }
    if (const std::optional<PaletteSelection> picked = maptools::pickAt(modLists::level, curView, *cell))
        selectPicked(*picked);
}

void frmMain::showToolState()
{
    const Tool tool = m_tools.tool();
    m_toolAction[tool]->setChecked(true);
    map()->setPreview(m_tools.preview());
    showSelection();
    if (tool == Tool::Brush)
        map()->unsetCursor();
    else
        map()->setCursor(toolCursor(tool));

    QString tip;
    switch (tool) {
    case Tool::Brush:
        tip = QStringLiteral(
            "Brush (B): the left button paints or places the selected kind, the right button erases or removes; "
            "R rectangle, F fill, L line, I pick, S select.");
        break;
    case Tool::Rectangle:
        tip = QStringLiteral(
            "Rectangle (R): press, drag and release to fill a rectangle with the selected kind, or with the right "
            "button to clear it.");
        break;
    case Tool::Fill:
        tip = selType == SelType::Entity
            ? QStringLiteral("Fill (F) fills tiles only: choose a tile kind in the palette to fill with it.")
            : QStringLiteral(
                "Fill (F): click a cell to fill the region of like tiles around it with the selected tile kind, or "
                "with the right button to erase it.");
        break;
    case Tool::Line:
        tip = QStringLiteral(
            "Line (L): press, drag and release to draw a straight line of the selected kind, or with the right "
            "button to clear one.");
        break;
    case Tool::Pick:
        tip = QStringLiteral("Pick (I): click a cell to select what it holds in the palette; then the tool before comes back.");
        break;
    case Tool::Select:
        tip = QStringLiteral(
            "Select (S): drag over the map to select a rectangle of the shown view, and drag inside it to move what it "
            "holds. Ctrl+C copies, Ctrl+X cuts, Delete erases, Ctrl+V pastes at the pointer, Ctrl+A selects the whole "
            "view; the right button shows the menu. Esc first clears the selection.");
        break;
    }
    if (tool != Tool::Brush && tool != Tool::Pick && tool != Tool::Select && selType == SelType::Player)
        tip += QStringLiteral(" With the player start selected, a click places it as the brush does.");
    map()->setToolTip(tip + lastWords());
}

void frmMain::toolPress(int Button, double X, double Y)
{
    // With the select tool the right button shows the map's menu, where a
    // paste lands on the cell it was opened over.
    if (m_tools.tool() == Tool::Select && Button == int(MouseButton::Right) && !m_tools.isDragging()) {
        showMapMenu();
        return;
    }
    MapTools::Outcome outcome = m_tools.press(modLists::level, {{selType, selIndex}, curView, MouseButtons::fromInt(Button), cellAt(X, Y)});
    takeToolOutcome(std::move(outcome));
}

void frmMain::toolMove(double X, double Y)
{
    if (m_tools.move(cellAt(X, Y))) {
        map()->setPreview(m_tools.preview());
        showSelection();
    }
}

void frmMain::toolRelease(double X, double Y)
{
    takeToolOutcome(m_tools.release(modLists::level, cellAt(X, Y)));
}

void frmMain::takeToolOutcome(MapTools::Outcome outcome)
{
    showToolState();
    if (outcome.picked)
        selectPicked(*outcome.picked);
    if (outcome.step) {
        drawCells(outcome.step->cells());
        m_history.record(std::move(outcome.step));
    }
    if (outcome.levelFull)
        Messages::report(this,
            QStringLiteral("That would take the level past %1 entities, the most a level can hold, so nothing was placed.")
                .arg(Level::maxEntities));
}

void frmMain::selectPicked(PaletteSelection picked)
{
    switch (picked.type) {
    case SelType::Player:
        imgGuy_Click();
        break;
    case SelType::Tile:
        if (picked.index >= 0 && picked.index < modLists::catalogue.tileCount())
            imgTile_Click(picked.index);
        break;
    case SelType::Entity:
        if (picked.index >= 0 && picked.index < modLists::catalogue.entityCount())
            imgEntity_Click(picked.index);
        break;
    }
    revealSelection();
    showToolState();
}

void frmMain::replaceKinds()
{
    finishGesture();
    m_tools.cancel();
    showToolState();
    frmReplace dialog(modLists::level, modLists::catalogue, m_pictures, curView, {selType, selIndex}, this);
    if (dialog.exec() == QDialog::Accepted)
        applyReplacement(dialog.replacement());
}

void frmMain::applyReplacement(const areaops::Replacement& replacement)
{
    areaops::Outcome replaced = areaops::replace(modLists::level, replacement);
    if (!replaced.step)
        return;
    drawCells(replaced.step->cells());
    m_history.record(std::move(replaced.step));
}
