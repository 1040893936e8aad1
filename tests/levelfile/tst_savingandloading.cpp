// Saving and loading as the user meets them: the level chooser and the main window's file commands.
#include "ChooserSteps.h"
#include "common/EditorSession.h"
#include "common/HostileFiles.h"
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "editor/frmMain.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "model/Excerpt.h"
#include "model/modLists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using Steps = std::function<void(Chooser)>; // what the user does in the chooser
enum Mode { Load, Save };
enum Command { SaveCommand, LoadCommand, CloseCommand };
enum Outcome { Saved, Loaded, Kept, Closed }; // closed with the level kept

constexpr QMessageBox::StandardButton Ok = QMessageBox::Ok, Yes = QMessageBox::Yes, No = QMessageBox::No;

// A message box the user is to meet, and the answer given.
struct Box
{
    QString text; // a reason the system gives at the end stands as "': ..."
    QMessageBox::StandardButton answer;
};
using Boxes = QList<Box>;

// Answers the boxes in turn; verify() checks that just these came.
struct Answers : ScriptedMessages
{
    Boxes expected;

    explicit Answers(const Boxes& boxes)
        : expected(boxes)
    {
        for (const Box& box : boxes)
            answer(box.answer);
    }

    // Also checks each box's buttons and icon: questions offer Yes and No,
    // the one about unsaved changes Cancel too, reports only OK; none here
    // has an icon (a missing level's has: tst_editorstart).
    void verify() const
    {
        QStringList texts;
        for (const Box& box : expected)
            texts << box.text;
        QCOMPARE(this->texts().replaceInStrings(QRegularExpression("': .*"), "': ..."), texts);
        for (const Messages::Request& box : shown()) {
            const QMessageBox::StandardButtons yesNo = Yes | No;
            QCOMPARE(box.buttons,
                box.text.startsWith("Do you")          ? yesNo | QMessageBox::Cancel
                    : box.text.startsWith("Overwrite") ? yesNo
                                                       : QMessageBox::Ok);
            QCOMPARE(box.icon, Messages::Icon::None);
        }
    }
};

QString pathOf(const QString& name)
{
    return QDir::toNativeSeparators("../levels/" + name + ".txt");
}

QString couldNotAdd(const QString& name)
{
    return "Could not add \"" + name + "\" to the level index '" + QDir::toNativeSeparators("../levels/index.txt")
        + "': ...";
}

QString tooLong(int length)
{
    return "The name is too long for a level: its file and the temporary file a save writes beside it must fit the "
           "file system's limit of 255 characters, so a level name may have at most 244 characters, and this one has "
        + QString::number(length) + ".";
}

// The lines of a level file of one row whose elements name `count` unknown
// kinds, and the boxes Load shows for them: twenty, then a count of the rest.
QByteArray unknownKinds(int count)
{
    QByteArray file = "floor\tfloor\r\n\r\n";
    for (int i = 0; i < count; ++i)
        file += "0\t0\twhat" + QByteArray::number(i) + "\r\n";
    return file;
}

Boxes unknownKindBoxes(int count)
{
    Boxes boxes;
    for (int i = 0; i < std::min(count, 20); ++i)
        boxes.append({QStringLiteral("Unrecognised: \"what%1\" at 0: 0, 0").arg(i), QMessageBox::Ok});
    if (count == 21)
        boxes.append(
            {"1 more line names a kind that neither the entity kinds nor the tile kinds know; it was skipped "
             "as well.",
                QMessageBox::Ok});
    else if (count > 21)
        boxes.append({QStringLiteral("%1 more lines name a kind that neither the entity kinds nor the tile kinds know; "
                                     "they were skipped as well. tilewright-cli check lists every one.")
                          .arg(count - 20),
            QMessageBox::Ok});
    return boxes;
}

const QString saveFailed =
    "File access error - could not save\r\n"
    "please close any program which may be accessing the file (e.g. the Quandor Game) and try again.";

