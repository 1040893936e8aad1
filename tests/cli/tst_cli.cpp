#include "common/HostileFiles.h"
#include "common/TempGame.h"
#include "editor/EditorPictures.h"
#include "editor/MapRenderer.h"
#include "levelfile/LevelFileLoad.h"
#include "levelfile/LevelText.h"
#include "model/WholeFile.h"
#include "model/modLists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// A small level: floor and wall, the player, and a box on screen 1.
const QByteArray oldLevel =
    crlfLines({"wall\tfloor", "", "Screen\tall", "1\t0\tPlayer\tleft", "Screen\t1", "0\t0\tbox\t1"});

struct Run
{
    int status = -1; // -1: crashed or never finished
    QByteArray out;
    QByteArray err;
};

// Runs the program in `folder` as a user would at a prompt, with `input` on
// its standard input (as nobody, where asked and possible), and gives up on
// it after half a minute rather than waiting for ever.
Run runCli(const QString& folder, const QStringList& arguments, const QByteArray& input = {}, bool asNobody = false)
{
    QProcess process;
    process.setWorkingDirectory(folder);
#ifdef Q_OS_UNIX
    if (asNobody)
        process.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(99);
        });
#else
    Q_UNUSED(asNobody);
#endif
    process.start(QStringLiteral(TILEWRIGHT_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    Run run;
    if (!process.waitForFinished(30000))
        return run; // killed as `process` goes
    if (process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

bool runsAsRoot()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

QStringList linesOf(const QByteArray& output)
{
    QStringList lines = QString::fromLocal8Bit(output).split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A game folder of its own (the sample's editor folder and levels); the
// program runs in the folder that holds both, as a game's build would.
struct Game : TempGame
{
    Game()
        : TempGame(SampleLevels)
    {
    }
    QString root() const { return QDir(editorDir()).filePath(QStringLiteral("..")); }
    void writeLevel(const QByteArray& bytes, const QString& name = "Crossing") const
    {
        writeFile(levelPath(name), bytes);
    }
    Run run(const QStringList& arguments, const QByteArray& input = {}, bool asNobody = false) const
    {
        return runCli(root(), QStringList{arguments.first(), "-C", "editor"} + arguments.mid(1), input, asNobody);
    }
};

} // namespace

class tst_cli : public QObject
{
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QByteArray>("level"); // written as levels/Crossing.txt; null: the sample's
        QTest::addColumn<QStringList>("lines"); // none: exit status 0, else 1
        const QString crossing = "levels/Crossing.txt:";
        const QByteArray grid = crlfLines({"floor\twall", "wall\tfloor", ""});
        const QString badScreen =
            "Bad input file: line 5: the screen \"ALL\" is neither all nor a number from -32768 to 32767";
        QTest::newRow("sample levels") << QByteArray() << QStringList();
        const QByteArray unknownKinds = grid + crlfLines({"Screen\tall", "1\t2\txyz", "", "Screen\t3", "0\t1\tPlayer"});
        QTest::newRow("unknown kinds") << unknownKinds
                                       << QStringList{crossing + "5: Unrecognised: \"xyz\" at 0: 1, 2",
                                              crossing + "8: Unrecognised: \"Player\" at 3: 0, 1"};
        QTest::newRow("unknown kind, then a bad line")
            << grid + crlfLines({"1\t1\t", "Screen\tALL"})
            << QStringList{crossing + "4: Unrecognised: \"\" at 0: 1, 1", crossing + "5: " + badScreen};
        QTest::newRow("line feed and NUL in a kind") << grid + crlfLines({"0\t0\ta\nb", QByteArray("0\t0\tc\0d", 7)})
                                                     << QStringList{crossing + "4: Unrecognised: \"a\\nb\" at 0: 0, 0",
                                                            crossing + "5: Unrecognised: \"c\\0d\" at 0: 0, 0"};
        QTest::newRow("unknown tile in the grid")
            << crlfLines({"floor\tmud", "wall\tfloor", ""})
            << QStringList{
                   crossing + "1:7: unknown tile \"mud\" at 1, 0 of the grid; the editor loads it as \"floor\""};
        QTest::newRow("entity on screen 7")
            << grid + crlfLines({"Screen\t7", "1\t1\tkey"})
            << QStringList{crossing + "5: an entity on screen 7; the screens are all and 1 to 4, so it is kept but "
                                      "never shown or saved"};
    }

    void check()
    {
        QFETCH(QByteArray, level);
        Game game;
        if (!level.isNull())
            game.writeLevel(level);

        const Run run = game.run({"check", "levels/FirstSteps.txt", "levels/IceCellar.txt", "levels/Crossing.txt"});

        QFETCH(QStringList, lines);
        QCOMPARE(linesOf(run.out), lines);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.status, lines.isEmpty() ? 0 : 1);
    }

    // A level of many bad lines lists the first 100 and counts the rest, or all with --list-all.
    void reportsAreCounted()
    {
        Game game;
        game.writeLevel("floor\r\n\r\n" + QByteArray("0\t0\tnothing\r\n").repeated(150));
        const QStringList listed = linesOf(game.run({"check", "levels/Crossing.txt"}).out);
        QCOMPARE(listed.size(), 101);
        QCOMPARE(listed.last(),
            "levels/Crossing.txt: 50 more lines with a report were not listed; --list-all lists every one.");
        QCOMPARE(linesOf(game.run({"check", "levels/Crossing.txt", "--list-all"}).out).size(), 150);
    }

    void format_data()
    {
        QTest::addColumn<QByteArray>("level");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("written"); // null: nothing
        QTest::addColumn<QStringList>("reports"); // none: exit status 0, else 1
        const QStringList none;
        const QByteArray emptyCorners = crlfLines({"", "Screen\t1", "", "Screen\t2", "", "Screen\t3", "", "Screen\t4"});
        const QByteArray highLevel =
            crlfLines({"floor", "", "Screen\tall", "0\t0\tPlayer\tcaf\xe9", "0\t0\tgem\t\x80\xff"});
        QTest::newRow("bytes above 127") << highLevel << none << highLevel + emptyCorners << QStringList();
        // A line of unknown kind and an entity on a screen no level has: written, the level would lose them.
        const QByteArray start = crlfLines({"wall", "", "Screen\tall", "0\t0\tPlayer\tleft"});
        const QStringList lost{"levels/Crossing.txt:5: Unrecognised: \"xyz\" at 0: 3, 3",
            "levels/Crossing.txt:7: an entity on screen 7; the screens are all and 1 to 4, so it is kept but never "
            "shown or saved"};
        const QByteArray lossy = start + crlfLines({"3\t3\txyz", "Screen\t7", "0\t0\tkey"});
        QTest::newRow("lines that would be lost") << lossy << none << QByteArray()
                                                  << lost
                + QStringList{
                    "levels/Crossing.txt: not written: the 2 lines "
                    "above would be lost; --drop-unknown writes "
                    "the level without them."};
        QTest::newRow("--drop-unknown") << lossy << QStringList{"--drop-unknown"} << start + emptyCorners << lost;
        // A grid name no tile kind has would be written as the first kind.
        const QByteArray mud = crlfLines({"wall\tmud", "", "Screen\tall", "0\t0\tPlayer\tleft"});
        const QStringList mudReports{
            "levels/Crossing.txt:1:6: unknown tile \"mud\" at 1, 0 of the grid; the editor loads it as \"floor\""};
        QTest::newRow("unknown tile in the grid") << mud << none << QByteArray()
                                                  << mudReports
                + QStringList{
                    "levels/Crossing.txt: not written: the grid name above would become \"floor\"; --drop-unknown "
                    "writes the level all the same."};
        QTest::newRow("unknown tile, --drop-unknown")
            << mud << QStringList{"--drop-unknown"}
            << crlfLines({"wall\tfloor", "", "Screen\tall", "0\t0\tPlayer\tleft"}) + emptyCorners << mudReports;
        const QString shortRow = "Bad input file: line 2: the row holds 1 of the 2 fields of the first row";
        QTest::newRow("bad file") << crlfLines({"wall\twall", "wall", ""}) << none << QByteArray()
                                  << QStringList{"levels/Crossing.txt:2: " + shortRow};
    }

    void format()
    {
        QFETCH(QByteArray, level);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, written);
        QFETCH(QStringList, reports);
        const int status = reports.isEmpty() ? 0 : 1;
        Game game;
        game.writeLevel(level);

        const Run toOut = game.run(QStringList{"format", "levels/Crossing.txt"} + options);
        QCOMPARE(toOut.out, written.isNull() ? QByteArray() : written);
        QCOMPARE(linesOf(toOut.err), reports);
        QCOMPARE(toOut.status, status);

        // Tidied in place, as the docs do it: onto its own input.
        const Run inPlace =
            game.run(QStringList{"format", "levels/Crossing.txt", "-o", "levels/Crossing.txt"} + options);
        QCOMPARE(inPlace.out, QByteArray());
        QCOMPARE(linesOf(inPlace.err), reports);
        QCOMPARE(inPlace.status, status);
        QCOMPARE(TempGame::readFile(game.levelPath("Crossing")), written.isNull() ? level : written);
    }

    // The picture is the map the editor shows for the level, pixel for pixel:
    // entities of every screen drawn in the view, the player beyond the grid.
    void render()
    {
        Game game;
        game.writeLevel(crlfLines({"wall\tice\tfloor", "", "5\t0\tPlayer\t", "1\t0\tkey"})
            + crlfLines({"Screen\t4", "2\t0\twater", "0\t0\tgem", "Screen\t1", "1\t0\tbox", "9\t9\tunknown"}));
        const Run run = game.run({"render", "levels/Crossing.txt", "-o", "map.png", "--view", "4"});
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.status, 1); // the line of unknown kind was reported

        QCOMPARE(modLists::readElements(game.editorDir()).message(), QString());
        EditorPictures pictures;
        QVERIFY(loadEditorPictures(game.editorDir(), modLists::catalogue, pictures));
        Level shown;
        levelops::makeNewLevel(shown);
        shown = loadLevelFile(game.levelPath("Crossing"), modLists::catalogue, shown).level;
        const QImage drawn(game.root() + "/map.png");
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), maprenderer::renderLevel(pictures, shown, 4));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("no command") << QStringList() << "No command given: use check, format, render, diff or merge.";
        QTest::newRow("unknown option") << QStringList{"check", "--fast", "x"} << "Unknown option 'fast'.";
        QTest::newRow("-o with no name") << QStringList{"format", "a", "-o", ""} << "-o needs a file name.";
        QTest::newRow("render without -o")
            << QStringList{"render", "a"} << "render needs -o OUT.png, the picture to write.";
        QTest::newRow("view 5") << QStringList{"render", "a", "-o", "b", "--view", "5"}
                                << "--view must be a number from 0 to 4, not '5'.";
        QTest::newRow("a picture named .jpg") << QStringList{"render", "a", "-o", "map.jpg"}
                                              << "render writes PNG pictures: 'map.jpg' does not end in .png.";
        QTest::newRow("no such format") << QStringList{"check", "a", "--format=yaml"}
                                        << "--format must be text, json or github, not 'yaml'.";
        QTest::newRow("merge of two") << QStringList{"merge", "a", "b"}
                                      << "merge takes three level files, BASE, OURS and THEIRS, not 2.";
        QTest::newRow("an option of another command")
            << QStringList{"check", "a", "--stat"} << "--stat is for diff only.";
        QTest::newRow("standard input twice")
            << QStringList{"diff", "-", "-"} << "only one level can come from standard input (-).";
        QTest::newRow("help on no command")
            << QStringList{"help", "draw"} << "Unknown command 'draw': use check, format, render, diff or merge.";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const Run run = runCli(QDir::currentPath(), arguments);
        QCOMPARE(QString::fromLocal8Bit(run.err),
            "tilewright-cli: " + error + "\nTry 'tilewright-cli --help' for more information.\n");
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.status, 2);
    }

    // The whole index: its own faults line by line, a missing level, a level
    // it does not list, then every level; in each output form.
    void checkIndex_data()
    {
        QTest::addColumn<QByteArray>("index"); // null: the sample's
        QTest::addColumn<QByteArray>("crossing"); // null: the sample's
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("lines");
        const QByteArray shortRows = crlfLines({"wall\twall", "wall", ""});
        QTest::newRow("the sample game") << QByteArray() << QByteArray() << "text" << QStringList();
        QTest::newRow("faults of the index")
            << crlfLines({"FirstSteps", "", "FirstSteps", "Lost", "a/b", "IceCellar"}) << QByteArray() << "text"
            << QStringList{"levels/index.txt:2: an empty line; the index holds one level name per line",
                   "levels/index.txt:3: \"FirstSteps\" is listed again; line 1 lists it first",
                   "levels/index.txt:4: \"Lost\" is listed, but 'levels/Lost.txt' was not found.",
                   "levels/index.txt:5: \"a/b\" is no level name: a name holds no folder separator",
                   "levels/Crossing.txt: a level file that the index 'levels/index.txt' does not list"};
        QTest::newRow("lines ending in LF")
            << QByteArray("FirstSteps\nIceCellar\nCrossing\n") << QByteArray() << "text"
            << QStringList{
                   "levels/index.txt:1: the line holds a line feed: the index's lines must end in CR LF (a file "
                   "written on Linux "
                   "or macOS may need converting)",
                   "levels/index.txt:1: an empty line; the index holds one level name per line"};
        QTest::newRow("a bad level, for GitHub") << QByteArray() << shortRows << "github"
                                                 << QStringList{
                                                        "::error file=levels/Crossing.txt,line=2,title=bad-file::Bad "
                                                        "input file: line 2: the row holds 1 of the 2 "
                                                        "fields of the first row"};
        QTest::newRow("a bad level, as JSON")
            << QByteArray() << shortRows << "json"
            << QStringList{R"({"format":"tilewright-check","version":1,"messages":[)",
                   R"({"file":"levels/Crossing.txt","kind":"bad-file","line":2,"message":"Bad input file: line 2: the row holds 1 of the 2 fields of the first row","severity":"error"})",
                   R"(],"levels":3,"status":1})"};
    }

    void checkIndex()
    {
        QFETCH(QByteArray, index);
        QFETCH(QByteArray, crossing);
        QFETCH(QString, form);
        QFETCH(QStringList, lines);
        Game game;
        if (!index.isNull())
            game.writeFile(game.levelPath("index"), index);
        if (!crossing.isNull())
            game.writeLevel(crossing);
        const Run run = game.run({"check", "--index", "--format=" + form});
        QCOMPARE(linesOf(run.out), lines);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.status, lines.isEmpty() || (form == "json" && !lines[1].contains("error")) ? 0 : 1);
        if (form == "json")
            QVERIFY(QJsonDocument::fromJson(run.out).isObject());
    }

    // A glob takes the index in with the levels: a note, not a bad level.
    void checkSkipsTheIndex()
    {
        Game game;
        const Run run = game.run({"check", "levels/index.txt", "levels/Crossing.txt"});
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(linesOf(run.err),
            QStringList{"levels/index.txt: skipped: this is the level index, not a level (check --index checks the "
                        "index and the levels "
                        "it lists)"});
        QCOMPARE(run.status, 0);
    }

    void diff_data()
    {
        QTest::addColumn<QByteArray>("after"); // levels/New.txt, from levels/Old.txt
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("status");
        QTest::newRow("equal") << oldLevel << QStringList() << QStringList() << 0;
        const QByteArray changed =
            crlfLines({"wall\tice", "", "Screen\tall", "1\t0\tPlayer\tleft", "Screen\t1", "0\t0\tbox\t2"});
        QTest::newRow("changed") << changed << QStringList()
                                 << QStringList{"Main Level:", "  1, 0: tile floor -> ice",
                                        "Top Left (screen 1):", "  0, 0: entity box data \"1\" -> \"2\""}
                                 << 1;
        QTest::newRow("counts") << changed << QStringList{"--stat"}
                                << QStringList{"Main Level: 1 tile changed", "Top Left: 1 entity with other data"} << 1;
        // Said on standard error; what could be read is compared all the same.
        QTest::newRow("a line of unknown kind")
            << oldLevel + crlfLines({"2\t0\tdragon"}) << QStringList()
            << QStringList{"levels/New.txt:7: Unrecognised: \"dragon\" at 1: 2, 0"} << 2;
        QTest::newRow("a bad level") << crlfLines({"wall"}) << QStringList()
                                     << QStringList{"levels/New.txt:2: Bad input file: line 2: the file ends in the grid; an empty line "
                                                    "must follow its last row"}
                                     << 2;
    }

    void diff()
    {
        QFETCH(QByteArray, after);
        QFETCH(QStringList, options);
        QFETCH(QStringList, lines);
        Game game;
        game.writeLevel(oldLevel, "Old");
        game.writeLevel(after, "New");
        // The new level comes on standard input, as from a pipe.
        const Run run =
            runCli(game.root(), QStringList{"diff", "--game", "editor", "levels/Old.txt", "-"} + options, after);
        const Run named = game.run(QStringList{"diff", "levels/Old.txt", "levels/New.txt"} + options);
        QCOMPARE(linesOf(named.out + named.err), lines);
        QTEST(named.status, "status");
        QCOMPARE(run.status, named.status);
        QCOMPARE(run.out, named.out);
    }

    void merge_data()
    {
        QTest::addColumn<QByteArray>("theirs"); // ours changes the cell 0, 0 to ice
        QTest::addColumn<QByteArray>("merged");
        QTest::addColumn<QStringList>("conflicts");
        const QByteArray all = crlfLines({"", "Screen\tall", "1\t0\tPlayer\tleft", "", "Screen\t1", "0\t0\tbox\t1"});
        QTest::newRow("different cells") << crlfLines({"wall\twall"}) + all << crlfLines({"ice\twall"}) + all
                                         << QStringList();
        QTest::newRow("the same cell") << crlfLines({"water\twall"}) + all << crlfLines({"ice\twall"}) + all
                                       << QStringList{
                                              "levels/Crossing.txt: conflict: Main Level, cell 0, 0: tile wall in the "
                                              "base, ice in ours, water in theirs",
                                              "levels/Crossing.txt: 1 conflict; the merged level holds ours there and "
                                              "every other change of theirs."};
    }

    void merge()
    {
        QFETCH(QByteArray, theirs);
        QFETCH(QStringList, conflicts);
        Game game;
        game.writeLevel(oldLevel, "Base");
        game.writeLevel(crlfLines({"ice\tfloor"}) + oldLevel.mid(oldLevel.indexOf("\r\n") + 2), "Ours");
        game.writeLevel(theirs, "Theirs");
        const Run run = game.run({"merge", "--label", "levels/Crossing.txt", "levels/Base.txt", "levels/Ours.txt",
            "levels/Theirs.txt", "-o", "levels/Ours.txt"});
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(linesOf(run.err), conflicts);
        QCOMPARE(run.status, conflicts.isEmpty() ? 0 : 1);
        QFETCH(QByteArray, merged);
        const QByteArray emptyCorners = crlfLines({"", "Screen\t2", "", "Screen\t3", "", "Screen\t4"});
        QCOMPARE(TempGame::readFile(game.levelPath("Ours")), merged + emptyCorners);
        const Run toOut = game.run({"merge", "levels/Base.txt", "levels/Ours.txt", "levels/Theirs.txt", "-o", "-"});
        QCOMPARE(toOut.out, merged + emptyCorners);
    }

    // NEW drawn with its changed cells framed: red where the view shows the
    // change, blue for a change on another corner screen.
    void renderDiff()
    {
        Game game;
        game.writeLevel(oldLevel, "Old");
        game.writeLevel(
            crlfLines({"wall\tice", "", "Screen\tall", "1\t0\tPlayer\tleft", "Screen\t1", "0\t0\tbox\t2"}), "New");
        const Run run = game.run({"render", "--diff", "levels/Old.txt", "levels/New.txt", "-o", "-"});
        QCOMPARE(run.status, 0);
        const QImage picture = QImage::fromData(run.out, "PNG");
        QCOMPARE(picture.size(), QSize(2 * 31 + 16, 31 + 16));
        auto frameOf = [&](int x) { return picture.pixel(8 + 31 * x - 1, 8 - 1); };
        QCOMPARE(frameOf(0), qRgb(0, 0x50, 0xE0));
        QCOMPARE(frameOf(1), qRgb(0xE0, 0, 0));
        const Run plain = game.run({"render", "levels/New.txt", "-o", "-"});
        QCOMPARE(QImage::fromData(plain.out, "PNG").pixel(8 - 1, 8 - 1), maprenderer::backgroundColour);
    }

    void help_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("same"); // says the same
        QTest::addColumn<QString>("part");
        QTest::newRow("a command's")
            << QStringList{"help", "merge"} << QStringList{"merge", "--help"}
            << "Usage: tilewright-cli merge [-C GAME] BASE OURS THEIRS [-o OUT] [--label NAME]\n";
        QTest::newRow("the program's") << QStringList{"help"} << QStringList{"--help"}
                                       << "\nCommands:\n  check [-C GAME]";
    }

    void help()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, same);
        const Run run = runCli(QDir::currentPath(), arguments);
        QCOMPARE(run.status, 0);
        QFETCH(QString, part);
        QVERIFY2(QString::fromLocal8Bit(run.out).contains(part), run.out.constData());
        QCOMPARE(runCli(QDir::currentPath(), same).out, run.out);
    }

    // A picture, level or output made a named pipe, a level over the cap, an
    // output in no folder: refused at once, naming the file.
    void unusableFiles_data()
    {
        QTest::addColumn<QString>("file"); // from the folder above the game's
        QTest::addColumn<QByteArray>("made"); // null: no file there
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told"); // the start of what the program says
        QTest::addColumn<int>("status");
        const QByteArray none, pipe = "<a named pipe>", big = "<over 64 MB>";
        const QString level = "levels/Crossing.txt";
        const QStringList check{"check", level};
        QTest::newRow("tile sheet, a named pipe")
            << "editor/tiles.gif" << pipe << QStringList{"render", level, "-o", "map.png"}
            << "The picture file \"tiles.gif\" is not a regular file." << 2;
        QTest::newRow("level, a named pipe")
            << level << pipe << check << level + ": '" + level + "' is not a regular file." << 1;
        QTest::newRow("level, over 64 MB")
            << level << big << check << level + ": '" + level + "' is larger than 64 MB." << 1;
        const QStringList render{"render", level, "-o", "map.png"};
        QTest::newRow("tile sheet, cut in half")
            << "editor/tiles.gif" << QByteArray("<cut in half>") << render
            << "The picture file \"tiles.gif\" is damaged: the file ends before its picture does." << 2;
        QTest::newRow("entity picture, cut in half")
            << "editor/box_or.bmp" << QByteArray("<cut in half>") << render
            << "The picture file \"box_or.bmp\" is damaged: the file ends before its picture does." << 2;
        QTest::newRow("player picture, unreadable")
            << "editor/player.bmp" << QByteArray("<unreadable>") << render
            << "The picture file \"player.bmp\" could not be read: " + qt_error_string(EACCES) + "." << 2;
        QTest::newRow("level, a loop of links") << level << QByteArray("<a loop>") << check
                                                << level + ": '" + level + "' is a loop of symbolic links." << 1;
        QTest::newRow("output, a named pipe") << "out.txt" << pipe << QStringList{"format", level, "-o", "out.txt"}
                                              << "'out.txt' could not be written: it is not a regular file" << 1;
        QTest::newRow("output in no folder")
            << "no/such" << none << QStringList{"render", level, "-o", "no/such/map.png"}
            << "'no/such/map.png' could not be written: " + qt_error_string(ENOENT) << 1;
    }

    void unusableFiles()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, made);
        QFETCH(QString, told);
        Game game;
        const QString path = QDir::cleanPath(game.root() + "/" + file);
        const QByteArray original = TempGame::readFile(path);
        QFile::remove(path);
        std::unique_ptr<hostile::FifoHolder> holder;
        if (made == "<a named pipe>" && !hostile::makeFifo(path))
            QSKIP("no named pipes here");
        if (made == "<a named pipe>")
            holder = std::make_unique<hostile::FifoHolder>(path);
        QFile onDisk(path);
        if (made == "<over 64 MB>")
            QVERIFY(onDisk.open(QIODevice::WriteOnly) && onDisk.resize(filecaps::level + 1));
        if (made == "<cut in half>" || made == "<unreadable>")
            game.writeFile(path, made == "<cut in half>" ? original.first(original.size() / 2) : original);
        if (made == "<a loop>" && !hostile::makeLinkLoop(path))
            QSKIP("no symbolic links here");
        // Root reads any file, so the program then runs as nobody.
        const bool asNobody = made == "<unreadable>" && runsAsRoot();
        if (made == "<unreadable>")
            QVERIFY(onDisk.setPermissions({})
                && (!asNobody
                    || QFile::setPermissions(game.root(),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther)));
        QFETCH(QStringList, arguments);
        const Run run = game.run(arguments, {}, asNobody);
        const QString output = QString::fromLocal8Bit(run.out + run.err).trimmed();
        QVERIFY2(output.startsWith(told), qPrintable(output));
        QTEST(run.status, "status");
        QVERIFY(!QFile::exists(game.root() + "/map.png"));
        QCOMPARE(QFileInfo(path).isFile(),
            made != "<a named pipe>" && made != "<a loop>" && !made.isNull()); // a pipe stays a pipe
    }
};

QTEST_MAIN(tst_cli)
#include "tst_cli.moc"
