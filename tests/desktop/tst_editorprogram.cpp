#include "common/TempGame.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTest>

namespace {

const QByteArray usageLines = "Usage: tilewright [-C GAMEDIR] [LEVEL]\nTry 'tilewright --help' for more information.\n";

// The editor program in `folder`, on the offscreen platform, with settings
// of its own in `config` (a child's settings follow XDG_CONFIG_HOME). An
// empty `platform` gives it no display at all, as on a server.
struct Editor
{
    QProcess process;

    Editor(const QString& folder, const QString& config, const QStringList& arguments,
        const QString& platform = QStringLiteral("offscreen"))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        if (platform.isEmpty())
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), config);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), config);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.start(QStringLiteral(TILEWRIGHT_EDITOR), arguments);
    }

    ~Editor()
    {
        process.kill(); // nothing to do once it has ended
        process.waitForFinished();
    }

    // The game folder the program has recorded as used, once it has started there.
    static QString remembered(const QString& config)
    {
        return QSettings(config + QStringLiteral("/Tilewright/Tilewright.conf"), QSettings::IniFormat)
            .value(QStringLiteral("gameFolder"))
            .toString();
    }
};

} // namespace

// The editor's command line through the real program.
class tst_editorprogram : public QObject
{
    Q_OBJECT

    QTemporaryDir config;

private slots:
    // Everything that ends before a window opens, with the status and output a shell sees.
    void endsAtOnce_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out"); // a piece of standard output
        QTest::addColumn<QByteArray>("err");

        QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("-C, --game <GAMEDIR>") << QByteArray();
        QTest::newRow("--version") << QStringList{"--version"} << 0 << QByteArray("tilewright " TILEWRIGHT_VERSION "\n")
                                   << QByteArray();
        QTest::newRow("an unknown option")
            << QStringList{"--bogus"} << 2 << QByteArray() << "tilewright: Unknown option 'bogus'.\n" + usageLines;
        QTest::newRow("a missing game folder")
            << QStringList{"--game", "no/such/folder", "level.txt"} << 2 << QByteArray()
            << "tilewright: The game folder 'no/such/folder' does not exist.\n" + usageLines;
        QTest::newRow("--game-folder, as tilewright-cli calls it")
            << QStringList{"--game-folder", "no/such/folder"} << 2 << QByteArray()
            << "tilewright: The game folder 'no/such/folder' does not exist.\n" + usageLines;
        QTest::newRow("two levels") << QStringList{"a.txt", "b.txt"} << 2 << QByteArray()
                                    << "tilewright: Only one level file can be opened, not 2.\n" + usageLines;
        QTest::newRow("nothing wrong, but no display") << QStringList{"-C", "."} << 1 << QByteArray()
                                                       << QByteArray(
                                                              "tilewright: there is no display to show the editor on "
                                                              "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n");
    }

    void endsAtOnce()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);

        QTemporaryDir empty;
        // The help and the version need no window system at all (no machine has one called "none");
        // everything else is answered without a display.
        Editor editor(empty.path(), config.path(), arguments, status == 0 ? "none" : "");
        QVERIFY(editor.process.waitForFinished(30000));
        QCOMPARE(editor.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.process.exitCode(), status);
        const QByteArray output = editor.process.readAllStandardOutput();
        QVERIFY2(out.isEmpty() ? output.isEmpty() : output.contains(out), output.constData());
        QCOMPARE(editor.process.readAllStandardError(), err);
        QCOMPARE(Editor::remembered(config.path()), QString());
    }

    // A game folder that cannot be used is also reported on standard error,
    // while its message box waits for the person at the screen.
    void startupErrorOnStandardError()
    {
        QTemporaryDir empty;
        Editor editor(empty.path(), config.path(), {QStringLiteral("-C"), QStringLiteral(".")});
        QElapsedTimer waited;
        waited.start();
        const QByteArray expected = "tilewright: The element catalogue \""
            + QDir(empty.path()).filePath("Elements.txt").toLocal8Bit() + "\" was not found.\n";
        QByteArray err;
        while (!err.contains(expected) && waited.elapsed() < 30000 && !editor.process.waitForFinished(20))
            err += editor.process.readAllStandardError();
        QVERIFY2(err.startsWith(expected), err.constData());
    }

    // Started from another folder with -C and a level from there, the
    // editor reads the game there, opens its window and stays open.
    void startsFromAnotherFolder()
    {
#if !defined(Q_OS_UNIX) || defined(Q_OS_DARWIN)
        QSKIP("only XDG_CONFIG_HOME keeps the program's settings apart from the user's");
#endif
        TempGame game(TempGame::SampleLevels);
        QTemporaryDir elsewhere;
        QTemporaryDir ownConfig;
        const QDir from(elsewhere.path());
        Editor editor(elsewhere.path(), ownConfig.path(),
            {QStringLiteral("-C"), from.relativeFilePath(game.editorDir()),
                from.relativeFilePath(game.levelPath(QStringLiteral("Crossing")))});

        // The game folder is recorded once the catalogue and pictures are
        // read and the window is loaded; a window that opens stays open.
        QElapsedTimer waited;
        waited.start();
        while (Editor::remembered(ownConfig.path()).isEmpty() && waited.elapsed() < 30000)
            QVERIFY(!editor.process.waitForFinished(20));
        QCOMPARE(QFileInfo(Editor::remembered(ownConfig.path())).canonicalFilePath(),
            QFileInfo(game.editorDir()).canonicalFilePath());
        QVERIFY(!editor.process.waitForFinished(300));
        QCOMPARE(editor.process.readAllStandardError(), QByteArray());
    }
};

QTEST_MAIN(tst_editorprogram)
#include "tst_editorprogram.moc"
