#include "common/TempGame.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTest>

namespace {

const QByteArray usageLines = "Usage: tilewright [-C GAMEDIR] [LEVEL]\nTry 'tilewright --help' for more information.\n";

// A window system no machine has: a program that reaches for it fails.
const QString noWindowSystem = QStringLiteral("none");

// The editor program in `folder`, on the offscreen platform, with settings
// of its own in `config` (a child's settings follow XDG_CONFIG_HOME).
struct Editor
{
    QProcess process;

    Editor(const QString& folder, const QString& config, const QStringList& arguments,
        const QString& platform = QStringLiteral("offscreen"))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), config);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.start(QStringLiteral(TILEWRIGHT_EDITOR), arguments);
    }

    ~Editor()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
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
        QTest::newRow("two level files") << QStringList{"a.txt", "b.txt"} << 2 << QByteArray()
                                         << "tilewright: Only one level file can be opened, not 2.\n" + usageLines;
    }

    void endsAtOnce()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);

        QTemporaryDir empty;
        // The help and the version are answered without a display.
        Editor editor(
            empty.path(), config.path(), arguments, status == 0 ? noWindowSystem : QStringLiteral("offscreen"));
        QVERIFY(editor.process.waitForFinished(30000));
        QCOMPARE(editor.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.process.exitCode(), status);
        const QByteArray output = editor.process.readAllStandardOutput();
        QVERIFY2(out.isEmpty() ? output.isEmpty() : output.contains(out), output.constData());
        QCOMPARE(editor.process.readAllStandardError(), err);
        QCOMPARE(Editor::remembered(config.path()), QString());
    }

    // Started from another folder with -C (and a level from there), the
    // editor reads the game there, opens its window and stays open.
    void startsFromAnotherFolder_data()
    {
        QTest::addColumn<bool>("level");
        QTest::newRow("-C, a relative path") << false;
        QTest::newRow("-C and a level") << true;
    }

    void startsFromAnotherFolder()
    {
#if !defined(Q_OS_UNIX) || defined(Q_OS_DARWIN)
        QSKIP("only XDG_CONFIG_HOME keeps the program's settings apart from the user's");
#endif
        QFETCH(bool, level);

        TempGame game(TempGame::SampleLevels);
        QTemporaryDir elsewhere;
        QTemporaryDir ownConfig;
        const QDir from(elsewhere.path());
        QStringList arguments{QStringLiteral("-C"), from.relativeFilePath(game.editorDir())};
        if (level)
            arguments << from.relativeFilePath(game.levelPath(QStringLiteral("Crossing")));
        Editor editor(elsewhere.path(), ownConfig.path(), arguments);

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
