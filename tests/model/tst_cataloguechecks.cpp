// What the catalogue reader refuses beyond a malformed file: names a level
// file could not hold, counts beyond 16 bits, LF line ends, files that are no
// files; and that no message quotes more than a short piece of the file.
#include "common/HostileFiles.h"
#include "model/CatalogueReader.h"
#include "model/Excerpt.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// "2 floor wall / 1 box": the count, three lines per tile kind, a separator,
// the count, five lines per entity kind; line `replaced` (from 1) replaced.
QByteArray catalogue(int replaced = 0, const QByteArray& line = {})
{
    QList<QByteArray> lines{
        "2", "floor", "", "Floor", "wall", "", "Wall", "--", "1", "box", "a.bmp", "o.bmp", "", "Box"};
    if (replaced > 0)
        lines[replaced - 1] = line;
    return lines.join("\r\n") + "\r\n";
}

} // namespace

class tst_cataloguechecks : public QObject
{
    Q_OBJECT
private slots:
    void refuses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message"); // after "\"Elements.txt\", "
        QTest::newRow("count of 32769")
            << catalogue(1, "32769")
            << "line 1: the number of tile kinds must be a number of at most 32768, but the line reads \"32769\".";
        QTest::newRow("entity count rounds past 16 bits")
            << catalogue(9, "32768.5")
            << "line 9: the number of entity kinds must be a number of at most 32768, but the line reads \"32768.5\".";
        QTest::newRow("empty tile name") << catalogue(
            5, "") << "line 5: the name of tile kind 1 is empty; a level file could not name the kind.";
        QTest::newRow("TAB in an entity name") << catalogue(10, "big\tbox")
                                               << "line 10: the name of entity kind 0 holds a TAB, which separates the "
                                                  "fields of a level file, so a level saved with this "
                                                  "kind could not be read back. The line reads \"big\tbox\".";
        QTest::newRow("LF line ends")
            << QByteArray(catalogue()).replace("\r\n", "\n")
            << "line 1: the lines end in LF only; the catalogue's lines must end in CR LF (a file written on "
               "Linux or macOS may need converting).";
        const QString longCount = QString(excerptLength, u'7') + QChar(0x2026);
        QTest::newRow("count line of a megabyte")
            << QByteArray(1 << 20, '7') + "\r\n"
            << "line 1: the number of tile kinds must be a number of at most 32768, but the line reads \"" + longCount
                + "\".";
        QTest::newRow("all NUL, at the cap")
            << QByteArray(filecaps::catalogue, '\0')
            << "line 1: the number of tile kinds must be a number of at least 1, but the line reads \""
                + QString(excerptLength, QChar(0)) + QChar(0x2026) + "\".";
    }

    void refuses()
    {
        QFETCH(QByteArray, text);
        Catalogue read;
        QTEST(readCatalogue(text, read, "Elements.txt").message().section("\"Elements.txt\", ", 1), "message");
        QCOMPARE(read.tileDefLast, qint16(-1));
    }

    void takesTheLargestCount()
    {
        QList<QByteArray> lines{"32768"};
        for (int kind = 0; kind < 32768; ++kind)
            lines << "t" + QByteArray::number(kind) << ""
                  << "";
        lines << "--"
              << "1"
              << "box"
              << "a"
              << "b"
              << ""
              << "";
        Catalogue read;
        QCOMPARE(readCatalogue(lines.join("\r\n") + "\r\n", read).message(), QString());
        QCOMPARE(read.tileDefLast, qint16(32767));
    }

    void refusesFilesThatAreNoFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("named pipe") << "fifo"
                                    << "is not a regular file.";
        QTest::newRow("link to an endless device") << "/dev/zero"
                                                   << "is not a regular file.";
        QTest::newRow("larger than 4 MB") << "big"
                                          << "is larger than 4 MB.";
    }

    void refusesFilesThatAreNoFiles()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("Elements.txt");
        std::unique_ptr<hostile::FifoHolder> holder;
        if (kind == "fifo") {
            if (!hostile::makeFifo(path))
                QSKIP("no named pipes here");
            holder = std::make_unique<hostile::FifoHolder>(path);
        } else if (kind == "big") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(filecaps::catalogue + 1));
        } else if (!hostile::makeLink(path, kind))
            QSKIP("no such device here");
        Catalogue read;
        QFETCH(QString, problem);
        QCOMPARE(loadCatalogue(dir.path(), read).message(),
            QStringLiteral("The element catalogue \"%1\" %2").arg(QDir::toNativeSeparators(path), problem));
    }
};

QTEST_GUILESS_MAIN(tst_cataloguechecks)
#include "tst_cataloguechecks.moc"
