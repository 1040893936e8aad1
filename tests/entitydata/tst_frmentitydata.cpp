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

// Keys go where the keyboard sends them: to the focused control.
void press(QWidget* dialog, Qt::Key key)
{
    QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, key);
}

// The editor's controls, as the tests use them.
struct Editor
{
    explicit Editor(QWidget* d)
        : dialog(d)
        , lstCurEnt(d->findChild<QListWidget*>("lstCurEnt"))
        , lstCurDat(d->findChild<QListWidget*>("lstCurDat"))
        , txtData(d->findChild<QLineEdit*>("txtData"))
        , lblTip(d->findChild<QLabel*>("lblTip"))
        , cmdApply(d->findChild<QPushButton*>("cmdApply"))
        , cmdClose(d->findChild<QPushButton*>("cmdClose"))
    {
    }
    QWidget* dialog;
    QListWidget* lstCurEnt;
    QListWidget* lstCurDat;
    QLineEdit* txtData;
    QLabel* lblTip;
    QPushButton* cmdApply;
    QPushButton* cmdClose;
};

} // namespace

class tst_frmentitydata : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;

    // Opens the editor with the main window's button; `action` plays the user
    // and must close it.
    void openEditor(const std::function<void(Editor&)>& action)
    {
        ModalDriver driver([&](QWidget* modal) {
            QVERIFY(qobject_cast<frmEntityData*>(modal));
            QVERIFY(QTest::qWaitForWindowActive(modal));
            Editor editor(modal);
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

    void opensWithOneRowPerObject()
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
            QCOMPARE(e.lstCurEnt->currentRow(), -1);
            QCOMPARE(e.lstCurDat->currentRow(), -1);
            QVERIFY(e.txtData->text().isEmpty() && e.lblTip->text().isEmpty());
            // Apply with no row chosen changes nothing.
            press(e.dialog, Qt::Key_Return);
            e.txtData->setFocus();
            QTest::keyClicks(e.txtData, "stray");
            press(e.dialog, Qt::Key_Return);
            QCOMPARE(rowTexts(e.lstCurDat), dataRows);
            QVERIFY(e.dialog->isVisible());
            e.cmdClose->click();
        });
        QVERIFY(modLists::level == before);
        levelops::clearEntities(modLists::level);
        openEditor([&](Editor& e) {
            QCOMPARE(rowTexts(e.lstCurEnt), QStringList{"3,5,Player"});
            e.cmdClose->click();
        });
    }

    void choosingARowSelectsItInBoth_data()
    {
        QTest::addColumn<bool>("inDataList");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tip");
        QTest::newRow("player, entity list") << false << 0 << "'left' or 'right'";
        QTest::newRow("player, data list") << true << 0 << "'left' or 'right'";
        QTest::newRow("first entity") << false << 1 << "Kind 0.\n\nData: any.";
        QTest::newRow("entity on layer 3, data list") << true << 2 << "Kind 1.\n\nData: any.";
        QTest::newRow("empty data") << false << 3 << "Kind 3.\n\nData: any.";
    }

    void choosingARowSelectsItInBoth()
    {
        QFETCH(bool, inDataList);
        QFETCH(int, row);
        QFETCH(QString, tip);
        openEditor([&](Editor& e) {
            clickRow(inDataList ? e.lstCurDat : e.lstCurEnt, row);
            QCOMPARE(e.lstCurEnt->currentRow(), row);
            QCOMPARE(e.lstCurDat->currentRow(), row);
            QVERIFY(e.lstCurEnt->item(row)->isSelected() && e.lstCurDat->item(row)->isSelected());
            QCOMPARE(e.txtData->text(), dataRows[row]);
            QCOMPARE(e.txtData->selectedText(), dataRows[row]);
            QCOMPARE(e.dialog->focusWidget(), e.txtData);
            QCOMPARE(e.lblTip->text(), tip);
            // The arrow keys choose too, in either list.
            (inDataList ? e.lstCurDat : e.lstCurEnt)->setFocus();
            press(e.dialog, Qt::Key_Down);
            QCOMPARE(e.lstCurEnt->currentRow(), row + 1);
            QCOMPARE(e.lstCurDat->currentRow(), row + 1);
            QCOMPARE(e.txtData->text(), dataRows[row + 1]);
            e.cmdClose->click();
        });
    }

    void applyStoresTheText_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("changedBefore");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("player, by Enter") << 0 << "up" << false << true;
        QTest::newRow("player, not checked") << 0 << "  sideways " << true << false;
        QTest::newRow("entity on layer 3, by the button") << 2 << "7" << true << false;
        QTest::newRow("emptied, by Enter") << 4 << "" << false << true;
    }

    void applyStoresTheText()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(bool, changedBefore);
        QFETCH(bool, byEnter);
        modLists::level.levelChanged = changedBefore;
        openEditor([&](Editor& e) {
            clickRow(e.lstCurEnt, row);
            // The whole text is selected: typing replaces it.
            typed.isEmpty() ? QTest::keyClick(e.txtData, Qt::Key_Delete) : QTest::keyClicks(e.txtData, typed);
            byEnter ? press(e.dialog, Qt::Key_Return) : e.cmdApply->click();
            QStringList expected = dataRows;
            expected[row] = typed;
            QCOMPARE(rowTexts(e.lstCurDat), expected);
            QCOMPARE(e.lstCurDat->currentRow(), row);
            QVERIFY(e.dialog->isVisible());
            e.cmdClose->click();
        });
        const Level& level = modLists::level;
        QCOMPARE(row == 0 ? level.playerData : level.entityData[size_t(row - 1)], typed);
        QCOMPARE(level.levelChanged, changedBefore);
    }

    void closingDropsWhatWasNotApplied_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape") << 0;
        QTest::newRow("Close button") << 1;
        QTest::newRow("close box") << 2;
    }

    void closingDropsWhatWasNotApplied()
    {
        QFETCH(int, how);
        openEditor([&](Editor& e) {
            clickRow(e.lstCurEnt, 2);
            QTest::keyClicks(e.txtData, "applied");
            press(e.dialog, Qt::Key_Return);
            clickRow(e.lstCurEnt, 1);
            QTest::keyClicks(e.txtData, "never applied");
            how == 0 ? press(e.dialog, Qt::Key_Escape) : how == 1 ? e.cmdClose->click() : void(e.dialog->close());
        });
        QCOMPARE(modLists::level.entityData, (std::vector<QString>{"heavy", "applied", "", "12,3"}));
        // The next opening lists the level as it is now.
        openEditor([&](Editor& e) {
            QCOMPARE(rowTexts(e.lstCurDat), (QStringList{"left", "heavy", "applied", "", "12,3"}));
            press(e.dialog, Qt::Key_Escape);
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
                moved->verticalScrollBar()->setValue(40);
                QCOMPARE(other->indexAt(QPoint(5, 2)).row(), 40);
            }
            press(e.dialog, Qt::Key_Escape);
        });
    }

    void layoutFollowsTheDialogSize()
    {
        openEditor([&](Editor& e) {
            // The design size, 4575 by 3015 twips: columns 1405 twips wide.
            QCOMPARE(e.dialog->size(), QSize(305, 201));
            QCOMPARE(e.lstCurEnt->geometry(), QRect(8, 8, 94, 185));
            QCOMPARE(e.lstCurDat->geometry(), QRect(102, 8, 93, 185));
            QCOMPARE(e.lblTip->geometry(), QRect(203, 72, 94, 80));
            QCOMPARE(e.cmdClose->geometry(), QRect(203, 160, 94, 33));
            // 6000 by 4500 twips: columns 1880 wide.
            e.dialog->resize(400, 300);
            QCOMPARE(e.lstCurDat->geometry(), QRect(133, 8, 126, 284));
            QCOMPARE(e.cmdClose->geometry(), QRect(267, 259, 125, 33));
            // Narrower than its margins: the widths stay, the lefts still move.
            e.dialog->resize(20, 300);
            QCOMPARE(e.lstCurDat->geometry(), QRect(7, 8, 125, 284));
            QCOMPARE(e.cmdClose->geometry(), QRect(13, 259, 126, 33));
            press(e.dialog, Qt::Key_Escape);
        });
    }
};

QTEST_MAIN(tst_frmentitydata)
#include "tst_frmentitydata.moc"