const QByteArray startIndex = "A\r\n\r\nb\r\n";
// The index, or a level file, before the test: its bytes or one of these.
const QByteArray asItIs; // the sample game's, or none
const QByteArray aFolder = "<a folder>";
const QByteArray aPipe = "<a named pipe>";

// Makes `path` what `before` says; false when the file system will not have it.
bool prepare(const QString& path, const QByteArray& before, std::unique_ptr<hostile::FifoHolder>* pipe = nullptr)
{
    if (before == aPipe && pipe && hostile::makeFifo(path))
        *pipe = std::make_unique<hostile::FifoHolder>(path);
    if (before == aPipe)
        return pipe && *pipe;
    if (before == aFolder)
        return QDir().mkpath(path + "/keep"); // a folder that is not empty stops even root
    QFile file(path);
    return before.isNull() || (file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
}

Steps typeThenEnter(const QString& name)
{
    return [name](Chooser c) {
        c.typeName(name);
        c.pressEnter();
    };
}

// The name is refused: the chooser stays until the user gives up.
Steps typeThenGiveUp(const QString& name)
{
    return [name](Chooser c) {
        c.typeName(name);
        c.pressEnter();
        QVERIFY(c.window->isVisible());
        c.pressEscape();
    };
}

Steps typeThenEscape(const QString& name)
{
    return [name](Chooser c) {
        c.typeName(name);
        c.pressEscape();
    };
}

Steps pickThenOk(int row)
{
    return [row](Chooser c) {
        c.clickItem(row);
        c.pressOk();
    };
}

// The main window on the sample game, with an edit not yet saved.
struct Editor : EditorSession
{
    Editor()
        : EditorSession(TempGame::SampleLevels)
    {
        QCOMPARE(error(), QString());
        levelops::setCell(modLists::level, 0, 1, 1, 2);
        modLists::level.levelChanged = true;
    }

    // Gives the command; `user` plays the chooser, which must come just when
    // there is a `user`.
    void give(Command command, const Steps& user = {})
    {
        ModalDriver driver([&](QWidget* chooser) {
            QVERIFY2(user, "a chooser came");
            user(Chooser{chooser});
        });
        if (command == CloseCommand)
            window().close();
        else
            command == SaveCommand ? window().cmdSave_Click() : window().cmdLoad_Click();
        QVERIFY2(driver.ran() == bool(user), "the chooser did not come");
    }
};

} // namespace

class tst_savingandloading : public QObject
{
    Q_OBJECT
private slots:
    void chooser_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QString>("fName"); // the name it gives its caller
        QTest::addColumn<QByteArray>("indexAfter");
        const QString euro = "B\u20AC"; // Latin-1 has no euro sign

