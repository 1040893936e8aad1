#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "editor/MapSurface.h"
#include "editor/frmMain.h"
#include "levelfile/ChooserSteps.h"
#include "levelfile/LevelText.h"
#include "model/modLists.h"

#include <QDir>
#include <QFile>
#include <QProcess>

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

// The real editor in the game folder: the level comes in through its Load
// command and goes out through its Save command, as a user would do it.
struct Editor
{
    frmMain window;

    Editor()
    {
        QCOMPARE(modLists::readElements(QDir::currentPath()).message(), QString());
        QCOMPARE(window.Form_Load().message(), QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    // Loads the level in row `row` of the index, answering `messages` reports.
    void load(int row, qsizetype messages)
    {
        ScriptedMessages shown;
        for (qsizetype i = 0; i < messages; ++i)
            shown.answer(QMessageBox::Ok);
        ModalDriver driver([&](QWidget* modal) { play(qobject_cast<frmLoadSave*>(modal), {QStringLiteral("click %1").arg(row), "ok"}); });
        window.cmdLoad_Click();
        QVERIFY(driver.ran());
        QCOMPARE(shown.shown().size(), messages);
    }

    QByteArray save(const TempGame& game)
    {
        ScriptedMessages none;
        ModalDriver driver([](QWidget* modal) { play(qobject_cast<frmLoadSave*>(modal), {"type Saved", "ok"}); });
        window.cmdSave_Click();
        if (!driver.ran())
            return "the chooser was not shown";
        return TempGame::readFile(game.levelPath(QStringLiteral("Saved")));
    }

    QImage map(int view)
    {
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("optView%1").arg(view)), Qt::LeftButton, {}, QPoint(5, 5));
        return window.findChild<MapSurface*>(QStringLiteral("picInner"))->image();
    }
};

