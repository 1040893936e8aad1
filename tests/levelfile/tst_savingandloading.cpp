// Saving and loading as the user meets them: the level chooser and the main window's file commands.
#include "ChooserSteps.h"
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "editor/frmMain.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "model/modLists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString saveFailure =
    "File access error - could not save\r\n"
    "please close any program which may be accessing the file (e.g. the Quandor Game) and try again.";
const QByteArray startIndex = "A\r\n\r\nb\r\n";

// The message boxes a user is to meet, "TEXT>ANSWER" separated by ';': answers them in turn.
struct Boxes : ScriptedMessages
{
    QString expected;

    explicit Boxes(QString script)
    {
        for (const QString& box : script.split(';', Qt::SkipEmptyParts)) {
            const QString a = box.section('>', 1);
            answer(a == "Yes" ? QMessageBox::Yes : a == "No" ? QMessageBox::No : a == "Cancel" ? QMessageBox::Cancel : QMessageBox::Ok);
        }
        expected = script.remove(QRegularExpression(">\\w+")).remove(QRegularExpression(";$"));
    }

    // The texts (leaving out the system's reasons, which vary), buttons and icons shown.
    void verify() const
    {
        QCOMPARE(texts().replaceInStrings(QRegularExpression("': .*"), "': ...").join(';'), expected);
        for (const Messages::Request& box : shown()) {
            const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
            QCOMPARE(box.buttons,
                box.text.startsWith("Do you")          ? yesNo | QMessageBox::Cancel
                    : box.text.startsWith("Overwrite") ? yesNo
                                                       : QMessageBox::Ok);
            QCOMPARE(box.icon, box.text.endsWith("was not found.") ? Messages::Icon::Exclamation : Messages::Icon::None);
        }
    }
};

} // namespace

