#include "common/EditorSession.h"
#include "editor/AreaOperations.h"
#include "editor/MapRenderer.h"
#include "editor/ScaledMap.h"
#include "editor/ui/MapSurface.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

// One thing a designer does, by mouse or by keyboard.
struct Step
{
    enum Kind { Palette, Tool, Press, Drag, Pick } kind;
    SelType palette = SelType::Tile; // Palette: which one, and the kind in it
    int index = 0;
    Qt::Key key = Qt::Key_B; // Tool
    QPoint from = {}; // Press, Drag, Pick
    QPoint to = {}; // Drag
    bool right = false; // Press, Drag: the right button, or Delete
};

// Every kind of edit and every tool, on an 8 x 8 level.
const std::vector<Step> script{{Step::Palette, SelType::Tile, 3}, {.kind = Step::Press, .from = {2, 1}},
    {.kind = Step::Press, .from = {5, 5}}, {.kind = Step::Press, .from = {2, 1}, .right = true},
    {Step::Palette, SelType::Entity, 2}, {.kind = Step::Press, .from = {3, 3}}, {Step::Palette, SelType::Entity, 4},
    {.kind = Step::Press, .from = {3, 3}}, {.kind = Step::Press, .from = {3, 3}, .right = true},
    {Step::Palette, SelType::Player}, {.kind = Step::Press, .from = {6, 2}}, {Step::Palette, SelType::Tile, 5},
    {.kind = Step::Tool, .key = Qt::Key_R}, {.kind = Step::Drag, .from = {4, 6}, .to = {1, 4}},
    {.kind = Step::Drag, .from = {1, 5}, .to = {2, 6}, .right = true}, {Step::Palette, SelType::Entity, 1},
    {.kind = Step::Tool, .key = Qt::Key_L}, {.kind = Step::Drag, .from = {0, 7}, .to = {7, 0}},
    {Step::Palette, SelType::Tile, 2}, {.kind = Step::Tool, .key = Qt::Key_F}, {.kind = Step::Press, .from = {7, 7}},
    {.kind = Step::Tool, .key = Qt::Key_B}, {.kind = Step::Pick, .from = {3, 3}},
    {.kind = Step::Press, .from = {0, 0}}};

Level content(Level level)
{
    level.levelChanged = false;
    return level;
}

// A 70 x 70 level full of tiles, entities on the main level and on corner screen 3.
void fillLevel(Level& level)
{
    levelops::replaceGrid(level, Level::maxSize, Level::maxSize);
    for (qint16 y = 0; y < Level::maxSize; ++y)
        for (qint16 x = 0; x < Level::maxSize; ++x) {
            level.levelTiles(0, x, y) = qint16((x * 3 + y) % 14);
            level.levelTiles(3, x, y) = (x + y) % 4 ? qint16(-1) : qint16(x % 14);
            if ((x + 2 * y) % 5 == 0)
                QVERIFY(levelops::appendEntity(level, {qint16((x + y) % 2 ? 0 : 3), x, y, qint16(y % 7)}));
        }
}

} // namespace

