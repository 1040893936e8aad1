#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "desktop/EditorStart.h"
#include "desktop/GameFolder.h"
#include "desktop/GameFolderQuestion.h"
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

namespace {

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// Answers the game folder question each time it comes, in order: a folder
// to choose or "cancel". A question with no answer left, or any other modal
// window, fails the test and is closed, so a start never waits for a person.
class FolderAnswers : public QObject
{
public:
    explicit FolderAnswers(const QStringList& answers)
        : m_answers(answers)
    {
        connect(&m_timer, &QTimer::timeout, this, &FolderAnswers::poll);
        m_timer.start(10);
    }
    int left() const { return static_cast<int>(m_answers.size()); }
    QStringList titles;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            if (modal) {
                modal->close();
                QTest::qFail("a modal window other than the folder question", __FILE__, __LINE__);
            }
            return;
        }
        titles << dialog->windowTitle();
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (m_answers.isEmpty() || m_answers.first() == QLatin1String("cancel")) {
            if (m_answers.isEmpty())
                QTest::qFail("the folder question came once more than expected", __FILE__, __LINE__);
            else
                m_answers.removeFirst();
            buttons->button(QDialogButtonBox::Cancel)->click();
            return;
        }
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(m_answers.takeFirst());
        buttons->button(QDialogButtonBox::Open)->click();
    }

    QStringList m_answers;
    QTimer m_timer;
};

// The game folder of the test, a folder without a catalogue, or no folder.
enum Place { Game, Elsewhere, Nowhere };

} // namespace

Q_DECLARE_METATYPE(Place)

// The editor's start-up as main() runs it: where it finds the game folder,
// the question when it finds none, and the level given on the command line.
class tst_editorstart : public QObject
{
    Q_OBJECT

    QTemporaryDir settingsFolder;
    std::unique_ptr<TempGame> game;
    std::unique_ptr<QTemporaryDir> elsewhere; // no catalogue here
    QList<Messages::Request> shown; // by the last start

    // `{game}` and `{levels}` become the game's folders as seen from the
    // working folder, `{elsewhere}` the folder without a catalogue.
    QString fill(QString text, bool absolute = false) const
    {
        const QDir here = QDir::current();
        text.replace(QLatin1String("{game}"), absolute ? game->editorDir() : here.relativeFilePath(game->editorDir()));
        text.replace(
            QLatin1String("{levels}"), absolute ? game->levelsDir() : here.relativeFilePath(game->levelsDir()));
        text.replace(QLatin1String("{elsewhere}"), elsewhere->path());
        return absolute ? QDir::toNativeSeparators(text) : text;
    }

    QString folder(Place place) const { return place == Game ? game->editorDir() : elsewhere->path(); }

