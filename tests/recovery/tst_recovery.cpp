// Recovery copies of unsaved work: the real editor killed after an edit and
// started again, every way the window closes, and what a start offers.
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "desktop/EditorStart.h"
#include "editor/MapGeometry.h"
#include "editor/ui/MapSurface.h"
#include "levelfile/ChooserSteps.h"
#include "levelfile/LevelWriter.h"
#include "model/modLists.h"
#include "recovery/RecoveryCopy.h"
#include "recovery/RecoverySlot.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QTest>

namespace {

constexpr QMessageBox::StandardButton Restore = QMessageBox::Yes;

// The new level with a wall (tile kind 1) in each of these cells, unsaved.
Level editedLevel(const QList<QPoint>& walls)
{
    Level level;
    levelops::makeNewLevel(level);
    for (const QPoint cell : walls)
        level.levelTiles(0, cell.x(), cell.y()) = 1;
    level.levelChanged = true;
    return level;
}

QStringList copiesIn(const QString& folder)
{
    return QDir(folder).entryList({"*.recovery"}, QDir::Files);
}

// The editor as the program starts it in the working folder, messages and
// the chooser answered by the test.
std::unique_ptr<frmMain> startEditorHere()
{
    QCommandLineParser parser;
    EditorStart started = startEditor(parseEditorArguments(parser, {"tilewright"}));
    return std::move(started.window);
}

void pressCell(frmMain& window, QPoint cell)
{
    auto* map = window.findChild<MapSurface*>("picInner");
    QTest::mouseClick(map, Qt::LeftButton, {},
        map->contentsRect().topLeft() + mapgeometry::cellCornerPixels(cell.x(), cell.y()) + QPoint(15, 15));
}

} // namespace

class tst_recovery : public QObject
{
    Q_OBJECT

