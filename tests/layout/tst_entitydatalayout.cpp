#include "layout/EntityDataDesign.h"
#include "layout/EntityDataLayout.h"

#include <QTest>

class tst_entitydatalayout : public QObject
{
    Q_OBJECT
private slots:
    void columns_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<double>("width"); // of each column
        QTest::addColumn<double>("datLeft");
        QTest::addColumn<double>("thirdLeft");
        QTest::addColumn<double>("listHeight");
        QTest::addColumn<double>("tipHeight");
        QTest::addColumn<double>("closeTop");

        QTest::newRow("design size") << 4575.0 << 3015.0 << 1405.0 << 1525.0 << 3050.0 << 2775.0 << 1200.0 << 2400.0;
        QTest::newRow("3000 wide") << 3000.0 << 3015.0 << 880.0 << 1000.0 << 2000.0 << 2775.0 << 1200.0 << 2400.0;
        QTest::newRow("rounded to whole twips") << 4000.0 << 6000.0 << 1213.0 << 1333.0 << 2666.0 << 5760.0 << 4185.0 << 5385.0;
        QTest::newRow("half down to even") << 1861.5 << 3015.5 << 500.0 << 620.0 << 1240.0 << 2776.0 << 1200.5 << 2400.5;
        QTest::newRow("half up to even") << 1864.5 << 3016.5 << 502.0 << 622.0 << 1244.0 << 2776.0 << 1201.5 << 2401.5;
        // Narrower than its margins: the widths are refused and keep the
        // design's; the lefts, which may be negative, still move.
        QTest::newRow("narrower than its margins") << 300.0 << 3015.0 << 1335.0 << 100.0 << 200.0 << 2775.0 << 1200.0 << 2400.0;
        // Lower than its margins: the heights are refused; Close goes below the tip as it stands.
        QTest::newRow("lower than its margins") << 4575.0 << 200.0 << 1405.0 << 1525.0 << 3050.0 << 2790.0 << 1215.0 << 2415.0;
        // Values that do not fit in 16 bits are skipped like refused ones.
        QTest::newRow("beyond 16 bits") << 60000.0 << 40000.0 << 19880.0 << 20000.0 << 3120.0 << 2790.0 << 38185.0 << 39385.0;
    }

    void columns()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        QFETCH(double, width);
        FormGeometry g(frmEntityDataDesign());
        layoutEntityData(g, W, H);

        QCOMPARE(g.width("lstCurEnt"), width);
        QCOMPARE(g.width("lstCurDat"), width);
        for (const char* name : {"txtData", "cmdApply", "lblTip", "cmdClose"}) {
            QCOMPARE(g.width(name), width);
            QTEST(g.left(name), "thirdLeft");
        }
        QTEST(g.left("lstCurDat"), "datLeft");
        QTEST(g.height("lstCurEnt"), "listHeight");
        QTEST(g.height("lstCurDat"), "listHeight");
        QTEST(g.height("lblTip"), "tipHeight");
        QTEST(g.top("cmdClose"), "closeTop");
        // Never moved by the layout.
        QCOMPARE(g.left("lstCurEnt"), 120.0);
        QCOMPARE(g.top("lstCurDat"), 120.0);
        QCOMPARE(g.top("cmdApply"), 480.0);
        QCOMPARE(g.top("lblTip"), 1080.0);
        QCOMPARE(g.height("cmdClose"), 495.0);
    }

    void aRefusedStepKeepsTheLastLayout()
    {
        FormGeometry g(frmEntityDataDesign());
        layoutEntityData(g, 6000, 6000);
        layoutEntityData(g, 300, 200);
        QCOMPARE(g.width("lblTip"), 1880.0);
        QCOMPARE(g.left("lblTip"), 200.0);
        QCOMPARE(g.height("lstCurDat"), 5760.0);
        QCOMPARE(g.height("lblTip"), 4185.0);
        QCOMPARE(g.top("cmdClose"), 5385.0);
    }
};

QTEST_GUILESS_MAIN(tst_entitydatalayout)
#include "tst_entitydatalayout.moc"
