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

using Action = std::function<void(frmEntityData*)>;

QStringList rowTexts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

template <typename T>
T* child(QWidget* dialog, const char* name)
{
    T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void clickRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The key goes where the user's keyboard would send it: the focused control.
void press(QWidget* dialog, Qt::Key key)
{
    QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, key);
}

} // namespace

class tst_frmentitydata : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;

    // Opens the editor with the main window's button; `action` plays the user.
    void openEditor(const Action& action)
    {
        bool sawEditor = false;
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<frmEntityData*>(modal);
            if (!dialog)
                return;
            sawEditor = true;
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            action(dialog);
        });
        child<QPushButton>(window.get(), "cmdEntityData")->click();
        QVERIFY(driver.ran());
        QVERIFY(sawEditor);
        QVERIFY(!QApplication::activeModalWidget());
        // Unloaded when closed.
        QVERIFY(!window->findChild<frmEntityData*>());
    }

private slots:
    void initTestCase()
    {
        game = std::make_unique<TempGame>();
        QVERIFY(game->isValid());
        QCOMPARE(modLists::readElements(game->editorDir()), QString());
        QVERIFY(modLists::catalogue.entityCount() >= 4);
        // Tips of the test's own, with paragraph breaks as the catalogue stores them.
        for (int kind = 0; kind < 4; ++kind)
            modLists::catalogue.entityDefs[size_t(kind)][Catalogue::EntityTip] =
                QStringLiteral("Tip of kind %1.\r\n\r\nData: whatever %1 needs.").arg(kind);
    }

    void cleanupTestCase()
    {
        game.reset();
    }

    void init()
    {
        window = std::make_unique<frmMain>();
        QCOMPARE(window->Form_Load(), QString());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        Level& level = modLists::level;
        levelops::movePlayer(level, 3, 5);
        level.playerData = "left";
        levelops::appendEntity(level, {0, 2, 7, 0}, "heavy");
        levelops::appendEntity(level, {3, 4, 1, 1}, "1");
        levelops::appendEntity(level, {0, 0, 0, 3}, "");
        levelops::appendEntity(level, {2, 6, 6, 2}, "12,3");
        level.levelChanged = false;
    }

    void cleanup()
    {
        window.reset();
    }

    void opensWithOneRowPerObject_data()
    {
        QTest::addColumn<bool>("withEntities");
        QTest::addColumn<QStringList>("objects");
        QTest::addColumn<QStringList>("data");
        const QString kind0 = modLists::catalogue.entityName(0);
        const QString kind1 = modLists::catalogue.entityName(1);
        const QString kind2 = modLists::catalogue.entityName(2);
        const QString kind3 = modLists::catalogue.entityName(3);
        QTest::newRow("player and entities of all layers, in slot order")
            << true << QStringList{"3,5,Player", "2,7," + kind0, "4,1," + kind1, "0,0," + kind3, "6,6," + kind2}
            << QStringList{"left", "heavy", "1", "", "12,3"};
        QTest::newRow("no entities: the player row only") << false << QStringList{"3,5,Player"} << QStringList{"left"};
    }

    void opensWithOneRowPerObject()
    {
        QFETCH(bool, withEntities);
        QFETCH(QStringList, objects);
        QFETCH(QStringList, data);
        if (!withEntities)
            levelops::clearEntities(modLists::level);

        openEditor([&](frmEntityData* dialog) {
            auto* lstCurEnt = child<QListWidget>(dialog, "lstCurEnt");
            auto* lstCurDat = child<QListWidget>(dialog, "lstCurDat");
            QCOMPARE(dialog->windowTitle(), QString("Edit entity data"));
            QCOMPARE(rowTexts(lstCurEnt), objects);
            QCOMPARE(rowTexts(lstCurDat), data);
            // Nothing chosen yet, even with the focus in the first list.
            QCOMPARE(dialog->focusWidget(), lstCurEnt);
            QCOMPARE(lstCurEnt->currentRow(), -1);
            QCOMPARE(lstCurDat->currentRow(), -1);
            QVERIFY(lstCurEnt->selectedItems().isEmpty());
            QVERIFY(child<QLineEdit>(dialog, "txtData")->text().isEmpty());
            QVERIFY(child<QLabel>(dialog, "lblTip")->text().isEmpty());
            QVERIFY(child<QPushButton>(dialog, "cmdApply")->isDefault());
            child<QPushButton>(dialog, "cmdClose")->click();
        });
    }

    void choosingARowSelectsItInBoth_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        QTest::newRow("player in the entity list") << "lstCurEnt" << 0 << "left" << "'left' or 'right'";
        QTest::newRow("player in the data list") << "lstCurDat" << 0 << "left" << "'left' or 'right'";
        QTest::newRow("first entity") << "lstCurEnt" << 1 << "heavy" << "Tip of kind 0.\n\nData: whatever 0 needs.";
        QTest::newRow("entity on layer 3, data list") << "lstCurDat" << 2 << "1" << "Tip of kind 1.\n\nData: whatever 1 needs.";
        QTest::newRow("empty data") << "lstCurEnt" << 3 << "" << "Tip of kind 3.\n\nData: whatever 3 needs.";
        QTest::newRow("last row") << "lstCurDat" << 4 << "12,3" << "Tip of kind 2.\n\nData: whatever 2 needs.";
    }

    void choosingARowSelectsItInBoth()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, tip);

        openEditor([&](frmEntityData* dialog) {
            auto* lstCurEnt = child<QListWidget>(dialog, "lstCurEnt");
            auto* lstCurDat = child<QListWidget>(dialog, "lstCurDat");
            auto* txtData = child<QLineEdit>(dialog, "txtData");
            auto* lblTip = child<QLabel>(dialog, "lblTip");
            clickRow(list == "lstCurEnt" ? lstCurEnt : lstCurDat, row);

            QCOMPARE(lstCurEnt->currentRow(), row);
            QCOMPARE(lstCurDat->currentRow(), row);
            QVERIFY(lstCurEnt->item(row)->isSelected());
            QVERIFY(lstCurDat->item(row)->isSelected());
            QCOMPARE(txtData->text(), text);
            QCOMPARE(txtData->selectedText(), text);
            QCOMPARE(dialog->focusWidget(), txtData);
            QCOMPARE(lblTip->text(), tip);
            QVERIFY(lblTip->wordWrap());
            child<QPushButton>(dialog, "cmdClose")->click();
        });
        QVERIFY(!modLists::level.levelChanged);
    }

    void arrowKeysInEitherListKeepThemInStep()
    {
        openEditor([&](frmEntityData* dialog) {
            auto* lstCurEnt = child<QListWidget>(dialog, "lstCurEnt");
            auto* lstCurDat = child<QListWidget>(dialog, "lstCurDat");
            auto* txtData = child<QLineEdit>(dialog, "txtData");
            clickRow(lstCurEnt, 1);
            lstCurDat->setFocus();
            QTest::keyClick(lstCurDat, Qt::Key_Down);
            QCOMPARE(lstCurEnt->currentRow(), 2);
            QCOMPARE(lstCurDat->currentRow(), 2);
            QCOMPARE(txtData->text(), QString("1"));
            lstCurEnt->setFocus();
            QTest::keyClick(lstCurEnt, Qt::Key_Up);
            QCOMPARE(lstCurDat->currentRow(), 1);
            QCOMPARE(txtData->text(), QString("heavy"));
            QCOMPARE(dialog->focusWidget(), txtData);
            press(dialog, Qt::Key_Escape);
        });
    }

    void applyStoresTheText_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("changedBefore");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("player, by Enter") << 0 << "up" << false << true;
        QTest::newRow("player, not checked for left or right") << 0 << "  sideways " << true << false;
        QTest::newRow("first entity, by the button") << 1 << "light" << false << false;
        QTest::newRow("entity on layer 3, by Enter") << 2 << "7" << true << true;
        QTest::newRow("emptied") << 4 << "" << false << true;
    }

    void applyStoresTheText()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(bool, changedBefore);
        QFETCH(bool, byEnter);
        modLists::level.levelChanged = changedBefore;
        const QStringList dataBefore{"left", "heavy", "1", "", "12,3"};

        openEditor([&](frmEntityData* dialog) {
            auto* lstCurEnt = child<QListWidget>(dialog, "lstCurEnt");
            auto* lstCurDat = child<QListWidget>(dialog, "lstCurDat");
            auto* txtData = child<QLineEdit>(dialog, "txtData");
            const QStringList objects = rowTexts(lstCurEnt);
            clickRow(lstCurEnt, row);
            // The whole text is selected: typing replaces it.
            if (typed.isEmpty())
                QTest::keyClick(txtData, Qt::Key_Delete);
            else
                QTest::keyClicks(txtData, typed);
            QCOMPARE(txtData->text(), typed);
            if (byEnter)
                press(dialog, Qt::Key_Return);
            else
                child<QPushButton>(dialog, "cmdApply")->click();

            QStringList expected = dataBefore;
            expected[row] = typed;
            QCOMPARE(rowTexts(lstCurDat), expected);
            QCOMPARE(rowTexts(lstCurEnt), objects);
            QCOMPARE(lstCurDat->currentRow(), row);
            QCOMPARE(lstCurEnt->currentRow(), row);
            QVERIFY(dialog->isVisible());
            child<QPushButton>(dialog, "cmdClose")->click();
        });

        const Level& level = modLists::level;
        QCOMPARE(row == 0 ? level.playerData : level.entityData[size_t(row - 1)], typed);
        QCOMPARE(level.levelChanged, changedBefore);
        QCOMPARE(level.entityCount, qint16(4));
        QCOMPARE(level.playerX, qint16(3));
        QCOMPARE(level.entities[1], (Entity{3, 4, 1, 1}));
    }

    void applyWithNoRowChangesNothing()
    {
        const Level before = modLists::level;
        openEditor([&](frmEntityData* dialog) {
            auto* txtData = child<QLineEdit>(dialog, "txtData");
            press(dialog, Qt::Key_Return);
            txtData->setFocus();
            QTest::keyClicks(txtData, "stray");
            press(dialog, Qt::Key_Return);
            child<QPushButton>(dialog, "cmdApply")->click();
            QCOMPARE(rowTexts(child<QListWidget>(dialog, "lstCurDat")), (QStringList{"left", "heavy", "1", "", "12,3"}));
            QVERIFY(dialog->isVisible());
            press(dialog, Qt::Key_Escape);
        });
        QVERIFY(modLists::level == before);
    }

    void closingDropsWhatWasNotApplied_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("Close button") << "cmdClose";
        QTest::newRow("close box") << "close box";
    }

    void closingDropsWhatWasNotApplied()
    {
        QFETCH(QString, how);
        openEditor([&](frmEntityData* dialog) {
            auto* txtData = child<QLineEdit>(dialog, "txtData");
            clickRow(child<QListWidget>(dialog, "lstCurEnt"), 2);
            QTest::keyClicks(txtData, "applied");
            press(dialog, Qt::Key_Return);
            QTest::keyClicks(txtData, " and then some");
            clickRow(child<QListWidget>(dialog, "lstCurEnt"), 1);
            QTest::keyClicks(txtData, "never applied");
            if (how == "Escape")
                press(dialog, Qt::Key_Escape);
            else if (how == "cmdClose")
                child<QPushButton>(dialog, "cmdClose")->click();
            else
                dialog->close();
        });
        QCOMPARE(modLists::level.entityData, (std::vector<QString>{"heavy", "applied", "", "12,3"}));

        // The next opening lists the level as it is now.
        openEditor([&](frmEntityData* dialog) {
            QCOMPARE(rowTexts(child<QListWidget>(dialog, "lstCurDat")), (QStringList{"left", "heavy", "applied", "", "12,3"}));
            QVERIFY(child<QLineEdit>(dialog, "txtData")->text().isEmpty());
            press(dialog, Qt::Key_Escape);
        });
    }

    void listsScrollTogether_data()
    {
        QTest::addColumn<QString>("scrolled");
        QTest::addColumn<QString>("follower");
        QTest::newRow("entity list scrolled") << "lstCurEnt" << "lstCurDat";
        QTest::newRow("data list scrolled") << "lstCurDat" << "lstCurEnt";
    }

    void listsScrollTogether()
    {
        QFETCH(QString, scrolled);
        QFETCH(QString, follower);
        for (int i = 0; i < 200; ++i)
            levelops::appendEntity(modLists::level, {0, qint16(i % 8), qint16(i / 8 % 8), 0}, QString::number(i));

        openEditor([&](frmEntityData* dialog) {
            auto* moved = dialog->findChild<QListWidget*>(scrolled);
            auto* other = dialog->findChild<QListWidget*>(follower);
            QVERIFY(moved->verticalScrollBar()->maximum() > 100);
            moved->verticalScrollBar()->setValue(100);
            QCOMPARE(other->verticalScrollBar()->value(), 100);
            QCOMPARE(other->indexAt(QPoint(5, 2)).row(), moved->indexAt(QPoint(5, 2)).row());
            QTest::keyClick(moved, Qt::Key_PageDown);
            QCOMPARE(other->verticalScrollBar()->value(), moved->verticalScrollBar()->value());
            QCOMPARE(other->indexAt(QPoint(5, 2)).row(), moved->indexAt(QPoint(5, 2)).row());
            press(dialog, Qt::Key_Escape);
        });
    }

    void opensOnTheMostEntities()
    {
        Level& level = modLists::level;
        levelops::clearEntities(level);
        for (int i = 0; i < Level::maxEntities; ++i)
            levelops::appendEntity(level, {qint16(i % 5), qint16(i % 70), qint16(i / 70 % 70), qint16(i % 4)}, QString::number(i));
        openEditor([&](frmEntityData* dialog) {
            auto* lstCurEnt = child<QListWidget>(dialog, "lstCurEnt");
            auto* lstCurDat = child<QListWidget>(dialog, "lstCurDat");
            QCOMPARE(lstCurEnt->count(), 32768);
            QCOMPARE(lstCurDat->count(), 32768);
            QCOMPARE(lstCurEnt->item(32767)->text(), "6,48," + modLists::catalogue.entityName(2));
            QCOMPARE(lstCurDat->item(32767)->text(), QString("32766"));
            lstCurDat->setCurrentRow(32767);
            QCOMPARE(lstCurEnt->currentRow(), 32767);
            QCOMPARE(lstCurEnt->verticalScrollBar()->value(), lstCurDat->verticalScrollBar()->value());
            press(dialog, Qt::Key_Escape);
        });
    }

    void layoutFollowsTheDialogSize()
    {
        openEditor([&](frmEntityData* dialog) {
            // The design size: 4575 by 3015 twips.
            QCOMPARE(dialog->size(), QSize(305, 201));
            QCOMPARE(dialog->geometry().rect("lstCurDat"), (TwipRect{1525, 120, 1405, 2775}));
            QCOMPARE(child<QWidget>(dialog, "lstCurEnt")->geometry(), QRect(8, 8, 94, 185));
            QCOMPARE(child<QWidget>(dialog, "lstCurDat")->geometry(), QRect(102, 8, 93, 185));
            QCOMPARE(child<QWidget>(dialog, "lblTip")->geometry(), QRect(203, 72, 94, 80));
            QCOMPARE(child<QWidget>(dialog, "cmdClose")->geometry(), QRect(203, 160, 94, 33));

            // Wider and taller: 6000 by 4500 twips, columns 1880 wide.
            dialog->resize(400, 300);
            QCoreApplication::processEvents();
            QCOMPARE(dialog->size(), QSize(400, 300));
            QCOMPARE(dialog->geometry().rect("txtData"), (TwipRect{4000, 120, 1880, 285}));
            QCOMPARE(child<QWidget>(dialog, "lstCurDat")->geometry(), QRect(133, 8, 126, 284));
            QCOMPARE(child<QWidget>(dialog, "cmdClose")->geometry(), QRect(267, 259, 125, 33));

            // Narrower than the margins: the widths stay, the lefts still move.
            dialog->resize(20, 300);
            QCoreApplication::processEvents();
            QCOMPARE(dialog->geometry().rect("txtData"), (TwipRect{200, 120, 1880, 285}));
            QCOMPARE(dialog->geometry().left("lstCurDat"), 100.0);
            press(dialog, Qt::Key_Escape);
        });
    }
};

QTEST_MAIN(tst_frmentitydata)
#include "tst_frmentitydata.moc"