    // The user's data and settings folders, of the test's own.
    QTemporaryDir home;
    QString folder;

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Tilewright");
        QCoreApplication::setApplicationName("Tilewright");
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        folder = recoveryFolder();
        QVERIFY(folder.startsWith(home.path()));
    }

    void cleanup() { QDir(folder).removeRecursively(); }

    // The real editor edits the new level (a test hook presses the map),
    // keeps its copy and is killed; the next start offers the edit back.
    void killedEditor()
    {
#ifndef Q_OS_UNIX
        QSKIP("QProcess::kill() sends SIGKILL only on Unix");
#endif
        TempGame game;
        QVERIFY(modLists::readElements(game.editorDir()));
        const Level edited = editedLevel({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TILEWRIGHT_TEST_PRESSES", "1,1 2,2 3,3 4,4");
        environment.insert("XDG_RUNTIME_DIR", home.path());
        editor.setProcessEnvironment(environment);
        editor.setWorkingDirectory(game.editorDir());
        editor.start(TILEWRIGHT_EDITOR, {});

        const QByteArray wanted = writeLevel(edited, modLists::catalogue);
        const auto copyHoldsEveryPress = [&] {
            RecoveryCopy copy;
            const QStringList copies = copiesIn(folder);
            return copies.size() == 1 && recoverycopy::read(QDir(folder).filePath(copies.first()), copy)
                && copy.level == wanted;
        };
        QTRY_VERIFY_WITH_TIMEOUT(copyHoldsEveryPress(), 60000);
        QCOMPARE(editor.state(), QProcess::Running);
        editor.kill();
        QVERIFY(editor.waitForFinished());

        ScriptedMessages messages;
        messages.answer(Restore);
        const std::unique_ptr<frmMain> window = startEditorHere();
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(messages.texts().first().contains("a new level that was never saved"));
        QVERIFY(modLists::level == edited);
        QVERIFY(window->history().levelChanged());
    }

    // Every way the window closes after an edit: the copy goes when nothing
    // is left unsaved, and stays with the work when the save on the way out
    // failed or was cancelled; the next start then offers it back.
    void closing_data()
    {
        QTest::addColumn<QString>("close");
        QTest::addColumn<bool>("kept");
        QTest::newRow("nothing unsaved (the edit undone)") << "undo" << false;
        QTest::newRow("No to saving") << "no" << false;
        QTest::newRow("saved") << "Saved" << false;
        QTest::newRow("the save failed") << "a/b" << true;
        QTest::newRow("the save cancelled in the chooser") << "" << true;
    }

    void closing()
    {
        QFETCH(QString, close);
        QFETCH(bool, kept);
        TempGame game(TempGame::SampleLevels);
        ScriptedMessages messages;
        std::unique_ptr<frmMain> window = startEditorHere();
        QVERIFY(window);
        pressCell(*window, {5, 6});
        QTRY_COMPARE_WITH_TIMEOUT(copiesIn(folder).size(), 1, 10000);

        if (close == "undo")
            window->undo();
        else
            messages.answer(close == "no" ? QMessageBox::No : QMessageBox::Yes);
        if (close == "a/b")
            messages.answer(QMessageBox::Ok); // the failure report
        ModalDriver chooser([&close](QWidget* modal) {
            const Chooser c{modal};
            c.typeName(close);
            close.isEmpty() ? c.pressCancel() : c.pressOk();
        });
        QVERIFY(window->close());
        window.reset();
        QCOMPARE(copiesIn(folder).size(), kept ? 1 : 0);
        if (!kept)
            return;

        messages.answer(Restore);
        window = startEditorHere();
        QVERIFY(modLists::level == editedLevel({{5, 6}}));
        QVERIFY(window->history().levelChanged());
    }

    // What a start does with a copy it finds: asks, and removes it when the
    // designer discards it; reports a damaged one and keeps it aside; leaves
    // one alone that a running editor holds or another game folder's editor
    // made.
    void offered_data()
    {
        QTest::addColumn<QString>("copy");
        QTest::addColumn<QString>("shown"); // how the one message begins; none: no message
        QTest::addColumn<QStringList>("left");
        const QString question =
            "Tilewright ended before the changes to the level \"Old\" (../levels/Old.txt) were saved";
        QTest::newRow("restored") << "good" << question << QStringList{"x.recovery"};
        QTest::newRow("discarded") << "good" << question << QStringList();
        const QString aside = "The recovery copy \"" + QDir::toNativeSeparators(folder + "/x.recovery")
            + "\" is damaged: its level is not the one that was written. It was kept aside as";
        QTest::newRow("damaged") << "damaged" << aside << QStringList{"x.recovery.damaged"};
        QTest::newRow("held by a running editor") << "held" << QString() << QStringList{"x.recovery"};
        QTest::newRow("another game's") << "elsewhere" << QString() << QStringList{"x.recovery"};
    }

    void offered()
    {
        QFETCH(QString, copy);
        TempGame game;
        QVERIFY(modLists::readElements(game.editorDir()));
        const QString path = QDir(folder).filePath("x.recovery");
        QVERIFY(QDir().mkpath(folder));
        const QString gameFolder = copy == "elsewhere" ? home.path() : QFileInfo(game.editorDir()).canonicalFilePath();
        QVERIFY(recoverycopy::write(path,
            {"Old", "../levels/Old.txt", gameFolder, QDateTime::currentDateTime(),
                writeLevel(editedLevel({{2, 2}}), modLists::catalogue)}));
        if (copy == "damaged")
            game.writeFile(path, TempGame::readFile(path).replace("wall", "ice\t"));
        QLockFile otherEditor(path + ".lock");
        QVERIFY(copy != "held" || otherEditor.tryLock());

        ScriptedMessages messages;
        QFETCH(QString, shown);
        const bool restored = QTest::currentDataTag() == QByteArray("restored");
        if (!shown.isEmpty())
            messages.answer(restored ? Restore : copy == "good" ? QMessageBox::Discard : QMessageBox::Ok);
        const std::unique_ptr<frmMain> window = startEditorHere();
        QCOMPARE(messages.shown().size(), shown.isEmpty() ? 0 : 1);
        QVERIFY2(shown.isEmpty() || messages.texts().first().startsWith(shown), qPrintable(messages.texts().value(0)));
        QCOMPARE(window->history().levelChanged(), restored);
        // Restored, the level is offered again under its name, as after a Load.
        if (restored) {
            QVERIFY(modLists::level == editedLevel({{2, 2}}));
            ModalDriver chooser([](QWidget* modal) {
                QCOMPARE(Chooser{modal}.nameBox()->text(), "Old");
                Chooser{modal}.pressCancel();
            });
            window->cmdSave_Click();
        }
        QTEST(QDir(folder).entryList({"x.recovery", "x.recovery.damaged"}, QDir::Files), "left");
    }
};

QTEST_MAIN(tst_recovery)
#include "tst_recovery.moc"
