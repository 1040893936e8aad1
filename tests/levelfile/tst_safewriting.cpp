// Every writer on a disk that fills up, made for real: the program runs as
// a child whose files may not grow beyond a limit (RLIMIT_FSIZE, SIGXFSZ
// ignored), so that a write beyond it fails as on a full disk.
#include "ChooserSteps.h"
#include "app/ui/Messages.h"
#include "common/ModalDriver.h"
#include "common/TempGame.h"
#include "editor/ui/frmMain.h"
#include "levelfile/LevelPaths.h"
#include "levelfile/LevelText.h"
#include "model/modLists.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

// Qt gathers writes of less than this before it writes them.
constexpr qint64 writeBuffer = 16 * 1024;

// Starts `program` in `folder` with its files limited to `limit` bytes
// (none for 0) and waits for it to end.
struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run runLimited(const QString& folder, const QString& program, const QStringList& arguments, qint64 limit,
    const QString& standardOutput = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
#ifdef Q_OS_UNIX
    if (limit > 0)
        process.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{rlim_t(limit), rlim_t(limit)};
            setrlimit(RLIMIT_FSIZE, &fileSize);
        });
#endif
    process.start(program, arguments);
    Run run;
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A level of `side` by `side` cells of the sample's kinds; `corners` fills
// every cell of the corner screens as well.
QByteArray levelText(int side, bool corners)
{
    QList<QByteArray> lines;
    for (int y = 0; y < side; ++y)
        lines.append(QByteArrayList(side, "floor").join('\t'));
    lines << ""
          << "Screen\tall"
          << "0\t0\tPlayer\tright";
    for (int screen = 1; screen <= 4; ++screen) {
        lines << ""
              << "Screen\t" + QByteArray::number(screen);
        for (int cell = 0; corners && cell < side * side; ++cell)
            lines << QByteArray::number(cell % side) + "\t" + QByteArray::number(cell / side) + "\twall";
    }
    return crlfLines(lines);
}

// The editor, in a child of the test: opens levels/Big.txt and saves it
// under `name` through the chooser, answering Yes to every question, then
// prints every message it showed (text, then details). A name the index
// lacks goes into the index first; if that fails, the chooser is cancelled.
int saveInTheEditor(const QString& editorDir, const QString& name)
{
    QStringList shown;
    Messages::setAnswerer([&shown](const Messages::Request& request) {
        shown << request.text + "\n" + request.details;
        return request.buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok;
    });
    QDir::setCurrent(editorDir);
    if (!modLists::readElements(editorDir))
        return 2;
    frmMain window;
    if (!window.Form_Load())
        return 2;
    window.show();
    window.openLevelFile(levelFilePath("Big"));
    ModalDriver driver([&name](QWidget* modal) {
        const Chooser chooser{modal};
        chooser.typeName(name);
        chooser.pressOk();
        if (modal->isVisible())
            chooser.pressCancel();
    });
    window.cmdSave_Click();
    QTextStream(stdout) << shown.join("\n---\n");
    return 0;
}

} // namespace

class tst_safewriting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
#ifndef Q_OS_UNIX
        QSKIP("a full disk is made with a file size limit, which only Unix has");
