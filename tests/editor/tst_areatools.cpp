#include "common/EditorSession.h"
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TestLevels.h"
#include "editor/AreaOperations.h"
#include "editor/MapRenderer.h"
#include "editor/MapTools.h"
#include "editor/ui/MapSurface.h"
#include "levelfile/LevelWriter.h"
#include "model/LevelHistory.h"
#include "model/modLists.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <random>
#include <set>

namespace {

// The region a fill should reach, found another way: a stack, not a queue.
std::set<std::pair<int, int>> sameTileRegion(const Level& level, int layer, QPoint from)
{
    const qint16 target = level.levelTiles(layer, from.x(), from.y());
    std::set<std::pair<int, int>> region;
    std::vector<QPoint> stack{from};
    while (!stack.empty()) {
        const QPoint at = stack.back();
        stack.pop_back();
        if (!level.levelTiles.contains(at.x(), at.y()) || level.levelTiles(layer, at.x(), at.y()) != target
            || !region.insert({at.x(), at.y()}).second)
            continue;
        stack.insert(stack.end(), {at + QPoint(1, 0), at + QPoint(-1, 0), at + QPoint(0, 1), at + QPoint(0, -1)});
    }
    return region;
}

} // namespace

// The area tools: the operations on plain levels, and the keys, drags, menu
// and replace dialog in the main window.
class tst_areatools : public QObject
{
    Q_OBJECT

private slots:
    void linesStepOneCellAtATime_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QList<QPoint>>("cells");
        QTest::newRow("one cell") << QPoint(2, 2) << QPoint(2, 2) << QList<QPoint>{{2, 2}};
        QTest::newRow("across") << QPoint(0, 1) << QPoint(3, 1) << QList<QPoint>{{0, 1}, {1, 1}, {2, 1}, {3, 1}};
        QTest::newRow("up") << QPoint(1, 3) << QPoint(1, 1) << QList<QPoint>{{1, 3}, {1, 2}, {1, 1}};
        QTest::newRow("diagonal, backwards")
            << QPoint(3, 3) << QPoint(0, 0) << QList<QPoint>{{3, 3}, {2, 2}, {1, 1}, {0, 0}};
        QTest::newRow("shallow") << QPoint(0, 0) << QPoint(5, 2)
                                 << QList<QPoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}};
        QTest::newRow("steep, leftwards")
            << QPoint(2, 0) << QPoint(0, 5) << QList<QPoint>{{2, 0}, {2, 1}, {1, 2}, {1, 3}, {0, 4}, {0, 5}};
    }

    void linesStepOneCellAtATime()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const std::vector<QPoint> cells = areaops::lineCells(from, to);
        QTEST(QList<QPoint>(cells.begin(), cells.end()), "cells");
    }

    // On random grids, a fill reaches what a plain search of like tiles
    // reaches, and nothing else; undone, the level is as it was to the byte.
    void fillReachesTheRegionOfLikeTiles()
    {
        const Catalogue kinds = threeTilesTwoEntities();
        std::mt19937 random(7);
        for (int round = 0; round < 60; ++round) {
            Level level = busyLevel(1 + int(random() % 20), 1 + int(random() % 20), unsigned(round));
            const int layer = int(random() % 5);
            const QPoint from(int(random() % level.levelWidth), int(random() % level.levelHeight));
            const bool erase = random() % 3 == 0;
            const qint16 value = erase ? TileGrid::emptyValue(layer) : qint16(random() % 3);
            const Level before = level;
            const QByteArray bytes = writeLevel(level, kinds);
            const std::set<std::pair<int, int>> region = sameTileRegion(level, layer, from);

            areaops::Outcome filled = areaops::fill(level, {SelType::Tile, value}, layer, erase, from);
            const bool changes = before.levelTiles(layer, from.x(), from.y()) != value;
            QCOMPARE(bool(filled.step), changes);
            for (int y = 0; y < level.levelHeight; ++y)
                for (int x = 0; x < level.levelWidth; ++x)
                    QCOMPARE(
                        level.levelTiles(layer, x, y), region.count({x, y}) ? value : before.levelTiles(layer, x, y));
            if (!changes)
                continue;
            QCOMPARE(filled.step->cells().size(), region.size());
            LevelHistory history(level);
            history.record(std::move(filled.step));
            QVERIFY(history.undo());
            QCOMPARE(writeLevel(level, kinds), bytes);
        }
    }

    // A rectangle or a line, either way round, changes the cells it covers
    // and no other; undone, the level is as it was to the byte, and done
    // again, as it was after.
    void rectanglesAndLinesUndoToTheSameBytes_data()
    {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<PaletteSelection>("selection");
        QTest::addColumn<bool>("erase");
        QTest::addColumn<int>("layer");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        const PaletteSelection ice{SelType::Tile, 2}, door{SelType::Entity, 1};
        QTest::newRow("tiles, down and right") << Tool::Rectangle << ice << false << 0 << QPoint(1, 1) << QPoint(6, 4);
        QTest::newRow("tiles, up and left") << Tool::Rectangle << ice << false << 3 << QPoint(6, 4) << QPoint(1, 1);
        QTest::newRow("tiles erased on a corner")
            << Tool::Rectangle << ice << true << 2 << QPoint(0, 7) << QPoint(7, 0);
        QTest::newRow("entities placed, once a cell")
            << Tool::Rectangle << door << false << 1 << QPoint(2, 5) << QPoint(7, 0);
        QTest::newRow("entities removed") << Tool::Rectangle << door << true << 0 << QPoint(0, 0) << QPoint(4, 7);
        QTest::newRow("a line of tiles past the edge")
            << Tool::Line << ice << false << 0 << QPoint(-2, 6) << QPoint(9, 1);
        QTest::newRow("a line of entities") << Tool::Line << door << false << 4 << QPoint(7, 7) << QPoint(0, 3);
        QTest::newRow("a line cleared") << Tool::Line << door << true << 4 << QPoint(7, 0) << QPoint(0, 7);
    }

    void rectanglesAndLinesUndoToTheSameBytes()
    {
        QFETCH(Tool, tool);
        QFETCH(PaletteSelection, selection);
        QFETCH(bool, erase);
        QFETCH(int, layer);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const Catalogue kinds = threeTilesTwoEntities();
        Level level = busyLevel(8, 8, 11);
        const Level before = level;
        const QByteArray bytes = writeLevel(level, kinds);

        MapTools tools;
        tools.choose(tool);
        QVERIFY(!tools.press(level, {selection, layer, erase ? MouseButton::Right : MouseButton::Left, from}).step);
        QVERIFY(tools.move(to));
        QCOMPARE(tools.preview().rectangle, areaops::cellSpan(from, to));
        MapTools::Outcome outcome = tools.release(level, to);
        QVERIFY(outcome.step && !tools.isDragging());

        std::set<std::pair<int, int>> covered;
        for (const QPoint& c :
            tool == Tool::Rectangle ? areaops::rectangleCells(from, to) : areaops::lineCells(from, to))
            if (level.levelTiles.contains(c.x(), c.y()))
                covered.insert({c.x(), c.y()});
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool in = covered.count({x, y});
                const qint16 expected = !in || selection.type == SelType::Entity ? before.levelTiles(layer, x, y)
                    : erase                                                      ? TileGrid::emptyValue(layer)
                                                                                 : selection.index;
                QCOMPARE(level.levelTiles(layer, x, y), expected);
                int kindHere = 0, anyHere = 0;
                for (const Entity& e : level.entities)
                    if (e.layer == layer && e.x == x && e.y == y) {
                        ++anyHere;
                        kindHere += e.kind == selection.index ? 1 : 0;
                    }
                if (in && selection.type == SelType::Entity)
                    QVERIFY(erase ? anyHere == 0 : kindHere >= 1);
            }
        // Placing takes a cell once, and leaves the entities already there as they were.
        if (selection.type == SelType::Entity && !erase)
            QCOMPARE(std::vector<Entity>(level.entities.begin(), level.entities.begin() + before.entityCount),
                before.entities);

        const QByteArray after = writeLevel(level, kinds);
        LevelHistory history(level);
        history.record(std::move(outcome.step));
        QVERIFY(history.undo());
        QCOMPARE(writeLevel(level, kinds), bytes);
        QVERIFY(history.redo());
        QCOMPARE(writeLevel(level, kinds), after);
    }

    // An operation that would take the level past the most entities a level
    // holds places none; one that changes nothing makes no step.
    void refusedAndEmptyOperationsChangeNothing()
    {
        Level level = busyLevel(70, 70, 3);
        while (level.entityCount < Level::maxEntities - 100)
            place(level, {0, 0, 0, 0});
        const Level before = level;
        const areaops::Outcome full =
            areaops::paintCells(level, {SelType::Entity, 1}, 2, false, areaops::rectangleCells({0, 0}, {69, 69}));
        QVERIFY(full.levelFull && !full.step);
        QVERIFY(level == before);
        QVERIFY(
            !areaops::paintCells(level, {SelType::Tile, 1}, 1, true, areaops::rectangleCells({-5, -5}, {-1, -1})).step);
        QVERIFY(!areaops::fill(level, {SelType::Entity, 0}, 0, false, {3, 3}).step); // fill is for tiles
        QVERIFY(!areaops::paintCells(level, {SelType::Player, -1}, 0, false, {{1, 1}}).step);
        QVERIFY(level == before);
    }

    // A replacement changes exactly as many lines of the saved file as it
    // counted beforehand, and the entities keep their places, order and texts.
    void replaceChangesTheCountedLines_data()
    {
        QTest::addColumn<bool>("entities");
        QTest::addColumn<bool>("allLayers");
        QTest::addColumn<int>("view");
        QTest::newRow("entities of one layer") << true << false << 3;
        QTest::newRow("entities of every layer") << true << true << 0;
        QTest::newRow("the tiles of a corner screen") << false << false << 2;
    }

    void replaceChangesTheCountedLines()
    {
        QFETCH(bool, entities);
        QFETCH(bool, allLayers);
        QFETCH(int, view);
        const Catalogue kinds = threeTilesTwoEntities();
        Level level = busyLevel(12, 9, 5);
        const areaops::Replacement replacement{entities, 1, 0, allLayers, view};
        const int count = areaops::countReplacement(level, replacement);
        QVERIFY(count > 3);
        const QList<QByteArray> before = writeLevel(level, kinds).split('\n');
        const std::vector<QString> data = level.entityData;
        QVERIFY(areaops::replace(level, replacement).step);
        const QList<QByteArray> after = writeLevel(level, kinds).split('\n');
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i)
            changed += before[i] != after[i] ? 1 : 0;
        QCOMPARE(changed, count);
        QCOMPARE(level.entityData, data);
        QCOMPARE(areaops::countReplacement(level, replacement), 0);
    }

    void pickTakesWhatShowsOnTop_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<PaletteSelection>("picked");
        QTest::newRow("the player start") << 2 << QPoint(1, 1) << PaletteSelection{SelType::Player, -1};
        QTest::newRow("the last entity of the view") << 0 << QPoint(2, 2) << PaletteSelection{SelType::Entity, 1};
        QTest::newRow("a corner screen's own tile over an entity beneath")
            << 3 << QPoint(2, 2) << PaletteSelection{SelType::Tile, 2};
        QTest::newRow("the main level's entity through a corner screen")
            << 4 << QPoint(2, 2) << PaletteSelection{SelType::Entity, 1};
        QTest::newRow("the main level's tile") << 4 << QPoint(5, 5) << PaletteSelection{SelType::Tile, 1};
    }

    void pickTakesWhatShowsOnTop()
    {
        QFETCH(int, view);
        QFETCH(QPoint, at);
        Level level;
        levelops::makeNewLevel(level);
        levelops::movePlayer(level, 1, 1);
        level.levelTiles(0, 5, 5) = 1;
        level.levelTiles(3, 2, 2) = 2;
        place(level, {0, 2, 2, 0});
        place(level, {0, 2, 2, 1});
        const std::optional<PaletteSelection> picked = maptools::pickAt(level, view, at);
        QVERIFY(picked);
        QTEST(*picked, "picked");
        QVERIFY(!maptools::pickAt(level, 0, {8, 0}));
    }

    // As a designer uses them on a new level: the keys choose the tools, the
    // pointer shows them, a drag outlines what it will do, and every
    // operation is one step of the history, drawn as a whole redraw draws it.
    void keysAndDragsInTheWindow()
    {
        EditorSession session;
        QCOMPARE(session.error(), QString());
        EditorPictures pictures;
        QVERIFY(loadEditorPictures(QDir::currentPath(), modLists::catalogue, pictures));
        frmMain& window = session.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* map = window.findChild<MapSurface*>("picInner");
        Level& level = modLists::level;
        auto drawnWhole = [&] { return map->image() == maprenderer::renderLevel(pictures, level, window.curView); };
        auto key = [&](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(&window, pressed, modifiers);
        };
        const Qt::CursorShape arrow = map->cursor().shape();

        // R, and a drag from the bottom right to the top left: outlined, then filled.
        key(Qt::Key_R);
        QCOMPARE(window.tool(), Tool::Rectangle);
        QVERIFY(map->cursor().shape() != arrow && map->toolTip().startsWith("Rectangle (R)"));
        QTest::mousePress(map, Qt::LeftButton, {}, cellPoint(6, 5));
        QTest::mouseMove(map, cellPoint(1, 2));
        QCOMPARE(map->preview().rectangle, QRect(QPoint(1, 2), QPoint(6, 5)));
        QCOMPARE(level.levelTiles(0, 3, 3), 0); // nothing changes before the release
        QTest::mouseRelease(map, Qt::LeftButton, {}, cellPoint(1, 2));
        QCOMPARE(map->preview().shape, ToolPreview::Shape::None);
        QCOMPARE(level.levelTiles(0, 1, 2), 1);
        QCOMPARE(level.levelTiles(0, 6, 5), 1);
        QVERIFY(level.levelChanged && drawnWhole());
        QCOMPARE(window.history().undoSteps(), 1);

        // F inside it with ice: the rectangle's region changes, the floor around it does not.
        QTest::mouseClick(window.findChild<QWidget*>("imgTile2"), Qt::LeftButton, {}, QPoint(5, 5));
        key(Qt::Key_F);
        QTest::mouseClick(map, Qt::LeftButton, {}, cellPoint(3, 3));
        QCOMPARE(level.levelTiles(0, 1, 2), 2);
        QCOMPARE(level.levelTiles(0, 0, 0), 0);
        QVERIFY(drawnWhole());

        // L and a diagonal drag on a corner view: painted along the line, on that screen only.
        QTest::mouseClick(window.findChild<QWidget*>("optView1"), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(window.findChild<QWidget*>("imgTile1"), Qt::LeftButton, {}, QPoint(5, 5));
        key(Qt::Key_L);
        QTest::mousePress(map, Qt::LeftButton, {}, cellPoint(0, 0));
        QTest::mouseMove(map, cellPoint(7, 7));
        QCOMPARE(map->preview().cells.size(), size_t(8));
        QTest::mouseRelease(map, Qt::LeftButton, {}, cellPoint(7, 7));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(level.levelTiles(1, i, i), 1);
        QVERIFY(drawnWhole());
        QCOMPARE(window.history().undoSteps(), 3);

        // I over a cell picks what shows there; Esc goes back to the brush.
        QTest::mouseMove(map, cellPoint(3, 3));
        key(Qt::Key_I);
        QCOMPARE(window.selType, SelType::Tile);
        QCOMPARE(window.selIndex, 1); // the corner screen's own tile on the diagonal
        QCOMPARE(window.tool(), Tool::Line);
        QTest::mouseMove(window.findChild<QWidget*>("cmdSave"), QPoint(3, 3));
        key(Qt::Key_I); // away from the map: the next click picks, then the line comes back
        QCOMPARE(window.tool(), Tool::Pick);
        QTest::mouseClick(map, Qt::LeftButton, {}, cellPoint(2, 4));
        QCOMPARE(window.selIndex, 2);
        QCOMPARE(window.tool(), Tool::Line);
        key(Qt::Key_Escape);
        QCOMPARE(window.tool(), Tool::Brush);
        QCOMPARE(map->cursor().shape(), arrow);

        // Each step comes back with Ctrl+Z, drawn as a whole redraw draws it.
        for (int step = 0; step < 3; ++step) {
            key(Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(drawnWhole());
        }
        Level fresh;
        levelops::makeNewLevel(fresh);
        QVERIFY(level.levelTiles == fresh.levelTiles && !level.levelChanged);
    }

    // F10, Shift+F10 and the Menu key show every tool and command with its
    // key; an entry does what its key does.
    void theMenuListsEveryCommand_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers();
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers();
    }

    void theMenuListsEveryCommand()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        EditorSession session;
        frmMain& window = session.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key(key), modifiers);
        QMenu* menu = window.mapMenu();
        QTRY_VERIFY(menu->isVisible());
        QStringList entries;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                entries << action->text().remove('&') + ' ' + action->shortcut().toString();
        // Redo shows the platform's own key first.
        const QString redo =
            QKeySequence::keyBindings(QKeySequence::Redo).value(0, QKeySequence("Ctrl+Shift+Z")).toString();
        QCOMPARE(entries,
            (QStringList{"Brush B", "Rectangle R", "Fill F", "Line L", "Pick\tI ", "Select S",
                "Replace a Kind... Ctrl+H", "Undo Ctrl+Z", "Redo " + redo, "Cut Ctrl+X", "Copy Ctrl+C", "Paste Ctrl+V",
                "Delete Del", "Select the Whole View Ctrl+A", "Save... Ctrl+S", "Load... Ctrl+O", "Designer's Guide F1",
                "Quit Ctrl+Q", "Press at the Cursor Space", "Move the Cursor ", "Zoom In Ctrl++", "Zoom Out Ctrl+-",
                "Normal Size Ctrl+0"}));
        // Each entry has a letter of its own in its menu, so a letter picks one entry.
        std::function<void(QMenu*)> lettersOfTheirOwn = [&](QMenu* shown) {
            QSet<QChar> letters;
            for (QAction* action : shown->actions()) {
                const qsizetype at = action->text().indexOf('&');
                if (at >= 0) {
                    const QChar letter = action->text().at(at + 1).toLower();
                    QVERIFY2(!letters.contains(letter), qPrintable(action->text()));
                    letters.insert(letter);
                }
                if (action->menu())
                    lettersOfTheirOwn(action->menu());
            }
        };
        lettersOfTheirOwn(menu);
        QVERIFY(!menu->actions().at(9)->isEnabled()); // nothing to undo yet
        menu->actions().at(1)->trigger();
        menu->hide();
        QCOMPARE(window.tool(), Tool::Rectangle);
    }

    // Ctrl+H: the dialog counts what it will change before anything does;
    // the replacement is one step.
    void replaceThroughTheDialog()
    {
        EditorSession session;
        frmMain& window = session.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Level& level = modLists::level;
        for (int x = 0; x < 5; ++x)
            place(level, {qint16(x % 2 ? 0 : 3), qint16(x), 2, 0}, QStringLiteral("text %1").arg(x));
        place(level, {0, 6, 6, 1});
        const Level before = level;
        ModalDriver driver([](QWidget* dialog) {
            dialog->findChild<QRadioButton*>("optEntities")->click();
            auto* from = dialog->findChild<QComboBox*>("cboFrom");
            auto* to = dialog->findChild<QComboBox*>("cboTo");
            from->setCurrentIndex(0);
            to->setCurrentIndex(0);
            QVERIFY(!dialog->findChild<QPushButton*>("cmdReplace")->isEnabled());
            to->setCurrentIndex(2);
            QCOMPARE(dialog->findChild<QLabel*>("lblCount")->text(), QString("2 entities will change."));
            dialog->findChild<QRadioButton*>("optAllLayers")->click();
            QCOMPARE(dialog->findChild<QLabel*>("lblCount")->text(), QString("5 entities will change."));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(driver.ran());
        for (int slot = 0; slot < 5; ++slot)
            QCOMPARE(level.entities[size_t(slot)].kind, 2);
        QCOMPARE(level.entities[5].kind, 1);
        QCOMPARE(level.entityData, before.entityData);
        QCOMPARE(window.history().undoSteps(), 1);
        window.undo();
        QVERIFY(level.entities == before.entities);
    }
};

QTEST_MAIN(tst_areatools)
#include "tst_areatools.moc"
