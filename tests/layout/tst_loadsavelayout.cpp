#include "layout/LoadSaveDesign.h"
#include "layout/LoadSaveLayout.h"

#include <QTest>

class tst_loadsavelayout : public QObject
{
    Q_OBJECT
private slots:
    void fitsTheControls_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        // Expected List1 width and height, txtName top, cmdOK width and top, cmdCancel left.
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("design size") << 2775.0 << 3135.0 << QList<double>{2535, 1875, 2115, 1207.5, 2520, 1447.5};
        QTest::newRow("larger") << 4000.0 << 5000.0 << QList<double>{3760, 3740, 3980, 1820, 4385, 2060};
        // Too narrow and too low: the refused widths and the list's height
        // keep their design values, the other steps still run.
        QTest::newRow("narrower than the margins") << 300.0 << 3135.0 << QList<double>{60, 1875, 2115, 1215, 2520, 1455};
        QTest::newRow("lower than the controls") << 2775.0 << 900.0 << QList<double>{2535, 1815, 2055, 1207.5, 2460, 1447.5};
    }

    void fitsTheControls()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        QFETCH(QList<double>, expected);
        FormGeometry g(frmLoadSaveDesign());
        layoutLoadSave(g, W, H);
        const QList<double> actual{g.width("List1"), g.height("List1"), g.top("txtName"), g.width("cmdOK"), g.top("cmdOK"), g.left("cmdCancel")};
        QCOMPARE(actual, expected);
        QCOMPARE(g.width("txtName"), g.width("List1"));
        QCOMPARE(g.width("cmdCancel"), g.width("cmdOK"));
        QCOMPARE(g.top("cmdCancel"), g.top("cmdOK"));
        // Never moved: the left edge, the list's top and the heights below it.
        for (const char* name : {"List1", "txtName", "cmdOK"})
            QCOMPARE(g.left(name), 120.0);
        QCOMPARE(g.top("List1"), 120.0);
        QCOMPARE(g.height("txtName"), 285.0);
        QCOMPARE(g.height("cmdOK"), 495.0);
    }
};

QTEST_GUILESS_MAIN(tst_loadsavelayout)
#include "tst_loadsavelayout.moc"
