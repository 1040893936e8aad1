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
// "fifo", "link" to a file, a link to the device `kind`, or nothing ("none").
// False where this system cannot make it.
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
    if (kind == "link")
        return QFile(path + ".target").open(QIODevice::WriteOnly) && hostile::makeLink(path, path + ".target");
    return kind == "none" || hostile::makeLink(path, kind);
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

    void counts_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::addColumn<int>("last");
        QTest::newRow("2.5 less one is 1.5, rounds to 2") << QByteArray("2.5") << 2;
        QTest::newRow("3.5 less one is 2.5, rounds to 2") << QByteArray("3.5") << 2;
        QTest::newRow("32768, the most") << QByteArray("32768") << 32767;
    }

    void counts()
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
        const QString atMost = " must be a number of at most 32768, but the line reads \"";
        const QString ellipsis = QChar(0x2026);
        QTest::newRow("empty file") << QByteArray() << "line 1 should hold the number of tile kinds";
        QTest::newRow("tile count not a number")
            << with(0, "two") << tileCount + atLeastOne + ", but the line reads \"two\"";
        QTest::newRow("no tile kinds") << with(0, "0") << tileCount + atLeastOne;
        QTest::newRow("tile count of 32769") << with(0, "32769") << tileCount + atMost + "32769\".";
        QTest::newRow("no entity kinds") << with(8, "0") << "line 9: the number of entity kinds" + atLeastOne;
        QTest::newRow("ends in a tile kind") << cut(5) << "line 6 should hold the second line of tile kind 1";
        QTest::newRow("ends before the separator") << cut(7) << "line 8 should hold the line that separates";
        QTest::newRow("ends before the entity count") << cut(8) << "line 9 should hold the number of entity kinds";
        QTest::newRow("ends in an entity kind") << cut(12) << "line 13 should hold the fourth line of entity kind 0";
        QTest::newRow("more kinds announced than given") << with(0, "3") << "line 12: the number of entity kinds";
        QTest::newRow("empty tile name") << with(
            4, "") << "line 5: the name of tile kind 1 is empty; a level file could not name the kind.";
        QTest::newRow("TAB in an entity name")
            << with(9, "big\tbox")
            << "line 10: the name of entity kind 0 holds a TAB, which separates the fields of a level file, so a "
               "level saved with this kind could not be read back. The line reads \"big\tbox\".";
        QTest::newRow("LF line ends") << lines(good, "\n")
                                      << "line 1: the lines end in LF only; the catalogue's lines must end in CR LF "
                                         "(a file written on Linux or macOS may need converting).";
        QTest::newRow("count line of a megabyte, quoted in part") << QByteArray(1 << 20, '7')
                + "\r\n" << tileCount + atMost + QString(excerptLength, u'7') + ellipsis + "\".";
        QTest::newRow("all NUL, at the cap")
            << QByteArray(filecaps::catalogue, '\0')
            << tileCount + atLeastOne + ", but the line reads \"" + QString(excerptLength, QChar(0)) + ellipsis + "\".";
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

    void loadNamesTheFile_data()
    {
        QTest::addColumn<QString>("kind"); // what stands in the catalogue's place
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << "none"
                                 << "was not found.\n\nTilewright reads the tile and entity kinds from this file";
        QTest::newRow("named pipe") << "fifo"
                                    << "is not a regular file.";
        QTest::newRow("larger than 4 MB") << QString::number(filecaps::catalogue + 1) + " bytes"
                                          << "is larger than 4 MB.";
    }

    void loadNamesTheFile()
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
        const QString expected = "The element catalogue \"" + QDir::toNativeSeparators(path) + "\" " + problem;
        QVERIFY2(error.startsWith(expected), qPrintable(error));
    }

    void readsOnlyRegularFilesUpToTheCap_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem"); // empty: read whole
        QTest::newRow("file at the cap") << "10 bytes"
                                         << "";
        QTest::newRow("empty file") << "0 bytes"
                                    << "";
        QTest::newRow("folder") << "folder"
                                << "is a folder, not a file";
        QTest::newRow("link to an endless device") << "/dev/zero"
                                                   << "is not a regular file";
        QTest::newRow("link to a file") << "link"
                                        << "";
    }

    void readsOnlyRegularFilesUpToTheCap()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString at = dir.filePath("file");
        std::unique_ptr<hostile::FifoHolder> holder;
        if (!make(kind, at, holder))
            QSKIP("not on this system");
        QByteArray bytes("before");
        const Result read = readWholeFile(at, 10, bytes);
        QTEST(read.message(), "problem");
        QCOMPARE(bytes, read ? QByteArray(kind.section(' ', 0, 0).toInt(), '\0') : QByteArray("before"));
        QCOMPARE(checkWholeFile(at, 10).message(), read.message());
    }

    void writeFailuresNameTheSystemsReason()
    {
        QFile full(QStringLiteral("/dev/full"));
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            QSKIP("no /dev/full here");
        QCOMPARE(writeAll(full, QByteArray(100000, 'x')).message(), qt_error_string(ENOSPC));
    }

    void replacingAFileWhoseNameLeavesNoRoomForTheNewOne()
    {
        // 250 characters: the file fits, its replacement's longer name may not.
        QTemporaryDir dir;
        QFile old(dir.filePath(QString(246, u'n') + ".txt"));
        if (!old.open(QIODevice::WriteOnly))
            QSKIP("the file system takes no name this long");
        old.close();
        const Result written = writeWholeFile(old.fileName(), QByteArray("level"));
        if (written)
            QSKIP("the file system takes the longer name as well");
        QVERIFY2(
            !written.message().isEmpty() && written.message() != QFile().errorString(), qPrintable(written.message()));
    }
};

QTEST_GUILESS_MAIN(tst_catalogue)
#include "tst_catalogue.moc"
