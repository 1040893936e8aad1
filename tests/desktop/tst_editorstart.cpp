#include "common/ReadOnlyFolder.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "desktop/EditorStart.h"
#include "desktop/GameFolder.h"
#include "desktop/WritableCopyOffer.h"
#include "levelfile/LevelFileLoad.h"
#include "model/modLists.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// The game folder of the test, a folder without a catalogue, the copy of the
// game in the documents folder, or no folder.
enum Place { Game, Elsewhere, Copy, Nowhere };

} // namespace

Q_DECLARE_METATYPE(Place)

// The editor's start-up as main() runs it: where it finds the game folder,
// the question when it finds none, and the level given on the command line.
class tst_editorstart : public QObject
{
    Q_OBJECT

    QTemporaryDir settingsFolder;
    QTemporaryDir dataFolder;
    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        // The documents folder, where copies go, is the test's own: $HOME/Documents.
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
        // The Qt dialog rather than the desktop's own, so the test can answer it.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QCoreApplication::setOrganizationName(QStringLiteral("Tilewright"));
        QCoreApplication::setApplicationName(QStringLiteral("Tilewright"));
        // The user's own settings are never touched.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
        // Nor its data folder, where the recovery copies go.
        qputenv("XDG_DATA_HOME", dataFolder.path().toLocal8Bit());
    }

    void start_data()
    {
        QTest::addColumn<Place>("startFolder");
        QTest::addColumn<Place>("remembered");
        QTest::addColumn<bool>("readOnly"); // the game and its levels cannot be written
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("answers"); // to the folder question
        QTest::addColumn<QStringList>("messages"); // answered "Yes: ...", "No: ..." or else OK
        QTest::addColumn<Place>("startsIn"); // Nowhere: ends with status 1
        QTest::addColumn<QString>("opened"); // the level the editor then holds; none: the new level

        const QString notFound = QStringLiteral("\"{elsewhere}/Elements.txt\" was not found.");
        const QString offer = QStringLiteral(
            "cannot write into \"{levels}\", so levels cannot be saved there.\n\n"
            "Copy the game folder and its levels into \"{copy}\"");
        const QStringList none;
        QTest::newRow("in a game folder") << Game << Nowhere << false << none << none << none << Game << QString();
        QTest::newRow("the folder used last")
            << Elsewhere << Game << false << none << none << none << Game << QString();
        QTest::newRow("the folder used last lost its catalogue")
            << Elsewhere << Elsewhere << false << none << QStringList{"{game}"} << none << Game << QString();
        QTest::newRow("-C to a folder without catalogue")
            << Game << Nowhere << false << QStringList{"--game", "{elsewhere}"} << none << QStringList{notFound}
            << Nowhere << QString();
        QTest::newRow("asked, the game folder chosen")
            << Elsewhere << Nowhere << false << none << QStringList{"{game}"} << none << Game << QString();
        QTest::newRow("asked, a folder without catalogue refused")
            << Elsewhere << Nowhere << false << none << QStringList{"{elsewhere}", "{game}"}
            << QStringList{"\"{elsewhere}\" holds no Elements.txt"} << Game << QString();
        QTest::newRow("asked, cancelled") << Elsewhere << Nowhere << false << none << QStringList{""}
                                          << QStringList{"No game folder was chosen"} << Nowhere << QString();
        QTest::newRow("asked, a game that cannot be written, copied")
            << Elsewhere << Nowhere << true << none << QStringList{"{game}"} << QStringList{"Yes: " + offer} << Copy
            << QString();
        QTest::newRow("a game that cannot be written, not copied")
            << Elsewhere << Nowhere << true << QStringList{"-C", "{game}"} << none
            << QStringList{"No: " + offer, "Saving levels will fail there, since \"{levels}\" cannot be written."}
            << Game << QString();
        QTest::newRow("a copy, with a level given from the original")
            << Game << Nowhere << true << QStringList{"{levels}/Crossing.txt"} << none << QStringList{"Yes: " + offer}
            << Copy << QString("Crossing");
        QTest::newRow("-C from another folder, a level path from there")
            << Elsewhere << Nowhere << false << QStringList{"-C", "{game}", "{levels}/Crossing.txt"} << none << none
            << Game << QString("Crossing");
        QTest::newRow("a level that does not load")
            << Elsewhere << Nowhere << false << QStringList{"-C", "{game}", "{levels}/Broken.txt"} << none
            << QStringList{"Bad input file: line 3: the file ends in the grid"} << Game << QString();
        QTest::newRow("a missing level") << Elsewhere << Nowhere << false
                                         << QStringList{"-C", "{game}", "{levels}/Gone.txt"} << none
                                         << QStringList{"'{levels}/Gone.txt' was not found."} << Game << QString();
    }

    void start()
    {
        QFETCH(Place, startFolder);
        QFETCH(Place, remembered);
        QFETCH(bool, readOnly);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, messages);
        QFETCH(Place, startsIn);
        QFETCH(QString, opened);

        QSettings().clear();
        TempGame game(TempGame::SampleLevels);
        QTemporaryDir elsewhere; // no catalogue here
        QVERIFY(game.isValid());
        game.writeFile(game.levelPath(QStringLiteral("Broken")), "floor\twall\r\nfloor\r\n");
        const QString gameTop = QFileInfo(game.editorDir()).absolutePath();
        const QString copy = QDir(gameCopiesFolder()).filePath(QFileInfo(gameTop).fileName());
        std::optional<ReadOnlyFolder> readOnlyGame, readOnlyLevels;
        if (readOnly) {
            readOnlyGame.emplace(game.editorDir());
            readOnlyLevels.emplace(game.levelsDir());
            if (!readOnlyLevels->reason().isEmpty())
                QSKIP(qPrintable(readOnlyLevels->reason()));
        }
        auto folder = [&](Place place) {
            return place == Game ? game.editorDir()
                : place == Copy  ? copy + QStringLiteral("/editor")
                                 : elsewhere.path();
        };
        // `{game}` and `{levels}` become the game's folders, as seen from the
        // working folder unless `absolute`, `{elsewhere}` the folder without
        // a catalogue, `{copy}` where the game's copy goes.
        auto fill = [&](QString text, bool absolute) {
            const QDir here = QDir::current();
            text.replace("{game}", absolute ? game.editorDir() : here.relativeFilePath(game.editorDir()));
            text.replace("{levels}", absolute ? game.levelsDir() : here.relativeFilePath(game.levelsDir()));
            text.replace("{elsewhere}", elsewhere.path());
            text.replace("{copy}", copy);
            return absolute ? QDir::toNativeSeparators(text) : text;
        };
        if (remembered != Nowhere)
            rememberGameFolder(folder(remembered));
        const QString before = rememberedGameFolder();
        QDir::setCurrent(folder(startFolder));
        QStringList filled{QStringLiteral("tilewright")};
        for (const QString& argument : arguments)
            filled << fill(argument, false);
        QCommandLineParser parser;
        const EditorArguments parsed = parseEditorArguments(parser, filled);
        QCOMPARE(parsed.error, QString());

        ScriptedMessages scripted;
        for (QString& message : messages) {
            const QString answer = message.section(QStringLiteral(": "), 0, 0);
            const bool asked = answer == QStringLiteral("Yes") || answer == QStringLiteral("No");
            scripted.answer(!asked                    ? QMessageBox::Ok
                    : answer == QStringLiteral("Yes") ? QMessageBox::Yes
                                                      : QMessageBox::No);
            if (asked)
                message = message.section(QStringLiteral(": "), 1);
        }
        // Each folder question takes the next answer, a folder or "" for Cancel; one question
        // too many, or any other modal window, fails the test and is closed, so nothing waits.
        QStringList questionsStartedIn;
        QTimer answering;
        connect(&answering, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (modal && (!dialog || answers.isEmpty())) {
                modal->close();
                QFAIL("a modal window came that the test has no answer for");
            }
            if (!dialog)
                return;
            questionsStartedIn << dialog->directory().absolutePath();
            const QString answer = fill(answers.takeFirst(), true);
            if (!answer.isEmpty())
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(answer);
            dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
                ->button(answer.isEmpty() ? QDialogButtonBox::Cancel : QDialogButtonBox::Open)
                ->click();
        });
        answering.start(10);
        EditorStart started = startEditor(parsed);
        QCOMPARE(answers, QStringList());
        // The question starts in the user's own home folder, not in the installed sample.
        if (!questionsStartedIn.isEmpty())
            QCOMPARE(questionsStartedIn.first(), QDir::homePath());
        QCOMPARE(scripted.shown().size(), messages.size());
        for (qsizetype i = 0; i < messages.size(); ++i)
            QVERIFY2(scripted.shown().at(i).text.contains(fill(messages.at(i), true)),
                qPrintable(scripted.shown().at(i).text));

        QCOMPARE(bool(started.window), startsIn != Nowhere);
        if (startsIn == Nowhere) {
            QCOMPARE(started.exitStatus, 1);
            QCOMPARE(rememberedGameFolder(), before);
            return;
        }
        QVERIFY(started.window->isVisible());
        QCOMPARE(canonical(QDir::currentPath()), canonical(folder(startsIn)));
        // The next start from anywhere begins here.
        QCOMPARE(canonical(rememberedGameFolder()), canonical(folder(startsIn)));
        if (startsIn == Copy) {
            // The copy holds the levels, and a level can be saved beside them.
            QCOMPARE(TempGame::readFile(copy + QStringLiteral("/levels/index.txt")),
                TempGame::readFile(game.levelsDir() + QStringLiteral("/index.txt")));
            QFile index(copy + QStringLiteral("/levels/index.txt"));
            QVERIFY(index.open(QIODevice::Append));
        }
        Level expected;
        levelops::makeNewLevel(expected);
        if (!opened.isEmpty())
            expected = loadLevelFile(game.levelPath(opened), modLists::catalogue, expected).level;
        QVERIFY(modLists::level == expected);
        QCOMPARE(modLists::level.levelChanged, false);
    }

    // A picture cut in half is named as damaged, as a missing one is named,
    // and the editor does not start with half its pictures black.
    void damagedPicture()
    {
        TempGame game;
        game.writeFile("key_and.bmp", TempGame::readFile("key_and.bmp").first(1000));
        ScriptedMessages scripted;
        scripted.answer(QMessageBox::Ok);
        QCommandLineParser parser;
        QVERIFY(!startEditor(parseEditorArguments(parser, {"tilewright"})).window);
        QCOMPARE(scripted.texts(),
            QStringList{"The picture file \"key_and.bmp\" is damaged: the file ends before its picture does."});
    }
};

QTEST_MAIN(tst_editorstart)
#include "tst_editorstart.moc"
