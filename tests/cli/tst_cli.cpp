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

#include <memory>

namespace {

struct Run
{
    int status = -1; // -1: crashed or never finished
    QByteArray out;
    QByteArray err;
};

// Runs the program in `folder` as a user would at a prompt, and gives up on
// it after half a minute rather than waiting for ever.
Run runCli(const QString& folder, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(TILEWRIGHT_CLI), arguments);
    Run run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
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
    Run run(const QStringList& arguments) const
    {
        return runCli(root(), QStringList{arguments.first(), "-C", "editor"} + arguments.mid(1));
    }
};

// The worked example of the level format, in the sample game's kinds.
const QByteArray workedExample = crlfLines({"floor\twall\tfloor", "floor\tice\tfloor", ""})
    + crlfLines({"Screen\tall", "1\t0\tPlayer\tleft", "0\t1\tdoor\t2\t3", "2\t1\tbox", ""})
    + crlfLines({"Screen\t1", "", "Screen\t2", "1\t1\twall", "0\t0\tbox", ""})
    + crlfLines({"Screen\t3", "", "Screen\t4", "2\t0\tice"});

QByteArray allHighBytes()
{
    QByteArray bytes;
    for (int c = 0x80; c <= 0xFF; ++c)
        bytes += char(c);
    return bytes;
}

} // namespace