// The map by keyboard and its zoom, as a designer meets them in the main window.
class tst_keyboardzoom : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;
    EditorPictures pictures;
    Level& level = modLists::level;

    frmMain& window() { return session->window(); }
    MapSurface* map() { return window().findChild<MapSurface*>("picInner"); }
    QWidget* child(const QString& name) { return window().findChild<QWidget*>(name); }
    QScrollBar* bar(const char* name) { return window().findChild<QScrollBar*>(name); }
    void key(Qt::Key pressed, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), pressed, modifiers);
    }
    // Tab (or Shift+Tab) until `target` has the focus, as a designer would.
    void tabTo(QWidget* target, bool back = false)
    {
        for (int presses = 0; QApplication::focusWidget() != target; ++presses) {
            QVERIFY2(presses < 40, qPrintable(target->objectName()));
            key(back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }
    // The cursor from `from` to `to` with the arrow keys, across and then down.
    void walk(QPoint from, QPoint to)
    {
        for (int x = from.x(); x != to.x(); x += x < to.x() ? 1 : -1)
            key(x < to.x() ? Qt::Key_Right : Qt::Key_Left);
        for (int y = from.y(); y != to.y(); y += y < to.y() ? 1 : -1)
            key(y < to.y() ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(window().cursorCell(), to);
    }
    void cursorTo(QPoint cell)
    {
        key(Qt::Key_Home, Qt::ControlModifier);
        walk({0, 0}, cell);
    }
    // The middle of a cell on the map, in its pixels at the present zoom.
    QPoint shown(QPoint cell)
    {
        const double f = window().mapScale().factor();
        return QPointF((8 + 31 * cell.x() + 15.5) * f, (8 + 31 * cell.y() + 15.5) * f).toPoint();
    }

    void byMouse(const Step& step)
    {
        const Qt::MouseButton button = step.right ? Qt::RightButton : Qt::LeftButton;
        switch (step.kind) {
        case Step::Palette: {
            const QString name = step.palette == SelType::Player ? QStringLiteral("imgGuy")
                : step.palette == SelType::Tile                  ? QStringLiteral("imgTile%1").arg(step.index)
                                                                 : QStringLiteral("imgEntity%1").arg(step.index);
            QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 5));
        } break;
        case Step::Tool:
            QTest::keyClick(&window(), step.key);
            break;
        case Step::Press:
            QTest::mouseClick(map(), button, {}, shown(step.from));
            break;
        case Step::Drag:
            QTest::mousePress(map(), button, {}, shown(step.from));
            QTest::mouseMove(map(), shown(step.to));
            QTest::mouseRelease(map(), button, {}, shown(step.to));
            break;
        case Step::Pick:
            QTest::mouseMove(map(), shown(step.from));
            QTest::keyClick(&window(), Qt::Key_I);
            break;
        }
    }

    void byKeyboard(const Step& step)
    {
        const Qt::Key pressKey = step.right ? Qt::Key_Delete : Qt::Key_Space;
        switch (step.kind) {
        case Step::Palette: {
            QWidget* box = child(step.palette == SelType::Player ? "picPlayer"
                    : step.palette == SelType::Tile              ? "picTilesInner"
                                                                 : "picEntitiesInner");
            tabTo(box);
            if (step.palette == SelType::Player) {
                key(Qt::Key_Space);
            } else {
                key(Qt::Key_Home);
                for (int i = 0; i < step.index; ++i)
                    key(Qt::Key_Right);
            }
            tabTo(map(), true);
            break;
        }
        case Step::Tool:
            key(step.key);
            break;
        case Step::Press:
            cursorTo(step.from);
            key(pressKey);
            break;
        case Step::Drag: // the outline follows the cursor to the other corner
            cursorTo(step.from);
            key(pressKey);
            walk(step.from, step.to);
            QCOMPARE(map()->preview().rectangle, areaops::cellSpan(step.from, step.to));
            key(pressKey);
            break;
        case Step::Pick:
            cursorTo(step.from);
            key(Qt::Key_I);
            break;
        }
    }

    // What a full redraw shows of the level at the present zoom, against what
    // the screen shows in the visible part of the map.
    void compareWithFullRedraw()
    {
        QCoreApplication::processEvents();
        const QImage whole = maprenderer::renderLevel(pictures, level, window().curView);
        // The part of the map in sight, in the map's own pixels.
        const QRect visible =
            QRect(QPoint(0, 0), map()->size()) & QRect(-map()->pos(), QSize(bar("vscArea")->x(), bar("hscArea")->y()));
        const QImage expected = window().mapScale().isDesigned()
            ? whole.copy(visible)
            : scaledmap::shownPixels(whole, window().mapScale(), visible);
        const QPoint inWindow = map()->mapTo(&window(), visible.topLeft());
        const QImage onScreen =
            window()
                .screen()
                ->grabWindow(window().winId(), inWindow.x(), inWindow.y(), visible.width(), visible.height())
                .toImage();
        QCOMPARE(onScreen.convertToFormat(QImage::Format_RGB32), expected);
    }

    // A turn of the wheel over the window at `at`, delivered as the window system does.
    void turn(QPoint at, int angle, Qt::KeyboardModifiers modifiers)
    {
        QWidget* target = window().childAt(at);
        QWheelEvent event(target->mapFrom(&window(), at), window().mapToGlobal(at), QPoint(), QPoint(0, angle),
            Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
    }

private slots:
    void init()
    {
        session = std::make_unique<EditorSession>();
        QCOMPARE(session->error(), QString());
        QVERIFY(loadEditorPictures(QDir::currentPath(), modLists::catalogue, pictures));
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        // Away from the map, so that I picks at the cursor or arms Pick, never at the pointer.
        QCursor::setPos(window().mapToGlobal(QPoint(700, 650)));
    }

    void cleanup() { session.reset(); }

    // Reached from the last button with Tab, the map shows its cursor; three
    // Spaces along a row paint three cells, each one step.
    void tabToTheMapAndPaintThreeCells()
    {
        child("cmdLoad")->setFocus();
        tabTo(map());
        QVERIFY(map()->isCursorShown());
        for (int x = 1; x <= 3; ++x) {
            key(Qt::Key_Right);
            key(Qt::Key_Space);
        }
        for (int x = 0; x <= 4; ++x)
            QCOMPARE(level.levelTiles(0, x, 0), x >= 1 && x <= 3 ? 1 : 0);
        QCOMPARE(window().history().undoSteps(), 3);
        key(Qt::Key_Tab); // a scroll bar, or the player's palette: the cursor goes
        QVERIFY(!map()->isCursorShown());
    }

    // The same edits, on every layer, by keyboard and by mouse, leave the same
    // level, the same map, the same selection and the same history.
    void keyboardEditsAsTheMouseDoes_data()
    {
        QTest::addColumn<int>("view");
        for (int view = 0; view <= 4; ++view)
            QTest::newRow(qPrintable(QStringLiteral("view %1").arg(view))) << view;
    }

    void keyboardEditsAsTheMouseDoes()
    {
        QFETCH(int, view);
        QTest::mouseClick(child(QStringLiteral("optView%1").arg(view)), Qt::LeftButton, {}, QPoint(5, 5));
        for (const Step& step : script)
            byMouse(step);
        const Level mouse = content(level);
        const QImage mouseMap = map()->image();
        const PaletteSelection mouseSelection{window().selType, window().selIndex};
        const int steps = window().history().undoSteps();
        QVERIFY(steps >= 10);

        levelops::makeNewLevel(level);
        window().history().clear();
        window().prcDrawTiles();
        window().imgTile_Click(1);
        for (const Step& step : script) {
            byKeyboard(step);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(content(level) == mouse);
        QCOMPARE(map()->image(), mouseMap);
        QCOMPARE((PaletteSelection{window().selType, window().selIndex}), mouseSelection);
        QCOMPARE(window().history().undoSteps(), steps);
    }

    // At every step the map shows what a full redraw at that scale shows, a
    // click lands on the cell under it, the cursor's keys edit the cell under
    // the cursor and keep it in sight, and the scroll bars fit the scale.
    void everyZoomStepShowsAndEditsTheLevel_data()
    {
        QTest::addColumn<int>("step");
        for (int step = 0; step < int(MapScale::cellSizes.size()); ++step)
            QTest::newRow(qPrintable(QStringLiteral("%1 pixels a cell").arg(MapScale::cellSizes[size_t(step)])))
                << step;
    }

    void everyZoomStepShowsAndEditsTheLevel()
    {
        QFETCH(int, step);
        fillLevel(level);
        QTest::mouseClick(child("optView3"), Qt::LeftButton, {}, QPoint(5, 5));
        window().Form_Resize();
        for (int at = MapScale::designedStep; at != step; at += step > at ? 1 : -1)
            key(step > at ? Qt::Key_Plus : Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(window().mapScale().step(), step);
        const double f = window().mapScale().factor();
        QCOMPARE(map()->width(), qCeil(2186 * f));
        // At the end of its range a bar shows the map's edge at the view's;
        // a small step moves the map 64 pixels on the screen at every scale.
        bar("hscArea")->setValue(bar("hscArea")->maximum());
        QVERIFY2(
            step == 0 ? map()->x() == 0 && map()->width() <= 571 : std::abs(map()->x() + map()->width() - 571) <= 1,
            qPrintable(QStringLiteral("%1 wide at %2").arg(map()->width()).arg(map()->x())));
        QVERIFY(std::abs(bar("vscArea")->singleStep() * f / 15 - 64) < 1);
        bar("hscArea")->setValue(bar("hscArea")->maximum() / 2);
        bar("vscArea")->setValue(bar("vscArea")->maximum() / 3);
        compareWithFullRedraw();
        if (QTest::currentTestFailed())
            return;

        // A click in the middle of the view paints the cell under it.
        const QPoint middle = map()->mapFrom(map()->parentWidget(), QPoint(285, 285));
        const QPoint cell(qFloor((middle.x() / f - 8) / 31), qFloor((middle.y() / f - 8) / 31));
        QTest::mouseClick(child("imgTile13"), Qt::LeftButton, {}, QPoint(5, 5));
        Level expected = content(level);
        QTest::mouseClick(map(), Qt::LeftButton, {}, shown(cell));
        expected.levelTiles(3, cell.x(), cell.y()) = 13;
        QVERIFY(content(level) == expected);
        compareWithFullRedraw();
        if (QTest::currentTestFailed())
            return;

        // The cursor, from the clicked cell far to the right: the map follows it.
        for (int i = 0; i < 30; ++i)
            key(Qt::Key_Right);
        key(Qt::Key_Delete);
        const QPoint cursor = cell + QPoint(std::min(30, 69 - cell.x()), 0);
        QCOMPARE(window().cursorCell(), cursor);
        QCOMPARE(level.levelTiles(3, cursor.x(), cursor.y()), -1);
        const QRect cursorInView(
            map()->mapTo(map()->parentWidget(), map()->shownCell(cursor).topLeft()), map()->shownCell(cursor).size());
        QVERIFY(QRect(0, 0, 571, 571).contains(cursorInView));

        // Shift and the arrows select from the cursor; Delete erases what is
        // selected, and Escape leaves nothing of the frame behind.
        key(Qt::Key_Left, Qt::ShiftModifier);
        key(Qt::Key_Up, Qt::ShiftModifier);
        const QRect selected(cursor - QPoint(1, 1), cursor);
        QCOMPARE(window().selection().cells(), selected);
        level.levelTiles(3, selected.left(), selected.top()) = 5;
        key(Qt::Key_Delete);
        QCOMPARE(level.levelTiles(3, selected.left(), selected.top()), -1);
        key(Qt::Key_Escape);
        QVERIFY(window().selection().isEmpty());
        key(Qt::Key_Tab); // the cursor goes with the focus, and the map is as drawn whole
        compareWithFullRedraw();
        if (QTest::currentTestFailed())
            return;

        key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(window().mapScale().step(), MapScale::designedStep);
        QCOMPARE(map()->size(), map()->image().size());
        QCOMPARE(bar("hscArea")->singleStep(), 960);
    }

    // Ctrl+wheel zooms about the pointer: the place under it stays there.
    void theWheelZoomsAboutThePointer_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("turns");
        QTest::addColumn<int>("step");
        QTest::newRow("in a notch") << 120 << 1 << MapScale::designedStep + 1;
        QTest::newRow("out three notches") << -120 << 3 << MapScale::designedStep - 3;
        QTest::newRow("a fine wheel's turns add up") << 40 << 3 << MapScale::designedStep + 1;
    }

    void theWheelZoomsAboutThePointer()
    {
        QFETCH(int, angle);
        QFETCH(int, turns);
        fillLevel(level);
        window().prcDrawTiles();
        window().Form_Resize();
        bar("hscArea")->setValue(9000);
        bar("vscArea")->setValue(12000);
        const QPoint at = child("picArea")->mapTo(&window(), QPoint(200, 300));
        const QPointF before = map()->twipsAt(map()->mapFrom(&window(), at));
        for (int i = 0; i < turns; ++i)
            turn(at, angle, Qt::ControlModifier);
        QTEST(window().mapScale().step(), "step");
        const QPointF after = map()->twipsAt(map()->mapFrom(&window(), at));
        // Within the pixel the pointer stands on at the coarser scale.
        const double pixel = 15 / std::min(1.0, window().mapScale().factor());
        QVERIFY2(std::abs(after.x() - before.x()) <= pixel && std::abs(after.y() - before.y()) <= pixel,
            qPrintable(QStringLiteral("(%1, %2) then (%3, %4)")
                           .arg(before.x())
                           .arg(before.y())
                           .arg(after.x())
                           .arg(after.y())));
        QVERIFY(!level.levelChanged);
    }
};

QTEST_MAIN(tst_keyboardzoom)
#include "tst_keyboardzoom.moc"
