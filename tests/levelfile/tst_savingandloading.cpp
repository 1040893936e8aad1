// Saving and loading as the user meets them: the level chooser and the main window's file commands.
#include "ChooserSteps.h"
#include "common/EditorSession.h"
#include "common/HostileFiles.h"
#include "common/ModalDriver.h"
#include "common/ReadOnlyFolder.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "editor/ui/frmMain.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "levelfile/SaveFailure.h"
#include "model/Excerpt.h"
#include "model/WholeFile.h"
#include "model/modLists.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTest>

#include <functional>
#include <optional>

namespace {

using Steps = std::function<void(Chooser)>; // what the user does in the chooser
enum Mode { Load, Save };
enum Command { SaveCommand, LoadCommand, CloseCommand };
enum Outcome { Saved, Loaded, Kept, Closed }; // closed with the level kept

constexpr QMessageBox::StandardButton Ok = QMessageBox::Ok, Yes = QMessageBox::Yes, No = QMessageBox::No;

// A message box the user is to meet, and the answer given.
struct Box
{
    QString text; // then its informative text and its details, if any, each after a line break
    QMessageBox::StandardButton answer;
};
using Boxes = QList<Box>;

// Answers the boxes in turn; verify() checks that just these came.
struct Answers : ScriptedMessages
{
    QStringList expected;

    explicit Answers(const Boxes& boxes)
    {
        for (const Box& box : boxes) {
            answer(box.answer);
            expected << box.text;
        }
    }

