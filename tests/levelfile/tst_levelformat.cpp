#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"

#include <QTest>

namespace {

// File text written short: '|' for each TAB, '/' for each CR LF.
QByteArray text(QString lines)
{
    return lines.replace(u'|', u'\t').replace(u'/', QStringLiteral("\r\n")).toLatin1();
}

// A whole file as the writer makes it: the grid, screen "all", and screens 1 to 4 even when empty.
QByteArray written(const QString& grid, const QString& all, const QStringList& corners = {})
{
    QString lines = grid + "//Screen|all/" + all + '/';
    for (int screen = 1; screen <= 4; ++screen)
        lines += QStringLiteral("/Screen|%1/").arg(screen) + (corners.value(screen - 1).isEmpty() ? "" : corners[screen - 1] + '/');
    return text(lines);
}

// Tile kinds floor (0), wall, ice, twin; entity kinds box (0), door, twin.
Catalogue catalogue()
{
    Catalogue c;
    c.tileDefs = {{"floor"}, {"wall"}, {"ice"}, {"twin"}};
    c.entityDefs = {{"box"}, {"door"}, {"twin"}};
    c.tileDefLast = 3;
    c.entityDefLast = 2;
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
    levelops::appendEntity(level, {0, 0, 1, 1}, "2, 3");
    levelops::appendEntity(level, {0, 2, 1, 0});
    levelops::appendEntity(level, {2, 0, 0, 0});
    return level;
}

const QByteArray exampleFile =
    written("floor|wall|floor/floor|ice|floor", "1|0|Player|left/0|1|door|2|3/2|1|box", {"", "1|1|wall/0|0|box", "", "2|0|ice"});

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
        QTest::addColumn<QByteArray>("written"); // the level read, written again; null: the file is refused
        QTest::addColumn<int>("entities");
        QTest::addColumn<QString>("told"); // "LINE: message" for the lines skipped, or for the failure
        const QString start = "1|0|Player|left"; // the editor's player start stays
        auto refuse = [](const char* name, const QString& file, const QString& failure) {
            QTest::newRow(name) << text(file) << QByteArray() << 0 << failure.section(':', 0, 0) + ": Bad input file: line " + failure;
        };
        QTest::newRow("long row cut, unknown grid name is floor, no player")
            << text("floor|wall/ice|lava|wall//") << written("floor|wall/ice|floor", start) << 0 << "";
        QTest::newRow("two TABs in a grid row are no empty field")
            << text("wall|wall|wall/ice||wall|ice//") << written("wall|wall|wall/ice|floor|ice", start) << 0 << "";
        QTest::newRow("lone CR ends a line, lone LF is a character")
            << QByteArray("wall\r\r2\t3\tPlayer\ta\nb\r") << written("wall", "2|3|Player|a\nb") << 0 << "";
        QTest::newRow("headers in any case, any separator, or missing")
            << text("floor|floor///0|0|box/SCREEN 2/1|0|wall//sCrEeN:3/0|0|door|7/screen|all/1|0|box/")
            << written("floor|floor", start + "/0|0|box/1|0|box", {"", "1|0|wall", "0|0|door|7"}) << 3 << "";
        QTest::newRow("player in any case, the last counts, tail with commas")
            << text("floor//1|0|PLAYER|x/0|0|player|a| b/") << written("floor", "0|0|Player|a, b") << 0 << "";
        QTest::newRow("player line on a corner screen")
            << text("floor//Screen|3/0|0|Player/") << written("floor", start) << 0 << "4: Unrecognised: \"Player\" at 3: 0, 0";
        QTest::newRow("entity name before tile name")
            << text("floor//Screen|1/0|0|twin/0|0|wall/") << written("floor", start, {"0|0|wall/0|0|twin"}) << 1 << "";
        QTest::newRow("tile in screen all replaces the grid's") << text("floor|floor//1|0|ice/") << written("floor|ice", start) << 0 << "";
        QTest::newRow("entities off grid and screens are kept")
            << text("floor//-3|9|box/Screen|7/0|0|box/") << written("floor", start + "/-3|9|box") << 2 << "";
        QTest::newRow("numbers with blanks and fractions")
            << text("floor//Screen| 1.4/ 2.5 |1.5|box/") << written("floor", start, {"2|2|box"}) << 1 << "";
        QTest::newRow("unknown and empty kinds are reported and skipped")
            << text("floor//Screen|2/1|2|xyz/-1|0|/0|0|box/") << written("floor", start, {"", "0|0|box"}) << 1
            << "4: Unrecognised: \"xyz\" at 2: 1, 2;5: Unrecognised: \"\" at 2: -1, 0";
        QTest::newRow("data texts: commas become TABs, spaces go")
            << text("floor//0|0|Player/0|0|box|a b| c/0|0|box|||/0|0|box|\u00A0/0|0|box| /")
            << written("floor", "0|0|Player|/0|0|box|ab|c/0|0|box|||/0|0|box|\u00A0/0|0|box|") << 4 << "";
        QTest::newRow("the most entities") << text("floor//" + QString("0|0|box/").repeated(32767))
                                           << written("floor", start + QString("/0|0|box").repeated(32767)) << 32767 << "";
        refuse("empty file", "", "1: the file is empty");
        refuse("empty first line", "/floor//", "1: the first line is empty, so the level has no rows");
        refuse("grid to the end", "floor/wall/", "3: the file ends in the grid; an empty line must follow its last row");
        refuse("too wide", QStringList(71, "floor").join('|') + "//", "1: the level is 71 cells wide; a level is at most 70");
        refuse("too high", QString("floor/").repeated(71) + '/', "71: the level has more than 70 rows");
        refuse("short row", "floor|wall/ice//", "2: the row holds 1 of the 2 fields of the first row");
        refuse("first row ends in a TAB", "floor|//", "1: the row holds 1 of the 2 fields of the first row");
        refuse("one TAB", "floor//1|box/", "3: an element line needs x, y and a kind, separated by TABs");
        refuse("x not a number", "floor//a|1|xyz/", "3: x \"a\" is not a number from -32768 to 32767");
        refuse("x empty", "floor//|1|box/", "3: x \"\" is not a number from -32768 to 32767");
        refuse("y out of range", "floor//1|32768|box/", "3: y \"32768\" is not a number from -32768 to 32767");
        refuse("ALL in capitals", "floor//Screen|ALL/", "3: the screen \"ALL\" is neither all nor a number from -32768 to 32767");
        refuse("header of six", "floor//Screen/", "3: the screen header names no screen");
        refuse("header of seven", "floor//screen:/", "3: the screen header names no screen");
        refuse("tile on screen 5", "floor//Screen|5/0|0|wall/", "4: a tile on screen 5; the screens are all and 1 to 4");
        refuse("tile on screen -1", "floor//Screen|-1/0|0|wall/", "4: a tile on screen -1; the screens are all and 1 to 4");
        refuse("tile off the grid", "floor//0|0|box/1|0|wall/", "4: a tile at 1, 0, outside the 1 by 1 grid");
        refuse("too many entities", "floor//" + QString("0|0|box/").repeated(32768), "32770: the level holds more than 32767 entities");
    }

    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, written);
        const Level current = exampleLevel(); // the level in the editor
        const LevelReadResult result = readLevel(file, catalogue(), current);
        QStringList told;
        for (const LevelFileReport& report : result.ok ? result.reports : std::vector{result.failure})
            told << QStringLiteral("%1: %2").arg(report.line).arg(report.message);
        QTEST(told.join(';'), "told");
        QCOMPARE(current, exampleLevel()); // the editor's level is left as it was
        QCOMPARE(result.ok ? writeLevel(result.level, catalogue()) : QByteArray(), written);
        QTEST(result.ok ? int(result.level.entityCount) : 0, "entities");
    }

    void keepsEightBitTextBothWays()
    {
        QString high;
        for (int c = 0x80; c <= 0xFF; ++c)
            high += QChar(c);
        Catalogue eightBit = catalogue();
        eightBit.tileDefs[1][Catalogue::TileName] = "w" + high;
        eightBit.entityDefs[1][Catalogue::EntityName] = high + "d";
        Level level = exampleLevel();
        level.playerData = level.entityData[0] = high;
        const QByteArray bytes = writeLevel(level, eightBit);
        QVERIFY(bytes.contains("\tPlayer\t" + high.toLatin1() + "\r\n") && bytes.contains("\t" + high.toLatin1() + "d\t"));
        QCOMPARE(readLevel(bytes, eightBit, Level()).level, level);
    }

    // A file holds bytes: what lies beyond Latin-1 is written as '?', one
    // for each UTF-16 unit, and a name of such characters matches no line.
    void beyondEightBit()
    {
        Level level = exampleLevel();
        level.entityData[0] = QStringLiteral("5\u20AC, \U0001F600");
        QVERIFY(writeLevel(level, catalogue()).contains("\r\n0\t1\tdoor\t5?\t??\r\n"));
        Catalogue wide = catalogue();
        wide.tileDefs[1][Catalogue::TileName] = QStringLiteral("w\u20AC");
        const LevelReadResult result = readLevel(text("floor//0|0|w?/"), wide, Level());
        QVERIFY(result.ok);
        QCOMPARE(result.reports, (std::vector<LevelFileReport>{{3, "Unrecognised: \"w?\" at 0: 0, 0"}}));
    }
};

QTEST_GUILESS_MAIN(tst_levelformat)
#include "tst_levelformat.moc"
