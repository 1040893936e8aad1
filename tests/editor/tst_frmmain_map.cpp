#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "editor/MapRenderer.h"
#include "editor/MapSurface.h"
#include "editor/frmMain.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

// The middle of cell (x, y) on the map, in pixels.
QPoint cell(int x, int y)
{
    return QPoint(8 + 31 * x + 10, 8 + 31 * y + 10);
}

QPoint corner(int x, int y)
{
    return QPoint(8 + 31 * x, 8 + 31 * y);
}

} // namespace

class tst_frmmain_map : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;
    MapSurface* map = nullptr;
    Level& level = modLists::level;

    template <typename T = QWidget>
    T* child(const QString& name)
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 5)); }

    void press(Qt::MouseButton button, QPoint at)
    {
        QTest::mousePress(map, button, {}, at);
        QTest::mouseRelease(map, button, {}, at);
    }

    // A move with buttons held, as the window system reports a drag.
    void drag(Qt::MouseButtons held, QPoint to)
    {
        QMouseEvent move(QEvent::MouseMove, to, map->mapToGlobal(to), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(map, &move);
    }

    // A pixel of a tile's palette picture; (5, 9) lies between the hatch lines.
    QRgb tilePixel(int kind, QPoint at = {5, 9})
    {
        return child<QLabel>(QStringLiteral("imgTile%1").arg(kind))->pixmap().toImage().pixel(at);
    }
    QRgb mapPixel(QPoint at) { return map->image().pixel(at); }

private slots:
    void init()
    {
        game = std::make_unique<TempGame>();
        QVERIFY(game->isValid());
        QCOMPARE(modLists::readElements(QDir::currentPath()), QString());
        window = std::make_unique<frmMain>();
        QCOMPARE(window->Form_Load(), QString());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        map = child<MapSurface>("picInner");
    }

    void cleanup()
    {
        window.reset();
        game.reset();
    }

    void startsWithANewLevelAndTileKindOneSelected()
    {
        Level fresh;
        levelops::makeNewLevel(fresh);
        QVERIFY(level == fresh);
        QCOMPARE(window->curView, 0);
        QCOMPARE(window->selType, 0);
        QCOMPARE(window->selIndex, 1);
        QVERIFY(child("shpRing1")->isVisible());
        QCOMPARE(child("shpRing1")->pos(), QPoint(48, 8)); // its design place
        QVERIFY(!child("shpRing0")->isVisible() && !child("shpRing2")->isVisible());
        QCOMPARE(map->image().size(), QSize(264, 264));
        QCOMPARE(mapPixel(corner(3, 2) + QPoint(14, 14)), tilePixel(0, {14, 14}));
        QCOMPARE(child("imgGuy")->toolTip(), QString("Marks where the player starts"));
        QCOMPARE(child("imgTile3")->toolTip(), modLists::catalogue.tileDefs[3][Catalogue::TileTooltip]);
        QVERIFY(!child("imgEntityb2")->isVisible());
    }

    void palettesStandInTwoColumns_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("tile 0") << "imgTile0" << QRect(120, 120, 420, 420);
        QTest::newRow("tile 1") << "imgTile1" << QRect(660, 120, 420, 420);
        QTest::newRow("tile 5") << "imgTile5" << QRect(660, 1200, 420, 420);
        QTest::newRow("tile 12") << "imgTile12" << QRect(120, 3360, 420, 420);
        QTest::newRow("entity 6") << "imgEntity6" << QRect(120, 1740, 420, 420);
        // The surfaces end a margin below their last row.
        QTest::newRow("tile surface") << "picTilesInner" << QRect(0, 0, 1455, 120 + 3360 + 420);
        QTest::newRow("entity surface") << "picEntitiesInner" << QRect(0, 0, 1455, 120 + 1740 + 420);
    }

    void palettesStandInTwoColumns()
    {
        QFETCH(QString, image);
        QFETCH(QRect, twips);
        QCOMPARE(child(image)->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QVERIFY(child(image)->isVisible());
    }

    void paletteClicksMoveTheOneFrame_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("selType");
        QTest::addColumn<int>("selIndex");
        QTest::addColumn<int>("ring");
        QTest::newRow("player") << QStringList{"imgTile3", "imgGuy"} << -1 << -1 << 0;
        QTest::newRow("tile") << QStringList{"imgGuy", "imgTile5"} << 0 << 5 << 1;
        QTest::newRow("entity") << QStringList{"imgEntity4"} << 1 << 4 << 2;
        QTest::newRow("same tile twice") << QStringList{"imgTile1", "imgTile1"} << 0 << 1 << 1;
    }

    void paletteClicksMoveTheOneFrame()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, selType);
        QFETCH(int, selIndex);
        QFETCH(int, ring);
        const QImage before = map->image();
        for (const QString& name : clicks)
            click(name);
        QCOMPARE(window->selType, selType);
        QCOMPARE(window->selIndex, selIndex);
        for (int r = 0; r <= 2; ++r)
            QCOMPARE(child(QStringLiteral("shpRing%1").arg(r))->isVisible(), r == ring);
        QCOMPARE(child(QStringLiteral("shpRing%1").arg(ring))->pos(), child(clicks.last())->pos());
        QCOMPARE(map->image(), before);
        QVERIFY(!level.levelChanged);
    }

    void tilesArePaintedAndErasedPerLayer_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("edited"); // (-1, -1): nothing
        QTest::addColumn<int>("value");
        QTest::newRow("left paints") << 0 << Qt::LeftButton << cell(2, 3) << QPoint(2, 3) << 5;
        QTest::newRow("left on a corner view") << 2 << Qt::LeftButton << cell(2, 3) << QPoint(2, 3) << 5;
        QTest::newRow("right erases to 0") << 0 << Qt::RightButton << cell(4, 1) << QPoint(4, 1) << 0;
        QTest::newRow("right erases to -1") << 3 << Qt::RightButton << cell(4, 1) << QPoint(4, 1) << -1;
        QTest::newRow("middle erases") << 1 << Qt::MiddleButton << cell(4, 1) << QPoint(4, 1) << -1;
        QTest::newRow("first pixel of cell 0") << 0 << Qt::LeftButton << QPoint(8, 8) << QPoint(0, 0) << 5;
        QTest::newRow("last pixel of column 0") << 0 << Qt::LeftButton << QPoint(38, 8) << QPoint(0, 0) << 5;
        QTest::newRow("first pixel of column 1") << 0 << Qt::LeftButton << QPoint(39, 8) << QPoint(1, 0) << 5;
        QTest::newRow("left margin") << 0 << Qt::LeftButton << QPoint(7, 20) << QPoint(-1, -1) << 0;
        QTest::newRow("column 8") << 0 << Qt::LeftButton << QPoint(8 + 31 * 8, 20) << QPoint(-1, -1) << 0;
    }

    void tilesArePaintedAndErasedPerLayer()
    {
        QFETCH(int, view);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, at);
        QFETCH(QPoint, edited);
        QFETCH(int, value);
        // Something to erase on every layer of cell (4, 1).
        for (int layer = 0; layer <= 4; ++layer)
            level.levelTiles(layer, 4, 1) = 7;
        click(QStringLiteral("optView%1").arg(view));
        click("imgTile5");
        const Level before = level;
        // A mark in the margin shows whether the whole map was drawn again.
        map->image().setPixel(1, 1, qRgb(1, 2, 3));

        press(button, at);

        QVERIFY(level.levelChanged);
        Level expected = before;
        expected.levelChanged = true;
        if (edited.x() >= 0) {
            expected.levelTiles(view, edited.x(), edited.y()) = static_cast<qint16>(value);
            QCOMPARE(mapPixel(corner(edited.x(), edited.y()) + QPoint(5, 9)), tilePixel(value < 0 ? 7 : value));
        }
        QVERIFY(level == expected);
        QCOMPARE(mapPixel({1, 1}), qRgb(1, 2, 3));
    }

    void entitiesArePlacedOnceAndRemovedLastFirst()
    {
        click("optView2");
        click("imgEntity2");
        press(Qt::LeftButton, cell(3, 4));
        QCOMPARE(level.entityCount, 1);
        QCOMPARE(level.entities[0], (Entity{2, 3, 4, 2}));
        QCOMPARE(level.entityData[0], QString());
        QVERIFY(level.levelChanged);

        // The same kind again on the same cell and view is refused outright.
        level.levelChanged = false;
        press(Qt::LeftButton, cell(3, 4));
        QCOMPARE(level.entityCount, 1);
        QVERIFY(!level.levelChanged);

        click("imgEntity5");
        press(Qt::LeftButton, cell(3, 4));
        QCOMPARE(level.entityCount, 2);
        // Another view's cell is not this one: a right click there removes nothing.
        click("optView1");
        press(Qt::RightButton, cell(3, 4));
        QCOMPARE(level.entityCount, 2);
        QVERIFY(level.levelChanged);

        click("optView2");
        press(Qt::RightButton, cell(3, 4));
        QCOMPARE(level.entityCount, 1);
        QCOMPARE(level.entities[0].kind, 2);
        press(Qt::RightButton, cell(3, 4));
        QCOMPARE(level.entityCount, 0);
    }

    void theFullLevelRefusesAnotherEntity()
    {
        for (int i = 0; i < Level::maxEntities; ++i)
            level.entities.push_back({1, 0, 0, 0});
        level.entityData.resize(level.entities.size());
        level.entityCount = Level::maxEntities;
        const Level before = level;
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        click("imgEntity3");
        press(Qt::LeftButton, cell(5, 5));
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY2(messages.texts().first().contains("32767"), qPrintable(messages.texts().first()));
        QVERIFY(level == before);
    }

    void thePlayerStartMovesOnAnyView()
    {
        click("optView4");
        click("imgGuy");
        const QRgb oldCell = mapPixel(corner(0, 0) + QPoint(14, 14));
        press(Qt::RightButton, cell(6, 2));
        QCOMPARE(QPoint(level.playerX, level.playerY), QPoint(6, 2));
        QCOMPARE(level.playerData, QString("right"));
        QVERIFY(level.levelChanged);
        QVERIFY(mapPixel(corner(0, 0) + QPoint(14, 14)) != oldCell);
        // Both cells were drawn again: the map is what a whole drawing gives.
        EditorPictures pictures;
        QCOMPARE(loadEditorPictures(QDir::currentPath(), modLists::catalogue, pictures), QString());
        QCOMPARE(map->image(), maprenderer::renderLevel(pictures, level, 4));

        // A start left outside the grid by a resize moves without a repaint there.
        level.playerX = 20;
        level.playerY = -3;
        press(Qt::LeftButton, cell(1, 1));
        QCOMPARE(QPoint(level.playerX, level.playerY), QPoint(1, 1));
    }

    void dragsPaintAndEraseTilesOnly()
    {
        click("imgTile3");
        QTest::mousePress(map, Qt::LeftButton, {}, cell(1, 1));
        drag(Qt::LeftButton, cell(2, 1));
        drag(Qt::LeftButton, cell(4, 1)); // cell (3, 1) is skipped
        drag(Qt::LeftButton, QPoint(-20, 40)); // off the map: ignored
        for (int x : {1, 2, 4})
            QCOMPARE(level.levelTiles(0, x, 1), 3);
        QCOMPARE(level.levelTiles(0, 3, 1), 0);
        drag(Qt::LeftButton | Qt::RightButton, cell(2, 1));
        QCOMPARE(level.levelTiles(0, 2, 1), 0);
        QTest::mouseRelease(map, Qt::LeftButton, {}, cell(2, 1));

        // With an entity kind selected, only the press places anything.
        click("imgEntity1");
        QTest::mousePress(map, Qt::LeftButton, {}, cell(5, 5));
        drag(Qt::LeftButton, cell(6, 5));
        QTest::mouseRelease(map, Qt::LeftButton, {}, cell(6, 5));
        QCOMPARE(level.entityCount, 1);

        level.levelChanged = false;
        click("imgTile3");
        drag(Qt::NoButton, cell(7, 7));
        QCOMPARE(level.levelTiles(0, 7, 7), 0);
        QVERIFY(!level.levelChanged);
    }

    void viewsRedrawWithoutChangingTheLevel()
    {
        level.levelTiles(1, 2, 2) = 9;
        click("optView1");
        QCOMPARE(window->curView, 1);
        QVERIFY(child<QAbstractButton>("optView1")->isChecked());
        QVERIFY(!level.levelChanged);
        QCOMPARE(mapPixel(corner(2, 2) + QPoint(5, 9)), tilePixel(9));
        const QRect grid(8, 8, 248, 248);
        bool hatched = false;
        for (int x = grid.left(); x < grid.right(); ++x)
            hatched = hatched || mapPixel({x, 20}) == maprenderer::hatchColour;
        QVERIFY(hatched);

        click("optView0");
        QCOMPARE(window->curView, 0);
        QCOMPARE(mapPixel(corner(2, 2) + QPoint(5, 9)), tilePixel(0));
        for (int x = grid.left(); x < grid.right(); ++x)
            QVERIFY(mapPixel({x, 20}) != maprenderer::hatchColour);
    }

    void scrollBarsMoveTheirSurfaces()
    {
        levelops::replaceGrid(level, 70, 70);
        window->prcDrawTiles();
        window->Form_Resize();
        auto* hsc = child<QScrollBar>("hscArea");
        QVERIFY(hsc->isEnabled());
        hsc->setValue(2400);
        // Column 5 starts at 2445 twips on the map: 45 twips into the viewport.
        QCOMPARE(map->mapTo(child("picArea"), corner(5, 0)).x() - child("picArea")->contentsRect().x(), 3);
        child<QScrollBar>("vscArea")->setValue(960);
        QCOMPARE(map->pos(), QPoint(-160, -64));

        click("imgTile13");
        auto* vsc = child<QScrollBar>("vscTiles");
        QVERIFY(vsc->isEnabled());
        window->resize(753, 500);
        QCOMPARE(vsc->maximum(), 3900 - (((500 * 15 - 360 - 1335 - 60) - 1080 - 240) / 2 - 60));
        vsc->setValue(1080);
        QCOMPARE(child("picTilesInner")->y(), -72);
        QCOMPARE(child("shpRing1")->pos(), child("imgTile13")->pos());
        QCOMPARE(window->selIndex, 13);
        QVERIFY(!level.levelChanged);
    }

    void aSingleTileKindStartsWithKindZero()
    {
        TempGame single;
        QFile file(QDir(single.editorDir()).filePath("Elements.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        text = "1\r\nfloor\r\nwalk\r\nFloor\r\n" + text.mid(text.indexOf("-----"));
        single.writeFile(file.fileName(), text);
        QCOMPARE(modLists::readElements(QDir::currentPath()), QString());

        frmMain one;
        QCOMPARE(one.Form_Load(), QString());
        QCOMPARE(one.selIndex, 0);
        QCOMPARE(one.findChild<QWidget*>("shpRing1")->pos(), one.findChild<QWidget*>("imgTile0")->pos());
        one.picInner_MouseDown(1, 0, 200, 200);
        QCOMPARE(level.levelTiles(0, 0, 0), 0);
        QVERIFY(level.levelChanged);
    }

    void aMissingPictureStopsTheStart()
    {
        TempGame broken;
        QVERIFY(QFile::remove(QDir(broken.editorDir()).filePath("key_or.bmp")));
        frmMain other;
        QVERIFY(other.Form_Load().contains("\"key_or.bmp\""));
    }
};

QTEST_MAIN(tst_frmmain_map)
#include "tst_frmmain_map.moc"
