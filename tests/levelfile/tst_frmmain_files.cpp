#include "ChooserSteps.h"
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "common/TestPaths.h"
#include "editor/frmMain.h"
#include "levelfile/LevelPaths.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "model/modLists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <memory>

namespace {

const QString saveFailure = "File access error - could not save\r\n"
                            "please close any program which may be accessing the file (e.g. the Quandor Game) and try again.";

// A main window in a game folder of its own holding the sample levels, with
// an edit not yet saved.
struct Editor
{
    TempGame game{TempGame::SampleLevels};
    frmMain window;

    Editor()
    {
        QCOMPARE(modLists::readElements(game.editorDir()), QString());
        QCOMPARE(window.Form_Load(), QString());
        levelops::setCell(modLists::level, 0, 1, 1, 2);
        modLists::level.levelChanged = true;
    }

    // Runs a command with the user playing `steps` on the chooser.
    void withChooser(const QStringList& steps, void (frmMain::*command)())
    {
        ModalDriver driver([&](QWidget* modal) { play(qobject_cast<frmLoadSave*>(modal), steps); });
        (window.*command)();
        QVERIFY2(driver.ran(), "the chooser was not shown");
    }
};

} // namespace

class tst_frmmain_files : public QObject
{
    Q_OBJECT
private slots:
    void saves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("old"); // written before the save; "<dir>" makes a folder
        QTest::addColumn<QString>("lastStep");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("messages"); // %P stands for the level's path
        QTest::addColumn<bool>("written");
        const QString chooserAsks = "Overwrite existing FirstSteps?";
        const QString fileAsks = "Overwrite existing \"%P\"?";
        QTest::newRow("new name") << "Mine" << QByteArray() << "enter" << QStringList() << QStringList() << true;
        QTest::newRow("overwrite, Yes") << "FirstSteps" << QByteArray() << "enter" << QStringList{"Yes", "Yes"} << QStringList{chooserAsks, fileAsks} << true;
        QTest::newRow("overwrite, No") << "FirstSteps" << QByteArray() << "enter" << QStringList{"Yes", "No"} << QStringList{chooserAsks, fileAsks} << false;
        QTest::newRow("chooser cancelled") << "FirstSteps" << QByteArray() << "esc" << QStringList() << QStringList() << false;
        QTest::newRow("file missing from the index") << "Extra" << QByteArray("old\r\n") << "enter" << QStringList{"Yes"} << QStringList{fileAsks} << true;
        QTest::newRow("name with a folder in it") << "sub/Lvl" << QByteArray() << "enter" << QStringList{"Ok"} << QStringList{saveFailure} << false;
        QTest::newRow("a folder in the file's place") << "Dir" << QByteArray("<dir>") << "enter" << QStringList{"Yes", "Ok"}
                                                      << QStringList{fileAsks, saveFailure} << false;
        // The file can exist, but the save's new file beside it, named with a
        // suffix, is too long a name for the file system: this fails for
        // every user, root included.
        QTest::newRow("longest file name") << QString(251, 'L') << QByteArray("old\r\n") << "enter" << QStringList{"Yes", "Ok"}
                                           << QStringList{fileAsks, saveFailure} << false;
    }

    void saves()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, old);
        QFETCH(QStringList, answers);
        Editor editor;
        const QString path = editor.game.levelPath(name);
        if (old == "<dir>")
            QVERIFY(QDir().mkpath(path + "/keep"));
        else if (!old.isEmpty()) {
            editor.game.writeFile(path, old);
            if (TempGame::readFile(path) != old)
                QSKIP("the file system does not take the file this case needs");
        }
        const QByteArray before = TempGame::readFile(path);
        QFETCH(QString, lastStep);
        ScriptedMessages shown;
        for (const QString& answer : answers)
            shown.answer(button(answer));
        const Level level = modLists::level;

        editor.withChooser({"type " + name, lastStep}, &frmMain::cmdSave_Click);

        QFETCH(QStringList, messages);
        QCOMPARE(shown.texts(), messages.replaceInStrings("%P", levelFilePath(name)));
        QFETCH(bool, written);
        QCOMPARE(modLists::level.levelChanged, !written);
        modLists::level.levelChanged = level.levelChanged;
        QCOMPARE(modLists::level, level);
        if (written)
            QCOMPARE(TempGame::readFile(path), writeLevel(level, modLists::catalogue));
        else if (old == "<dir>")
            QVERIFY(QFileInfo::exists(path + "/keep"));
        else
            QCOMPARE(TempGame::readFile(path), before);
    }

    void chooserIsLoadedOnceAndKeepsItsName()
    {
        Editor editor;
        editor.withChooser({"type Kept", "esc"}, &frmMain::cmdSave_Click);
        auto* chooser = editor.window.findChild<frmLoadSave*>();
        QVERIFY(chooser && chooser->isHidden());
        QCOMPARE(chooser->parentWidget(), &editor.window);
        editor.withChooser({"esc"}, &frmMain::cmdLoad_Click);
        QCOMPARE(editor.window.findChildren<frmLoadSave*>().size(), 1);
        QCOMPARE(chooser->findChild<QLineEdit*>("txtName")->text(), QString("Kept"));
    }

    void readOnlyFolderKeepsTheOldFile()
    {
        Editor editor;
        const QString path = editor.game.levelPath("FirstSteps");
        const QByteArray before = TempGame::readFile(path);
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser;
        QVERIFY(QFile::setPermissions(editor.game.levelsDir(), readOnly));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
        auto restore = qScopeGuard([&] {
            QFile::setPermissions(editor.game.levelsDir(), readOnly | QFile::WriteOwner | QFile::WriteUser);
        });
        QFile probe(QDir(editor.game.levelsDir()).filePath("probe.txt"));
        if (probe.open(QIODevice::WriteOnly))
            QSKIP("permissions do not stop this user from writing (running as root)");

        ScriptedMessages shown;
        shown.answer(QMessageBox::Yes).answer(QMessageBox::Yes).answer(QMessageBox::Ok);
        editor.withChooser({"click 0", "enter"}, &frmMain::cmdSave_Click);
        QCOMPARE(shown.texts().last(), saveFailure);
        QVERIFY(modLists::level.levelChanged);
        QCOMPARE(TempGame::readFile(path), before);
    }

    void loads_data()
    {
        QTest::addColumn<QByteArray>("file"); // the file of level Crossing; null: no file
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("replaced");
        const QByteArray unknown = "floor\tfloor\r\n\r\n1\t1\tzzz\r\n";
        QTest::newRow("sample level") << TempGame::readFile(sampleLevelsDir() + "/Crossing.txt") << QStringList() << true;
        QTest::newRow("missing file") << QByteArray() << QStringList{"'" + levelFilePath("Crossing") + "' was not found."} << false;
        QTest::newRow("unknown kind") << unknown << QStringList{"Unrecognised: \"zzz\" at 0: 1, 1"} << true;
        QTest::newRow("bad file") << unknown + "Screen\tALL\r\n"
                                  << QStringList{"Unrecognised: \"zzz\" at 0: 1, 1",
                                         "Bad input file: line 4: the screen \"ALL\" is neither all nor a number from -32768 to 32767"}
                                  << false;
    }

    void loads()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, messages);
        QFETCH(bool, replaced);
        Editor editor;
        const QString path = editor.game.levelPath("Crossing");
        QFile::remove(path);
        if (!file.isNull())
            editor.game.writeFile(path, file);
        ScriptedMessages shown;
        for (int i = 0; i < messages.size(); ++i)
            shown.answer(QMessageBox::Ok);
        const Level before = modLists::level;
        const FormGeometry geometryBefore = editor.window.geometry();

        editor.withChooser({"click 2", "ok"}, &frmMain::cmdLoad_Click);

        QCOMPARE(shown.texts(), messages);
        for (const Messages::Request& request : shown.shown())
            QCOMPARE(request.icon, file.isNull() ? Messages::Icon::Exclamation : Messages::Icon::None);
        if (replaced) {
            QCOMPARE(modLists::level, readLevel(file, modLists::catalogue, before).level);
            QVERIFY(!modLists::level.levelChanged);
            QCOMPARE(editor.window.geometry().innerWidth("picInner"), 465.0 * modLists::level.levelWidth + 240);
        } else {
            QCOMPARE(modLists::level, before);
            QCOMPARE(editor.window.geometry().rect("picInner"), geometryBefore.rect("picInner"));
        }
    }

    void closeHandler_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("nothing to save") << false << QStringList() << true;
        QTest::newRow("Cancel") << true << QStringList{"Cancel"} << false;
        QTest::newRow("No") << true << QStringList{"No"} << true;
        QTest::newRow("Yes, chooser cancelled") << true << QStringList{"Yes"} << true;
    }

    void closeHandler()
    {
        QFETCH(bool, changed);
        QFETCH(QStringList, answers);
        Editor editor;
        modLists::level.levelChanged = changed;
        editor.window.show();
        ScriptedMessages shown;
        for (const QString& answer : answers)
            shown.answer(button(answer));
        std::unique_ptr<ModalDriver> chooser;
        if (answers == QStringList{"Yes"})
            chooser = std::make_unique<ModalDriver>([](QWidget* modal) { play(qobject_cast<frmLoadSave*>(modal), {"esc"}); });

        QTEST(editor.window.close(), "closes");

        QCOMPARE(shown.texts(), changed ? QStringList{"Do you want to save your changes?"} : QStringList());
        for (const Messages::Request& request : shown.shown())
            QCOMPARE(request.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(!chooser || chooser->ran());
        QCOMPARE(modLists::level.levelChanged, changed); // nothing was saved
    }
};


QTEST_MAIN(tst_frmmain_files)
#include "tst_frmmain_files.moc"
