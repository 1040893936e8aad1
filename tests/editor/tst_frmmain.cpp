#include "app/ui/Twips.h"
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "common/TestLevels.h"
#include "editor/ui/MapSurface.h"
#include "editor/ui/frmMain.h"
#include "levelfile/ui/frmLoadSave.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <optional>

namespace {

// A point well inside cell (x, y) of the map.
} // namespace

// The main window as a user meets it: its palettes, mouse editing on the map and the wheel.
class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;
    MapSurface* map = nullptr;
    Level& level = modLists::level;

    template<typename T = QWidget>
    T* child(const QString& name)
    {
        return window->findChild<T*>(name);
    }
    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    void press(Qt::MouseButton button, QPoint at) { QTest::mouseClick(map, button, {}, at); }

    // A move with buttons held, as the window system reports a drag.
    void drag(Qt::MouseButtons held, QPoint to)
    {
        QMouseEvent move(QEvent::MouseMove, to, map->mapToGlobal(to), Qt::NoButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(map, &move);
    }

    // A palette click frames the picture clicked, and only that one.
    void clickPalette(const QString& name, int ring)
    {
        click(name);
        for (int r = 0; r <= 2; ++r)
            QCOMPARE(child(QStringLiteral("shpRing%1").arg(r))->isVisible(), r == ring);
        QCOMPARE(child(QStringLiteral("shpRing%1").arg(ring))->pos(), child(name)->pos());
    }

    // As the window system delivers a turn of the wheel: to the widget under
    // the pointer, from which it goes up to the parents while nobody takes it.
    void turn(QPoint inWindow, QPoint angle, Qt::KeyboardModifiers modifiers)
    {
        QWidget* target = window->childAt(inWindow);
        QVERIFY(target);
        QWheelEvent event(target->mapFrom(window.get(), inWindow), window->mapToGlobal(inWindow), QPoint(), angle,
            Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        // Straight to notify(): sendEvent() would take the event for one the program made itself.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
    }

public slots:
    // The desktop's browser for the test: F1's page is handed here.
    void openInBrowser(const QUrl& url) { opened = url; }

private:
    QUrl opened;

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        game = std::make_unique<TempGame>();
        QCOMPARE(modLists::readElements(QDir::currentPath()).message(), QString());
        window = std::make_unique<frmMain>();
        QCOMPARE(window->Form_Load().message(), QString());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        map = child<MapSurface>("picInner");
    }

    void cleanup()
    {
        window.reset();
        game.reset();
    }

    // What a designer sees first: the designed places in pixels (twips / 15),
    // the captions, the tab order, and an empty 8 by 8 level on the main view.
    void opensAtTheDesignSizeWithANewLevel()
    {
        QCOMPARE(window->windowTitle(), QString("A Quandor Editor"));
        QCOMPARE(window->size(), QSize(753, 705));
        const QList<std::pair<const char*, QRect>> places{
            {"picArea", {8, 8, 592, 592}},
            {"picTileBox", {608, 8, 137, 592}},
            {"picToolBox", {8, 608, 737, 89}},
            {"imgTile5", {44, 80, 28, 28}},
            {"imgEntity6", {8, 116, 28, 28}},
            {"picTiles", {8, 72, 121, 250}},
            {"picEntities", {8, 330, 121, 250}},
            {"vscArea", {571, 0, 17, 571}},
        };
        for (const auto& [name, r] : places)
            QCOMPARE(child(name)->geometry(), r);
        const QList<std::pair<const char*, QString>> captions{{"cmdResize", "&Resize"}, {"optView0", "Main Level"},
            {"optView1", "Top\nLeft"}, {"optView2", "Top\nRight"}, {"optView3", "Bottom\nLeft"},
            {"optView4", "Bottom\nRight"}, {"cmdEntityData", "Edit &entity data"}, {"cmdSave", "&Save"},
            {"cmdLoad", "&Load"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(child<QAbstractButton>(name)->text(), caption);
        QStringList order;
        for (QWidget* w = child("picInner"); order.size() < 17; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order.append(w->objectName());
        QCOMPARE(order,
            (QStringList{"picInner", "vscArea", "hscArea", "picPlayer", "picTilesInner", "vscTiles", "picEntitiesInner",
                "vscEntities", "cmdResize", "optView0", "optView1", "optView2", "optView3", "optView4", "cmdEntityData",
                "cmdSave", "cmdLoad"}));
        for (const char* name : {"picTileSet", "imgEntityb2", "shpRing0", "shpRing2"})
            QVERIFY2(!child(name)->isVisible(), name);
        QVERIFY(child<QAbstractButton>("optView0")->isChecked());
        Level fresh;
        levelops::makeNewLevel(fresh);
        QVERIFY(level == fresh);
    }

    // Any size, however small, is laid out without a warning (a negative
    // width would give one); a wider window gives all its width to the map.
    void anySizeThenWider()
    {
        for (QSize size : {QSize(1, 1), QSize(150, 705), QSize(753, 80), QSize(4000, 3000)}) {
            window->resize(size);
            QCoreApplication::processEvents();
        }
        window->resize(853, 705);
        QCoreApplication::processEvents();
        QCOMPARE(child("picArea")->geometry(), QRect(8, 8, 592 + 100, 592));
        QCOMPARE(child("picTileBox")->geometry(), QRect(608 + 100, 8, 137, 592));
    }

    void tilesArePaintedAndErasedPerView_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("edited"); // (-1, -1): nothing
        QTest::addColumn<int>("value");
        QTest::newRow("right erases to 0") << 0 << Qt::RightButton << cellPoint(4, 1) << QPoint(4, 1) << 0;
        QTest::newRow("right erases to -1") << 3 << Qt::RightButton << cellPoint(4, 1) << QPoint(4, 1) << -1;
        QTest::newRow("middle erases") << 1 << Qt::MiddleButton << cellPoint(4, 1) << QPoint(4, 1) << -1;
        QTest::newRow("last pixel of column 0") << 0 << Qt::LeftButton << QPoint(38, 8) << QPoint(0, 0) << 5;
        QTest::newRow("first pixel of column 1") << 4 << Qt::LeftButton << QPoint(39, 8) << QPoint(1, 0) << 5;
        QTest::newRow("left margin") << 0 << Qt::LeftButton << QPoint(7, 20) << QPoint(-1, -1) << 0;
        QTest::newRow("column 8") << 0 << Qt::LeftButton << QPoint(8 + 31 * 8, 20) << QPoint(-1, -1) << 0;
    }

    void tilesArePaintedAndErasedPerView()
    {
        QFETCH(int, view);
        QFETCH(QPoint, edited);
        QFETCH(int, value);
        for (int layer = 0; layer <= 4; ++layer)
            level.levelTiles(layer, 4, 1) = 7; // something to erase on every layer
        click(QStringLiteral("optView%1").arg(view));
        clickPalette("imgGuy", 0);
        clickPalette("imgTile5", 1);
        QVERIFY(child<QAbstractButton>(QStringLiteral("optView%1").arg(view))->isChecked() && !level.levelChanged);
        Level expected = level;
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, at);
        press(button, at);
        expected.levelChanged = true;
        if (edited.x() >= 0)
            expected.levelTiles(view, edited.x(), edited.y()) = static_cast<qint16>(value);
        QVERIFY(level == expected); // how the map shows it, tst_undo checks after every edit
    }

    // A kind goes on a cell of a view once; the right button removes the last
    // placed there first, and only on that view; a full level takes none.
    void entitiesArePlacedOnceAndRemovedLastFirstUpToTheMost()
    {
        click("optView2");
        clickPalette("imgEntity2", 2);
        press(Qt::LeftButton, cellPoint(3, 4));
        press(Qt::LeftButton, cellPoint(3, 4)); // the same kind on the same cell and view is refused
        click("imgEntity5");
        press(Qt::LeftButton, cellPoint(3, 4));
        click("optView1");
        press(Qt::RightButton, cellPoint(3, 4));
        click("optView2");
        press(Qt::RightButton, cellPoint(3, 4));
        QCOMPARE(level.entities, (std::vector<Entity>{{2, 3, 4, 2}}));

        level.entities.assign(Level::maxEntities, {1, 0, 0, 0});
        level.entityData.resize(level.entities.size());
        level.entityCount = Level::maxEntities;
        const Level before = level;
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        press(Qt::LeftButton, cellPoint(5, 5)); // the 32768th
        QCOMPARE(messages.texts(),
            QStringList{"This level already holds 32767 entities, the most a level can hold. "
                        "Remove one before placing another."});
        QVERIFY(level == before);
    }

    void dragsPaintAndEraseTilesOnly()
    {
        click("imgTile3");
        QTest::mousePress(map, Qt::LeftButton, {}, cellPoint(1, 1));
        drag(Qt::LeftButton, cellPoint(2, 1));
        drag(Qt::LeftButton, cellPoint(4, 1)); // cell (3, 1) is skipped
        drag(Qt::LeftButton, QPoint(-20, 40)); // off the map: ignored
        drag(Qt::LeftButton | Qt::RightButton, cellPoint(2, 1)); // the right button erases
        QTest::mouseRelease(map, Qt::LeftButton, {}, cellPoint(2, 1));
        for (int x = 0; x <= 5; ++x)
            QCOMPARE(level.levelTiles(0, x, 1), x == 1 || x == 4 ? 3 : 0);
        level.levelChanged = false;
        drag(Qt::NoButton, cellPoint(7, 7));
        QVERIFY(!level.levelChanged);
        click("imgEntity1"); // with an entity kind selected, only the press places anything
        QTest::mousePress(map, Qt::LeftButton, {}, cellPoint(5, 5));
        drag(Qt::LeftButton, cellPoint(6, 5));
        QTest::mouseRelease(map, Qt::LeftButton, {}, cellPoint(6, 5));
        QCOMPARE(level.entityCount, 1);
    }

    // The wheel moves the scroll bar of what lies under the pointer, as the
    // arrows do and within its range; the bars' own handlers move the surfaces.
    void wheelMovesTheBarUnderThePointer_data()
    {
        QTest::addColumn<QString>("over");
        QTest::addColumn<QPoint>("angle"); // eighths of a degree, 120 a notch
        QTest::addColumn<int>("turns");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("moved"); // the one bar that moves
        QTest::addColumn<int>("value"); // -1: its maximum
        QTest::newRow("map, a notch down") << "picInner" << QPoint(0, -120) << 1 << false << "vscArea" << 960;
        QTest::newRow("map, up at the top stays") << "picInner" << QPoint(0, 120) << 2 << false << "vscArea" << 0;
        QTest::newRow("map, far down stops at the end")
            << "picInner" << QPoint(0, -120) << 60 << false << "vscArea" << -1;
        QTest::newRow("map, Shift turns it sideways") << "picInner" << QPoint(0, -120) << 1 << true << "hscArea" << 960;
        QTest::newRow("map, a sideways wheel") << "picInner" << QPoint(-240, 0) << 1 << false << "hscArea" << 1920;
        QTest::newRow("map, a fine wheel's eighths add up")
            << "picInner" << QPoint(0, -15) << 8 << false << "vscArea" << 960;
        QTest::newRow("tile palette image") << "imgTile3" << QPoint(0, -120) << 1 << false << "vscTiles" << 1080;
        QTest::newRow("entity palette, to its end")
            << "imgEntity1" << QPoint(0, -120) << 20 << false << "vscEntities" << -1;
        QTest::newRow("tool box: nothing") << "picToolBox" << QPoint(0, -120) << 1 << false << "" << 0;
    }

    void wheelMovesTheBarUnderThePointer()
    {
        QFETCH(QString, over);
        QFETCH(QPoint, angle);
        QFETCH(int, turns);
        QFETCH(bool, shift);
        QFETCH(QString, moved);
        QFETCH(int, value);
        levelops::replaceGrid(level, 70, 70);
        window->prcDrawTiles();
        click("imgTile13");
        window->resize(753, 500); // short enough for both palettes to scroll
        QCoreApplication::processEvents();
        // The pointer stays where it is while what is under it scrolls.
        const QPoint at = child(over)->mapTo(window.get(), QPoint(5, 5));
        for (int i = 0; i < turns; ++i)
            turn(at, angle, shift ? Qt::ShiftModifier : Qt::NoModifier);
        for (const QString name : {"hscArea", "vscArea", "vscTiles", "vscEntities"}) {
            auto* bar = child<QScrollBar>(name);
            QCOMPARE(bar->value(), name != moved ? 0 : value < 0 ? bar->maximum() : value);
        }
        const auto pixels = [&](const char* bar) { return twipsToPixels(-child<QScrollBar>(bar)->value()); };
        QCOMPARE(map->pos(), QPoint(pixels("hscArea"), pixels("vscArea")));
        QCOMPARE(child("picTilesInner")->y(), pixels("vscTiles"));
        QCOMPARE(child("shpRing1")->pos(), child("imgTile13")->pos());
        QVERIFY(!level.levelChanged);
    }

    // The keys a desktop user tries first, beside the buttons' own Alt keys,
    // in the main window whichever control has the focus.
    void keysOfTheCommands_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("brings");
        const QString save = "the chooser, to save", load = "the chooser, to load";
        const QList<std::pair<QString, QString>> keys{{"Ctrl+S", save}, {"Alt+S", save}, {"Ctrl+O", load},
            {"Alt+L", load}, {"Ctrl+Q", "Do you want to save your changes?"}, {"F1", "the guide"}};
        for (const auto& [key, brings] : keys)
            QTest::newRow(qPrintable(key)) << key << brings;
    }

    void keysOfTheCommands()
    {
        QFETCH(QString, key);
        QFETCH(QString, brings);
        press(Qt::LeftButton, cellPoint(1, 1)); // a change not saved
        const Level before = level;
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        QString came; // what the key brought
        ScriptedMessages messages;
        if (key == "Ctrl+Q")
            messages.answer(QMessageBox::No);
        QDesktopServices::setUrlHandler("file", this, "openInBrowser");
        opened.clear();
        std::optional<ModalDriver> chooser;
        if (brings.startsWith("the chooser"))
            chooser.emplace([&](QWidget* modal) {
                auto* loadSave = qobject_cast<frmLoadSave*>(modal);
                came = !loadSave ? "another window" : loadSave->save ? "the chooser, to save" : "the chooser, to load";
                QTest::keyClick(modal, Qt::Key_Escape);
            });

        const QKeySequence sequence(key);
        QTest::keyClick(child("vscTiles"), Qt::Key(sequence[0].key()), sequence[0].keyboardModifiers());
        QDesktopServices::unsetUrlHandler("file");
        const QFileInfo page(opened.toLocalFile());
        if (page.isFile() && page.fileName().startsWith("designers-guide."))
            came = "the guide";
        if (!messages.shown().isEmpty())
            came = messages.shown().first().text;
        // A button's own key clicks it a moment later, as the button is seen to go down.
        QTRY_COMPARE(came, brings);
        QCOMPARE(window->isVisible(), key != "Ctrl+Q");
        QVERIFY(level == before);
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