    // The reason the system gives for a failed write varies: it must be there, and stands as "...".
    void verify() const
    {
        QStringList texts;
        for (const Messages::Request& box : shown())
            texts << box.text + (box.informative.isEmpty() ? "" : "\n" + box.informative)
                    + (box.details.isEmpty() ? "" : "\n" + box.details);
        QCOMPARE(texts.replaceInStrings(QRegularExpression("(written|index.txt'): .+$"), "\\1: ..."), expected);
    }
};

QString pathOf(const QString& name)
{
    return QDir::toNativeSeparators("../levels/" + name + ".txt");
}

// A level file of one row whose elements name `count` unknown kinds, and the
// boxes Load shows for the first twenty of them.
QByteArray unknownKinds(int count)
{
    QByteArray file = "floor\tfloor\r\n\r\n";
    for (int i = 0; i < count; ++i)
        file += "0\t0\twhat" + QByteArray::number(i) + "\r\n";
    return file;
}

Boxes twentyUnknownKinds()
{
    Boxes boxes;
    for (int i = 0; i < 20; ++i)
        boxes.append({QStringLiteral("Unrecognised: \"what%1\" at 0: 0, 0").arg(i), Ok});
    return boxes;
}

QString couldNotAdd(const QString& name)
{
    return "Could not add \"" + name + "\" to the level index '" + QDir::toNativeSeparators("../levels/index.txt")
        + "': ...";
}

// The failure report, word for word, with the cause beneath it when one can be seen.
QString saveFailed(const QString& name, const QString& cause)
{
    return "File access error - could not save\r\nplease close any program which may be accessing the file (e.g. the "
           "Quandor Game) and try again.\n"
        + cause + "\n'" + pathOf(name) + "' could not be written: ...";
}

const QByteArray startIndex = "A\r\n\r\nb\r\n";
// A level file before the test: its bytes or one of these.
const QByteArray asItIs; // the sample game's, or none
const QByteArray aFolder = "<a folder>";

// What the user does once a name is typed in the chooser; a name refused
// leaves the chooser open until the user gives up.
enum Then { Enter, Escape, EnterRefused };

Steps typed(const QString& name, Then then)
{
    return [name, then](Chooser c) {
        c.typeName(name);
        if (then != Escape)
            c.pressEnter();
        if (then == EnterRefused)
            QVERIFY(c.window->isVisible());
        if (then != Enter)
            c.pressEscape();
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

        QTest::newRow("load: the empty item, Enter in the list") << Load << startIndex << Steps([](Chooser c) {
            c.clickItem(1);
            c.pressEnter();
        }) << Boxes() << "" << startIndex;
        QTest::newRow("load: double-click")
            << Load << startIndex << Steps([](Chooser c) { c.doubleClickItem(2); }) << Boxes() << "b" << startIndex;
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
        QTest::newRow("an index that is a loop of links")
            << Load << QByteArray("<a loop>") << Steps([](Chooser c) { c.pressCancel(); })
            << Boxes{{"The level index '" + QDir::toNativeSeparators("../levels/index.txt")
                       + "' is a loop of symbolic links, so the list of levels is empty.",
                   Ok}}
            << "" << QByteArray();
        QTest::newRow("Cancel button") << Load << startIndex << Steps([](Chooser c) {
            c.clickItem(0);
            c.pressCancel();
        }) << Boxes() << "" << startIndex;
        QTest::newRow("save: an empty name is no level")
            << Save << startIndex << typed("", Enter) << Boxes() << "" << startIndex;
        QTest::newRow("save: 8-bit name, hand-edited index") << Save << QByteArray("A\rC") << Steps([](Chooser c) {
            QCOMPARE(c.list()->count(), 2); // a lone CR ends a line
            QCOMPARE(c.list()->item(1)->text(), "C");
            c.typeName("\u00C4rger");
            c.pressOk();
        }) << Boxes() << "\u00C4rger" << QByteArray("A\rC\r\n\xC4rger\r\n");
        const QString euro = "B\u20AC"; // Latin-1 has no euro sign
        QTest::newRow("save: a name the index cannot hold")
            << Save << startIndex << typed(euro, EnterRefused) << Boxes{{couldNotAdd(euro), Ok}} << "" << startIndex;
        const QByteArray longLine = QByteArray(1 << 20, 'n') + "\r\nb\r\n";
        const Box cutShort{
            "That line of the level index is longer than any level name can be; the list shows only its beginning.",
            Ok};
        QTest::newRow("save: an index line longer than any name") << Save << longLine << Steps([](Chooser c) {
            QCOMPARE(c.list()->item(0)->text(), QString(excerptLength, u'n') + QChar(0x2026));
            c.clickItem(0);
            c.pressOk();
            QVERIFY(c.window->isVisible());
            c.pressEscape();
        }) << Boxes{cutShort} << "" << longLine;
        const QString longest(244, 'n');
        QTest::newRow("save: a name of 244 characters") << Save << startIndex << typed(longest, Enter) << Boxes()
                                                        << longest << startIndex + longest.toLatin1() + "\r\n";
        const QString tooLong =
            "The name is too long for a level: its file and the temporary file a save writes beside it must fit the "
            "file system's limit of 255 characters, so a level name may have at most 244 characters, and this one "
            "has 245.";
        QTest::newRow("save: a name of 245 characters, too long for the file beside it")
            << Save << startIndex << typed(longest + "n", EnterRefused) << Boxes{{tooLong, Ok}} << "" << startIndex;
        const QString askB = "Overwrite existing b?";
        QTest::newRow("save: a listed name, No then Yes") << Save << startIndex << Steps([](Chooser c) {
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
        if (index != "<a loop>")
            game.writeFile(indexPath, index);
        else if (!hostile::makeLinkLoop(indexPath))
            QSKIP("no symbolic links here");
        Answers answers(boxes);
        frmLoadSave chooser(nullptr);
        chooser.save = mode == Save;
        ModalDriver driver([&](QWidget* modal) { steps(Chooser{modal}); });
        chooser.exec();
        QVERIFY2(driver.ran() && chooser.isHidden(), "the chooser was not shown or stayed open");
        QTEST(chooser.fName, "fName");
        answers.verify();
        QTEST(TempGame::readFile(indexPath), "indexAfter");
    }

    // The list and the name box take what the chooser gains or loses; the buttons keep their size and
    // share the width.
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
            QCOMPARE(modal->size(), QSize(185, 209));
            modal->resize(20, 60);
            modal->resize(size);
            QTEST(c.list()->geometry(), "list");
            QTEST(c.nameBox()->geometry(), "name");
            QTEST(c.part<QPushButton>("cmdOK")->geometry(), "ok");
            QTEST(c.part<QPushButton>("cmdCancel")->geometry(), "cancel");
            c.pressEscape();
        });
        chooser.exec();
        QVERIFY(driver.ran());
    }