// The worked example of the level format, in the sample game's kinds.
const QByteArray workedExample = fileLines({"floor|wall|floor", "floor|ice|floor", "", "Screen|all", "1|0|Player|left", "0|1|door|2|3",
    "2|1|box", "", "Screen|1", "", "Screen|2", "1|1|wall", "0|0|box", "", "Screen|3", "", "Screen|4", "2|0|ice"});

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
        const QByteArray grid = fileLines({"floor|wall", "wall|floor", ""});
        QTest::newRow("sample levels") << QByteArray() << all << QStringList();
        QTest::newRow("unknown kinds") << grid + fileLines({"Screen|all", "1|2|xyz", "", "Screen|3", "0|1|Player"}) << all
                                       << QStringList{"levels/Crossing.txt:5: Unrecognised: \"xyz\" at 0: 1, 2",
                                              "levels/Crossing.txt:8: Unrecognised: \"Player\" at 3: 0, 1"};
        QTest::newRow("unknown kind, then a bad line") << grid + fileLines({"1|1|", "Screen|ALL"}) << one
                                                       << QStringList{"levels/Crossing.txt:4: Unrecognised: \"\" at 0: 1, 1",
                                                              "levels/Crossing.txt:5: Bad input file: line 5: the screen \"ALL\" is "
                                                              "neither all nor a number from -32768 to 32767"};
        QTest::newRow("empty file") << QByteArray("") << one
                                    << QStringList{"levels/Crossing.txt:1: Bad input file: line 1: the file is empty"};
        QTest::newRow("missing file, then a good one") << QByteArray() << QStringList{"check", "levels/Gone.txt", "levels/Crossing.txt"}
                                                       << QStringList{"levels/Gone.txt: 'levels/Gone.txt' was not found."};
        QTest::newRow("path as given") << grid + "9|9|zz\r\n"
                                       << QStringList{"check", "./editor/../levels//Crossing.txt"}
                                       << QStringList{"./editor/../levels//Crossing.txt:4: Unrecognised: \"zz\" at 0: 9, 9"};
        QTest::newRow("8-bit kind name") << grid + "0|0|caf\xe9\r\n"
                                         << one << QStringList{"levels/Crossing.txt:4: Unrecognised: \"caf\u00e9\" at 0: 0, 0"};
        QTest::newRow("line feed in a kind") << grid + "0|0|a\nb\r\n"
                                             << one << QStringList{"levels/Crossing.txt:4: Unrecognised: \"a\\nb\" at 0: 0, 0"};
    }

    void check()
    {
        QFETCH(QByteArray, level);
        QFETCH(QStringList, arguments);
        Game game;
        if (!level.isNull())
            game.writeLevel(QByteArray(level).replace('|', '\t'));

        const Run run = game.run(arguments);

        QFETCH(QStringList, lines);
        QCOMPARE(linesOf(run.out), lines);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.status, lines.isEmpty() ? 0 : 1);
    }

    void checkUsesTheCurrentFolderAsGameFolder()
    {
        Game game;
        game.writeLevel(fileLines({"floor", "", "0|0|nothing"}));
        const Run run = runCli(game.editorDir(), {"check", "../levels/Crossing.txt"});
        QCOMPARE(linesOf(run.out), QStringList{"../levels/Crossing.txt:3: Unrecognised: \"nothing\" at 0: 0, 0"});
        QCOMPARE(run.status, 1);
    }

    void format_data()
    {
        QTest::addColumn<QByteArray>("level");
        QTest::addColumn<QByteArray>("written"); // null: nothing
        QTest::addColumn<QStringList>("reports"); // none: exit status 0, else 1
        QTest::newRow("worked example") << workedExample << workedExample << QStringList();
        // Lone CRs, no "all" header, blank lines, a name no tile has and a
        // longer row in the grid, a tile line on the main level, capitals.
        QTest::newRow("hand-written") << QByteArray(
            "wall\tfloor\rice\tzzz\tmore\r\r1\t0\tPLAYER\t , x\r\r\nSCREEN 2\r\n"
            "0\t1\tbox\ta b,c\r\nscreen\tall\r\n0\t0\tice\r\n")
                                      << fileLines({"ice|floor", "ice|floor", "", "Screen|all", "1|0|Player| , x", "", "Screen|1", "",
                                             "Screen|2", "0|1|box|ab|c", "", "Screen|3", "", "Screen|4"})
                                      << QStringList();
        const QByteArray high = allHighBytes();
        const QByteArray highLevel = "floor\r\n\r\nScreen\tall\r\n0\t0\tPlayer\t" + high + "\r\n0\t0\tgem\t" + high + "\r\n";
        QTest::newRow("bytes 0x80 to 0xFF") << highLevel
                                            << highLevel + fileLines({"", "Screen|1", "", "Screen|2", "", "Screen|3", "", "Screen|4"})
                                            << QStringList();
        // Written, the level would lose them (see tst_hostilefiles for --drop-unknown).
        QTest::newRow("only unknown lines") << fileLines({"wall", "", "Screen|all", "0|0|Player|left", "3|3|xyz", "", "Screen|4", "0|0|qq"})
                                            << QByteArray()
                                            << QStringList{"levels/Crossing.txt:5: Unrecognised: \"xyz\" at 0: 3, 3",
                                                   "levels/Crossing.txt:8: Unrecognised: \"qq\" at 4: 0, 0",
                                                   "levels/Crossing.txt: not written: the 2 lines above would be lost; --drop-unknown "
                                                   "writes the level without them."};
        QTest::newRow("bad file") << fileLines({"wall|wall", "wall", ""}) << QByteArray()
                                  << QStringList{
                                         "levels/Crossing.txt:2: Bad input file: line 2: the row holds 1 of the 2 fields of the first row"};
        QTest::newRow("missing file") << QByteArray() << QByteArray()
                                      << QStringList{"levels/Crossing.txt: 'levels/Crossing.txt' was not found."};
    }

    void format()
    {
        QFETCH(QByteArray, level);
        QFETCH(QByteArray, written);
        QFETCH(QStringList, reports);
        const int status = reports.isEmpty() ? 0 : 1;
        Game game;
        if (level.isNull())
            QVERIFY(QFile::remove(game.levelPath("Crossing")));
        else
            game.writeLevel(level);

        const Run toOut = game.run({"format", "levels/Crossing.txt"});
        QCOMPARE(toOut.out, written.isNull() ? QByteArray() : written);
        QCOMPARE(linesOf(toOut.err), reports);
        QCOMPARE(toOut.status, status);

        const Run toFile = game.run({"format", "levels/Crossing.txt", "-o", "out.txt"});
        QCOMPARE(toFile.out, QByteArray());
        QCOMPARE(linesOf(toFile.err), reports);
        QCOMPARE(toFile.status, status);
        QCOMPARE(QFile::exists(game.root() + "/out.txt"), !written.isNull());
        if (written.isNull())
            return;
        QCOMPARE(TempGame::readFile(game.root() + "/out.txt"), written);

        // What the editor itself saves after loading the file.
        Editor editor;
        editor.load(2, reports.size());
        QCOMPARE(editor.save(game), written);
    }

    void render_data()
    {
        QTest::addColumn<int>("row"); // of the level index: FirstSteps, IceCellar, Crossing
        QTest::addColumn<int>("view");
        QTest::addColumn<QByteArray>("level"); // written over Crossing; null: the sample's
        QTest::newRow("FirstSteps") << 0 << 0 << QByteArray();
        QTest::newRow("IceCellar") << 1 << 0 << QByteArray();
        QTest::newRow("IceCellar, bottom left") << 1 << 3 << QByteArray();
        for (int view = 0; view <= 4; ++view)
            QTest::addRow("Crossing, view %d", view) << 2 << view << QByteArray();
        QTest::newRow("player beyond the grid, entities on all screens")
            << 2 << 4
            << fileLines({"wall|ice|floor", "", "5|0|Player|", "1|0|key", "Screen|4", "2|0|water", "0|0|gem", "Screen|1", "1|0|box",
                   "9|9|unknown"});
    }

    void render()
    {
        QFETCH(int, row);
        QFETCH(int, view);
        QFETCH(QByteArray, level);
        Game game;
        if (!level.isNull())
            game.writeLevel(level);
        const QString name = TempGame::readFile(game.levelPath("index")).split('\n').value(row).trimmed();

        QStringList arguments{"render", "levels/" + name + ".txt", "-o", "map.png"};
        if (view != 0)
            arguments << "--view" << QString::number(view);
        const Run run = game.run(arguments);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.status, level.isNull() ? 0 : 1);
        const QImage drawn(game.root() + "/map.png");
        QVERIFY(!drawn.isNull());

        Editor editor;
        editor.load(row, level.isNull() ? 0 : 1);
        const QImage shown = editor.map(view);
        QCOMPARE(drawn.size(), shown.size());
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), shown.convertToFormat(QImage::Format_RGB32));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("no command") << QStringList() << "No command given: use check, format or render.";
        QTest::newRow("unknown command") << QStringList{"draw", "x"} << "Unknown command 'draw': use check, format or render.";
        QTest::newRow("unknown option") << QStringList{"check", "--fast", "x"} << "Unknown option 'fast'.";
        QTest::newRow("check without a level") << QStringList{"check"} << "check needs a level file.";
        QTest::newRow("format, two levels") << QStringList{"format", "a", "b"} << "format takes one level file, not 2.";
        QTest::newRow("render without -o") << QStringList{"render", "a"} << "render needs -o OUT.png, the picture to write.";
        QTest::newRow("view 5") << QStringList{"render", "a", "-o", "b", "--view", "5"} << "--view must be a number from 0 to 4, not '5'.";
        QTest::newRow("view as a word") << QStringList{"render", "a", "-o", "b", "--view", "top"}
                                        << "--view must be a number from 0 to 4, not 'top'.";
        QTest::newRow("view for check") << QStringList{"check", "a", "--view", "1"} << "--view is for render only.";
        QTest::newRow("-o for check") << QStringList{"check", "a", "-o", "b"} << "check writes no file; -o is for format and render.";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const Run run = runCli(QDir::currentPath(), arguments);
        QCOMPARE(QString::fromLocal8Bit(run.err), "tilewright-cli: " + error + "\nTry 'tilewright-cli --help' for more information.\n");
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
        if (startUp.isEmpty())
            startUp = frmMain().Form_Load().message();

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
        for (const char* usage :
            {"check [-C DIR] LEVEL...", "format [-C DIR] LEVEL [-o OUT]", "render [-C DIR] LEVEL -o OUT.png [--view N]"})
            QVERIFY2(help.out.contains(usage), usage);
        const Run version = runCli(QDir::currentPath(), {"--version"});
        QCOMPARE(version.out, QByteArray("tilewright-cli " TILEWRIGHT_VERSION "\n"));
        QCOMPARE(version.status, 0);
    }
};

QTEST_MAIN(tst_cli)
#include "tst_cli.moc"
