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
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

struct Run
{
    int status = -1; // -1: crashed or never finished
    QByteArray out;
    QByteArray err;
};

// Runs the program in `folder` as a user would at a prompt, and gives up on
// it after half a minute rather than waiting for ever.
Run runCli(const QString& folder, const QStringList& arguments, bool asNobody = false)
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
    void writeLevel(const QByteArray& bytes) const { writeFile(levelPath(QStringLiteral("Crossing")), bytes); }
    Run run(const QStringList& arguments, bool asNobody = false) const
    {
        return runCli(root(), QStringList{arguments.first(), "-C", "editor"} + arguments.mid(1), asNobody);
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
        QTest::newRow("no command") << QStringList() << "No command given: use check, format or render.";
        QTest::newRow("unknown option") << QStringList{"check", "--fast", "x"} << "Unknown option 'fast'.";
        QTest::newRow("-o with no name") << QStringList{"format", "a", "-o", ""} << "-o needs a file name.";
        QTest::newRow("render without -o")
            << QStringList{"render", "a"} << "render needs -o OUT.png, the picture to write.";
        QTest::newRow("view 5") << QStringList{"render", "a", "-o", "b", "--view", "5"}
                                << "--view must be a number from 0 to 4, not '5'.";
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
        const Run run = game.run(arguments, asNobody);
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
