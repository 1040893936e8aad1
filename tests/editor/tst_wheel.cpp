#include "app/Twips.h"
#include "common/EditorSession.h"
#include "model/modLists.h"

#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <memory>

// The mouse wheel over the map and the palettes moves their scroll bars, as
// the arrows do, and only within their ranges.
class tst_wheel : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;
    const QStringList bars{"hscArea", "vscArea", "vscTiles", "vscEntities"};

    frmMain& window() { return session->window(); }
    QScrollBar* bar(const QString& name) { return window().findChild<QScrollBar*>(name); }

    // As the window system delivers a turn: to the widget under the pointer,
    // from which it goes up to the parents while nobody takes it.
    void turn(QPoint inWindow, QPoint angle, Qt::KeyboardModifiers modifiers)
    {
        QWidget* target = window().childAt(inWindow);
        QVERIFY(target);
        QWheelEvent event(target->mapFrom(&window(), inWindow), window().mapToGlobal(inWindow), QPoint(), angle,
            Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        // Straight to notify(): sendEvent() would take the event for one the program made itself.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
    }

private slots:
    void init()
    {
        session = std::make_unique<EditorSession>();
        QCOMPARE(session->error(), QString());
        levelops::replaceGrid(modLists::level, 70, 70);
        window().prcDrawTiles();
        window().resize(753, 500); // short enough for both palettes to scroll
        QCoreApplication::processEvents();
        for (const QString& name : bars)
            QVERIFY2(bar(name)->maximum() > 0, qPrintable(name));
    }

    void cleanup() { session.reset(); }

    void turnsMoveTheBarUnderThePointer_data()
    {
        QTest::addColumn<QString>("over");
        QTest::addColumn<QPoint>("angle"); // eighths of a degree, 120 a notch
        QTest::addColumn<int>("turns");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("moved"); // the one bar that moves
        QTest::addColumn<int>("value"); // -1: its maximum
        QTest::newRow("map, a notch down") << "picInner" << QPoint(0, -120) << 1 << false << "vscArea" << 960;
        QTest::newRow("map, three notches down") << "picInner" << QPoint(0, -120) << 3 << false << "vscArea" << 2880;
        QTest::newRow("map, up at the top stays") << "picInner" << QPoint(0, 120) << 2 << false << "vscArea" << 0;
        QTest::newRow("map, far down stops at the end")
            << "picInner" << QPoint(0, -120) << 60 << false << "vscArea" << -1;
        QTest::newRow("map, Shift turns it sideways") << "picInner" << QPoint(0, -120) << 1 << true << "hscArea" << 960;
        QTest::newRow("map, a sideways wheel") << "picInner" << QPoint(-240, 0) << 1 << false << "hscArea" << 1920;
        QTest::newRow("map, a fine wheel's eighths add up")
            << "picInner" << QPoint(0, -15) << 8 << false << "vscArea" << 960;
        QTest::newRow("map, a third of a notch") << "picInner" << QPoint(0, -40) << 1 << false << "vscArea" << 320;
        QTest::newRow("map's own scroll bar") << "vscArea" << QPoint(0, -120) << 1 << false << "vscArea" << 960;
        QTest::newRow("tile palette image") << "imgTile3" << QPoint(0, -120) << 1 << false << "vscTiles" << 1080;
        QTest::newRow("tile palette, sideways too")
            << "imgTile3" << QPoint(-120, 0) << 1 << false << "vscTiles" << 1080;
        QTest::newRow("entity palette, to its end")
            << "imgEntity1" << QPoint(0, -120) << 20 << false << "vscEntities" << -1;
        QTest::newRow("tool box: nothing") << "picToolBox" << QPoint(0, -120) << 1 << false << "" << 0;
        QTest::newRow("player palette: nothing") << "picPlayer" << QPoint(0, -120) << 1 << false << "" << 0;
    }

    void turnsMoveTheBarUnderThePointer()
    {
        QFETCH(QString, over);
        QFETCH(QPoint, angle);
        QFETCH(int, turns);
        QFETCH(bool, shift);
        QFETCH(QString, moved);
        QFETCH(int, value);
        // The pointer stays where it is while what is under it scrolls.
        const QPoint at = window().findChild<QWidget*>(over)->mapTo(&window(), QPoint(5, 5));
        for (int i = 0; i < turns; ++i)
            turn(at, angle, shift ? Qt::ShiftModifier : Qt::NoModifier);
        for (const QString& name : bars) {
            const int expected = name != moved ? 0 : value < 0 ? bar(name)->maximum() : value;
            QCOMPARE(bar(name)->value(), expected);
        }
        // The bars' own handlers moved the surfaces.
        QWidget* map = window().findChild<QWidget*>("picInner");
        QCOMPARE(map->pos(), QPoint(twipsToPixels(-bar("hscArea")->value()), twipsToPixels(-bar("vscArea")->value())));
        QCOMPARE(window().findChild<QWidget*>("picTilesInner")->y(), twipsToPixels(-bar("vscTiles")->value()));
        QVERIFY(!modLists::level.levelChanged);
    }
};

QTEST_MAIN(tst_wheel)
#include "tst_wheel.moc"
