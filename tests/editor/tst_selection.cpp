#include "common/EditorSession.h"
#include "common/TestLevels.h"
#include "editor/BlockOperations.h"
#include "editor/MapRenderer.h"
#include "editor/ui/MapSurface.h"
#include "levelfile/BlockText.h"
#include "levelfile/ChooserSteps.h"
#include "levelfile/LevelWriter.h"
#include "model/DataTextCommand.h"
#include "model/LevelHistory.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

// The selection and the clipboard: the block operations on plain levels, the
// block's text, and the keys, drags, pastes and undo in the main window.
class tst_selection : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;
    EditorPictures pictures;
    Level& level = modLists::level;

    frmMain& window() { return session->window(); }
    MapSurface* map() { return window().findChild<MapSurface*>("picInner"); }
    void key(int pressed, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&window(), Qt::Key(pressed), modifiers);
    }
    void click(const QString& name)
    {
        QTest::mouseClick(window().findChild<QWidget*>(name), Qt::LeftButton, {}, QPoint(5, 5));
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(map(), Qt::LeftButton, {}, cellPoint(from.x(), from.y()));
        QTest::mouseMove(map(), cellPoint(to.x(), to.y()));
        QTest::mouseRelease(map(), Qt::LeftButton, {}, cellPoint(to.x(), to.y()));
    }
    bool drawnWhole() { return map()->image() == maprenderer::renderLevel(pictures, level, window().curView); }
    void load(const QString& name)
    {
        session->clickAndDrive("cmdLoad", [&](QWidget* d) {
            Chooser{d}.typeName(name);
            Chooser{d}.pressOk();
        });
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }
    // Whether the cell shows whole between the map's scroll bars.
    bool inSight(int x, int y)
    {
        const QPoint at(
            window().findChild<QScrollBar*>("hscArea")->value(), window().findChild<QScrollBar*>("vscArea")->value());
        const QSize size(
            int(window().geometry().left(MainControl::vscArea)), int(window().geometry().top(MainControl::hscArea)));
        return QRect(at, size).contains(QRect(120 + 465 * x, 120 + 465 * y, 465, 465));
    }

