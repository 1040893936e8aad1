// The map and the palettes by keyboard. The map's cursor marks the cell the
// keys work on; Space and Delete reach the map's handlers as a left and a
// right press there, so every tool works from the keyboard as it does with
// the mouse. The keys act only while the map has the focus; the map's menu
// lists them all.
#include "editor/ui/frmMain.h"

#include "editor/CellDescription.h"
#include "editor/MapGeometry.h"
#include "editor/MapView.h"
#include "editor/PaletteLayout.h"
#include "editor/ui/MapSurface.h"
#include "editor/ui/PaletteBox.h"
#include "editor/ui/PaletteImage.h"
#include "model/modLists.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

QSize gridOf(const Level& level)
{
    return QSize(level.levelWidth, level.levelHeight);
}

} // namespace

void frmMain::buildKeyboardCommands()
{
    // Keys of the map alone: elsewhere Space presses a button and the arrows
    // move a scroll bar, as they always have.
    auto mapCommand = [this](QMenu* menu, const char* name, const QString& text, const QList<QKeySequence>& keys) {
        QAction* action = addCommand(name, text, keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        map()->addAction(action);
        if (menu != m_mapMenu) {
            m_mapMenu->removeAction(action);
            menu->addAction(action);
        }
        return action;
    };
    m_mapMenu->addSeparator();
    QAction* press = mapCommand(m_mapMenu, "actCursorPress", QStringLiteral("Press at t&he Cursor"), {QKeySequence(Qt::Key_Space)});
    connect(press, &QAction::triggered, this, [this] { cursorPress(1); });
    // One press a key stroke: held down, the key does not repeat its edit.
    // Delete, the right button's key, is the selection's command: with
    // nothing selected it presses here.
    press->setAutoRepeat(false);

    QMenu* moves = m_mapMenu->addMenu(QStringLiteral("&Move the Cursor"));
    moves->setObjectName(QStringLiteral("cursorMenu"));
    struct Move
    {
        const char* name;
        const char* text;
        QKeySequence key;
        int dx;
        int dy;
    };
    const Move steps[] = {
        {"actCursorLeft", "&Left", QKeySequence(Qt::Key_Left), -1, 0},
        {"actCursorRight", "&Right", QKeySequence(Qt::Key_Right), 1, 0},
        {"actCursorUp", "&Up", QKeySequence(Qt::Key_Up), 0, -1},
        {"actCursorDown", "&Down", QKeySequence(Qt::Key_Down), 0, 1},
    };
    for (const Move& step : steps) {
        QAction* action = mapCommand(moves, step.name, QLatin1String(step.text), {step.key});
        connect(action, &QAction::triggered, this, [this, dx = step.dx, dy = step.dy] {
            m_selectionAnchor.reset();
            moveCursor(dx, dy);
        });
    }
    // Shift with an arrow marks a rectangle from where Shift went down.
    const Move selecting[] = {
        {"actSelectLeft", "Select Left", QKeySequence(Qt::SHIFT | Qt::Key_Left), -1, 0},
        {"actSelectRight", "Select Right", QKeySequence(Qt::SHIFT | Qt::Key_Right), 1, 0},
        {"actSelectUp", "Select Up", QKeySequence(Qt::SHIFT | Qt::Key_Up), 0, -1},
        {"actSelectDown", "Select Down", QKeySequence(Qt::SHIFT | Qt::Key_Down), 0, 1},
    };
    moves->addSeparator();
    for (const Move& step : selecting) {
        QAction* action = mapCommand(moves, step.name, QLatin1String(step.text), {step.key});
        connect(action, &QAction::triggered, this, [this, dx = step.dx, dy = step.dy] {
            if (!m_selectionAnchor)
                m_selectionAnchor = m_cursor.cell();
            moveCursor(dx, dy);
            extendKeyboardSelection(*m_selectionAnchor, m_cursor.cell());
        });
    }
    moves->addSeparator();
    struct Jump
    {
        const char* name;
        const char* text;
        QKeySequence key;
        std::function<QPoint(QPoint cell, QSize grid, int page)> to;
    };
    const Jump jumps[] = {
        {"actCursorRowStart", "&Start of the Row", QKeySequence(Qt::Key_Home), [](QPoint c, QSize, int) { return QPoint(0, c.y()); }},
        {"actCursorRowEnd", "&End of the Row", QKeySequence(Qt::Key_End),
            [](QPoint c, QSize grid, int) { return QPoint(grid.width() - 1, c.y()); }},
        {"actCursorPageUp", "A &Page Up", QKeySequence(Qt::Key_PageUp), [](QPoint c, QSize, int page) { return c - QPoint(0, page); }},
        {"actCursorPageDown", "A Page Dow&n", QKeySequence(Qt::Key_PageDown),
            [](QPoint c, QSize, int page) { return c + QPoint(0, page); }},
        {"actCursorFirst", "&First Cell", QKeySequence(Qt::CTRL | Qt::Key_Home), [](QPoint, QSize, int) { return QPoint(0, 0); }},
        {"actCursorLast", "Las&t Cell", QKeySequence(Qt::CTRL | Qt::Key_End),
            [](QPoint, QSize grid, int) { return QPoint(grid.width() - 1, grid.height() - 1); }},
    };
    for (const Jump& jump : jumps) {
        QAction* action = mapCommand(moves, jump.name, QLatin1String(jump.text), {jump.key});
        connect(action, &QAction::triggered, this, [this, to = jump.to] {
            m_selectionAnchor.reset();
            // A page is the rows in sight, less one that stays in sight.
            const double rows = (m_geometry.innerHeight(MainControl::picArea) - m_geometry.height(MainControl::hscArea)) / m_scale.factor()
                / mapgeometry::cellPitch;
            const int page = std::max(1, static_cast<int>(rows) - 1);
            placeCursor(to(m_cursor.cell(), gridOf(modLists::level), page));
        });
    }

    // A click puts the cursor on the clicked cell.
    connect(map(), &MapSurface::mouseDown, this, [this](int, int, double X, double Y) {
        m_selectionAnchor.reset();
        m_cursor.place(QPoint(mapgeometry::cellAt(X), mapgeometry::cellAt(Y)), gridOf(modLists::level));
        map()->setCursorCell(m_cursor.cell());
    });
    connect(map(), &MapSurface::focusedByKeyboard, this, &frmMain::bringCursorIntoView);
    map()->setCellDescriber([this](QPoint cell) { return celldescription::describe(modLists::level, modLists::catalogue, curView, cell); });
    connectPaletteKeys();
}

void frmMain::takeKeyboard()
{
    if (!map()->hasFocus())
        map()->setFocus(Qt::ShortcutFocusReason);
    map()->showCursor();
}

void frmMain::moveCursor(int dx, int dy)
{
    placeCursor(m_cursor.cell() + QPoint(dx, dy));
}

void frmMain::placeCursor(QPoint cell)
{
    takeKeyboard();
    m_cursor.place(cell, gridOf(modLists::level));
    map()->setCursorCell(m_cursor.cell());
    revealCursor();
    // A rectangle or a line begun with Space follows the cursor.
    if (m_tools.isDragging() && QGuiApplication::mouseButtons() == Qt::NoButton) {
        const QPointF at = cursorTwips();
        toolMove(at.x(), at.y());
    }
}

QPointF frmMain::cursorTwips() const
{
    const QPoint cell = m_cursor.cell();
    const double half = mapgeometry::cellPitch / 2.0;
    return QPointF(mapgeometry::cellTwips(cell.x()) + half, mapgeometry::cellTwips(cell.y()) + half);
}

void frmMain::revealCursor()
{
    const QPoint cell = m_cursor.cell();
    auto reveal = [this](MainControl barControl, double visible, int index) {
        auto* bar = m_controls.get<QScrollBar>(barControl);
        const int from = mapgeometry::cellTwips(index);
        bar->setValue(
            mapcursor::valueShowing(bar->value(), visible / m_scale.factor(), from, from + mapgeometry::cellPitch, bar->maximum()));
    };
    reveal(MainControl::hscArea, m_geometry.innerWidth(MainControl::picArea) - m_geometry.width(MainControl::vscArea), cell.x());
    reveal(MainControl::vscArea, m_geometry.innerHeight(MainControl::picArea) - m_geometry.height(MainControl::hscArea), cell.y());
}

void frmMain::bringCursorIntoView()
{
    // A cursor scrolled out of sight comes to the first cell in sight rather
    // than the map jumping to it.
    const QRect visible = visibleMapTwips();
    const QPoint cell = m_cursor.cell();
    const QRect cellTwips(
        mapgeometry::cellTwips(cell.x()), mapgeometry::cellTwips(cell.y()), mapgeometry::cellPitch, mapgeometry::cellPitch);
    if (!visible.contains(cellTwips))
        placeCursor(mapview::firstVisibleCell(visible, gridOf(modLists::level)));
    else
        placeCursor(cell);
}

void frmMain::cursorPress(int Button)
{
    // The keys wait while a mouse button is held on the map.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    takeKeyboard();
    const QPointF at = cursorTwips();
    // The other end of a rectangle or a line begun at the cursor.
    if (m_tools.isDragging()) {
        picInner_MouseUp(Button, 0, at.x(), at.y());
        return;
    }
    picInner_MouseDown(Button, 0, at.x(), at.y());
    // A rectangle or a line waits for its other end: Space or Delete again.
    if (!m_tools.isDragging())
        picInner_MouseUp(Button, 0, at.x(), at.y());
}

void frmMain::pickAtCursor()
{
    if (const std::optional<PaletteSelection> picked = maptools::pickAt(modLists::level, curView, m_cursor.cell()))
        selectPicked(*picked);
}

void frmMain::extendKeyboardSelection(QPoint anchor, QPoint to)
{
    m_tools.selection().select(anchor, to, gridOf(modLists::level));
    showSelection();
}

void frmMain::connectPaletteKeys()
{
    using enum MainControl;
    struct Keys
    {
        MainControl box;
        MainControl viewport; // whose border shows the focus
        SelType palette;
    };
    for (const Keys& keys : {Keys{picPlayer, picPlayer, SelType::Player}, Keys{picTilesInner, picTiles, SelType::Tile},
             Keys{picEntitiesInner, picEntities, SelType::Entity}}) {
        auto* box = m_controls.get<PaletteBox>(keys.box);
        auto* viewport = m_controls.get<PictureBox>(keys.viewport);
        const SelType palette = keys.palette;
        connect(box, &PaletteBox::focusChanged, viewport, &PictureBox::setHighlight);
        connect(box, &PaletteBox::stepped, this, [this, palette](int across, int down) {
            paletteKey(
                palette, false, [across, down](int current, int count) { return palettelayout::step(current, count, across, down); });
        });
        connect(box, &PaletteBox::jumped, this,
            [this, palette](bool toLast) { paletteKey(palette, true, [toLast](int, int count) { return toLast ? count - 1 : 0; }); });
        connect(box, &PaletteBox::chosen, this, [this, palette] { paletteKey(palette, false, [](int current, int) { return current; }); });
    }
}

void frmMain::paletteKey(SelType palette, bool jump, const std::function<int(int current, int count)>& step)
{
    if (palette == SelType::Player) {
        imgGuy_Click();
        return;
    }
    const bool tiles = palette == SelType::Tile;
    const int count = tiles ? modLists::catalogue.tileCount() : modLists::catalogue.entityCount();
    if (count == 0)
        return;
    // The selection in another palette: an arrow first takes the kind this
    // palette was on, where its frame shows; Home and End go where they say.
    const int current = std::clamp<int>(selType == palette ? selIndex : tiles ? m_lastTile : m_lastEntity, 0, count - 1);
    const int kind = selType == palette || jump ? std::clamp(step(current, count), 0, count - 1) : current;
    if (tiles)
        imgTile_Click(kind);
    else
        imgEntity_Click(kind);
    revealSelection();
}