    // Starts the editor as main() does with `arguments`, in `startFolder`,
    // answering the folder question with `answers`
    // and each message with OK; `messages` are what the messages must say.
    EditorStart start(
        Place startFolder, const QStringList& arguments, const QStringList& answers, const QStringList& messages)
    {
        QDir::setCurrent(folder(startFolder));
        QStringList filled{QStringLiteral("tilewright")};
        for (const QString& argument : arguments)
            filled << fill(argument);
        QCommandLineParser parser;
        const EditorArguments parsed = parseEditorArguments(parser, filled);
        [&] { QCOMPARE(parsed.error, QString()); }();

        ScriptedMessages scripted;
        for (qsizetype i = 0; i < messages.size(); ++i)
            scripted.answer(QMessageBox::Ok);
        FolderAnswers folders(answers);
        EditorStart started = startEditor(parsed);
        shown = scripted.shown();
        [&] {
            QCOMPARE(folders.left(), 0);
            for (const QString& title : std::as_const(folders.titles))
                QCOMPARE(title, QString::fromLatin1(gameFolderQuestion));
            QCOMPARE(shown.size(), messages.size());
            for (qsizetype i = 0; i < messages.size(); ++i)
                QVERIFY2(shown.at(i).text.contains(fill(messages.at(i), true)), qPrintable(shown.at(i).text));
        }();
        return started;
    }

private slots:
    void initTestCase()
    {
        // The Qt dialog rather than the desktop's own, so the test can answer it.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QCoreApplication::setOrganizationName(QStringLiteral("Tilewright"));
        QCoreApplication::setApplicationName(QStringLiteral("Tilewright"));
        // The user's own settings are never touched.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    }

    void init()
    {
        QSettings().clear();
        game = std::make_unique<TempGame>(TempGame::SampleLevels);
        elsewhere = std::make_unique<QTemporaryDir>();
        QVERIFY(game->isValid());
    }

    void cleanup()
    {
        elsewhere.reset();
        game.reset(); // back to the test's own working folder
    }

    void gameFolder_data()
    {
        QTest::addColumn<Place>("startFolder");
        QTest::addColumn<Place>("remembered");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("answers"); // to the folder question
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("starts"); // in the game folder; else ends with status 1

        const QString notFound = QStringLiteral("\"{elsewhere}/Elements.txt\" was not found.");
        const QString refused = QStringLiteral("\"{elsewhere}\" holds no Elements.txt");
        const QStringList none;
        QTest::newRow("in a game folder") << Game << Nowhere << none << none << none << true;
        QTest::newRow("-C to a folder without catalogue")
            << Game << Nowhere << QStringList{"--game", "{elsewhere}"} << none << QStringList{notFound} << false;
        QTest::newRow("the folder used last") << Elsewhere << Game << none << none << none << true;
        QTest::newRow("the folder used last lost its catalogue")
            << Elsewhere << Elsewhere << none << QStringList{"{game}"} << none << true;
        QTest::newRow("asked, the game folder chosen")
            << Elsewhere << Nowhere << none << QStringList{"{game}"} << none << true;
        QTest::newRow("asked, a folder without catalogue refused")
            << Elsewhere << Nowhere << none << QStringList{"{elsewhere}", "{game}"} << QStringList{refused} << true;
        QTest::newRow("asked, cancelled")
            << Elsewhere << Nowhere << none << QStringList{"cancel"} << QStringList{notFound} << false;
    }

    void gameFolder()
    {
        QFETCH(Place, startFolder);
        QFETCH(Place, remembered);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, messages);
        QFETCH(bool, starts);

        if (remembered != Nowhere)
            rememberGameFolder(folder(remembered));
        const QString before = rememberedGameFolder();
        QStringList chosen;
        for (const QString& answer : answers)
            chosen << fill(answer, true);
        EditorStart started = start(startFolder, arguments, chosen, messages);
        QCOMPARE(bool(started.window), starts);
        if (!starts) {
            QCOMPARE(started.exitStatus, 1);
            QCOMPARE(rememberedGameFolder(), before);
            return;
        }
        QVERIFY(started.window->isVisible());
        QCOMPARE(canonical(QDir::currentPath()), canonical(game->editorDir()));
        // The next start from anywhere begins here.
        QCOMPARE(canonical(rememberedGameFolder()), canonical(game->editorDir()));
    }

    void level_data()
    {
        QTest::addColumn<Place>("startFolder");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("opened"); // the level the editor then holds; none: the new level
        QTest::addColumn<int>("icon"); // of the message, if any

        const QStringList none;
        const int plain = int(Messages::Icon::None);
        const int warning = int(Messages::Icon::Exclamation);
        QTest::newRow("-C from another folder, a path from there")
            << Elsewhere << QStringList{"-C", "{game}", "{levels}/Crossing.txt"} << none << QString("Crossing")
            << plain;
        QTest::newRow("in the game folder, a path from there")
            << Game << QStringList{"../levels/IceCellar.txt"} << none << QString("IceCellar") << plain;
        QTest::newRow("a file that does not load")
            << Elsewhere << QStringList{"-C", "{game}", "{levels}/Broken.txt"}
            << QStringList{"Bad input file: line 3: the file ends in the grid"} << QString() << plain;
        QTest::newRow("a missing file") << Elsewhere << QStringList{"-C", "{game}", "{levels}/Gone.txt"}
                                        << QStringList{"'{levels}/Gone.txt' was not found."} << QString() << warning;
    }

    void level()
    {
        QFETCH(Place, startFolder);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, messages);
        QFETCH(QString, opened);
        QFETCH(int, icon);

        game->writeFile(game->levelPath(QStringLiteral("Broken")), "floor\twall\r\nfloor\r\n");
        EditorStart started = start(startFolder, arguments, {}, messages);
        QVERIFY(started.window);

        Level expected;
        levelops::makeNewLevel(expected);
        if (!opened.isEmpty())
            expected = loadLevelFile(game->levelPath(opened), modLists::catalogue, expected).level;
        QVERIFY(modLists::level == expected);
        QCOMPARE(modLists::level.levelChanged, false);
        for (const Messages::Request& message : std::as_const(shown))
            QCOMPARE(int(message.icon), icon);
    }
};

QTEST_MAIN(tst_editorstart)
#include "tst_editorstart.moc"
