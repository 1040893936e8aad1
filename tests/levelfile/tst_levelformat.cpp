#include "LevelText.h"
#include "common/TestLevels.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "model/Excerpt.h"

#include <QTest>

namespace {

// A whole file as the writer makes it: the grid, screen "all", and screens 1 to 4 even when empty.
QByteArray written(const QByteArrayList& grid, const QByteArrayList& all, const QList<QByteArrayList>& corners = {})
{
    QByteArrayList lines = grid + QByteArrayList{"", "Screen\tall"} + all;
    for (int screen = 1; screen <= 4; ++screen)
        lines += QByteArrayList{"", "Screen\t" + QByteArray::number(screen)} + corners.value(screen - 1);
    return crlfLines(lines);
}

// Every byte from 0x80 to 0xFF, as the file holds them.
QByteArray highBytes()
{
    QByteArray bytes;
    for (int c = 0x80; c <= 0xFF; ++c)
        bytes += char(c);
    return bytes;
}

// Tile kinds floor (0), wall, ice, twin, w and the high bytes; entity kinds
// box (0), door, twin, the high bytes and d.
Catalogue catalogue()
{
    Catalogue c;
    c.tileDefs = {{"floor"}, {"wall"}, {"ice"}, {"twin"}, {"w" + QString::fromLatin1(highBytes())}};
    c.entityDefs = {{"box"}, {"door"}, {"twin"}, {QString::fromLatin1(highBytes()) + "d"}};
    return c;
}

// The worked example: 3 by 2, entities on layers 0 and 2, tiles of their own on layers 2 and 4.
Level exampleLevel()
{
    Level level;
    levelops::replaceGrid(level, 3, 2);
    level.levelTiles(0, 1, 0) = 1;
    level.levelTiles(0, 1, 1) = 2;
    level.levelTiles(2, 1, 1) = 1;
    level.levelTiles(4, 2, 0) = 2;
    levelops::movePlayer(level, 1, 0);
    level.playerData = "left";
    place(level, {0, 0, 1, 1}, "2, 3");
    place(level, {0, 2, 1, 0});
    place(level, {2, 0, 0, 0});
    return level;
}

// A line of a megabyte, and what a message quotes of it.
const QByteArray mega(1 << 20, 'k');
const QString megaQuoted = QString(excerptLength, u'k') + QChar(0x2026);

const QByteArray exampleFile = written({"floor\twall\tfloor", "floor\tice\tfloor"},
    {"1\t0\tPlayer\tleft", "0\t1\tdoor\t2\t3", "2\t1\tbox"}, {{}, {"1\t1\twall", "0\t0\tbox"}, {}, {"2\t0\tice"}});

} // namespace

class tst_levelformat : public QObject
{
    Q_OBJECT
private slots:
    void workedExampleBothWays()
    {
        QCOMPARE(writeLevel(exampleLevel(), catalogue()), exampleFile);
        const LevelReadResult result = readLevel(exampleFile, catalogue(), Level());
        QVERIFY(result.ok && result.reports.empty());
        Level expected = exampleLevel();
        expected.entityData[0] = "2,3"; // the space is gone, the TAB is a comma again
        QCOMPARE(result.level, expected);
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written"); // the level read, written again
        QTest::addColumn<int>("entities");
        QTest::addColumn<QStringList>("reports"); // "LINE: message" for the lines skipped
        const QByteArray start = "1\t0\tPlayer\tleft"; // the editor's player start stays
        const QByteArray box = "0\t0\tbox";
        QTest::newRow("long row cut, unknown grid name is floor, no player")
            << crlfLines({"floor\twall", "ice\tlava\twall", ""}) << written({"floor\twall", "ice\tfloor"}, {start}) << 0
            << QStringList();
        QTest::newRow("two TABs in a grid row are no empty field")
            << crlfLines({"wall\twall\twall", "ice\t\twall\tice", ""})
            << written({"wall\twall\twall", "ice\tfloor\tice"}, {start}) << 0 << QStringList();
        QTest::newRow("headers in any case, any separator, or missing")
            << crlfLines({"floor\tfloor", "", "", box, "SCREEN 2", "1\t0\twall", "", "sCrEeN:3", "0\t0\tdoor\t7"})
                + crlfLines({"screen\tall", "1\t0\tbox"})
            << written({"floor\tfloor"}, {start, box, "1\t0\tbox"}, {{}, {"1\t0\twall"}, {"0\t0\tdoor\t7"}}) << 3
            << QStringList();
        QTest::newRow("tile in screen all replaces the grid's")
            << crlfLines({"floor\tfloor", "", "1\t0\tice"}) << written({"floor\tice"}, {start}) << 0 << QStringList();
        QTest::newRow("data texts: commas become TABs, spaces go")
            << crlfLines({"floor", "", "0\t0\tPlayer", "0\t0\tbox\ta b\t c", "0\t0\tbox\t\t\t", "0\t0\tbox\t\xA0"})
                + crlfLines({"0\t0\tbox\t "})
            << written(
                   {"floor"}, {"0\t0\tPlayer\t", "0\t0\tbox\tab\tc", "0\t0\tbox\t\t\t", "0\t0\tbox\t\xA0", box + "\t"})
            << 4 << QStringList();
        QTest::newRow("player in any case, the last counts, tail with commas")
            << crlfLines({"floor", "", "1\t0\tPLAYER\tx", "0\t0\tplayer\ta\t b"})
            << written({"floor"}, {"0\t0\tPlayer\ta, b"}) << 0 << QStringList();
        QTest::newRow("entity name before tile name")
            << crlfLines({"floor", "", "Screen\t1", "0\t0\ttwin", "0\t0\twall"})
            << written({"floor"}, {start}, {{"0\t0\twall", "0\t0\ttwin"}}) << 1 << QStringList();
        QTest::newRow("entities off grid and screens are kept")
            << crlfLines({"floor", "", "-3\t9\tbox", "Screen\t7", box}) << written({"floor"}, {start, "-3\t9\tbox"})
            << 2 << QStringList();
        QTest::newRow("unknown kind of a megabyte, quoted in part")
            << crlfLines({"floor", "", "0\t0\t" + mega}) << written({"floor"}, {start}) << 0
            << QStringList{"3: Unrecognised: \"" + megaQuoted + "\" at 0: 0, 0"};
        const QByteArrayList widest(70, QByteArrayList(70, "wall").join('\t'));
        QTest::newRow("70 by 70, the largest")
            << crlfLines(widest + QByteArrayList{""}) << written(widest, {start}) << 0 << QStringList();
        const QByteArray high = highBytes();
        QTest::newRow("8-bit names and texts")
            << crlfLines({"w" + high, "", "0\t0\tPlayer\t" + high, "0\t0\t" + high + "d\t" + high})
            << written({"w" + high}, {"0\t0\tPlayer\t" + high, "0\t0\t" + high + "d\t" + high}) << 1 << QStringList();
    }

