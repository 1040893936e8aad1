// The element catalogue's reader, and the whole-file reading and writing that
// every file of the program goes through.
#include "common/HostileFiles.h"
#include "model/CatalogueReader.h"
#include "model/Excerpt.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

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

// Puts at `path` what `kind` says: "N bytes" (sparse, no disk used), "folder",
// "fifo", or a link to the device `kind`. False where this system cannot.
bool make(const QString& kind, const QString& path, std::unique_ptr<hostile::FifoHolder>& holder)
{
    if (kind.endsWith("bytes")) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(kind.section(' ', 0, 0).toLongLong());
    }
    if (kind == "folder")
        return QDir().mkdir(path);
    if (kind == "fifo") {
        if (!hostile::makeFifo(path))
            return false;
        holder = std::make_unique<hostile::FifoHolder>(path);
        return true;
    }
    if (kind == "loop")
        return hostile::makeLinkLoop(path);
    return hostile::makeLink(path, kind);
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
        list[0] = "2.5"; // less one is 1.5, which rounds to 2: three kinds
        list[3] = "two\nlines"; // a lone LF is an ordinary character
        list[10] = "7"; // the separator line is never read as a count
        list.last() = "First.\t\tSecond, caf\xe9"; // a TAB in a tip is a paragraph break
        list += "lines after the last kind are never read";
        Catalogue catalogue;
        QCOMPARE(readCatalogue(lines(list, ending), catalogue).message(), QString());
        QCOMPARE(catalogue.tileDefLast(), qint16(2));
        QCOMPARE(catalogue.entityDefLast(), qint16(1));
        // Names are taken whole, spaces included.
        QCOMPARE(catalogue.tileName(1), QString(" wall "));
        QCOMPARE(catalogue.tileDefs[0].tooltip, QString("two\nlines"));
        QCOMPARE(catalogue.entityName(1), QString("door"));
        QCOMPARE(catalogue.entityDefs[0].andPicture, QString("box_and.bmp"));
        QCOMPARE(catalogue.entityDefs[0].orPicture, QString("box_or.bmp"));
        QCOMPARE(catalogue.entityDefs[1].tip, QString::fromLatin1("First.\r\n\r\n\r\n\r\nSecond, caf\xe9"));
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
        QTest::newRow("no tile kinds") << with(0, "0") << tileCount + atLeastOne;
        QTest::newRow("tile count of 32769")
            << with(0, "32769") << tileCount + " must be a number of at most 32768, but the line reads \"32769\".";
        QTest::newRow("ends in a tile kind") << cut(5) << "line 6 should hold the second line of tile kind 1";
        QTest::newRow("more kinds announced than given") << with(0, "3") << "line 12: the number of entity kinds";
        QTest::newRow("empty tile name") << with(
            4, "") << "line 5: the name of tile kind 1 is empty; a level file could not name the kind.";
        QTest::newRow("TAB in an entity name")
            << with(9, "big\tbox")
            << "line 10: the name of entity kind 0 holds a TAB, which separates the fields of a level file, so a "
               "level saved with this kind could not be read back. The line reads \"big\\tbox\".";
        QTest::newRow("LF line ends") << lines(good, "\n")
                                      << "line 1: the lines end in LF only; the catalogue's lines must end in CR LF "
                                         "(a file written on Linux or macOS may need converting).";
    }

    void malformed()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        Catalogue catalogue;
        catalogue.tileDefs.resize(43); // must stay as it was
        const QString error = readCatalogue(text, catalogue, QStringLiteral("Elements.txt")).message();
        QVERIFY2(error.contains(expected), qPrintable(error));
        QVERIFY2(error.contains("Elements.txt"), qPrintable(error));
        QCOMPARE(catalogue.tileDefLast(), qint16(42));
    }

    // What stands in the catalogue's place is refused before it is read, or
    // read up to the cap and no further; every report names the file.
    void loading_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("all NUL, at the cap")
            << QString::number(filecaps::catalogue) + " bytes"
            << "line 1: the number of tile kinds must be a number of at least 1, but the line reads \""
                + QString("\\0").repeated(excerptLength) + QChar(0x2026) + "\".";
        QTest::newRow("larger than the cap") << QString::number(filecaps::catalogue + 1) + " bytes"
                                             << "is larger than 4 MB.";
        QTest::newRow("named pipe") << "fifo"
                                    << "is not a regular file.";
        QTest::newRow("folder") << "folder"
                                << "is a folder, not a file.";
        QTest::newRow("link to an endless device") << "/dev/zero"
                                                   << "is not a regular file.";
        QTest::newRow("a loop of links") << "loop"
                                         << "is a loop of symbolic links.";
    }

    void loading()
    {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath("Elements.txt");
        std::unique_ptr<hostile::FifoHolder> holder;
        if (!make(kind, path, holder))
            QSKIP("not on this system");
        Catalogue catalogue;
        const QString error = loadCatalogue(dir.path(), catalogue).message();
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)) && error.contains(problem), qPrintable(error));
    }

    void writeFailuresNameTheSystemsReason()
    {
        QFile full(QStringLiteral("/dev/full"));
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            QSKIP("no /dev/full here");
        QCOMPARE(writeAll(full, QByteArray(100000, 'x')).message(), qt_error_string(ENOSPC));
    }
};

QTEST_GUILESS_MAIN(tst_catalogue)
#include "tst_catalogue.moc"
