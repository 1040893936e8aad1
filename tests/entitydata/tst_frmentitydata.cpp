#include "common/ModalDriver.h"
#include "common/TempGame.h"
#include "editor/frmMain.h"
#include "entitydata/frmEntityData.h"
#include "model/modLists.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

const QStringList dataRows{"left", "heavy", "1", "", "12,3"};

QStringList rowTexts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

void clickRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The editor's controls, as the tests use them.
struct Editor
{
    QWidget* dialog;
    QListWidget* lstCurEnt = dialog->findChild<QListWidget*>("lstCurEnt");
    QListWidget* lstCurDat = dialog->findChild<QListWidget*>("lstCurDat");
    QLineEdit* txtData = dialog->findChild<QLineEdit*>("txtData");
    QLabel* lblTip = dialog->findChild<QLabel*>("lblTip");
    QPushButton* cmdApply = dialog->findChild<QPushButton*>("cmdApply");
    QPushButton* cmdClose = dialog->findChild<QPushButton*>("cmdClose");

    // Keys go where the keyboard sends them: to the focused control.
    void press(Qt::Key key) const { QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, key); }
};

} // namespace

class tst_frmentitydata : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;

    // Opens the editor with the main window's button; `action` plays the user and must close it.
    void openEditor(const std::function<void(Editor&)>& action)
    {
        ModalDriver driver([&](QWidget* modal) {
            QVERIFY(qobject_cast<frmEntityData*>(modal) && QTest::qWaitForWindowActive(modal));
            Editor editor{modal};
            action(editor);
        });
        window->findChild<QPushButton*>("cmdEntityData")->click();
        QVERIFY(driver.ran());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!window->findChild<frmEntityData*>()); // unloaded when closed
    }

