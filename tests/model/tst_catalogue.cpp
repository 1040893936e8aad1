#include "model/CatalogueReader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Joins lines with the given ending, and ends the last one too.
QByteArray lines(const QList<QByteArray>& list, const QByteArray& ending = "\r\n")
{
    QByteArray text;
    for (const QByteArray& line : list)
        text += line + ending;
    return text;
}

QList<QByteArray> tileLines(const QByteArray& name)
{
    return {name, "unused", name + " tooltip"};
}

QList<QByteArray> entityLines(const QByteArray& name)
{
    return {name, name + "_and.bmp", name + "_or.bmp", "unused", name + " tip"};
}

// A well-formed catalogue with the given kinds.
QList<QByteArray> catalogueLines(const QList<QByteArray>& tiles, const QList<QByteArray>& entities)
{
    QList<QByteArray> list{QByteArray::number(tiles.size())};
    for (const QByteArray& t : tiles)
        list += tileLines(t);
    list += "--- entities ---";
    list += QByteArray::number(entities.size());
    for (const QByteArray& e : entities)
        list += entityLines(e);
    return list;
}

} // namespace

class tst_catalogue : public QObject
{
    Q_OBJECT
private slots:
    void wellFormed_data()
    {
        QTest::addColumn<QByteArray>("ending");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("CR alone") << QByteArray("\r");
    }

    void wellFormed()
    {
        QFETCH(QByteArray, ending);
        QList<QByteArray> list = catalogueLines({"floor", " wall ", "ice"}, {"box", "door"});
        list[3] = "two\nlines"; // a lone LF is an ordinary character
        list += "lines after the last kind are never read";
        Catalogue catalogue;
        QCOMPARE(readCatalogue(lines(list, ending), catalogue).message(), QString());
        QCOMPARE(catalogue.tileDefLast, qint16(2));
        QCOMPARE(catalogue.entityDefLast, qint16(1));
        QCOMPARE(catalogue.tileDefs.size(), size_t(3));
        QCOMPARE(catalogue.entityDefs.size(), size_t(2));
        // Names are taken whole, spaces included.
        QCOMPARE(catalogue.tileName(1), QString(" wall "));
        QCOMPARE(catalogue.tileDefs[0][Catalogue::TileTooltip], QString("two\nlines"));
        QCOMPARE(catalogue.tileDefs[2][Catalogue::TileTooltip], QString("ice tooltip"));
        QCOMPARE(catalogue.entityName(1), QString("door"));
        QCOMPARE(catalogue.entityDefs[0][Catalogue::EntityAndPicture], QString("box_and.bmp"));
        QCOMPARE(catalogue.entityDefs[0][Catalogue::EntityOrPicture], QString("box_or.bmp"));
    }

    void separatorIsNeverACount()
    {
        QList<QByteArray> list = catalogueLines({"floor"}, {"box"});
        list[4] = "7";
        Catalogue catalogue;
        QCOMPARE(readCatalogue(lines(list), catalogue).message(), QString());
        QCOMPARE(catalogue.entityDefLast, qint16(0));
    }

    void tipParagraphs_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("tip");
        QTest::newRow("no tab") << QByteArray("One sentence.") << QString("One sentence.");
        QTest::newRow("one tab") << QByteArray("First.\tSecond.") << QString("First.\r\n\r\nSecond.");
        QTest::newRow("two tabs") << QByteArray("First.\t\tSecond.") << QString("First.\r\n\r\n\r\n\r\nSecond.");
        QTest::newRow("bytes above 127") << QByteArray("caf\xe9") << QString::fromLatin1("caf\xe9");
    }

    void tipParagraphs()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, tip);
        QList<QByteArray> list = catalogueLines({"floor"}, {"box"});
        list.last() = line;
        Catalogue catalogue;
        QCOMPARE(readCatalogue(lines(list), catalogue).message(), QString());
        QCOMPARE(catalogue.entityDefs[0][Catalogue::EntityTip], tip);
    }

    void countsRoundHalfToEven_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::addColumn<int>("last");
        QTest::newRow("2.5 less one is 1.5, rounds to 2") << QByteArray("2.5") << 2;
        QTest::newRow("3.5 less one is 2.5, rounds to 2") << QByteArray("3.5") << 2;
    }

    void countsRoundHalfToEven()
    {
        QFETCH(QByteArray, count);
        QFETCH(int, last);
        QList<QByteArray> list{count};
        for (int kind = 0; kind <= last; ++kind)
            list += tileLines("t" + QByteArray::number(kind));
        list += "sep";
        list += "1";
        list += entityLines("box");
        Catalogue catalogue;
        QCOMPARE(readCatalogue(lines(list), catalogue).message(), QString());
        QCOMPARE(int(catalogue.tileDefLast), last);
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");

        const QList<QByteArray> good = catalogueLines({"floor", "wall"}, {"box"});
        auto with = [&](int index, const QByteArray& line) {
            QList<QByteArray> list = good;
            list[index] = line;
            return lines(list);
        };
        auto cut = [&](int count) { return lines(good.mid(0, count)); };

        const QString tileCount = "line 1: the number of tile kinds";
        const QString atLeastOne = " must be a number of at least 1";
        QTest::newRow("empty file") << QByteArray() << "line 1 should hold the number of tile kinds";
        QTest::newRow("tile count not a number")
            << with(0, "two") << tileCount + atLeastOne + ", but the line reads \"two\"";
        QTest::newRow("no tile kinds") << with(0, "0") << tileCount + atLeastOne;
        QTest::newRow("negative tile count") << with(0, "-3") << tileCount;
        QTest::newRow("tile count rounds to none") << with(0, "0.4") << tileCount;
        QTest::newRow("tile count too large") << with(0, "40000") << tileCount;
        QTest::newRow("entity count not a number") << with(8, "x") << "line 9: the number of entity kinds";
        QTest::newRow("no entity kinds") << with(8, "0") << "line 9: the number of entity kinds" + atLeastOne;
        QTest::newRow("ends in a tile kind") << cut(5) << "line 6 should hold the second line of tile kind 1";
        QTest::newRow("ends before the separator") << cut(7) << "line 8 should hold the line that separates";
        QTest::newRow("ends before the entity count") << cut(8) << "line 9 should hold the number of entity kinds";
        QTest::newRow("ends in an entity kind") << cut(12) << "line 13 should hold the fourth line of entity kind 0";
        QTest::newRow("more kinds announced than given") << with(0, "3") << "line 12: the number of entity kinds";
    }

    void malformed()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        Catalogue catalogue;
        catalogue.tileDefLast = 42; // must stay as it was
        const QString error = readCatalogue(text, catalogue, QStringLiteral("Elements.txt")).message();
        QVERIFY2(error.contains(expected), qPrintable(error));
        QVERIFY2(error.contains("Elements.txt"), qPrintable(error));
        QCOMPARE(catalogue.tileDefLast, qint16(42));
    }

    void missingFileNamesThePath()
    {
        QTemporaryDir dir;
        Catalogue catalogue;
        const QString error = loadCatalogue(dir.path(), catalogue).message();
        QVERIFY2(error.contains(QDir::toNativeSeparators(dir.filePath("Elements.txt"))), qPrintable(error));
        QVERIFY(error.contains("not found"));
    }
};

QTEST_APPLESS_MAIN(tst_catalogue)
#include "tst_catalogue.moc"
