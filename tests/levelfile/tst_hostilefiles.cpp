// Level files, the level index and pictures that are hostile or simply odd:
// refused at once with a message that names the file, read in one pass, and
// never quoted at length; and the level chooser's keyboard and name checks.
#include "ChooserSteps.h"
#include "LevelText.h"
#include "common/EditorSession.h"
#include "common/HostileFiles.h"
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "editor/EditorPictures.h"
#include "levelfile/LevelFileLoad.h"
#include "levelfile/LevelPaths.h"
#include "model/Excerpt.h"
#include "model/WholeFile.h"
#include "model/modLists.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

namespace {

// Puts something that is no level file in place of `path`: "fifo", "big" (one byte
// over the cap, sparse), or a link to a device. False: not on this system.
bool makeHostile(const QString& kind, const QString& path, std::unique_ptr<hostile::FifoHolder>& holder)
{
    QFile::remove(path);
    if (kind == "fifo") {
        if (!hostile::makeFifo(path))
            return false;
        holder = std::make_unique<hostile::FifoHolder>(path);
        return true;
    }
    if (kind == "big") {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(filecaps::level + 1);
    }
    return hostile::makeLink(path, kind);
}

QString messagesOf(const LoadedLevel& loaded)
{
    QStringList messages;
    for (const LevelFileReport& report : loaded.reports)
        messages << QStringLiteral("%1: %2").arg(report.line).arg(report.message);
    return messages.join(';');
}

} // namespace

class tst_hostilefiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;

    LoadedLevel load(const QByteArray& bytes)
    {
        const QString path = session->game().levelPath("Odd");
        session->game().writeFile(path, bytes);
        return loadLevelFile(path, modLists::catalogue, modLists::level);
    }