class tst_savingandloading : public QObject
{
    Q_OBJECT
private slots:
    void chooser_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QByteArray>("index"); // null: no index; "<dir>": a folder in its place
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("fName");
        QTest::addColumn<QByteArray>("indexAfter");
        const QString couldNotAdd =
            "Could not add \"%1\" to the level index '" + QDir::toNativeSeparators("../levels/index.txt") + "': ...>Ok";
        QTest::newRow("load: list, click and OK") << false << startIndex << "title Load;items A,,b;name ALevel;click 0;name A;ok"
                                                  << ""
                                                  << "A" << startIndex;
        QTest::newRow("load: double-click") << false << startIndex << "dclick 2"
                                            << ""
                                            << "b" << startIndex;
        QTest::newRow("load: empty item and Enter") << false << startIndex << "click 1;enter"
                                                    << ""
                                                    << "" << startIndex;
        QTest::newRow("load: unlisted name") << false << startIndex << "type a;enter;open;type A;enter"
                                             << "Level does not exist!>Ok"
                                             << "A" << startIndex;
        QTest::newRow("cancel button") << false << startIndex << "click 0;cancel"
                                       << ""
                                       << "" << startIndex;
        QTest::newRow("Esc") << true << startIndex << "title Save;type New;esc"
                             << ""
                             << "" << startIndex;
        QTest::newRow("close box") << true << startIndex << "type New;close"
                                   << ""
                                   << "" << startIndex;
        QTest::newRow("save: new name appended") << true << startIndex << "type New;enter"
                                                 << ""
                                                 << "New" << startIndex + "New\r\n";
        QTest::newRow("save: an empty name is no level") << true << startIndex << "type;ok"
                                                         << ""
                                                         << "" << startIndex;
        QTest::newRow("save: case makes a new name") << true << startIndex << "type a;ok"
                                                     << ""
                                                     << "a" << startIndex + "a\r\n";
        QTest::newRow("save: 8-bit name, hand-edited index") << true << QByteArray("A\rC") << "items A,C;type \u00C4rger;ok"
                                                             << ""
                                                             << "\u00C4rger" << QByteArray("A\rC\r\n\xC4rger\r\n");
        QTest::newRow("save: name the index cannot hold")
            << true << startIndex << "type B\u20AC;enter;open;esc" << couldNotAdd.arg("B\u20AC") << "" << startIndex;
        QTest::newRow("save: listed, No then Yes") << true << startIndex << "click 2;ok;open;ok"
                                                   << "Overwrite existing b?>No;Overwrite existing b?>Yes"
                                                   << "b" << startIndex;
        const QString indexUnusable = "The level index '" + QDir::toNativeSeparators("../levels/index.txt")
            + "' is a folder, not a file, so the list of levels is empty.>Ok;";
        QTest::newRow("save: index cannot take the name")
            << true << QByteArray("<dir>") << "type New;enter;open;esc" << indexUnusable + couldNotAdd.arg("New") << "" << QByteArray();
        QTest::newRow("no index; layout")
            << false << QByteArray()
            << "items ;rect List1 8 8 169 125;rect txtName 8 141 169 19;rect cmdOK 8 168 81 33;rect cmdCancel 97 168 80 33;"
               "size 20 60;rect List1 8 8 4 125;rect txtName 8 141 4 19;rect cmdOK 8 168 81 33;rect cmdCancel 97 168 80 33;"
               "size 300 400;rect List1 8 8 284 316;rect txtName 8 332 284 19;rect cmdOK 8 359 138 33;rect cmdCancel 154 359 138 33;esc"
            << ""
            << "" << QByteArray();
    }

    void chooser()
    {
        QFETCH(QByteArray, index);
        QFETCH(QString, boxes);
        QFETCH(bool, save);
        QFETCH(QString, steps);
        TempGame game;
        const QString indexPath = QDir(game.levelsDir()).filePath("index.txt");
        if (index == "<dir>")
            QVERIFY(QDir().mkdir(indexPath)); // stops root too
        else if (!index.isNull())
            game.writeFile(indexPath, index);
        Boxes shown(boxes);
        frmLoadSave chooser(nullptr);
        chooser.save = save;
        ModalDriver driver([&](QWidget* modal) { play(qobject_cast<frmLoadSave*>(modal), steps.split(';')); });
        chooser.exec();
        QVERIFY2(driver.ran() && chooser.isHidden(), "the chooser was not shown or stayed open");
        QTEST(chooser.fName, "fName");
        shown.verify();
        QTEST(TempGame::readFile(indexPath), "indexAfter");
    }

    void commands_data()
    {
        QTest::addColumn<QString>("commands"); // "save", "load" and "close", in turn
        QTest::addColumn<QString>("steps"); // on each command's chooser, separated by '|'
        QTest::addColumn<QString>("name"); // the level whose file is at stake
        QTest::addColumn<QByteArray>("file"); // its file before: null as it is, "<none>" or "<dir>" (a folder)
        QTest::addColumn<QString>("boxes"); // %P: the file's path
        QTest::addColumn<QString>("outcome"); // "saved", "loaded" or "kept"; ", closed" when the window closed
        const QString overwrite = "Overwrite existing FirstSteps?>Yes;Overwrite existing \"%P\"?>", longest(251, 'L');
        const QString fileAsks = "Overwrite existing \"%P\"?>Yes;", failed = saveFailure + ">Ok";
        const QByteArray old = "old\r\n", unknown = "floor\tfloor\r\n\r\n1\t1\tzzz\r\n";
        const QString reported = "Unrecognised: \"zzz\" at 0: 1, 1>Ok", unload = "Do you want to save your changes?>";
        QTest::newRow("save: new name") << "save"
                                        << "type Mine;enter"
                                        << "Mine" << QByteArray() << ""
                                        << "saved";
        QTest::newRow("save: overwrite, Yes") << "save"
                                              << "type FirstSteps;enter"
                                              << "FirstSteps" << QByteArray() << overwrite + "Yes"
                                              << "saved";
        QTest::newRow("save: overwrite, No") << "save"
                                             << "type FirstSteps;enter"
                                             << "FirstSteps" << QByteArray() << overwrite + "No"
                                             << "kept";
        QTest::newRow("save: chooser cancelled") << "save"
                                                 << "type FirstSteps;esc"
                                                 << "FirstSteps" << QByteArray() << ""
                                                 << "kept";
        QTest::newRow("save: file missing from the index") << "save"
                                                           << "type Extra;enter"
                                                           << "Extra" << old << fileAsks << "saved";
        QTest::newRow("save: name with a folder in it") << "save"
                                                        << "type sub/Lvl;enter"
                                                        << "sub/Lvl" << QByteArray() << failed << "kept";
        QTest::newRow("save: a folder in the file's place") << "save"
                                                            << "type Dir;enter"
                                                            << "Dir" << QByteArray("<dir>") << fileAsks + failed << "kept";
        // The file can be there, but not the save's new file beside it, whose suffix makes the name too long:
        // the chooser refuses the name before it goes into the index.
        QTest::newRow("save: longest file name") << "save"
                                                 << "type " + longest + ";enter;open;esc" << longest << old
                                                 << "The name is too long for a level: its file and the temporary file a save writes "
                                                    "beside it must fit the file system's limit of 255 characters, so a level name may "
                                                    "have at most 244 characters, and this one has 251.>Ok"
                                                 << "kept";
        QTest::newRow("load: sample level") << "load"
                                            << "click 2;ok"
                                            << "Crossing" << QByteArray() << ""
                                            << "loaded";
        QTest::newRow("load: missing file") << "load"
                                            << "click 2;ok"
                                            << "Crossing" << QByteArray("<none>") << "'%P' was not found.>Ok"
                                            << "kept";
        QTest::newRow("load: unknown kind") << "load"
                                            << "click 2;ok"
                                            << "Crossing" << unknown << reported << "loaded";
        QTest::newRow("load: bad file") << "load"
                                        << "click 2;ok"
                                        << "Crossing" << unknown + "Screen\tALL\r\n"
                                        << reported
                + ";Bad input file: line 4: the screen \"ALL\" is neither all nor a number from -32768 to 32767>Ok"
                                        << "kept";
        QTest::newRow("chooser keeps its name") << "save;load"
                                                << "type Kept;esc|name Kept;esc"
                                                << "" << QByteArray() << ""
                                                << "kept";
        QTest::newRow("close: nothing to save") << "save;close"
                                                << "type Mine;enter|"
                                                << "Mine" << QByteArray() << ""
                                                << "saved, closed";
        QTest::newRow("close: Cancel") << "close"
                                       << ""
                                       << "" << QByteArray() << unload + "Cancel"
                                       << "kept";
        QTest::newRow("close: No") << "close"
                                   << ""
                                   << "" << QByteArray() << unload + "No"
                                   << "kept, closed";
        QTest::newRow("close: Yes, chooser cancelled") << "close"
                                                       << "esc"
                                                       << "" << QByteArray() << unload + "Yes"
                                                       << "kept, closed";
    }

    void commands()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(QString, boxes);
        QFETCH(QString, steps);
        QFETCH(QString, outcome);
        TempGame game(TempGame::SampleLevels);
        QCOMPARE(modLists::readElements(game.editorDir()).message(), QString());
        frmMain window;
        QCOMPARE(window.Form_Load().message(), QString());
        window.show();
        levelops::setCell(modLists::level, 0, 1, 1, 2); // an edit not yet saved
        modLists::level.levelChanged = true;
        Level level = modLists::level;
        const double innerWidth = window.geometry().innerWidth(MainControl::picInner);
        const QString path = game.levelPath(name);
        if (file == "<dir>")
            QVERIFY(QDir().mkpath(path + "/keep"));
        else if (file == "<none>")
            QVERIFY(QFile::remove(path));
        else if (!file.isNull()) {
            game.writeFile(path, file);
            if (TempGame::readFile(path) != file)
                QSKIP("the file system does not take the file this case needs");
        }
        file = TempGame::readFile(path);
        Boxes shown(boxes.replace("%P", QDir::toNativeSeparators("../levels/" + name + ".txt")));

        QFETCH(QString, commands);
        for (const QString& command : commands.split(';')) {
            const QString chooserSteps = steps.section('|', 0, 0);
            steps = steps.section('|', 1);
            ModalDriver driver([&](QWidget* modal) { play(qobject_cast<frmLoadSave*>(modal), chooserSteps.split(';')); });
            if (command == "close")
                window.close();
            else
                command == "save" ? window.cmdSave_Click() : window.cmdLoad_Click();
            QVERIFY2(driver.ran() != chooserSteps.isEmpty(), "the chooser did not come");
        }

        shown.verify();
        QCOMPARE(window.isVisible(), !outcome.endsWith("closed"));
        if (outcome == "loaded")
            level = readLevel(file, modLists::catalogue, level).level;
        level.levelChanged = outcome == "kept" || outcome == "kept, closed";
        QCOMPARE(modLists::level, level);
        QCOMPARE(TempGame::readFile(path), outcome.startsWith("saved") ? writeLevel(level, modLists::catalogue) : file);
        QVERIFY(!QFileInfo(path).isDir() || QFileInfo::exists(path + "/keep"));
        QCOMPARE(window.geometry().innerWidth(MainControl::picInner), outcome == "loaded" ? 465.0 * level.levelWidth + 240 : innerWidth);
    }
};

QTEST_MAIN(tst_savingandloading)
#include "tst_savingandloading.moc"