        QTest::newRow("load: first showing, an item clicked, OK") << Load << startIndex << Steps([](Chooser c) {
            QCOMPARE(c.window->windowTitle(), "Load");
            QCOMPARE(c.okButton()->text(), "Load");
            QCOMPARE(c.listedNames(), (QStringList{"A", "", "b"}));
            QCOMPARE(c.nameBox()->text(), "ALevel");
            c.clickItem(0);
            QCOMPARE(c.nameBox()->text(), "A");
            c.pressOk();
        }) << Boxes() << "A" << startIndex;
        QTest::newRow("load: double-click")
            << Load << startIndex << Steps([](Chooser c) { c.doubleClickItem(2); }) << Boxes() << "b" << startIndex;
        QTest::newRow("load: the empty item, Enter in the list") << Load << startIndex << Steps([](Chooser c) {
            c.clickItem(1);
            c.pressEnter();
        }) << Boxes() << "" << startIndex;
        QTest::newRow("load: unlisted name, then a listed one") << Load << startIndex << Steps([](Chooser c) {
            c.typeName("a");
            c.pressEnter();
            QVERIFY(c.window->isVisible());
            c.typeName("A");
            c.pressEnter();
        }) << Boxes{{"Level does not exist!", Ok}} << "A" << startIndex;
        QTest::newRow("load: the first Down key picks the first row") << Load << startIndex << Steps([](Chooser c) {
            c.list()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(c.list(), Qt::Key_Down);
            QCOMPARE(c.nameBox()->text(), "A");
            c.pressEnter();
        }) << Boxes() << "A" << startIndex;
        QTest::newRow("Cancel button") << Load << startIndex << Steps([](Chooser c) {
            c.clickItem(0);
            c.pressCancel();
        }) << Boxes() << "" << startIndex;
        QTest::newRow("save: an empty name is no level")
            << Save << startIndex << typeThenEnter("") << Boxes() << "" << startIndex;
        QTest::newRow("save: a name in another case is new, appended")
            << Save << startIndex << typeThenEnter("a") << Boxes() << "a" << startIndex + "a\r\n";
        QTest::newRow("save: 8-bit name, hand-edited index") << Save << QByteArray("A\rC") << Steps([](Chooser c) {
            QCOMPARE(c.listedNames(), (QStringList{"A", "C"}));
            c.typeName("\u00C4rger");
            c.pressOk();
        }) << Boxes() << "\u00C4rger" << QByteArray("A\rC\r\n\xC4rger\r\n");
        QTest::newRow("save: a name the index cannot hold")
            << Save << startIndex << typeThenGiveUp(euro) << Boxes{{couldNotAdd(euro), Ok}} << "" << startIndex;
        const QString indexUnusable = "The level index '" + QDir::toNativeSeparators("../levels/index.txt")
            + "' is not a regular file, so the list of levels is empty.";
        QTest::newRow("save: an index that is a named pipe")
            << Save << aPipe << typeThenGiveUp("New") << Boxes{{indexUnusable, Ok}, {couldNotAdd("New"), Ok}} << ""
            << QByteArray();
        const QString longest(244, 'n');
        QTest::newRow("save: a name of 244 characters") << Save << startIndex << typeThenEnter(longest) << Boxes()
                                                        << longest << startIndex + longest.toLatin1() + "\r\n";
        QTest::newRow("save: a name of 245 characters, too long for the file beside it")
            << Save << startIndex << typeThenGiveUp(longest + "n") << Boxes{{tooLong(245), Ok}} << "" << startIndex;
        const QByteArray longLine = QByteArray(1 << 20, 'n') + "\r\nb\r\n";
        const Box cutShort{
            "That line of the level index is longer than any level name can be; the list shows "
            "only its beginning.",
            Ok};
        QTest::newRow("save: an index line longer than any name") << Save << longLine << Steps([](Chooser c) {
            QCOMPARE(c.listedNames(), (QStringList{QString(excerptLength, u'n') + QChar(0x2026), "b"}));
            c.clickItem(0);
            c.pressOk();
            QVERIFY(c.window->isVisible());
            c.pressEscape();
        }) << Boxes{cutShort} << "" << longLine;
        const QString askB = "Overwrite existing b?";
        QTest::newRow("save: a listed name, No then Yes") << Save << startIndex << Steps([](Chooser c) {
            QCOMPARE(c.window->windowTitle(), "Save");
            QCOMPARE(c.okButton()->text(), "Save");
            c.clickItem(2);
            c.pressOk();
            QVERIFY(c.window->isVisible());
            QCOMPARE(c.nameBox()->text(), "b");
            c.pressOk();
        }) << Boxes{{askB, No}, {askB, Yes}} << "b" << startIndex;
    }

    void chooser()
    {
        QFETCH(Mode, mode);
        QFETCH(QByteArray, index);
        QFETCH(Steps, steps);
        QFETCH(Boxes, boxes);
        TempGame game;
        const QString indexPath = QDir(game.levelsDir()).filePath("index.txt");
        std::unique_ptr<hostile::FifoHolder> pipe;
        if (!prepare(indexPath, index, &pipe))
            QSKIP("the file system does not take the index this case needs");
        Answers answers(boxes);
        frmLoadSave chooser(nullptr);
        chooser.save = mode == Save;
        ModalDriver driver([&](QWidget* modal) { steps(Chooser{modal}); });
        chooser.exec();
        QVERIFY2(driver.ran() && chooser.isHidden(), "the chooser was not shown or stayed open");
        QTEST(chooser.fName, "fName");
        answers.verify();
        QTEST(QFileInfo(indexPath).isFile() ? TempGame::readFile(indexPath) : QByteArray(), "indexAfter");
    }

    // Laid out at 20 by 60 pixels first, where the steps that would give a
    // negative size are skipped, then at the row's size.
    void chooserLayout_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("list");
        QTest::addColumn<QRect>("name");
        QTest::addColumn<QRect>("ok");
        QTest::addColumn<QRect>("cancel");
        const QRect list(8, 8, 169, 125), name(8, 141, 169, 19), ok(8, 168, 81, 33), cancel(97, 168, 80, 33);
        QTest::newRow("design size") << QSize(185, 209) << list << name << ok << cancel;
        QTest::newRow("20 by 60: the heights and buttons stay")
            << QSize(20, 60) << QRect(8, 8, 4, 125) << QRect(8, 141, 4, 19) << ok << cancel;
        QTest::newRow("300 by 400") << QSize(300, 400) << QRect(8, 8, 284, 316) << QRect(8, 332, 284, 19)
                                    << QRect(8, 359, 138, 33) << QRect(154, 359, 138, 33);
    }

    void chooserLayout()
    {
        QFETCH(QSize, size);
        TempGame game;
        frmLoadSave chooser(nullptr);
        ModalDriver driver([&](QWidget* modal) {
            const Chooser c{modal};
            QCOMPARE(c.listedNames(), QStringList()); // no index: no names
            QCOMPARE(modal->size(), QSize(185, 209));
            modal->resize(20, 60);
            modal->resize(size);
            QTEST(c.list()->geometry(), "list");
            QTEST(c.nameBox()->geometry(), "name");
            QTEST(c.okButton()->geometry(), "ok");
            QTEST(c.part<QPushButton>("cmdCancel")->geometry(), "cancel");
            c.pressEscape();
        });
        chooser.exec();
        QVERIFY(driver.ran());
    }

    void commands_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Steps>("steps"); // in the chooser; none: it must not come
        QTest::addColumn<QString>("name"); // the level whose file is at stake
        QTest::addColumn<QByteArray>("file"); // that file before
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<Outcome>("outcome");
        const QByteArray old = "old\r\n";
        const QByteArray unknownKind = "floor\tfloor\r\n\r\n1\t1\tzzz\r\n";
        const Box unknownReported{"Unrecognised: \"zzz\" at 0: 1, 1", Ok};
        const Box overwriteListed{"Overwrite existing FirstSteps?", Yes}; // asked by the chooser
        auto overwriteFile = [](const QString& name, QMessageBox::StandardButton answer) {
            return Box{"Overwrite existing \"" + pathOf(name) + "\"?", answer};
        };

        QTest::newRow("save: new name") << SaveCommand << typeThenEnter("Mine") << "Mine" << asItIs << Boxes() << Saved;
        QTest::newRow("save: overwrite, Yes") << SaveCommand << typeThenEnter("FirstSteps") << "FirstSteps" << asItIs
                                              << Boxes{overwriteListed, overwriteFile("FirstSteps", Yes)} << Saved;
        QTest::newRow("save: overwrite, No") << SaveCommand << typeThenEnter("FirstSteps") << "FirstSteps" << asItIs
                                             << Boxes{overwriteListed, overwriteFile("FirstSteps", No)} << Kept;
        QTest::newRow("save: chooser cancelled")
            << SaveCommand << typeThenEscape("FirstSteps") << "FirstSteps" << asItIs << Boxes() << Kept;
        QTest::newRow("save: a file missing from the index")
            << SaveCommand << typeThenEnter("Extra") << "Extra" << old << Boxes{overwriteFile("Extra", Yes)} << Saved;
        QTest::newRow("save: a name with a folder in it")
            << SaveCommand << typeThenEnter("sub/Lvl") << "sub/Lvl" << asItIs << Boxes{{saveFailed, Ok}} << Kept;
        QTest::newRow("save: a folder in the file's place")
            << SaveCommand << typeThenEnter("Dir") << "Dir" << aFolder
            << Boxes{overwriteFile("Dir", Yes), {saveFailed, Ok}} << Kept;
        QTest::newRow("load: sample level")
            << LoadCommand << pickThenOk(2) << "Crossing" << asItIs << Boxes() << Loaded;
        QTest::newRow("load: unknown kind")
            << LoadCommand << pickThenOk(2) << "Crossing" << unknownKind << Boxes{unknownReported} << Loaded;
        QTest::newRow("load: 21 unknown kinds, twenty boxes and a count")
            << LoadCommand << pickThenOk(2) << "Crossing" << unknownKinds(21) << unknownKindBoxes(21) << Loaded;
        QTest::newRow("load: 100000 unknown kinds, then a bad line")
            << LoadCommand << pickThenOk(2) << "Crossing" << unknownKinds(100000) + "Screen\r\n"
            << unknownKindBoxes(100000) + Boxes{{"Bad input file: line 100003: the screen header names no screen", Ok}}
            << Kept;
        const QString saveChanges = "Do you want to save your changes?";
        QTest::newRow("close: Cancel") << CloseCommand << Steps() << "" << asItIs
                                       << Boxes{{saveChanges, QMessageBox::Cancel}} << Kept;
        QTest::newRow("close: No") << CloseCommand << Steps() << "" << asItIs << Boxes{{saveChanges, No}} << Closed;
        QTest::newRow("close: Yes, chooser cancelled")
            << CloseCommand << typeThenEscape("Mine") << "Mine" << asItIs << Boxes{{saveChanges, Yes}} << Closed;
    }

    void commands()
    {
        QFETCH(Command, command);
        QFETCH(Steps, steps);
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(Boxes, boxes);
        QFETCH(Outcome, outcome);
        Editor editor;
        Level level = modLists::level;
        const double innerWidth = editor.window().geometry().innerWidth(MainControl::picInner);
        const QString path = editor.game().levelPath(name);
        if (!prepare(path, file))
            QSKIP("the file system does not take the file this case needs");
        file = TempGame::readFile(path);
        Answers answers(boxes);

        editor.give(command, steps);

        answers.verify();
        QCOMPARE(editor.window().isVisible(), outcome != Closed);
        if (outcome == Loaded)
            level = readLevel(file, modLists::catalogue, level).level;
        level.levelChanged = outcome == Kept || outcome == Closed;
        QCOMPARE(modLists::level, level);
        QCOMPARE(TempGame::readFile(path), outcome == Saved ? writeLevel(level, modLists::catalogue) : file);
        QVERIFY(!QFileInfo(path).isDir() || QFileInfo::exists(path + "/keep"));
        const double loadedWidth = 465.0 * level.levelWidth + 240;
        QCOMPARE(
            editor.window().geometry().innerWidth(MainControl::picInner), outcome == Loaded ? loadedWidth : innerWidth);
    }

    // The main window makes its chooser once: the name box keeps what it last held.
    void theChooserKeepsItsName()
    {
        Editor editor;
        editor.give(SaveCommand, typeThenEscape("Kept"));
        editor.give(LoadCommand, [](Chooser c) {
            QCOMPARE(c.nameBox()->text(), "Kept");
            c.pressEscape();
        });
    }
};

QTEST_MAIN(tst_savingandloading)
#include "tst_savingandloading.moc"