private slots:
    void init()
    {
        session = std::make_unique<EditorSession>();
        QCOMPARE(session->error(), QString());
    }

    void cleanup() { session.reset(); }

    void refusesWhatIsNoLevelFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("named pipe") << "fifo"
                                    << "is not a regular file";
        QTest::newRow("link to an endless device") << "/dev/zero"
                                                   << "is not a regular file";
        QTest::newRow("larger than the cap") << "big"
                                             << "is larger than 64 MB";
    }

    void refusesWhatIsNoLevelFile()
    {
        QFETCH(QString, kind);
        const QString path = session->game().levelPath("Odd");
        std::unique_ptr<hostile::FifoHolder> holder;
        if (!makeHostile(kind, path, holder))
            QSKIP("not on this system");
        QFETCH(QString, problem);
        const LoadedLevel loaded = loadLevelFile(path, modLists::catalogue, modLists::level);
        QVERIFY(!loaded.ok && !loaded.missing);
        QCOMPARE(messagesOf(loaded), QStringLiteral("0: '%1' %2.").arg(path, problem));
    }

    void saysWhenLinesEndInLineFeedsOnly_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QList<QByteArray> rows{
            QList<QByteArray>(30, "floor").join('\t'), QList<QByteArray>(30, "ice").join('\t')};
        QTest::newRow("wider than a level when read as one line")
            << QByteArray(crlfLines(rows + QList<QByteArray>{"", "Screen\tall", "0\t0\tPlayer\tright"}))
                   .replace("\r\n", "\n");
        QTest::newRow("narrow") << QByteArray("floor\nwall\n\nScreen\tall\n");
    }

    void saysWhenLinesEndInLineFeedsOnly()
    {
        QFETCH(QByteArray, file);
        QCOMPARE(messagesOf(load(file)),
            "1: Bad input file: line 1: the lines end in LF only; a level file's lines must end in CR LF (a file "
            "written on Linux or "
            "macOS may need converting)");
    }

    void quotesAtMostAShortPiece_data()
    {
        QTest::addColumn<QByteArray>("line"); // after a one-cell grid
        QTest::addColumn<QString>("message"); // %1: the first 200 characters and an ellipsis
        const QByteArray mega(1 << 20, 'k');
        QTest::newRow("unknown kind") << "0\t0\t" + mega << "3: Unrecognised: \"%1\" at 0: 0, 0";
        QTest::newRow("x") << mega + "\t0\tbox"
                           << "3: Bad input file: line 3: x \"%1\" is not a number from -32768 to 32767";
        QTest::newRow("screen")
            << "Screen " + mega
            << "3: Bad input file: line 3: the screen \"%1\" is neither all nor a number from -32768 to 32767";
    }

    void quotesAtMostAShortPiece()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, message);
        QCOMPARE(messagesOf(load("floor\r\n\r\n" + line + "\r\n")),
            message.arg(QString(excerptLength, u'k') + QChar(0x2026)));
    }

    void readsTheLargestGrid()
    {
        const QByteArray row = QList<QByteArray>(Level::maxSize, "wall").join('\t');
        const LoadedLevel loaded = load(crlfLines(QList<QByteArray>(Level::maxSize, row) << ""));
        QCOMPARE(messagesOf(loaded), QString());
        QCOMPARE(QSize(loaded.level.levelWidth, loaded.level.levelHeight), QSize(70, 70));
    }

    void loadListsTwentyUnknownLinesThenCounts_data()
    {
        QTest::addColumn<int>("unknown"); // lines of unknown kind
        QTest::addColumn<bool>("badEnd"); // a line that ends the read follows them
        QTest::addColumn<QString>("counted"); // the box after the listed ones, if any
        QTest::newRow("three") << 3 << false << "";
        QTest::newRow("twenty") << 20 << false << "";
        QTest::newRow("twenty-one")
            << 21 << false
            << "1 more line names a kind that neither the entity kinds nor the tile kinds know; it was skipped "
               "as well.";
        QTest::newRow("a hundred thousand, then a bad line") << 100000 << true
                                                             << "99980 more lines name a kind that neither the entity "
                                                                "kinds nor the tile kinds know; they were skipped as "
                                                                "well. tilewright-cli check lists every one.";
    }

    void loadListsTwentyUnknownLinesThenCounts()
    {
        QFETCH(int, unknown);
        QFETCH(bool, badEnd);
        QFETCH(QString, counted);
        QList<QByteArray> lines{"floor", ""};
        for (int i = 0; i < unknown; ++i)
            lines << "0\t0\twhat" + QByteArray::number(i);
        if (badEnd)
            lines << "Screen";
        const QString path = session->game().levelPath("Odd");
        session->game().writeFile(path, crlfLines(lines));

        QStringList expected;
        for (int i = 0; i < qMin(unknown, 20); ++i)
            expected << QStringLiteral("Unrecognised: \"what%1\" at 0: 0, 0").arg(i);
        if (!counted.isEmpty())
            expected << counted;
        if (badEnd)
            expected << QStringLiteral("Bad input file: line %1: the screen header names no screen").arg(unknown + 3);
        ScriptedMessages boxes;
        for (qsizetype i = 0; i < expected.size(); ++i)
            boxes.answer(QMessageBox::Ok);
        session->window().openLevelFile(path);
        QCOMPARE(boxes.texts(), expected);
        QCOMPARE(modLists::level.levelWidth == 1, !badEnd);
    }

    void chooserFirstDownPicksTheFirstRow()
    {
        session->game().writeFile(levelIndexPath(), "A\r\nB\r\nC\r\n");
        frmLoadSave chooser(nullptr);
        ModalDriver driver([&](QWidget* modal) {
            const Chooser c{modal};
            c.list()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(c.list(), Qt::Key_Down);
            QCOMPARE(c.list()->currentRow(), 0);
            QCOMPARE(c.nameBox()->text(), "A");
            c.pressEscape();
        });
        chooser.exec();
        QVERIFY(driver.ran());
    }

    void chooserRefusesANameTooLongToSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("244 characters") << QString(244, u'n') << true;
        QTest::newRow("245 characters") << QString(245, u'n') << false;
    }

    void chooserRefusesANameTooLongToSave()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        session->game().writeFile(levelIndexPath(), "A\r\n");
        ScriptedMessages boxes;
        if (!taken)
            boxes.answer(QMessageBox::Ok);
        frmLoadSave chooser(nullptr);
        chooser.save = true;
        ModalDriver driver([&](QWidget* modal) {
            const Chooser c{modal};
            c.typeName(name);
            c.pressEnter();
            if (!taken) {
                QVERIFY(c.window->isVisible());
                c.pressEscape();
            }
        });
        chooser.exec();
        QVERIFY(driver.ran());
        const QString tooLong =
            "The name is too long for a level: its file and the temporary file a save writes beside it "
            "must fit the file system's limit of 255 characters, so a level name may have at most 244 "
            "characters, and this one has 245.";
        QCOMPARE(boxes.texts(), taken ? QStringList() : QStringList{tooLong});
        QCOMPARE(
            TempGame::readFile(levelIndexPath()), taken ? "A\r\n" + name.toLatin1() + "\r\n" : QByteArray("A\r\n"));
    }

    void chooserShowsOnlyTheBeginningOfALineNoNameCanBe()
    {
        session->game().writeFile(levelIndexPath(), QByteArray(1 << 20, 'n') + "\r\nb\r\n");
        const QString shown = QString(excerptLength, u'n') + QChar(0x2026);
        ScriptedMessages boxes;
        boxes.answer(QMessageBox::Ok);
        frmLoadSave chooser(nullptr);
        chooser.save = true;
        ModalDriver driver([&](QWidget* modal) {
            const Chooser c{modal};
            QCOMPARE(c.listedNames(), (QStringList{shown, "b"}));
            c.clickItem(0);
            c.pressOk();
            QVERIFY(c.window->isVisible());
            c.pressEscape();
        });
        chooser.exec();
        QCOMPARE(boxes.texts(),
            QStringList{"That line of the level index is longer than any level name can be; the list shows only its "
                        "beginning."});
    }

    void chooserTellsOfAnIndexThatIsNoFile()
    {
        std::unique_ptr<hostile::FifoHolder> holder;
        if (!makeHostile("fifo", levelIndexPath(), holder))
            QSKIP("no named pipes here");
        ScriptedMessages boxes;
        boxes.answer(QMessageBox::Ok);
        frmLoadSave chooser(nullptr);
        ModalDriver driver([&](QWidget* modal) {
            const Chooser c{modal};
            QCOMPARE(c.listedNames(), QStringList());
            c.pressEscape();
        });
        chooser.exec();
        QCOMPARE(boxes.texts(),
            QStringList{
                "The level index '" + levelIndexPath() + "' is not a regular file, so the list of levels is empty."});
    }

    void picturesThatAreNoFiles()
    {
        std::unique_ptr<hostile::FifoHolder> holder;
        if (!makeHostile("fifo", QDir(session->game().editorDir()).filePath("player.bmp"), holder))
            QSKIP("no named pipes here");
        EditorPictures pictures;
        QCOMPARE(loadEditorPictures(session->game().editorDir(), modLists::catalogue, pictures).message(),
            QString("The picture file \"player.bmp\" is not a regular file."));
    }

    void resizeSheetThatIsNoFile()
    {
        std::unique_ptr<hostile::FifoHolder> holder;
        if (!makeHostile("fifo", QDir(session->game().editorDir()).filePath("resize.bmp"), holder))
            QSKIP("no named pipes here");
        ScriptedMessages boxes;
        boxes.answer(QMessageBox::Ok);
        session->clickAndDrive("cmdResize", [](QWidget* modal) { modal->findChild<QPushButton*>("cmdDone")->click(); });
        QCOMPARE(boxes.texts(),
            QStringList{"The picture sheet \"resize.bmp\" is not a regular file. The corner buttons show their "
                        "corners' names instead of "
                        "pictures."});
    }
};

QTEST_MAIN(tst_hostilefiles)
#include "tst_hostilefiles.moc"
