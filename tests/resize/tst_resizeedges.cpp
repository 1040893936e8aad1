// Shrinking by one column and one row at each corner: an entity exactly on
// an edge that goes is dropped, one exactly on the edge that stays is kept.
#include "common/TestLevels.h"
#include "resize/ResizeOperation.h"

#include <QTest>

class tst_resizeedges : public QObject
{
    Q_OBJECT
private slots:
    void shrinkAtEachCorner_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QStringList>("kept"); // of a(0,3) b(1,3) c(6,3) d(7,3) e(3,0) f(3,1) g(3,6) h(3,7)
        QTest::newRow("top left") << 0 << QStringList{"b0,2", "c5,2", "d6,2", "f2,0", "g2,5", "h2,6"};
        QTest::newRow("top right") << 1 << QStringList{"a0,2", "b1,2", "c6,2", "f3,0", "g3,5", "h3,6"};
        QTest::newRow("bottom left") << 2 << QStringList{"b0,3", "c5,3", "d6,3", "e2,0", "f2,1", "g2,6"};
        QTest::newRow("bottom right") << 3 << QStringList{"a0,3", "b1,3", "c6,3", "e3,0", "f3,1", "g3,6"};
    }

    void shrinkAtEachCorner()
    {
        QFETCH(int, corner);
        Level level;
        levelops::makeNewLevel(level);
        const QList<QPoint> cells{{0, 3}, {1, 3}, {6, 3}, {7, 3}, {3, 0}, {3, 1}, {3, 6}, {3, 7}};
        for (qsizetype i = 0; i < cells.size(); ++i)
            place(level, {0, qint16(cells[i].x()), qint16(cells[i].y()), 0}, QString(QChar(char16_t(u'a' + i))));
        QCOMPARE(resizeop::resizeLevel(level, u"7", u"7", corner), resizeop::Outcome::Applied);
        QStringList kept;
        for (int slot = 0; slot < level.entityCount; ++slot)
            kept << QStringLiteral("%1%2,%3")
                        .arg(level.entityData[size_t(slot)])
                        .arg(level.entities[size_t(slot)].x)
                        .arg(level.entities[size_t(slot)].y);
        QTEST(kept, "kept");
    }
};

QTEST_APPLESS_MAIN(tst_resizeedges)
#include "tst_resizeedges.moc"