class tst_cli : public QObject
{
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QByteArray>("level"); // written as levels/Crossing.txt; null: the sample's
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines"); // none: exit status 0, else 1
        const QStringList all{"check", "levels/FirstSteps.txt", "levels/IceCellar.txt", "levels/Crossing.txt"};
        const QStringList one{"check", "levels/Crossing.txt"};
        const QString crossing = "levels/Crossing.txt:";
        const QByteArray grid = crlfLines({"floor\twall", "wall\tfloor", ""});
        const QString badScreen =
            "Bad input file: line 5: the screen \"ALL\" is neither all nor a number from -32768 to 32767";
        QTest::newRow("sample levels") << QByteArray() << all << QStringList();
        const QByteArray unknownKinds = grid + crlfLines({"Screen\tall", "1\t2\txyz", "", "Screen\t3", "0\t1\tPlayer"});
        QTest::newRow("unknown kinds") << unknownKinds << all
                                       << QStringList{crossing + "5: Unrecognised: \"xyz\" at 0: 1, 2",
                                              crossing + "8: Unrecognised: \"Player\" at 3: 0, 1"};
        QTest::newRow("unknown kind, then a bad line")
            << grid + crlfLines({"1\t1\t", "Screen\tALL"}) << one
            << QStringList{crossing + "4: Unrecognised: \"\" at 0: 1, 1", crossing + "5: " + badScreen};
        QTest::newRow("missing file, then a good one")
            << QByteArray() << QStringList{"check", "levels/Gone.txt", "levels/Crossing.txt"}
            << QStringList{"levels/Gone.txt: 'levels/Gone.txt' was not found."};
        const QString asGiven = "./editor/../levels//Crossing.txt";
        QTest::newRow("path as given") << grid + crlfLines({"9\t9\tzz"}) << QStringList{"check", asGiven}
                                       << QStringList{asGiven + ":4: Unrecognised: \"zz\" at 0: 9, 9"};
        QTest::newRow("8-bit kind name") << grid + crlfLines({"0\t0\tcaf\xe9"}) << one
                                         << QStringList{crossing + "4: Unrecognised: \"caf\u00e9\" at 0: 0, 0"};
        QTest::newRow("line feed in a kind") << grid + crlfLines({"0\t0\ta\nb"}) << one
                                             << QStringList{crossing + "4: Unrecognised: \"a\\nb\" at 0: 0, 0"};
        QTest::newRow("entity on screen 7")
            << grid + crlfLines({"Screen\t7", "1\t1\tkey"}) << one
            << QStringList{crossing + "5: an entity on screen 7; the screens are all and 1 to 4, so it is kept but "
                                      "never shown or saved"};
    }

    void check()
    {
        QFETCH(QByteArray, level);
        QFETCH(QStringList, arguments);
        Game game;
        if (!level.isNull())
            game.writeLevel(level);

        const Run run = game.run(arguments);

        QFETCH(QStringList, lines);
        QCOMPARE(linesOf(run.out), lines);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.status, lines.isEmpty() ? 0 : 1);
    }

    void checkUsesTheCurrentFolderAsGameFolder()
    {
        Game game;
        game.writeLevel(crlfLines({"floor", "", "0\t0\tnothing"}));
        const Run run = runCli(game.editorDir(), {"check", "../levels/Crossing.txt"});
        QCOMPARE(linesOf(run.out), QStringList{"../levels/Crossing.txt:3: Unrecognised: \"nothing\" at 0: 0, 0"});
        QCOMPARE(run.status, 1);
    }

    void format_data()
    {
        QTest::addColumn<QByteArray>("level");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("written"); // null: nothing
        QTest::addColumn<QStringList>("reports"); // none: exit status 0, else 1
        const QStringList none;
        const QByteArray emptyCorners = crlfLines({"", "Screen\t1", "", "Screen\t2", "", "Screen\t3", "", "Screen\t4"});
        QTest::newRow("worked example") << workedExample << none << workedExample << QStringList();
        // Lone CRs, no "all" header, blank lines, a name no tile has and a
        // longer row in the grid, a tile line on the main level, capitals.
        const QByteArray handWritten =
            "wall\tfloor\rice\tzzz\tmore\r\r1\t0\tPLAYER\t , x\r\r\n"
            "SCREEN 2\r\n0\t1\tbox\ta b,c\r\nscreen\tall\r\n0\t0\tice\r\n";
        const QByteArray tidied = crlfLines({"ice\tfloor", "ice\tfloor", "", "Screen\tall", "1\t0\tPlayer\t , x", ""})
            + crlfLines({"Screen\t1", "", "Screen\t2", "0\t1\tbox\tab\tc", "", "Screen\t3", "", "Screen\t4"});
        QTest::newRow("hand-written") << handWritten << none << tidied << QStringList();
        const QByteArray high = allHighBytes();
        const QByteArray highLevel =
            crlfLines({"floor", "", "Screen\tall", "0\t0\tPlayer\t" + high, "0\t0\tgem\t" + high});
        QTest::newRow("bytes 0x80 to 0xFF") << highLevel << none << highLevel + emptyCorners << QStringList();
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

    // The picture is the map the editor shows for the level, pixel for pixel.
    void render_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("view");
        QTest::addColumn<QByteArray>("level"); // written over Crossing; null: the sample's
        QTest::newRow("FirstSteps") << "FirstSteps" << 0 << QByteArray();
        QTest::newRow("IceCellar") << "IceCellar" << 0 << QByteArray();
        for (int view = 0; view <= 4; ++view)
            QTest::addRow("Crossing, view %d", view) << "Crossing" << view << QByteArray();
        QTest::newRow("player beyond the grid, entities on all screens")
            << "Crossing" << 4
            << crlfLines({"wall\tice\tfloor", "", "5\t0\tPlayer\t", "1\t0\tkey"})
                + crlfLines({"Screen\t4", "2\t0\twater", "0\t0\tgem", "Screen\t1", "1\t0\tbox", "9\t9\tunknown"});
    }

    void render()
    {
        QFETCH(QString, name);
        QFETCH(int, view);
        QFETCH(QByteArray, level);
        Game game;
        if (!level.isNull())
            game.writeLevel(level);

        QStringList arguments{"render", "levels/" + name + ".txt", "-o", "map.png"};
        if (view != 0)
            arguments << "--view" << QString::number(view);
        const Run run = game.run(arguments);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.status, level.isNull() ? 0 : 1);

        QCOMPARE(modLists::readElements(game.editorDir()).message(), QString());
        EditorPictures pictures;
        QVERIFY(loadEditorPictures(game.editorDir(), modLists::catalogue, pictures));
        Level shown;
        levelops::makeNewLevel(shown);
        shown = loadLevelFile(game.levelPath(name), modLists::catalogue, shown).level;
        const QImage drawn(game.root() + "/map.png");
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), maprenderer::renderLevel(pictures, shown, view));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("no command") << QStringList() << "No command given: use check, format or render.";
        QTest::newRow("unknown command") << QStringList{"draw", "x"}
                                         << "Unknown command 'draw': use check, format or render.";
        QTest::newRow("unknown option") << QStringList{"check", "--fast", "x"} << "Unknown option 'fast'.";
        QTest::newRow("check without a level") << QStringList{"check"} << "check needs a level file.";
        QTest::newRow("format, two levels") << QStringList{"format", "a", "b"} << "format takes one level file, not 2.";
        QTest::newRow("-o with no name") << QStringList{"format", "a", "-o", ""} << "-o needs a file name.";
        QTest::newRow("render without -o")
            << QStringList{"render", "a"} << "render needs -o OUT.png, the picture to write.";
        QTest::newRow("view 5") << QStringList{"render", "a", "-o", "b", "--view", "5"}
                                << "--view must be a number from 0 to 4, not '5'.";
        QTest::newRow("view as a word") << QStringList{"render", "a", "-o", "b", "--view", "top"}
                                        << "--view must be a number from 0 to 4, not 'top'.";
        QTest::newRow("view for check") << QStringList{"check", "a", "--view", "1"} << "--view is for render only.";
        QTest::newRow("-o for check") << QStringList{"check", "a", "-o", "b"}
                                      << "check writes no file; -o is for format and render.";
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

    void gameFolderErrors_data()
    {
        QTest::addColumn<QString>("file"); // of the editor folder: removed, or overwritten with `content`
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status"); // 2: the editor's start-up message on standard error
        QTest::newRow("missing catalogue") << "Elements.txt" << QByteArray() << "check" << 2;
        QTest::newRow("malformed catalogue") << "Elements.txt" << QByteArray("2\r\nfloor\r\n") << "format" << 2;
        QTest::newRow("missing tile sheet") << "tiles.gif" << QByteArray() << "render" << 2;
        QTest::newRow("broken entity picture") << "gem_or.bmp" << QByteArray("BM") << "render" << 2;
        QTest::newRow("check needs no pictures") << "tiles.gif" << QByteArray() << "check" << 0;
    }

    void gameFolderErrors()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, command);
        QFETCH(int, status);
        Game game;
        const QString path = QDir(game.editorDir()).filePath(file);
        if (content.isNull())
            QVERIFY(QFile::remove(path));
        else
            game.writeFile(path, content);
        QString startUp = modLists::readElements(game.editorDir()).message();
        EditorPictures pictures;
        if (startUp.isEmpty())
            startUp = loadEditorPictures(game.editorDir(), modLists::catalogue, pictures).message();

        QStringList arguments{command, "-C", game.editorDir(), "levels/Crossing.txt"};
        if (command == "render")
            arguments << "-o"
                      << "map.png";
        const Run run = runCli(game.root(), arguments);

        QCOMPARE(QString::fromLocal8Bit(run.err), status == 2 ? startUp + "\n" : QString());
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.status, status);
        QVERIFY(!QFile::exists(game.root() + "/map.png"));
    }

    // Files that are no files, or too large for what they hold, are refused
    // at once with the file's name; a pipe stays a pipe.
    void filesThatAreNoFiles_data()
    {
        QTest::addColumn<QString>("file"); // made a named pipe, or one byte larger than a level can be
        QTest::addColumn<bool>("pipe");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("status");
        const QString level = "levels/Crossing.txt";
        const QString levelTold = level + ": '" + level + "' ";
        QTest::newRow("level, a named pipe")
            << level << true << QStringList{"check", level} << levelTold + "is not a regular file." << 1;
        QTest::newRow("level, over 64 MB")
            << level << false << QStringList{"check", level} << levelTold + "is larger than 64 MB." << 1;
        QTest::newRow("picture, a named pipe")
            << "editor/tiles.gif" << true << QStringList{"render", level, "-o", "map.png"}
            << "The picture file \"tiles.gif\" is not a regular file." << 2;
        QTest::newRow("output, a named pipe") << "out.txt" << true << QStringList{"format", level, "-o", "out.txt"}
                                              << "'out.txt' could not be written: it is not a regular file" << 1;
    }

    void filesThatAreNoFiles()
    {
        QFETCH(QString, file);
        QFETCH(bool, pipe);
        QFETCH(QStringList, arguments);
        Game game;
        const QString path = game.root() + "/" + file;
        QFile::remove(path);
        std::unique_ptr<hostile::FifoHolder> holder;
        if (!pipe) {
            QFile big(path);
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(filecaps::level + 1));
        } else if (hostile::makeFifo(path)) {
            holder = std::make_unique<hostile::FifoHolder>(path);
        } else {
            QSKIP("no named pipes here");
        }
        const Run run = game.run(arguments);
        QTEST(QString::fromLocal8Bit(run.out + run.err).trimmed(), "told");
        QTEST(run.status, "status");
        QCOMPARE(QFileInfo(path).isFile(), !pipe);
    }

    void unwritableOutput()
    {
        Game game;
        const Run run = game.run({"render", "levels/Crossing.txt", "-o", "no/such/map.png"});
        QVERIFY2(run.err.startsWith("'no/such/map.png' could not be written: "), run.err.constData());
        QCOMPARE(run.status, 1);
    }

    void helpAndVersion()
    {
        const Run help = runCli(QDir::currentPath(), {"--help"});
        QCOMPARE(help.status, 0);
        for (const char* usage : {"check [-C DIR] LEVEL...", "format [-C DIR] LEVEL [-o OUT]",
                 "render [-C DIR] LEVEL -o OUT.png [--view N]"})
            QVERIFY2(help.out.contains(usage), usage);
        const Run version = runCli(QDir::currentPath(), {"--version"});
        QCOMPARE(version.out, QByteArray("tilewright-cli " TILEWRIGHT_VERSION "\n"));
        QCOMPARE(version.status, 0);
    }
};

QTEST_MAIN(tst_cli)
#include "tst_cli.moc"