    // The old file gives way only to a complete new one: when the new file
    // cannot take its place (here the level became a folder while it was
    // written), the save is a failure, and the file is left as it stands.
    void aFileThatCannotBeReplacedFails()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Level.txt");
        const Result written = writeWholeFile(path, [&](QIODevice& file) {
            QDir().mkpath(path + "/keep");
            return writeAll(file, "floor\r\n");
        });
        QVERIFY(!written);
        QVERIFY2(!written.message().isEmpty(), "the failure names its reason");
        QVERIFY(QFileInfo(path + "/keep").isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void commands_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Steps>("steps"); // in the chooser; none: it must not come
        QTest::addColumn<QString>("name"); // the level whose file is at stake
        QTest::addColumn<QByteArray>("file"); // that file before
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<Outcome>("outcome");
        const Box overwriteListed{"Overwrite existing FirstSteps?", Yes}; // asked by the chooser
        auto overwriteFile = [](const QString& name, QMessageBox::StandardButton answer) {
            return Box{"Overwrite existing \"" + pathOf(name) + "\"?", answer};
        };

        QTest::newRow("save: new name") << SaveCommand << typed("Mine", Enter) << "Mine" << asItIs << Boxes() << Saved;
        QTest::newRow("save: overwrite, Yes") << SaveCommand << typed("FirstSteps", Enter) << "FirstSteps" << asItIs
                                              << Boxes{overwriteListed, overwriteFile("FirstSteps", Yes)} << Saved;
        QTest::newRow("save: overwrite, No") << SaveCommand << typed("FirstSteps", Enter) << "FirstSteps" << asItIs
                                             << Boxes{overwriteListed, overwriteFile("FirstSteps", No)} << Kept;
        QTest::newRow("save: a name with a folder in it")
            << SaveCommand << typed("sub/Lvl", Enter) << "sub/Lvl" << asItIs
            << Boxes{{saveFailed("sub/Lvl",
                          "The name \"sub/Lvl\" holds a folder separator or a NUL character, so it names no file in "
                          "the levels folder."),
                   Ok}}
            << Kept;
        QTest::newRow("save: a folder in the file's place")
            << SaveCommand << typed("Dir", Enter) << "Dir" << aFolder
            << Boxes{overwriteFile("Dir", Yes),
                   {saveFailed("Dir", "\"{levels}/Dir.txt\" is a folder, not a file."), Ok}}
            << Kept;
        QTest::newRow("load: sample level")
            << LoadCommand << typed("Crossing", Enter) << "Crossing" << asItIs << Boxes() << Loaded;
        const Box oneMore{
            "1 more line names a kind that neither the entity kinds nor the tile kinds know; it was skipped as well.",
            Ok};
        QTest::newRow("load: 21 unknown kinds, twenty boxes and a count")
            << LoadCommand << typed("Crossing", Enter) << "Crossing" << unknownKinds(21)
            << twentyUnknownKinds() + Boxes{oneMore} << Loaded;
        const Box manyMore{
            "99980 more lines name a kind that neither the entity kinds nor the tile kinds know; they "
            "were skipped as well. tilewright-cli check --list-all lists every one.",
            Ok};
        const Box badLine{"Bad input file: line 100003: the screen header names no screen", Ok};
        QTest::newRow("load: 100000 unknown kinds, then a bad line")
            << LoadCommand << typed("Crossing", Enter) << "Crossing" << unknownKinds(100000) + "Screen\r\n"
            << twentyUnknownKinds() + Boxes{manyMore, badLine} << Kept;
        const QString saveChanges = "Do you want to save your changes?";
        QTest::newRow("close: Cancel") << CloseCommand << Steps() << "" << asItIs
                                       << Boxes{{saveChanges, QMessageBox::Cancel}} << Kept;
        QTest::newRow("close: No") << CloseCommand << Steps() << "" << asItIs << Boxes{{saveChanges, No}} << Closed;
        QTest::newRow("close: Yes, chooser cancelled")
            << CloseCommand << typed("Mine", Escape) << "Mine" << asItIs << Boxes{{saveChanges, Yes}} << Closed;
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
        const QString path = editor.game().levelPath(name);
        if (file == aFolder)
            QVERIFY(QDir().mkpath(path + "/keep")); // a folder that is not empty stops even root
        else if (!file.isNull())
            editor.game().writeFile(path, file);
        file = TempGame::readFile(path);
        for (Box& box : boxes) // causes name the levels folder in full
            box.text.replace("{levels}", QDir::toNativeSeparators(editor.game().levelsDir()));
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
    }

    // What a failed save can tell of its cause, beside the message that
    // names another program holding the file.
    void saveFailureReason_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("reason"); // the start of it; none when only "in use" is left

        QTest::newRow("the levels folder is missing") << "missing"
                                                      << "The levels folder \"{levels}\" does not exist.";
        QTest::newRow("the levels folder cannot be written")
            << "read-only"
            << "The levels folder \"{levels}\" cannot be written: it is read-only, or you may not write into it.";
        QTest::newRow("the disk is too full") << "full"
                                              << "The disk is full: the level needs ";
        QTest::newRow("nothing to be seen") << ""
                                            << "";
    }

    void saveFailureReason()
    {
        QFETCH(QString, cause);
        QFETCH(QString, reason);
        TempGame game;
        const QString levels = QDir::toNativeSeparators(game.levelsDir());
        qint64 bytes = 100;
        if (cause == "missing")
            QVERIFY(QDir(game.levelsDir()).removeRecursively());
        if (cause == "full")
            bytes = QStorageInfo(game.levelsDir()).bytesAvailable() + 1;
        std::optional<ReadOnlyFolder> readOnly;
        if (cause == "read-only" && !readOnly.emplace(game.levelsDir()).reason().isEmpty())
            QSKIP(qPrintable(readOnly->reason()));

        const QString told = ::saveFailureReason(game.levelPath("Mine"), bytes);
        QVERIFY2(
            reason.isEmpty() ? told.isEmpty() : told.startsWith(reason.replace("{levels}", levels)), qPrintable(told));
    }
};

QTEST_MAIN(tst_savingandloading)
#include "tst_savingandloading.moc"