private slots:
    // A cut, its block carried through the clipboard's text and pasted at the
    // same place, gives back the same file, to the byte: the entities go back
    // into their places among the others. Pasted elsewhere, they come last.
    void cutThenPasteGivesBackTheBytes_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<QRect>("area");
        QTest::newRow("a room of the main level") << 0 << QRect(2, 1, 5, 4);
        QTest::newRow("a room of a corner screen, empty cells included") << 3 << QRect(1, 2, 6, 5);
        QTest::newRow("the whole view") << 2 << QRect(0, 0, 12, 9);
        QTest::newRow("one cell") << 4 << QRect(5, 5, 1, 1);
        QTest::newRow("a room reaching past the edge") << 1 << QRect(8, 6, 10, 10);
    }

    void cutThenPasteGivesBackTheBytes()
    {
        QFETCH(int, layer);
        QFETCH(QRect, area);
        const Catalogue kinds = threeTilesTwoEntities();
        Level plain = busyLevel(12, 9, 9);
        const QByteArray before = writeLevel(plain, kinds);
        BlockOrigin origin;
        const Block block = blockops::copy(plain, layer, area, &origin);
        QVERIFY(block.entities.size() > 0 || area.width() == 1);
        QCOMPARE(origin.entitySlots.size(), block.entities.size());

        LevelHistory history(plain);
        areaops::Outcome cut = blockops::erase(plain, layer, area);
        QVERIFY(cut.step);
        history.record(std::move(cut.step));
        QCOMPARE(blockops::copy(plain, layer, area).entities.size(), size_t(0));
        QVERIFY(blockops::copy(plain, layer, area).tiles
            == std::vector<qint16>(block.tiles.size(), TileGrid::emptyValue(layer)));

        const BlockReadResult carried = readBlock(writeBlock(block, kinds), kinds);
        QVERIFY(carried.block);
        const QPoint home = blockops::inGrid(plain, area).topLeft();
        areaops::Outcome pasted = blockops::paste(plain, *carried.block, layer, home, &origin);
        QVERIFY(pasted.step);
        QCOMPARE(writeLevel(plain, kinds), before);
        history.record(std::move(pasted.step));
        QVERIFY(history.undo());
        QVERIFY(history.redo());
        QCOMPARE(writeLevel(plain, kinds), before);
        QVERIFY(history.undo() && history.undo());
        QCOMPARE(writeLevel(plain, kinds), before);

        // Anywhere else, a paste is the same with its origin or without.
        Level withOrigin = plain;
        Level without = plain;
        (void)blockops::paste(withOrigin, block, layer, home + QPoint(1, 0), &origin);
        (void)blockops::paste(without, block, layer, home + QPoint(1, 0));
        QCOMPARE(writeLevel(withOrigin, kinds), writeLevel(without, kinds));
    }

    // A move, however it lies, lands the tiles where it was sent and leaves
    // the cells it left empty; undone, the file is as it was to the byte, and
    // done again as it was after.
    void moveThenUndoGivesBackTheBytes_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("by");
        QTest::newRow("right, over itself") << 0 << QRect(2, 2, 4, 3) << QPoint(2, 0);
        QTest::newRow("up and left on a corner screen") << 3 << QRect(5, 4, 4, 4) << QPoint(-3, -2);
        QTest::newRow("partly off the grid") << 2 << QRect(6, 5, 5, 4) << QPoint(4, 3);
        QTest::newRow("the whole view, one row down") << 4 << QRect(0, 0, 12, 9) << QPoint(0, 1);
    }

    void moveThenUndoGivesBackTheBytes()
    {
        QFETCH(int, layer);
        QFETCH(QRect, area);
        QFETCH(QPoint, by);
        const Catalogue kinds = threeTilesTwoEntities();
        Level plain = busyLevel(12, 9, 4);
        const Level before = plain;
        const QByteArray bytes = writeLevel(plain, kinds);
        areaops::Outcome moved = blockops::move(plain, layer, area, by);
        QVERIFY(moved.step);
        const QRect source = blockops::inGrid(plain, area);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) {
                const QPoint from = QPoint(x, y) - by;
                const qint16 expected = source.contains(from) ? before.levelTiles(layer, from.x(), from.y())
                    : source.contains(x, y)                   ? TileGrid::emptyValue(layer)
                                                              : before.levelTiles(layer, x, y);
                QCOMPARE(plain.levelTiles(layer, x, y), expected);
                for (int other = 0; other < TileGrid::layerCount; ++other)
                    QVERIFY(other == layer || plain.levelTiles(other, x, y) == before.levelTiles(other, x, y));
            }
        const QByteArray after = writeLevel(plain, kinds);
        LevelHistory history(plain);
        history.record(std::move(moved.step));
        QVERIFY(history.undo());
        QCOMPARE(writeLevel(plain, kinds), bytes);
        QVERIFY(plain == before); // the entities in their slots, too
        QVERIFY(history.redo());
        QCOMPARE(writeLevel(plain, kinds), after);
    }

    // An entity that lands where one of its kind stands is skipped, as a click
    // skips it; moved entities keep their slots; a paste that the plain could
    // not hold is refused whole.
    void landingOnEntitiesOfTheSameKind()
    {
        Level plain;
        levelops::makeNewLevel(plain);
        place(plain, {0, 1, 1, 0}, "moved box");
        place(plain, {0, 5, 5, 1}, "stays");
        place(plain, {0, 1, 1, 1}, "moved door");
        place(plain, {0, 4, 4, 0}, "box that stays");
        place(plain, {2, 1, 1, 0}, "another layer");
        const Block block = blockops::copy(plain, 0, QRect(1, 1, 1, 1));
        QVERIFY(blockops::move(plain, 0, QRect(1, 1, 1, 1), {3, 3}).step);
        QCOMPARE(plain.entityData, (std::vector<QString>{"stays", "moved door", "box that stays", "another layer"}));
        QCOMPARE(plain.entities[1], (Entity{0, 4, 4, 1}));

        QVERIFY(blockops::paste(plain, block, 0, {5, 5}).step);
        QCOMPARE(plain.entityData.back(), "moved box"); // the door is skipped: one stands there
        QVERIFY(!blockops::paste(plain, block, 0, {5, 5}).step); // nothing left to change

        while (plain.entityCount < Level::maxEntities - 1)
            place(plain, {1, 0, 0, 0});
        const Level full = plain;
        const areaops::Outcome refused = blockops::paste(plain, block, 3, {0, 0});
        QVERIFY(refused.levelFull && !refused.step && plain == full);
    }

    // The block's text is the level file's own: exactly these lines for a
    // small block of a corner screen, and whatever the block, it reads back
    // as it was, from the clipboard's own type or from plain text.
    void theBlockTextSurvivesARoundTrip()
    {
        const Catalogue kinds = threeTilesTwoEntities();
        Block block{3, 2, {-1, 1, -1, 2, -1, 0}, {{0, 2, 1, 0}, {0, 0, 0, 1}, {0, 2, 1, 0}}, {"2,3", "", "x"}};
        const QByteArray text =
            "floor\tfloor\tfloor\r\nfloor\tfloor\tfloor\r\n\r\nScreen\t1\r\n1\t0\twall\r\n0\t1\tice\r\n"
            "2\t1\tfloor\r\n2\t1\tbox\t2\t3\r\n0\t0\tdoor\r\n2\t1\tbox\tx\r\n";
        QCOMPARE(writeBlock(block, kinds), text);
        QVERIFY(readBlock(text, kinds).block == block);

        const Block whole = blockops::copy(busyLevel(70, 70, 2), 4, QRect(0, 0, 70, 70));
        const std::unique_ptr<QMimeData> data = blockMimeData(whole, kinds);
        QVERIFY(blockFromMimeData(data.get(), kinds).block.has_value());
        QCOMPARE(writeBlock(*blockFromMimeData(data.get(), kinds).block, kinds), writeBlock(whole, kinds));

        QMimeData plain; // as a text editor hands it back
        plain.setText(QString::fromLatin1(text).replace("\r\n", "\n").replace("box", "crate"));
        const BlockReadResult fromText = blockFromMimeData(&plain, kinds);
        QVERIFY(fromText.block && fromText.block->entities.size() == 1);
        QCOMPARE(fromText.unknownLines, 2);
        plain.setText("a sentence, not a block");
        QVERIFY(!blockFromMimeData(&plain, kinds).block);
    }

    void init()
    {
        session = std::make_unique<EditorSession>(TempGame::SampleLevels);
        QCOMPARE(session->error(), QString());
        QVERIFY(loadEditorPictures(QDir::currentPath(), modLists::catalogue, pictures));
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    void cleanup() { session.reset(); }

    // S marks a rectangle with a drag, framed on the map; Ctrl+C, Ctrl+X and
    // Delete act on it, each change one step; Ctrl+A takes the whole view;
    // Escape clears the selection, then goes back to the brush.
    void theKeys()
    {
        load("FirstSteps");
        key(Qt::Key_S);
        QCOMPARE(window().tool(), Tool::Select);
        QVERIFY(map()->toolTip().startsWith("Select (S)"));
        drag({4, 3}, {1, 1});
        QCOMPARE(window().selection().cells(), QRect(1, 1, 4, 3));
        QCOMPARE(map()->selectionFrame(), QRect(1, 1, 4, 3));
        const Level loaded = level;

        key(Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->hasFormat(blockMimeType) && copied->hasText());
        QVERIFY(readBlock(copied->data(blockMimeType), modLists::catalogue).block
            == blockops::copy(level, 0, QRect(1, 1, 4, 3)));
        QVERIFY(!level.levelChanged && window().history().undoSteps() == 0);

        key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(blockops::copy(level, 0, QRect(1, 1, 4, 3)).tiles, std::vector<qint16>(12, 0));
        QVERIFY(level.levelChanged && drawnWhole());
        QCOMPARE(window().history().undoSteps(), 1);
        // Pasted back where it was cut, the level is as it was loaded.
        QTest::mouseMove(map(), cellPoint(1, 1));
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(writeLevel(level, modLists::catalogue), writeLevel(loaded, modLists::catalogue));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(level == loaded);

        QApplication::clipboard()->setText("kept");
        click("optView1");
        key(Qt::Key_Delete);
        QCOMPARE(level.levelTiles(1, 4, 1), -1); // the corner screen's own tile there is gone
        QCOMPARE(QApplication::clipboard()->text(), "kept");
        QVERIFY(drawnWhole());

        key(Qt::Key_B);
        key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window().selection().cells(), QRect(0, 0, 10, 8));
        QCOMPARE(window().tool(), Tool::Select);
        key(Qt::Key_Escape);
        QVERIFY(window().selection().isEmpty() && map()->selectionFrame().isEmpty());
        QCOMPARE(window().tool(), Tool::Select);
        key(Qt::Key_Escape);
        QCOMPARE(window().tool(), Tool::Brush);
        key(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QToolTip::text().startsWith("Nothing is selected"));
    }

    // A drag inside the selection moves what it holds, one step; the frame
    // goes with the pointer and frames the block where it lands, and goes
    // back and forth with it in the history.
    void aDragMovesTheSelection()
    {
        load("FirstSteps");
        click("optView2");
        key(Qt::Key_S);
        drag({6, 2}, {8, 5});
        const Level before = level;
        const Block room = blockops::copy(level, 2, QRect(6, 2, 3, 4));
        QTest::mousePress(map(), Qt::LeftButton, {}, cellPoint(7, 3));
        QTest::mouseMove(map(), cellPoint(5, 2));
        QCOMPARE(map()->selectionFrame(), QRect(4, 1, 3, 4));
        QCOMPARE(level.levelTiles(2, 6, 2), before.levelTiles(2, 6, 2)); // nothing changes before the release
        QTest::mouseRelease(map(), Qt::LeftButton, {}, cellPoint(5, 2));
        QVERIFY(blockops::copy(level, 2, QRect(4, 1, 3, 4)) == room);
        QCOMPARE(level.levelTiles(2, 7, 4), -1);
        QCOMPARE(window().selection().cells(), QRect(4, 1, 3, 4));
        QCOMPARE(window().history().undoSteps(), 1);
        QVERIFY(level.levelChanged && drawnWhole());
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(level.entities == before.entities && level.levelTiles == before.levelTiles && drawnWhole());
        QCOMPARE(window().selection().cells(), QRect(6, 2, 3, 4)); // the selection goes back with the block
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(map()->selectionFrame(), QRect(4, 1, 3, 4));
    }

    // A room copied from one level is pasted onto a corner screen of another
    // loaded in between: at the pointer, then, with the pointer away from the
    // map, at the top-left of what shows of it; the pasted block stays selected.
    void aPasteBetweenTwoLevels()
    {
        load("FirstSteps");
        const Level first = level;
        key(Qt::Key_S);
        drag({1, 1}, {4, 4});
        key(Qt::Key_C, Qt::ControlModifier);
        load("Crossing");
        click("optView3");
        key(Qt::Key_B);
        QTest::mouseMove(map(), cellPoint(6, 3));
        key(Qt::Key_V, Qt::ControlModifier);

        QVERIFY(blockops::copy(level, 3, QRect(6, 3, 4, 4)).tiles == blockops::copy(first, 0, QRect(1, 1, 4, 4)).tiles);
        QCOMPARE(level.entities.back(), (Entity{3, 2 + 5, 4 + 2, 0})); // the heavy box
        QCOMPARE(level.entityData.back(), "heavy");
        QCOMPARE(window().selection().cells(), QRect(6, 3, 4, 4));
        QCOMPARE(window().tool(), Tool::Select);
        QVERIFY(level.levelChanged && drawnWhole());

        QTest::mouseMove(window().findChild<QWidget*>("cmdSave"), QPoint(3, 3));
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(window().selection().cells(), QRect(0, 0, 4, 4));
        QCOMPARE(window().history().undoSteps(), 2);
        QVERIFY(drawnWhole());
    }

    // Undo and redo switch to the view of the layer they change, with its
    // button, and scroll the map to what they change; a data text's undo
    // says what it did in a note by its entity, and opens nothing.
    void undoBringsEachStepIntoSight()
    {
        levelops::replaceGrid(level, 70, 70);
        window().prcDrawTiles();
        window().Form_Resize();
        window().history().clear();
        auto* across = window().findChild<QScrollBar*>("hscArea");
        auto* down = window().findChild<QScrollBar*>("vscArea");
        click("optView2");
        click("imgTile3");
        QTest::mouseClick(map(), Qt::LeftButton, {}, cellPoint(66, 60));
        place(level, {4, 50, 3, 1});
        window().history().record(DataTextCommand::store(level, level.entityCount - 1, "9,9"));
        click("optView0");
        across->setValue(0);
        down->setValue(0);

        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window().curView, 4);
        QVERIFY(window().findChild<QAbstractButton*>("optView4")->isChecked());
        QCOMPARE(QToolTip::text(), "Undo: the data text of the door at 50, 3 is now empty.");
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(inSight(50, 3) && !inSight(0, 0));

        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window().curView, 2);
        QCOMPARE(level.levelTiles(2, 66, 60), -1);
        QVERIFY(inSight(66, 60) && drawnWhole());
        click("optView1");
        across->setValue(0);
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(window().curView, 2);
        QCOMPARE(level.levelTiles(2, 66, 60), 3);
        QVERIFY(inSight(66, 60) && drawnWhole());
    }
};

QTEST_MAIN(tst_selection)
#include "tst_selection.moc"
