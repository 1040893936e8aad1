#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "editor/MapRenderer.h"
#include "editor/MapSurface.h"
#include "editor/frmMain.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QDir>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings.append(message);
}

QRect pixels(int left, int top, int width, int height) { return QRect(left / 15, top / 15, width / 15, height / 15); }
QPoint corner(int x, int y) { return QPoint(8 + 31 * x, 8 + 31 * y); }
QPoint cell(int x, int y) { return corner(x, y) + QPoint(10, 10); }

} // namespace

// The main window as a user meets it: its layout, its palettes and mouse editing on the map.
class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;
    MapSurface* map = nullptr;
    Level& level = modLists::level;

    template <typename T = QWidget>
    T* child(const QString& name) { return window->findChild<T*>(name); }

    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    void press(Qt::MouseButton button, QPoint at) { QTest::mouseClick(map, button, {}, at); }

    // A move with buttons held, as the window system reports a drag.
    void drag(Qt::MouseButtons held, QPoint to)
    {
        QMouseEvent move(QEvent::MouseMove, to, map->mapToGlobal(to), Qt::NoButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(map, &move);
    }

    // The whole level drawn in `view`, as the map should show it.
    QImage drawn(int view)
    {
        EditorPictures pictures;
        loadEditorPictures(QDir::currentPath(), modLists::catalogue, pictures);
        return maprenderer::renderLevel(pictures, level, view);
    }

private slots:
    void init()
    {
        warnings.clear();
        qInstallMessageHandler(collectWarnings);
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
        qInstallMessageHandler(nullptr);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    void opensAtTheDesignSizeWithANewLevel()
    {
        QCOMPARE(window->windowTitle(), QString("A Quandor Editor"));
        QCOMPARE(window->size(), QSize(753, 705));
        const QList<std::pair<const char*, QRect>> twips{{"picArea", {120, 120, 8880, 8880}}, {"picTileBox", {9120, 120, 2055, 8880}},
            {"picToolBox", {120, 9120, 11055, 1335}}, {"shpRing1", {720, 120, 480, 480}},
            // The palettes stand in two columns; their surfaces end a margin below the last row.
            {"imgTile0", {120, 120, 420, 420}}, {"imgTile5", {660, 1200, 420, 420}}, {"imgTile12", {120, 3360, 420, 420}},
            {"imgEntity6", {120, 1740, 420, 420}}, {"picTilesInner", {0, 0, 1455, 3900}}, {"picEntitiesInner", {0, 0, 1455, 2280}}};
        for (const auto& [name, r] : twips) {
            QCOMPARE(child(name)->geometry(), pixels(r.x(), r.y(), r.width(), r.height()));
            QVERIFY2(child(name)->isVisible(), name);
        }
        const QList<std::pair<const char*, QString>> captions{{"cmdResize", "&Resize"}, {"optView0", "Main Level"},
            {"optView1", "Top\nLeft"}, {"optView2", "Top\nRight"}, {"optView3", "Bottom\nLeft"}, {"optView4", "Bottom\nRight"},
            {"cmdEntityData", "Edit &entity data"}, {"cmdSave", "&Save"}, {"cmdLoad", "&Load"}};
        for (const auto& [name, caption] : captions) {
            QCOMPARE(child<QAbstractButton>(name)->text(), caption);
            QVERIFY2(child(name)->isVisible(), name);
        }
        QStringList order;
        for (QWidget* w = child("vscArea"); order.size() < 13; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order.append(w->objectName());
        QCOMPARE(order, (QStringList{"vscArea", "hscArea", "vscTiles", "vscEntities", "cmdResize", "optView0", "optView1", "optView2",
                            "optView3", "optView4", "cmdEntityData", "cmdSave", "cmdLoad"}));
        QVERIFY(child<QAbstractButton>("optView0")->isChecked());
        QVERIFY(!child("cmdScrCorner")->isEnabled() && !child("picTileSet")->isVisible() && !child("imgEntityb2")->isVisible());
        QVERIFY(!child("shpRing0")->isVisible() && !child("shpRing2")->isVisible());
        // An 8 by 8 map fits: both map scroll bars are disabled.
        for (const char* name : {"hscArea", "vscArea"})
            QVERIFY(!child(name)->isEnabled() && child<QScrollBar>(name)->maximum() == 0);
        QCOMPARE(child("imgGuy")->toolTip(), QString("Marks where the player starts"));
        QCOMPARE(child("imgTile3")->toolTip(), modLists::catalogue.tileDefs[3][Catalogue::TileTooltip]);

        Level fresh;
        levelops::makeNewLevel(fresh);
        QVERIFY(level == fresh);
        QCOMPARE(window->selIndex, 1);
        QCOMPARE(map->image().size(), QSize(264, 264));
        QCOMPARE(map->image(), drawn(0));
    }

    void anySizeWithoutWarningsThenWider_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("tiny") << QSize(1, 1);
        QTest::newRow("narrower than the margins") << QSize(150, 705);
        QTest::newRow("lower than the margins") << QSize(753, 80);
        QTest::newRow("huge") << QSize(4000, 3000);
    }

    void anySizeWithoutWarningsThenWider()
    {
        QFETCH(QSize, size);
        window->resize(size);
        QCoreApplication::processEvents();
        window->showMinimized();
        QCoreApplication::processEvents();
        window->showNormal();
        // 100 pixels wider: the map takes them all, the palette column moves over.
        window->resize(853, 705);
        QCoreApplication::processEvents();
        QCOMPARE(child("picArea")->geometry(), QRect(8, 8, 592 + 100, 592));
        QCOMPARE(child("picTileBox")->geometry(), QRect(608 + 100, 8, 137, 592));
    }

    void aPaletteClickMovesTheOneFrame_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("ring");
        QTest::newRow("player") << QStringList{"imgTile3", "imgGuy"} << 0;
        QTest::newRow("tile") << QStringList{"imgGuy", "imgTile5"} << 1;
        QTest::newRow("entity") << QStringList{"imgEntity4"} << 2;
        QTest::newRow("same tile twice") << QStringList{"imgTile1", "imgTile1"} << 1;
    }

    void aPaletteClickMovesTheOneFrame()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, ring);
        const QImage before = map->image();
        for (const QString& name : clicks)
            click(name);
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
        QFETCH(QPoint, edited);
        QFETCH(int, value);
        for (int layer = 0; layer <= 4; ++layer)
            level.levelTiles(layer, 4, 1) = 7; // something to erase on every layer
        click(QStringLiteral("optView%1").arg(view));
        click("imgTile5");
        Level expected = level;
        map->image().setPixel(1, 1, qRgb(1, 2, 3)); // stays unless the whole map is drawn again
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, at);
        press(button, at);
        expected.levelChanged = true;
        if (edited.x() >= 0)
            expected.levelTiles(view, edited.x(), edited.y()) = static_cast<qint16>(value);
        QVERIFY(level == expected);
        QImage shown = drawn(view);
        shown.setPixel(1, 1, qRgb(1, 2, 3));
        QCOMPARE(map->image(), shown);
    }

    void entitiesArePlacedOnceAndRemovedLastFirstUpToTheMost()
    {
        click("optView2");
        click("imgEntity2");
        press(Qt::LeftButton, cell(3, 4));
        QCOMPARE(level.entities, (std::vector<Entity>{{2, 3, 4, 2}}));
        QCOMPARE(level.entityData.size(), size_t(1));
        // The same kind again on the same cell and view is refused outright.
        level.levelChanged = false;
        press(Qt::LeftButton, cell(3, 4));
        QCOMPARE(level.entityCount, 1);
        QVERIFY(!level.levelChanged);
        click("imgEntity5");
        press(Qt::LeftButton, cell(3, 4));
        QCOMPARE(level.entityCount, 2);
        click("optView1"); // another view's cell is not this one
        press(Qt::RightButton, cell(3, 4));
        QCOMPARE(level.entityCount, 2);
        click("optView2");
        press(Qt::RightButton, cell(3, 4));
        QCOMPARE(level.entities, (std::vector<Entity>{{2, 3, 4, 2}}));
        press(Qt::RightButton, cell(3, 4));
        QCOMPARE(level.entityCount, 0);

        // The 32768th entity is refused with a message.
        level.entities.assign(Level::maxEntities, {1, 0, 0, 0});
        level.entityData.resize(level.entities.size());
        level.entityCount = Level::maxEntities;
        const Level before = level;
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        press(Qt::LeftButton, cell(5, 5));
        QCOMPARE(messages.texts(), QStringList{"This level already holds 32767 entities, the most a level can hold. "
                                               "Remove one before placing another."});
        QVERIFY(level == before);
    }

    void thePlayerStartMovesOnAnyView()
    {
        click("optView4");
        click("imgGuy");
        press(Qt::RightButton, cell(6, 2));
        QCOMPARE(QPoint(level.playerX, level.playerY), QPoint(6, 2));
        QVERIFY(level.levelChanged);
        QCOMPARE(map->image(), drawn(4)); // both cells were drawn again
        // A start left outside the grid by a resize moves too.
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
        drag(Qt::LeftButton | Qt::RightButton, cell(2, 1)); // the right button erases
        QTest::mouseRelease(map, Qt::LeftButton, {}, cell(2, 1));
        for (int x = 0; x <= 5; ++x)
            QCOMPARE(level.levelTiles(0, x, 1), x == 1 || x == 4 ? 3 : 0);
        level.levelChanged = false;
        drag(Qt::NoButton, cell(7, 7));
        QVERIFY(!level.levelChanged);
        // With an entity kind selected, only the press places anything.
        click("imgEntity1");
        QTest::mousePress(map, Qt::LeftButton, {}, cell(5, 5));
        drag(Qt::LeftButton, cell(6, 5));
        QTest::mouseRelease(map, Qt::LeftButton, {}, cell(6, 5));
        QCOMPARE(level.entityCount, 1);
    }

    void viewsRedrawWithoutChangingTheLevel()
    {
        level.levelTiles(1, 2, 2) = 9;
        for (int view : {1, 0}) {
            click(QStringLiteral("optView%1").arg(view));
            QCOMPARE(window->curView, view);
            QVERIFY(child<QAbstractButton>(QStringLiteral("optView%1").arg(view))->isChecked());
            QCOMPARE(map->image(), drawn(view));
        }
        QVERIFY(!level.levelChanged);
    }

    void scrollBarsMoveTheirSurfaces()
    {
        levelops::replaceGrid(level, 70, 70);
        window->prcDrawTiles();
        window->Form_Resize();
        child<QScrollBar>("hscArea")->setValue(2400);
        // Column 5 starts at 2445 twips on the map: 45 twips into the viewport.
        QCOMPARE(map->mapTo(child("picArea"), corner(5, 0)).x() - child("picArea")->contentsRect().x(), 3);
        child<QScrollBar>("vscArea")->setValue(960);
        QCOMPARE(map->pos(), QPoint(-160, -64));
        click("imgTile13");
        window->resize(753, 500);
        child<QScrollBar>("vscTiles")->setValue(1080);
        QCOMPARE(child("picTilesInner")->y(), -72);
        QCOMPARE(child("shpRing1")->pos(), child("imgTile13")->pos());
        QVERIFY(!level.levelChanged);
    }

    void aSingleTileKindStartsWithKindZero()
    {
        const QByteArray text = TempGame::readFile("Elements.txt");
        game->writeFile("Elements.txt", "1\r\nfloor\r\nwalk\r\nFloor\r\n" + text.mid(text.indexOf("-----")));
        QCOMPARE(modLists::readElements(QDir::currentPath()), QString());
        frmMain one;
        QCOMPARE(one.Form_Load(), QString());
        QCOMPARE(one.selIndex, 0);
        QCOMPARE(one.findChild<QWidget*>("shpRing1")->pos(), one.findChild<QWidget*>("imgTile0")->pos());
    }

    void aMissingPictureStopsTheStart()
    {
        QVERIFY(QFile::remove("key_or.bmp"));
        QVERIFY(frmMain().Form_Load().startsWith("The picture file \"key_or.bmp\" is missing."));
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