private slots:
    void initTestCase()
    {
        game = std::make_unique<TempGame>();
        QVERIFY(game->isValid());
        QCOMPARE(modLists::readElements(game->editorDir()), QString());
        // Tips of the test's own, with paragraph breaks as the catalogue stores them.
        for (int kind = 0; kind < 4; ++kind)
            modLists::catalogue.entityDefs[size_t(kind)][Catalogue::EntityTip] = QStringLiteral("Kind %1.\r\n\r\nData: any.").arg(kind);
    }

    void cleanupTestCase() { game.reset(); }

    void init()
    {
        window = std::make_unique<frmMain>();
        QCOMPARE(window->Form_Load(), QString());
        window->show();
        Level& level = modLists::level;
        levelops::movePlayer(level, 3, 5);
        level.playerData = "left";
        levelops::appendEntity(level, {0, 2, 7, 0}, "heavy");
        levelops::appendEntity(level, {3, 4, 1, 1}, "1");
        levelops::appendEntity(level, {0, 0, 0, 3}, "");
        levelops::appendEntity(level, {2, 6, 6, 2}, "12,3");
        level.levelChanged = false;
    }

    void cleanup() { window.reset(); }

    void opensWithOneRowPerObjectAndNoneChosen()
    {
        const Catalogue& c = modLists::catalogue;
        const Level before = modLists::level;
        openEditor([&](Editor& e) {
            QCOMPARE(e.dialog->windowTitle(), QString("Edit entity data"));
            QCOMPARE(rowTexts(e.lstCurEnt),
                (QStringList{"3,5,Player", "2,7," + c.entityName(0), "4,1," + c.entityName(1), "0,0," + c.entityName(3), "6,6," + c.entityName(2)}));
            QCOMPARE(rowTexts(e.lstCurDat), dataRows);
            // Nothing chosen yet, even with the focus in the first list.
            QCOMPARE(e.dialog->focusWidget(), e.lstCurEnt);
            QCOMPARE(e.lstCurEnt->currentRow() + e.lstCurDat->currentRow(), -2);
            QVERIFY(e.txtData->text().isEmpty() && e.lblTip->text().isEmpty());
            // Apply with no row chosen changes nothing.
            e.press(Qt::Key_Return);
            e.txtData->setFocus();
            QTest::keyClicks(e.txtData, "stray");
            e.press(Qt::Key_Return);
            QCOMPARE(rowTexts(e.lstCurDat), dataRows);
            QVERIFY(e.dialog->isVisible());
            // The design size; the controls follow the dialog's size.
            QCOMPARE(e.dialog->size(), QSize(305, 201));
            QCOMPARE(e.lstCurDat->geometry(), QRect(102, 8, 93, 185));
            QCOMPARE(e.lblTip->geometry(), QRect(203, 72, 94, 80));
            e.dialog->resize(400, 300);
            QCOMPARE(e.lstCurDat->geometry(), QRect(133, 8, 126, 284));
            QCOMPARE(e.cmdClose->geometry(), QRect(267, 259, 125, 33));
            e.cmdClose->click();
        });
        QVERIFY(modLists::level == before);
    }

    void editARow_data()
    {
        QTest::addColumn<bool>("inDataList"); // where the row is clicked
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter"); // else by the Apply button
        QTest::addColumn<int>("closeBy"); // 0 Escape, 1 the Close button, 2 the close box
        QTest::addColumn<bool>("changedBefore"); // Apply leaves it as it was
        QTest::newRow("player, by Enter") << false << 0 << "'left' or 'right'" << "up" << true << 0 << false;
        QTest::newRow("player in the data list, not checked") << true << 0 << "'left' or 'right'" << "  sideways " << false << 1 << true;
        QTest::newRow("first entity") << false << 1 << "Kind 0.\n\nData: any." << "7" << false << 2 << true;
        QTest::newRow("entity on layer 3 in the data list, emptied") << true << 2 << "Kind 1.\n\nData: any." << "" << true << 0 << false;
        QTest::newRow("empty data") << false << 3 << "Kind 3.\n\nData: any." << "x" << true << 1 << true;
    }

    void editARow()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(bool, changedBefore);
        QFETCH(bool, inDataList);
        QFETCH(bool, byEnter);
        QFETCH(int, closeBy);
        modLists::level.levelChanged = changedBefore;
        QStringList expected = dataRows;
        expected[row] = typed;
        openEditor([&](Editor& e) {
            QListWidget* clicked = inDataList ? e.lstCurDat : e.lstCurEnt;
            clickRow(clicked, row);
            QCOMPARE(e.lstCurEnt->currentRow() * 10 + e.lstCurDat->currentRow(), row * 11);
            QVERIFY(e.lstCurEnt->item(row)->isSelected() && e.lstCurDat->item(row)->isSelected());
            QTEST(e.lblTip->text(), "tip");
            // The text is chosen, to be typed over.
            QCOMPARE(e.dialog->focusWidget(), e.txtData);
            QCOMPARE(e.txtData->selectedText(), dataRows[row]);
            typed.isEmpty() ? QTest::keyClick(e.txtData, Qt::Key_Delete) : QTest::keyClicks(e.txtData, typed);
            byEnter ? e.press(Qt::Key_Return) : e.cmdApply->click();
            QCOMPARE(rowTexts(e.lstCurDat), expected);
            // The arrow keys choose too, in either list; what is typed then but never applied is dropped.
            clicked->setFocus();
            e.press(Qt::Key_Down);
            QCOMPARE(e.lstCurEnt->currentRow() * 10 + e.lstCurDat->currentRow(), (row + 1) * 11);
            QCOMPARE(e.txtData->selectedText(), dataRows[row + 1]);
            QTest::keyClicks(e.txtData, "never applied");
            closeBy == 0 ? e.press(Qt::Key_Escape) : closeBy == 1 ? e.cmdClose->click() : void(e.dialog->close());
        });
        const Level& level = modLists::level;
        QStringList stored{level.playerData};
        for (const QString& text : level.entityData)
            stored.append(text);
        QCOMPARE(stored, expected);
        QCOMPARE(level.levelChanged, changedBefore);
        // The next opening lists the level as it is now.
        openEditor([&](Editor& e) {
            QCOMPARE(rowTexts(e.lstCurDat), expected);
            e.press(Qt::Key_Escape);
        });
    }

    void listsScrollTogether()
    {
        for (int i = 0; i < 200; ++i)
            levelops::appendEntity(modLists::level, {0, 1, 1, 0}, QString::number(i));
        openEditor([&](Editor& e) {
            for (QListWidget* moved : {e.lstCurEnt, e.lstCurDat}) {
                QListWidget* other = moved == e.lstCurEnt ? e.lstCurDat : e.lstCurEnt;
                // As a click on the bar below its slider does.
                moved->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
                QVERIFY(moved->indexAt(QPoint(5, 2)).row() > 5);
                QCOMPARE(other->indexAt(QPoint(5, 2)).row(), moved->indexAt(QPoint(5, 2)).row());
            }
            e.press(Qt::Key_Escape);
        });
    }
};

QTEST_MAIN(tst_frmentitydata)
#include "tst_frmentitydata.moc"
