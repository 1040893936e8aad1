// tilewright-cli on files that would lose lines, files that are no files,
// and outputs it must not or cannot write. The program runs as a separate
// process that is killed if it does not answer within seconds.
#include "common/HostileFiles.h"
#include "common/TempGame.h"
#include "levelfile/LevelText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

struct Run
{
    int status = -1; // -1: crashed or killed
    QStringList out;
    QStringList err;
};

QStringList linesOf(const QByteArray& output)
{
    QStringList lines = QString::fromLocal8Bit(output).split(u'\n');
    lines.removeAll(QString());
    return lines;
}

// The sample game with its levels; the program runs in the folder above.
struct Game : TempGame
{
    Game()
        : TempGame(SampleLevels)
    {
    }
    QString root() const { return QDir::cleanPath(editorDir() + "/.."); }
    QString at(const QString& relative) const { return QDir(root()).filePath(relative); }

    Run run(QStringList arguments) const
    {
        arguments.insert(1, "-C");
        arguments.insert(2, "editor");
        QProcess process;
        process.setWorkingDirectory(root());
        process.start(QStringLiteral(TILEWRIGHT_CLI), arguments);
        Run run;
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        if (process.exitStatus() == QProcess::NormalExit)
            run.status = process.exitCode();
        run.out = linesOf(process.readAllStandardOutput());
        run.err = linesOf(process.readAllStandardError());
        return run;
    }
};

const QByteArray oddLevel = crlfLines({"floor\twall", "", "Screen\tall", "0\t0\tPlayer\tleft", "1\t0\tgem\t2",
    "0\t0\tzzz", "", "Screen\t7", "1\t1\tkey"});
const QString unknownLine = "levels/Odd.txt:6: Unrecognised: \"zzz\" at 0: 0, 0";
const QString offScreenLine =
    "levels/Odd.txt:9: an entity on screen 7; the screens are all and 1 to 4, so it is kept but never shown or saved";

} // namespace

class tst_clifiles : public QObject
{
    Q_OBJECT
private slots:
    void checkTellsOfEntitiesOffTheScreens()
    {
        Game game;
        game.writeFile(game.at("levels/Odd.txt"), oddLevel);
        const Run run = game.run({"check", "levels/Odd.txt"});
        QCOMPARE(run.out, (QStringList{unknownLine, offScreenLine}));
        QCOMPARE(run.status, 1);
    }

    void formatWritesNothingThatLosesLines_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("written");
        QTest::newRow("onto its own input") << QStringList{"-o", "levels/Odd.txt"} << false;
        QTest::newRow("to standard output") << QStringList() << false;
        QTest::newRow("--drop-unknown") << QStringList{"-o", "levels/Odd.txt", "--drop-unknown"} << true;
    }

    void formatWritesNothingThatLosesLines()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, written);
        Game game;
        const QString path = game.at("levels/Odd.txt");
        game.writeFile(path, oddLevel);
        const Run run = game.run(QStringList{"format", "levels/Odd.txt"} + options);
        QStringList told{unknownLine, offScreenLine};
        if (!written)
            told << "levels/Odd.txt: not written: the 2 lines above would be lost; --drop-unknown writes the level "
                    "without them.";
        QCOMPARE(run.err, told);
        QCOMPARE(run.out, QStringList());
        QCOMPARE(run.status, 1);
        QCOMPARE(TempGame::readFile(path),
            written ? crlfLines({"floor\twall", "", "Screen\tall", "0\t0\tPlayer\tleft", "1\t0\tgem\t2", "",
                "Screen\t1", "", "Screen\t2", "", "Screen\t3", "", "Screen\t4"})
                    : oddLevel);
    }

    void outputNamedEmptyIsAUsageError_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("format") << "format";
        QTest::newRow("render") << "render";
    }

    void outputNamedEmptyIsAUsageError()
    {
        QFETCH(QString, command);
        Game game;
        const Run run = game.run({command, "levels/Crossing.txt", "-o", ""});
        QCOMPARE(run.err.value(0), QString("tilewright-cli: -o needs a file name."));
        QCOMPARE(run.out, QStringList());
        QCOMPARE(run.status, 2);
    }

    void filesThatAreNoFiles_data()
    {
        QTest::addColumn<QString>("file"); // made a named pipe
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("status");
        QTest::newRow("level") << "levels/Odd.txt" << QStringList{"check", "levels/Odd.txt"}
                               << "levels/Odd.txt: 'levels/Odd.txt' is not a regular file." << 1;
        QTest::newRow("catalogue") << "editor/Elements.txt" << QStringList{"check", "levels/Crossing.txt"}
                                   << "The element catalogue \"%1\" is not a regular file." << 2;
        QTest::newRow("picture") << "editor/tiles.gif" << QStringList{"render", "levels/Crossing.txt", "-o", "map.png"}
                                 << "The picture file \"tiles.gif\" is not a regular file." << 2;
        QTest::newRow("output") << "out.txt" << QStringList{"format", "levels/Crossing.txt", "-o", "out.txt"}
                                << "'out.txt' could not be written: it is not a regular file" << 1;
    }

    void filesThatAreNoFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        Game game;
        const QString pipe = game.at(file);
        QFile::remove(pipe);
        if (!hostile::makeFifo(pipe))
            QSKIP("no named pipes here");
        const hostile::FifoHolder holder(pipe);
        const Run run = game.run(arguments);
        QCOMPARE(run.out.join('\n') + run.err.join('\n'),
            told.contains("%1") ? told.arg(QDir::toNativeSeparators(pipe)) : told);
        QTEST(run.status, "status");
        QVERIFY(!QFileInfo(pipe).isFile()); // still the pipe
    }

    void catalogueCountBeyondSixteenBits()
    {
        Game game;
        QByteArray catalogue = TempGame::readFile(game.at("editor/Elements.txt"));
        catalogue.replace(0, catalogue.indexOf('\r'), "32769");
        game.writeFile(game.at("editor/Elements.txt"), catalogue);
        const Run run = game.run({"check", "levels/Crossing.txt"});
        QVERIFY2(
            run.err.value(0).endsWith(
                "line 1: the number of tile kinds must be a number of at most 32768, but the line reads \"32769\"."),
            qPrintable(run.err.join('\n')));
        QCOMPARE(run.status, 2);
    }

    void writeFailureNamesTheSystemsReason()
    {
        Game game;
        // The file fits the folder; the new one a save writes beside it first does not.
        const QString name = QString(246, u'n') + ".txt";
        QFile old(game.at(name));
        if (!old.open(QIODevice::WriteOnly))
            QSKIP("the file system takes no name this long");
        old.close();
        const Run run = game.run({"format", "levels/Crossing.txt", "-o", name});
        if (run.status == 0)
            QSKIP("the file system takes the longer name as well");
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.value(0).startsWith("'" + name + "' could not be written: "), qPrintable(run.err.join('\n')));
        QVERIFY2(!run.err.value(0).endsWith("Unknown error"), qPrintable(run.err.join('\n')));
    }
};

QTEST_GUILESS_MAIN(tst_clifiles)
#include "tst_clifiles.moc"
