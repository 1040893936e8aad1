#include "layout/EntityDataDesign.h"
#include "layout/EntityDataLayout.h"

#include <QTest>

class tst_entitydatalayout : public QObject
{
    Q_OBJECT
private slots:
    // Each size follows a layout at 6000 by 6000 twips, so a value the layout
    // refuses keeps that layout's.
    void columns_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        // The columns' width, lstCurDat's left, the third column's left, the
        // lists' height, the tip's height and Close's top.
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("design size") << 4575.0 << 3015.0 << QList<double>{1405, 1525, 3050, 2775, 1200, 2400};
        QTest::newRow("wider") << 7500.0 << 4500.0 << QList<double>{2380, 2500, 5000, 4260, 2685, 3885};
        // The widths are refused; the lefts, which may be negative, still move.
        QTest::newRow("narrower than its margins") << 300.0 << 3015.0 << QList<double>{1880, 100, 200, 2775, 1200, 2400};
        // The heights are refused; Close goes below the tip as it stands.
        QTest::newRow("lower than its margins") << 4575.0 << 200.0 << QList<double>{1405, 1525, 3050, 5760, 4185, 5385};
        // Values that do not fit in 16 bits are skipped like refused ones.
        QTest::newRow("beyond 16 bits") << 60000.0 << 40000.0 << QList<double>{19880, 20000, 4000, 5760, 38185, 39385};
    }

    void columns()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        FormGeometry g(frmEntityDataDesign());
        layoutEntityData(g, 6000, 6000);
        layoutEntityData(g, W, H);
        const QList<double> got{g.width("lstCurEnt"), g.left("lstCurDat"), g.left("txtData"), g.height("lstCurEnt"), g.height("lblTip"), g.top("cmdClose")};
        QTEST(got, "expected");
        for (const char* name : {"lstCurDat", "txtData", "cmdApply", "lblTip", "cmdClose"})
            QCOMPARE(g.width(name), got[0]);
        for (const char* name : {"cmdApply", "lblTip", "cmdClose"})
            QCOMPARE(g.left(name), got[2]);
        QCOMPARE(g.height("lstCurDat"), got[3]);
        // Never moved by the layout.
        QCOMPARE((QList<double>{g.left("lstCurEnt"), g.top("lstCurDat"), g.top("cmdApply"), g.top("lblTip"), g.height("cmdClose")}),
            (QList<double>{120, 120, 480, 1080, 495}));
    }
};

QTEST_GUILESS_MAIN(tst_entitydatalayout)
#include "tst_entitydatalayout.moc"
