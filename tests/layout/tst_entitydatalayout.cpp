#include "layout/EntityDataDesign.h"
#include "layout/EntityDataLayout.h"

#include <QTest>

namespace {

const QStringList columnControls{"txtData", "cmdApply", "lblTip", "cmdClose"};

} // namespace

class tst_entitydatalayout : public QObject
{
    Q_OBJECT
private slots:
    void design()
    {
        const FormDesign& d = frmEntityDataDesign();
        QCOMPARE(d.caption, QString("Edit entity data"));
        QCOMPARE(d.innerWidth, 4575.0);
        QCOMPARE(d.innerHeight, 3015.0);
        QStringList order;
        for (const ControlDesign& c : d.controls)
            order.append(c.name);
        QCOMPARE(order, (QStringList{"lstCurEnt", "lstCurDat", "txtData", "cmdApply", "lblTip", "cmdClose"}));
    }

    void columns_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("datLeft");
        QTest::addColumn<double>("thirdLeft");
        QTest::addColumn<double>("listHeight");
        QTest::addColumn<double>("tipHeight");
        QTest::addColumn<double>("closeTop");

        QTest::newRow("design size") << 4575.0 << 3015.0 << 1405.0 << 1525.0 << 3050.0 << 2775.0 << 1200.0 << 2400.0;
        QTest::newRow("3000 wide") << 3000.0 << 3015.0 << 880.0 << 1000.0 << 2000.0 << 2775.0 << 1200.0 << 2400.0;
        QTest::newRow("width rounded to whole twips") << 4000.0 << 3015.0 << 1213.0 << 1333.0 << 2666.0 << 2775.0 << 1200.0 << 2400.0;
        QTest::newRow("half a twip down to even") << 1861.5 << 3015.0 << 500.0 << 620.0 << 1240.0 << 2775.0 << 1200.0 << 2400.0;
        QTest::newRow("half a twip up to even") << 1864.5 << 3015.0 << 502.0 << 622.0 << 1244.0 << 2775.0 << 1200.0 << 2400.0;
        QTest::newRow("lists rounded, tip not") << 4575.0 << 3015.5 << 1405.0 << 1525.0 << 3050.0 << 2776.0 << 1200.5 << 2400.5;
        QTest::newRow("taller") << 4575.0 << 6000.0 << 1405.0 << 1525.0 << 3050.0 << 5760.0 << 4185.0 << 5385.0;
        // Narrower than the margins: the widths are refused and keep the
        // design's; the lefts, which may be negative, still move.
        QTest::newRow("narrower than its margins") << 300.0 << 3015.0 << 1335.0 << 100.0 << 200.0 << 2775.0 << 1200.0 << 2400.0;
        // Lower than the margins: the heights are refused; Close goes below
        // the tip as it stands.
        QTest::newRow("lower than its margins") << 4575.0 << 200.0 << 1405.0 << 1525.0 << 3050.0 << 2790.0 << 1215.0 << 2415.0;
        QTest::newRow("no size at all") << 0.0 << 0.0 << 1335.0 << 0.0 << 0.0 << 2790.0 << 1215.0 << 2415.0;
        // Beyond what 16 bits hold: the third column's left and the lists'
        // height do not fit and are skipped like refused values.
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
        for (const QString& name : columnControls) {
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
        QCOMPARE(g.top("lstCurEnt"), 120.0);
        QCOMPARE(g.top("lstCurDat"), 120.0);
        QCOMPARE(g.top("txtData"), 120.0);
        QCOMPARE(g.top("cmdApply"), 480.0);
        QCOMPARE(g.top("lblTip"), 1080.0);
        QCOMPARE(g.height("txtData"), 285.0);
        QCOMPARE(g.height("cmdApply"), 495.0);
        QCOMPARE(g.height("cmdClose"), 495.0);
    }

    void marginsAtEveryEdge_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::newRow("design size") << 4575.0 << 3015.0;
        QTest::newRow("large") << 15000.0 << 9000.0;
        QTest::newRow("width a multiple of three") << 6000.0 << 4500.0;
    }

    void marginsAtEveryEdge()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        FormGeometry g(frmEntityDataDesign());
        layoutEntityData(g, W, H);
        QCOMPARE(g.left("lstCurEnt") + g.width("lstCurEnt"), g.left("lstCurDat"));
        QCOMPARE(g.left("lstCurDat") + g.width("lstCurDat") + 120, g.left("txtData"));
        QCOMPARE(g.left("txtData") + g.width("txtData"), W - 120);
        QCOMPARE(g.top("lstCurEnt") + g.height("lstCurEnt"), H - 120);
        QCOMPARE(g.top("cmdClose") + g.height("cmdClose"), H - 120);
        QCOMPARE(g.top("lblTip") + g.height("lblTip") + 120, g.top("cmdClose"));
    }

    void aRefusedStepKeepsTheLastLayout()
    {
        FormGeometry g(frmEntityDataDesign());
        layoutEntityData(g, 6000, 6000);
        layoutEntityData(g, 300, 200);
        QCOMPARE(g.width("lstCurEnt"), 1880.0);
        QCOMPARE(g.width("lblTip"), 1880.0);
        QCOMPARE(g.left("lblTip"), 200.0);
        QCOMPARE(g.height("lstCurDat"), 5760.0);
        QCOMPARE(g.height("lblTip"), 4185.0);
        QCOMPARE(g.top("cmdClose"), 5385.0);
    }
};

QTEST_GUILESS_MAIN(tst_entitydatalayout)
#include "tst_entitydatalayout.moc"
