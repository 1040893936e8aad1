#include "ChooserSteps.h"
#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "levelfile/LevelPaths.h"
#include "levelfile/frmLoadSave.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray startIndex = "A\r\n\r\nb\r\n";

QString choose(frmLoadSave& chooser, bool save, const std::function<void(frmLoadSave*)>& action)
{
    chooser.save = save;
    ModalDriver driver([&](QWidget* modal) { action(qobject_cast<frmLoadSave*>(modal)); });
    chooser.exec();
    if (!driver.ran())
        QTest::qFail("the chooser was not shown", __FILE__, __LINE__);
    return chooser.fName;
}

} // namespace

class tst_frmloadsave : public QObject
{
    Q_OBJECT
private slots:
    void returnsAName_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("fName");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QByteArray>("index");
        QTest::newRow("load: click and OK") << false << QStringList{"click 0", "ok"} << QStringList() << "A" << QStringList() << startIndex;
        QTest::newRow("load: double-click") << false << QStringList{"dclick 2"} << QStringList() << "b" << QStringList() << startIndex;
        QTest::newRow("load: empty item and Enter") << false << QStringList{"click 1", "enter"} << QStringList() << "" << QStringList() << startIndex;
        QTest::newRow("load: unlisted name") << false << QStringList{"type a", "enter", "open", "type A", "enter"} << QStringList{"Ok"} << "A"
                                             << QStringList{"Level does not exist!"} << startIndex;
        QTest::newRow("cancel button") << false << QStringList{"click 0", "cancel"} << QStringList() << "" << QStringList() << startIndex;
        QTest::newRow("Esc") << true << QStringList{"type New", "esc"} << QStringList() << "" << QStringList() << startIndex;
        QTest::newRow("close box") << true << QStringList{"type New", "close"} << QStringList() << "" << QStringList() << startIndex;
        QTest::newRow("save: new name appended") << true << QStringList{"type New", "enter"} << QStringList() << "New" << QStringList()
                                                 << startIndex + "New\r\n";
        QTest::newRow("save: case makes a new name") << true << QStringList{"type a", "ok"} << QStringList() << "a" << QStringList()
                                                     << startIndex + "a\r\n";
        QTest::newRow("save: listed, No then Yes") << true << QStringList{"click 2", "ok", "open", "ok"} << QStringList{"No", "Yes"} << "b"
                                                   << QStringList{"Overwrite existing b?", "Overwrite existing b?"} << startIndex;
    }

    void returnsAName()
    {
        QFETCH(bool, save);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, answers);
        TempGame game;
        game.writeFile(QDir(game.levelsDir()).filePath("index.txt"), startIndex);
        ScriptedMessages messages;
        for (const QString& answer : answers)
            messages.answer(button(answer));
        frmLoadSave chooser(nullptr);
        QTEST(choose(chooser, save, [&](frmLoadSave* d) { play(d, steps); }), "fName");
        QTEST(messages.texts(), "messages");
        for (const Messages::Request& request : messages.shown()) {
            const bool question = request.text.startsWith("Overwrite");
            QCOMPARE(request.buttons, question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
            QCOMPARE(request.icon, Messages::Icon::None);
        }
        QVERIFY(chooser.isHidden());
        QTEST(TempGame::readFile(QDir(game.levelsDir()).filePath("index.txt")), "index");
    }

    void showsTheIndexAndKeepsTheName()
    {
        TempGame game;
        const QString index = QDir(game.levelsDir()).filePath("index.txt");
        frmLoadSave chooser(nullptr);
        auto items = [](frmLoadSave* d) {
            QStringList texts;
            auto* list = d->findChild<QListWidget*>("List1");
            for (int row = 0; row < list->count(); ++row)
                texts << list->item(row)->text();
            return texts;
        };
        choose(chooser, false, [&](frmLoadSave* d) {
            QCOMPARE(items(d), QStringList()); // no index yet
            QCOMPARE(d->windowTitle(), QString("Load"));
            QCOMPARE(d->findChild<QPushButton*>("cmdOK")->text(), QString("Load"));
            QCOMPARE(d->findChild<QLineEdit*>("txtName")->text(), QString("ALevel"));
            play(d, {"type Mine", "esc"});
        });
        game.writeFile(index, "First\r\n\r\nMine\r\n");
        choose(chooser, true, [&](frmLoadSave* d) {
            QCOMPARE(items(d), (QStringList{"First", "", "Mine"}));
            QCOMPARE(d->windowTitle(), QString("Save"));
            QCOMPARE(d->findChild<QPushButton*>("cmdOK")->text(), QString("Save"));
            QCOMPARE(d->findChild<QLineEdit*>("txtName")->text(), QString("Mine"));
            play(d, {"cancel"});
        });
    }

    void tellsWhenTheIndexCannotTakeTheName()
    {
        TempGame game;
        QVERIFY(QDir(game.levelsDir()).mkdir("index.txt")); // stops root too
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        frmLoadSave chooser(nullptr);
        choose(chooser, true, [&](frmLoadSave* d) { play(d, {"type New", "enter", "open", "esc"}); });
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts()[0].startsWith("Could not add \"New\" to the level index '" + levelIndexPath() + "': "),
            qPrintable(messages.texts()[0]));
    }

    void fitsItsSize()
    {
        TempGame game;
        frmLoadSave chooser(nullptr);
        choose(chooser, false, [&](frmLoadSave* d) {
            auto* list = d->findChild<QListWidget*>("List1");
            QCOMPARE(list->geometry(), QRect(8, 8, 169, 125)); // 2535 by 1875 twips
            QCOMPARE(d->findChild<QPushButton*>("cmdCancel")->geometry(), QRect(97, 168, 80, 33));
            d->resize(300, 400);
            QCOMPARE(list->geometry(), QRect(8, 8, 284, 316));
            QCOMPARE(d->findChild<QLineEdit*>("txtName")->geometry(), QRect(8, 332, 284, 19));
            play(d, {"esc"});
        });
    }
};

QTEST_MAIN(tst_frmloadsave)
#include "tst_frmloadsave.moc"
