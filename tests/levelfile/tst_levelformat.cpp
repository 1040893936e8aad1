#include "LevelText.h"

#include "levelfile/LevelIndex.h"
#include "levelfile/LevelPaths.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The level of the worked example: 3 by 2, entities on layers 0 and 2,
// tiles of their own on layers 2 and 4.
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

const QByteArray exampleFile = writtenFile({"floor|wall|floor", "floor|ice|floor"}, {"1|0|Player|left", "0|1|door|2|3", "2|1|box"},
    {{}, {"1|1|wall", "0|0|box"}, {}, {"2|0|ice"}});

// The level in the editor when a file is read.
Level editorLevel()
{
    Level level;
    levelops::movePlayer(level, 4, 5);
    level.playerData = "start";
    levelops::appendEntity(level, {0, 1, 1, 0}, "old");
    level.levelChanged = true;
    return level;
}

QStringList reportLines(const std::vector<LevelFileReport>& reports)
{
    QStringList lines;
    for (const LevelFileReport& report : reports)
        lines << QStringLiteral("%1: %2").arg(report.line).arg(report.message);
    return lines;
}

} // namespace

class tst_levelformat : public QObject
{
    Q_OBJECT
private slots:
    void writesTheWorkedExample()
    {
        QCOMPARE(writeLevel(exampleLevel(), exampleCatalogue()), exampleFile);
    }

    void readsTheWorkedExampleBack()
    {
        const LevelReadResult result = readLevel(exampleFile, exampleCatalogue(), editorLevel());
        QVERIFY(result.ok);
        QVERIFY(result.reports.empty());
        Level expected = exampleLevel();
        expected.entityData[0] = "2,3"; // the space is gone, the TAB is a comma again
        QCOMPARE(result.level, expected);
    }

    void writesEdgeCases()
    {
        Level level;
        levelops::replaceGrid(level, 1, 1);
        level.playerData.clear();
        levelops::appendEntity(level, {0, 0, 0, 0}, "a b,  c");
        levelops::appendEntity(level, {0, 0, 0, 1});
        levelops::appendEntity(level, {5, 0, 0, 1}, "never written");
        // Empty corner screens end the file with eight lines; the empty
        // player data leaves a trailing TAB; the model keeps its text.
        QCOMPARE(writeLevel(level, exampleCatalogue()), writtenFile({"floor"}, {"0|0|Player|", "0|0|box|ab|c", "0|0|door"}));
        QCOMPARE(level.entityData[0], QString("a b,  c"));
    }

