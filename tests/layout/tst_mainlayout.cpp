#include "editor/WheelScroll.h"
#include "layout/MainDesign.h"
#include "layout/MainLayout.h"

#include <QTest>

namespace {

// The geometry as it stands after start-up: the three surfaces lose their
// borders and the map is sized for an 8 by 8 level.
using enum MainControl;
using Geometry = FormGeometry<MainControl>;

Geometry startedGeometry(double mapWidth = 3960)
{
    Geometry g(frmMainDesign());
    for (const MainControl surface : {picInner, picTilesInner, picEntitiesInner})
        g.setBorder(surface, false);
    g.setWidth(picInner, mapWidth);
    g.setHeight(picInner, 3960);
    return g;
}

} // namespace

// The main window's layout in twips, where the window's pixels cannot show it:
// half twips, scroll ranges, and sizes too small for the margins. The places
// at the design size are checked on the window itself (tst_frmmain).
class tst_mainlayout : public QObject
{
    Q_OBJECT
private slots:
    // The layout is arithmetic on doubles: half a twip of window gives half
    // a twip of map, palette column and tool box.
    void panelsKeepHalfTwips()
    {
        Geometry g = startedGeometry();
        layoutMainWindow(g, 11295.5, 10575);
        QCOMPARE(g.rect(picArea), (TwipRect{120, 120, 8880.5, 8880}));
        QCOMPARE(g.rect(picTileBox), (TwipRect{9120.5, 120, 2055, 8880}));
        QCOMPARE(g.rect(picToolBox), (TwipRect{120, 9120, 11055.5, 1335}));
    }

    void mapScrollRanges_data()
    {
        QTest::addColumn<double>("mapWidth");
        QTest::addColumn<double>("W");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("largeChange");

        // At the design size the visible width is 8880 - 60 - 255 = 8565.
        QTest::newRow("just fits") << 8565.0 << 11295.0 << false << 0 << 8565;
        QTest::newRow("half a twip over rounds to even 0") << 8565.5 << 11295.0 << false << 0 << 8565;
        QTest::newRow("1000 wider") << 9565.0 << 11295.0 << true << 1000 << 7680;
        // A visible width of 8600: 8.96 small steps, so the page is 8 of them.
        QTest::newRow("visible 8600") << 9600.0 << 11330.0 << true << 1000 << 7680;
        // Under one small step visible: the page step of 0 is refused and the
        // one set from the visible width stays.
        QTest::newRow("tiny window") << 32790.0 << 3000.0 << true << 32790 - 270 << 270;
    }

    void mapScrollRanges()
    {
        QFETCH(double, mapWidth);
        QFETCH(double, W);
        Geometry g = startedGeometry(mapWidth);
        layoutMainWindow(g, W, 10575);
        const ScrollRange& r = g.scroll(hscArea);
        QTEST(r.enabled, "enabled");
        QTEST(r.maximum, "maximum");
        QTEST(r.largeChange, "largeChange");
        QCOMPARE(r.smallChange, 960);
    }

    void narrowerThanMargins()
    {
        Geometry g = startedGeometry();
        layoutMainWindow(g, 11295, 10575);
        // Below 2415 twips the map area would get a negative width: that step
        // is skipped, the palette column still moves.
        layoutMainWindow(g, 2000, 10575);
        QCOMPARE(g.width(picArea), 8880.0);
        QCOMPARE(g.left(picTileBox), 2000.0 - 120 - 2055);
        QCOMPARE(g.width(picToolBox), 1760.0);

        layoutMainWindow(g, 100, 100);
        QCOMPARE(g.width(picToolBox), 1760.0);
        QCOMPARE(g.height(picArea), 8880.0);
        QCOMPARE(g.top(picToolBox), 100.0 - 120 - 1335);
    }

    // A fine wheel's turns add up to what whole notches would move, also on
    // a bar whose small step is no multiple of a notch (as at other scales);
    // a turn that runs past an end keeps nothing for the way back.
    void wheelTurnsAddUp_data()
    {
        QTest::addColumn<int>("step"); // the bar's small step, on a bar from 0 to 1000
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("angles"); // eighths of a degree, 120 a notch; negative turns down
        QTest::addColumn<int>("value");
        QTest::newRow("a notch down") << 960 << 0 << QList<int>{-120} << 960;
        QTest::newRow("a notch up at the top stays") << 960 << 0 << QList<int>{120} << 0;
        QTest::newRow("eighths of a notch") << 960 << 0 << QList<int>(8, -15) << 960;
        QTest::newRow("eighths that leave a remainder") << 100 << 0 << QList<int>(8, -15) << 100;
        QTest::newRow("single eighths") << 100 << 0 << QList<int>(6, -1) << 5;
        QTest::newRow("down and back up") << 100 << 500 << QList<int>{-7, -7, 7, 7} << 500;
        QTest::newRow("past the end, then back up") << 100 << 995 << QList<int>{-15, 15, 15} << 975;
        QTest::newRow("past the top, then back down") << 100 << 5 << QList<int>{15, -15, -15} << 25;
    }

    void wheelTurnsAddUp()
    {
        QFETCH(int, step);
        QFETCH(int, from);
        QFETCH(QList<int>, angles);
        WheelScroll wheel;
        int value = from;
        for (const int angle : angles)
            value = wheel.turn({value, 0, 1000, step}, angle);
        QTEST(value, "value");
    }
};

QTEST_APPLESS_MAIN(tst_mainlayout)
#include "tst_mainlayout.moc"