#endif
    }

    // Each writer, with an output below Qt's write buffer (it goes to the
    // disk only when the file is committed) and one above it (it goes at
    // once, and stops short): the message names the system's reason and
    // the old file stays byte for byte.
    void fullDisk_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<bool>("large");
        for (const char* writer :
            {"format -o", "render -o", "format to standard output", "the editor's Save", "the index"}) {
            QTest::addRow("%s, small", writer) << writer << false;
            QTest::addRow("%s, large", writer) << writer << true;
        }
    }

    void fullDisk()
    {
        QFETCH(QString, writer);
        QFETCH(bool, large);
        TempGame game(TempGame::SampleLevels);
        game.writeFile(game.levelPath("Big"), levelText(large ? 70 : 12, large));
        if (writer.startsWith("the"))
            return editorOnAFullDisk(game, writer == "the index", large);
        const QString target = writer.startsWith("render") ? "levels/Map.png" : "levels/Crossing.txt";
        const QString root = QDir(game.editorDir()).filePath("..");
        const QString oldPath = QDir(root).filePath(target);
        game.writeFile(oldPath, "the old file\r\n");
        QStringList arguments{writer.section(' ', 0, 0), "-C", "editor", "levels/Big.txt"};
        const bool toFile = writer.endsWith("-o");
        if (toFile)
            arguments << "-o" << target;
        const QString out = toFile ? QString() : QDir(root).filePath("out.txt");

        // Unlimited, the output is as large as the row says.
        const QString scratch = QDir(root).filePath("scratch");
        const Run unlimited = runLimited(root, TILEWRIGHT_CLI,
            toFile ? arguments.mid(0, 4) + QStringList{"-o", scratch} : arguments, 0, toFile ? QString() : scratch);
        QCOMPARE(unlimited.status, 0);
        const qint64 size = QFileInfo(scratch).size();
        QVERIFY2(large ? size > writeBuffer : size < writeBuffer, qPrintable(QString::number(size)));

        const QStringList files = QDir(game.levelsDir()).entryList(QDir::Files | QDir::Hidden);
        const Run limited = runLimited(root, TILEWRIGHT_CLI, arguments, size / 4, out);
        QCOMPARE(limited.status, 1);
        const QString told = QString::fromLocal8Bit(limited.err);
        const QString expected = toFile ? "'" + target + "' could not be written: "
                                        : "tilewright-cli: standard output could not be written: ";
        QCOMPARE(told, expected + qt_error_string(EFBIG) + "\n");
        QCOMPARE(TempGame::readFile(oldPath), QByteArray("the old file\r\n"));
        QCOMPARE(QDir(game.levelsDir()).entryList(QDir::Files | QDir::Hidden), files); // nothing left beside it
    }

    void editorOnAFullDisk(const TempGame& game, bool index, bool large)
    {
        // The index grows by a name; the level file is written anew.
        const QString target = index ? QDir(game.levelsDir()).filePath("index.txt") : game.levelPath("Crossing");
        if (index && large)
            game.writeFile(target, QByteArray(100 * 1024, 'n') + "\r\n");
        const QByteArray old = TempGame::readFile(target);
        const qint64 size = index ? old.size() + 11 : QFileInfo(game.levelPath("Big")).size();
        QVERIFY2(large ? size > writeBuffer : size < writeBuffer, qPrintable(QString::number(size)));
        const QStringList files = QDir(game.levelsDir()).entryList(QDir::Files | QDir::Hidden);

        const Run run = runLimited(game.editorDir(), QCoreApplication::applicationFilePath(),
            {"--save", game.editorDir(), index ? "Brand new" : "Crossing"}, size / 4);
        QCOMPARE(run.status, 0);
        const QString reason = qt_error_string(EFBIG);
        const QString expected = index
            ? "Could not add \"Brand new\" to the level index '" + levelIndexPath() + "': " + reason + ".\n"
            : "File access error - could not save\r\nplease close any program which may be accessing the file (e.g. "
              "the Quandor "
              "Game) and try again.\n'"
                + levelFilePath("Crossing") + "' could not be written: " + reason + ".";
        QCOMPARE(QString::fromUtf8(run.out).split("\n---\n").last(), expected);
        QCOMPARE(TempGame::readFile(target), old);
        QCOMPARE(QDir(game.levelsDir()).entryList(QDir::Files | QDir::Hidden), files);
    }

    // format -o killed at 200 random moments, from its start to its end: the
    // target always holds the old bytes or the new ones. Nothing is left
    // beside it but, at most once, the finished new file: Qt links the
    // written file under a name of its own a few microseconds before it
    // renames it into place, and a kill in between leaves that link.
    void killedWhileWriting()
    {
        TempGame game(TempGame::SampleLevels);
        game.writeFile(game.levelPath("Big"), levelText(70, true));
        const QString root = QDir(game.editorDir()).filePath("..");
        const QString target = game.levelPath("Crossing");
        const QByteArray old = TempGame::readFile(target);
        const QStringList arguments{"format", "-C", "editor", "levels/Big.txt", "-o", "levels/Crossing.txt"};
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runLimited(root, TILEWRIGHT_CLI, arguments, 0).status, 0);
        const qint64 lifetime = clock.nsecsElapsed() / 1000;
        const QByteArray written = TempGame::readFile(target);
        const QStringList files = QDir(game.levelsDir()).entryList(QDir::Files | QDir::Hidden);
        int linksLeft = 0;
        for (int kill = 0; kill < 200; ++kill) {
            game.writeFile(target, old);
            QProcess process;
            process.setWorkingDirectory(root);
            process.start(TILEWRIGHT_CLI, arguments);
            QVERIFY(process.waitForStarted());
            QThread::usleep(QRandomGenerator::global()->bounded(lifetime));
            process.kill();
            QVERIFY(process.waitForFinished());
            const QByteArray found = TempGame::readFile(target);
            QVERIFY2(found == old || found == written, qPrintable(QString::number(kill)));
            for (const QString& left : QDir(game.levelsDir()).entryList(QDir::Files | QDir::Hidden)) {
                if (files.contains(left))
                    continue;
                QCOMPARE(TempGame::readFile(QDir(game.levelsDir()).filePath(left)), written);
                QVERIFY(QFile::remove(QDir(game.levelsDir()).filePath(left)));
                ++linksLeft;
            }
        }
        QVERIFY2(linksLeft <= 1, qPrintable(QString::number(linksLeft)));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--save") == 0)
        return saveInTheEditor(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    tst_safewriting test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_safewriting.moc"