    void cleansDataTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clean");
        QTest::newRow("commas and spaces") << "2, 3" << "2\t3";
        QTest::newRow("runs of spaces go") << "  a   b  " << "ab";
        QTest::newRow("empty parts stay") << ",," << "\t\t";
        QTest::newRow("no-break space is not a space") << "a\u00A0b" << "a\u00A0b";
    }

    void cleansDataTexts()
    {
        QFETCH(QString, text);
        QTEST(fncCleanLine(text), "clean");
    }

    void toleratesFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("entities");
        QTest::addColumn<QStringList>("reports");
        const QString start = "4|5|Player|start";
        QTest::newRow("long row cut, unknown grid name is floor, no player line")
            << fileLines({"floor|wall", "ice|lava|wall", ""}) << writtenFile({"floor|wall", "ice|floor"}, {start}) << 0 << QStringList();
        QTest::newRow("two TABs in a grid row are no empty field")
            << fileLines({"wall|wall|wall", "ice||wall|ice", ""}) << writtenFile({"wall|wall|wall", "ice|floor|ice"}, {start}) << 0
            << QStringList();
        QTest::newRow("lone CR ends a line, lone LF is a character")
            << QByteArray("wall\r\r1\t0\tPlayer\ta\nb\r") << writtenFile({"wall"}, {"1|0|Player|a\nb"}) << 0 << QStringList();
        QTest::newRow("headers in any case with any separator, all may be missing")
            << fileLines({"floor|floor", "", "", "0|0|box", "SCREEN 2", "1|0|wall", "", "sCrEeN:3", "0|0|door|7", "screen|all", "1|0|box"})
            << writtenFile({"floor|floor"}, {start, "0|0|box", "1|0|box"}, {{}, {"1|0|wall"}, {"0|0|door|7"}}) << 3 << QStringList();
        QTest::newRow("player in any case, the last one counts, tail with commas")
            << fileLines({"floor", "", "1|0|PLAYER|x", "0|0|player|a| b"}) << writtenFile({"floor"}, {"0|0|Player|a, b"}) << 0
            << QStringList();
        QTest::newRow("a player line on a corner screen is no player")
            << fileLines({"floor", "", "Screen|3", "0|0|Player"}) << writtenFile({"floor"}, {start}) << 0
            << QStringList{"4: Unrecognised: \"Player\" at 3: 0, 0"};
        QTest::newRow("entity name before tile name")
            << fileLines({"floor", "", "Screen|1", "0|0|twin", "0|0|wall"}) << writtenFile({"floor"}, {start}, {{"0|0|wall", "0|0|twin"}})
            << 1 << QStringList();
        QTest::newRow("tile line in screen all replaces the grid's tile")
            << fileLines({"floor|floor", "", "1|0|ice"}) << writtenFile({"floor|ice"}, {start}) << 0 << QStringList();
        QTest::newRow("entities off the grid and off the screens are kept")
            << fileLines({"floor", "", "-3|9|box", "Screen|7", "0|0|box"}) << writtenFile({"floor"}, {start, "-3|9|box"}) << 2
            << QStringList();
        QTest::newRow("numbers with blanks and fractions")
            << fileLines({"floor", "", "Screen| 1.4", " 2.5 |1.5|box"}) << writtenFile({"floor"}, {start}, {{"2|2|box"}}) << 1
            << QStringList();
        QTest::newRow("unknown and empty kinds are reported and skipped")
            << fileLines({"floor", "", "Screen|2", "1|2|xyz", "-1|0|", "0|0|box"}) << writtenFile({"floor"}, {start}, {{}, {"0|0|box"}})
            << 1 << QStringList{"4: Unrecognised: \"xyz\" at 2: 1, 2", "5: Unrecognised: \"\" at 2: -1, 0"};
    }

    void toleratesFiles()
    {
        QFETCH(QByteArray, file);
        const Catalogue catalogue = exampleCatalogue();
        const LevelReadResult result = readLevel(file, catalogue, editorLevel());
        QVERIFY2(result.ok, qPrintable(result.failure.message));
        QTEST(reportLines(result.reports), "reports");
        QTEST(int(result.level.entityCount), "entities");
        QTEST(writeLevel(result.level, catalogue), "written");
        QVERIFY(!result.level.levelChanged);
    }

    void rejectsFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("failure");
        QStringList high(71, "floor");
        QTest::newRow("empty file") << QByteArray() << "line 1: the file is empty";
        QTest::newRow("empty first line") << fileLines({"", "floor", ""}) << "line 1: the first line is empty, so the level has no rows";
        QTest::newRow("grid to the end") << fileLines({"floor", "wall"}) << "line 3: the file ends in the grid; an empty line must follow its last row";
        QTest::newRow("too wide") << fileLines({QStringList(71, "floor").join('|'), ""}) << "line 1: the level is 71 cells wide; a level is at most 70";
        QTest::newRow("too high") << fileLines(high << "") << "line 71: the level has more than 70 rows";
        QTest::newRow("short row") << fileLines({"floor|wall", "ice", ""}) << "line 2: the row holds 1 of the 2 fields of the first row";
        QTest::newRow("first row ends in a TAB") << fileLines({"floor|", ""}) << "line 1: the row holds 1 of the 2 fields of the first row";
        QTest::newRow("one TAB") << fileLines({"floor", "", "1|box"}) << "line 3: an element line needs x, y and a kind, separated by TABs";
        QTest::newRow("x not a number") << fileLines({"floor", "", "a|1|xyz"}) << "line 3: x \"a\" is not a number from -32768 to 32767";
        QTest::newRow("x empty") << fileLines({"floor", "", "|1|box"}) << "line 3: x \"\" is not a number from -32768 to 32767";
        QTest::newRow("y out of range") << fileLines({"floor", "", "1|32768|box"}) << "line 3: y \"32768\" is not a number from -32768 to 32767";
        QTest::newRow("ALL in capitals") << fileLines({"floor", "", "Screen|ALL"}) << "line 3: the screen \"ALL\" is neither all nor a number from -32768 to 32767";
        QTest::newRow("header of six") << fileLines({"floor", "", "Screen"}) << "line 3: the screen header names no screen";
        QTest::newRow("header of seven") << fileLines({"floor", "", "screen:"}) << "line 3: the screen header names no screen";
        QTest::newRow("tile on screen 5") << fileLines({"floor", "", "Screen|5", "0|0|wall"}) << "line 4: a tile on screen 5; the screens are all and 1 to 4";
        QTest::newRow("tile on screen -1") << fileLines({"floor", "", "Screen|-1", "0|0|wall"}) << "line 4: a tile on screen -1; the screens are all and 1 to 4";
        QTest::newRow("tile off the grid") << fileLines({"floor", "", "0|0|box", "1|0|wall"}) << "line 4: a tile at 1, 0, outside the 1 by 1 grid";
    }

    void rejectsFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, failure);
        const Level before = editorLevel();
        Level current = before;
        const LevelReadResult result = readLevel(file, exampleCatalogue(), current);
        QVERIFY(!result.ok);
        QCOMPARE(result.failure.message, "Bad input file: " + failure);
        QCOMPARE(result.failure.message.section(' ', 4, 4), QString::number(result.failure.line) + ':');
        QCOMPARE(current, before);
    }

    void rejectsMoreThanTheMostEntities()
    {
        QStringList lines{"floor", ""};
        for (int i = 0; i <= Level::maxEntities; ++i)
            lines << "0|0|box";
        const LevelReadResult result = readLevel(fileLines(lines), exampleCatalogue(), editorLevel());
        QVERIFY(!result.ok);
        QCOMPARE(result.failure, (LevelFileReport{32770, "Bad input file: line 32770: the level holds more than 32767 entities"}));
        lines.removeLast();
        QVERIFY(readLevel(fileLines(lines), exampleCatalogue(), editorLevel()).ok);
    }

    void keepsEightBitTextBothWays()
    {
        QString high;
        for (int c = 0x80; c <= 0xFF; ++c)
            high += QChar(c);
        Catalogue catalogue = exampleCatalogue();
        catalogue.tileDefs[1][Catalogue::TileName] = "w" + high;
        catalogue.entityDefs[1][Catalogue::EntityName] = high + "d";
        Level level = exampleLevel();
        level.playerData = high;
        level.entityData[0] = high;
        const QByteArray bytes = writeLevel(level, catalogue);
        QVERIFY(bytes.contains(high.toLatin1()));
        const LevelReadResult result = readLevel(bytes, catalogue, editorLevel());
        QVERIFY(result.ok);
        QCOMPARE(result.level, level);
    }

    void readsAndAppendsTheIndex()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("index.txt");
        QCOMPARE(readLevelIndex(path), QStringList());
        QCOMPARE(appendToLevelIndex(path, QString::fromLatin1("\xC4rger")), QString());
        QCOMPARE(appendToLevelIndex(path, ""), QString());
        QCOMPARE(appendToLevelIndex(path, "B\u20AC"), QString("the name holds characters that the 8-bit index cannot store"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xC4rger\r\n\r\n"));
        file.close();
        QVERIFY(file.open(QIODevice::Append));
        file.write("C\rD");
        file.close();
        QCOMPARE(readLevelIndex(path), (QStringList{QString::fromLatin1("\xC4rger"), "", "C", "D"}));
        // A hand-edited index without a final line break keeps its last name apart.
        QCOMPARE(appendToLevelIndex(path, "E"), QString());
        QCOMPARE(readLevelIndex(path), (QStringList{QString::fromLatin1("\xC4rger"), "", "C", "D", "E"}));
        QVERIFY(!appendToLevelIndex(dir.path(), "x").isEmpty()); // a folder is no index
    }

    void buildsPaths()
    {
        QCOMPARE(levelFilePath("Level1"), QDir::toNativeSeparators("../levels/Level1.txt"));
        QCOMPARE(levelFilePath(" a?* "), QDir::toNativeSeparators("../levels/") + " a?* .txt");
        QCOMPARE(levelIndexPath(), QDir::toNativeSeparators("../levels/index.txt"));
    }
};

QTEST_GUILESS_MAIN(tst_levelformat)
#include "tst_levelformat.moc"