    void reads()
    {
        QFETCH(QByteArray, file);
        const Level current = exampleLevel(); // the level in the editor
        const LevelReadResult result = readLevel(file, catalogue(), current);
        QVERIFY2(result.ok, qPrintable(result.failure.message));
        QStringList reports;
        for (const LevelFileReport& report : result.reports)
            reports << QStringLiteral("%1: %2").arg(report.line).arg(report.message);
        QTEST(reports, "reports");
        QCOMPARE(current, exampleLevel()); // the editor's level is left as it was
        QTEST(writeLevel(result.level, catalogue()), "written");
        QTEST(int(result.level.entityCount), "entities");
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message"); // after "Bad input file: line N: "
        const QByteArray grid = crlfLines({"floor", ""}); // one cell
        QTest::newRow("empty file") << QByteArray("") << 1 << "the file is empty";
        QTest::newRow("empty first line")
            << crlfLines({"", "floor", ""}) << 1 << "the first line is empty, so the level has no rows";
        QTest::newRow("grid to the end") << crlfLines({"floor", "wall"}) << 3
                                         << "the file ends in the grid; an empty line must follow its last row";
        QTest::newRow("71 wide") << crlfLines({QByteArrayList(71, "floor").join('\t'), ""}) << 1
                                 << "the level is 71 cells wide; a level is at most 70";
        QTest::newRow("71 high") << crlfLines(QByteArrayList(71, "floor") << "") << 71
                                 << "the level has more than 70 rows";
        const QByteArrayList wideRows{QByteArrayList(30, "floor").join('\t'), QByteArrayList(30, "ice").join('\t')};
        const QString lineFeeds =
            "the lines end in LF only; a level file's lines must end in CR LF (a file written on "
            "Linux or macOS may need converting)";
        QTest::newRow("LF line ends, wider than a level as one line")
            << crlfLines(wideRows + QByteArrayList{"", "Screen\tall", "0\t0\tPlayer\tright"}).replace("\r\n", "\n") << 1
            << lineFeeds;
        QTest::newRow("LF line ends, narrow") << QByteArray("floor\nwall\n\nScreen\tall\n") << 1 << lineFeeds;
        QTest::newRow("one TAB") << grid + crlfLines({"1\tbox"}) << 3
                                 << "an element line needs x, y and a kind, separated by TABs";
        QTest::newRow("x of a megabyte, quoted in part")
            << grid + crlfLines({mega + "\t0\tbox"}) << 3
            << "x \"" + megaQuoted + "\" is not a number from -32768 to 32767";
        QTest::newRow("tile on screen 5") << grid + crlfLines({"Screen\t5", "0\t0\twall"}) << 4
                                          << "a tile on screen 5; the screens are all and 1 to 4";
        QTest::newRow("tile off the grid")
            << grid + crlfLines({"0\t0\tbox", "1\t0\twall"}) << 4 << "a tile at 1, 0, outside the 1 by 1 grid";
        QTest::newRow("32768 entities") << grid + QByteArray("0\t0\tbox\r\n").repeated(32768) << 32770
                                        << "the level holds more than 32767 entities";
    }

    void refuses()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, message);
        const Level current = exampleLevel();
        const LevelReadResult result = readLevel(file, catalogue(), current);
        QVERIFY(!result.ok);
        QCOMPARE(result.failure.line, line);
        QCOMPARE(result.failure.message, QStringLiteral("Bad input file: line %1: ").arg(line) + message);
        QCOMPARE(current, exampleLevel());
    }
};

QTEST_GUILESS_MAIN(tst_levelformat)
#include "tst_levelformat.moc"
