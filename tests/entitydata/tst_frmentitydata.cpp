#include "common/EditorSession.h"
#include "common/ScriptedMessages.h"
#include "common/TestLevels.h"
#include "entitydata/ui/frmEntityData.h"
#include "model/modLists.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

const QStringList dataRows{"left", "heavy", "1", "", "12,3"};

enum List { EntityList, DataList };
enum Close { ByEscape, ByCloseBox, ByEnterOnClose };

QStringList rowTexts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

struct Editor
{
    QWidget* dialog;
    QListWidget* lstCurEnt = dialog->findChild<QListWidget*>("lstCurEnt");
    QListWidget* lstCurDat = dialog->findChild<QListWidget*>("lstCurDat");
    QLineEdit* txtData = dialog->findChild<QLineEdit*>("txtData");
    QLabel* lblTip = dialog->findChild<QLabel*>("lblTip");
    QPushButton* cmdClose = dialog->findChild<QPushButton*>("cmdClose");

    // Keys go where the keyboard sends them: to the focused control.
    void press(Qt::Key key) const { QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, key); }
    void click(QListWidget* list, int row) const
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    // Types over the text box; any character comes as a keyboard of the user's language gives it.
    void type(const QString& text) const
    {
        txtData->selectAll();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, txtData, Qt::Key_unknown, QString(c), {});
    }
    QPoint currentRows() const { return {lstCurEnt->currentRow(), lstCurDat->currentRow()}; }
};

} // namespace

class tst_frmentitydata : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;

    // Opens the editor with the main window's button; `action` plays the user and must close it.
    void openEditor(const std::function<void(Editor&)>& action)
    {
        session->clickAndDrive("cmdEntityData", [&](QWidget* modal) {
            QVERIFY(qobject_cast<frmEntityData*>(modal));
            Editor editor{modal};
            action(editor);
        });
        QVERIFY(!session->window().findChild<frmEntityData*>()); // unloaded when closed
    }

private slots:
    void init()
    {
        session = std::make_unique<EditorSession>();
        QCOMPARE(session->error(), QString());
        // Tips of the test's own, with paragraph breaks as the catalogue stores them.
        for (int kind = 0; kind < 4; ++kind)
            modLists::catalogue.entityDefs[size_t(kind)].tip = QStringLiteral("Kind %1.\r\n\r\nData: any.").arg(kind);
        Level& level = modLists::level;
        levelops::movePlayer(level, 3, 5);
        level.playerData = "left";
        place(level, {0, 2, 7, 0}, "heavy");
        place(level, {3, 4, 1, 1}, "1");
        place(level, {0, 0, 0, 3}, "");
        place(level, {2, 6, 6, 2}, "12,3");
        level.levelChanged = false;
    }

    void cleanup() { session.reset(); }

    // A row chosen in one list, its text typed over and applied with Enter
    // (the button is tst_undo's); then the next row chosen by the arrow key,
    // typed over, chosen again (which brings its text back), typed over and
    // never applied.
    void editARow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<List>("list"); // where the row is clicked
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Close>("close");
        QTest::addColumn<QString>("tip");
        QTest::newRow("player in the data list, not checked")
            << 0 << DataList << "  sideways " << ByCloseBox << "'left' or 'right'";
        QTest::newRow("first entity, 8-bit letters")
            << 1 << EntityList << "caf\u00E9 \u00FF" << ByCloseBox << "Kind 0.\n\nData: any.";
        QTest::newRow("entity on layer 3 in the data list, emptied")
            << 2 << DataList << "" << ByEscape << "Kind 1.\n\nData: any.";
        QTest::newRow("empty data, Enter on a focused Close")
            << 3 << EntityList << "x" << ByEnterOnClose << "Kind 3.\n\nData: any.";
    }

    void editARow()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(List, list);
        QFETCH(Close, close);
        QStringList expected = dataRows;
        expected[row] = typed;
        openEditor([&](Editor& e) {
            const Catalogue& c = modLists::catalogue;
            QCOMPARE(rowTexts(e.lstCurEnt),
                (QStringList{"3,5,Player", "2,7," + c.entityName(0), "4,1," + c.entityName(1), "0,0," + c.entityName(3),
                    "6,6," + c.entityName(2)}));
            QCOMPARE(rowTexts(e.lstCurDat), dataRows);
            // Nothing chosen yet, even with the focus in the first list; Apply then stores nothing.
            QCOMPARE(e.dialog->focusWidget(), e.lstCurEnt);
            QCOMPARE(e.currentRows(), QPoint(-1, -1));
            QVERIFY(e.txtData->text().isEmpty() && e.lblTip->text().isEmpty());
            e.press(Qt::Key_Return);
            e.txtData->setFocus();
            QTest::keyClicks(e.txtData, "stray");
            e.press(Qt::Key_Return);
            QListWidget* clicked = list == DataList ? e.lstCurDat : e.lstCurEnt;
            e.click(clicked, row);
            QCOMPARE(e.currentRows(), QPoint(row, row));
            QTEST(e.lblTip->text(), "tip");
            // The text is chosen, to be typed over.
            QCOMPARE(e.dialog->focusWidget(), e.txtData);
            QCOMPARE(e.txtData->selectedText(), dataRows[row]);
            typed.isEmpty() ? QTest::keyClick(e.txtData, Qt::Key_Delete) : e.type(typed);
            e.press(Qt::Key_Return);
            QCOMPARE(rowTexts(e.lstCurDat), expected);
            // The arrow keys choose too, in either list; what is typed then but never applied is dropped.
            clicked->setFocus();
            e.press(Qt::Key_Down);
            QCOMPARE(e.currentRows(), QPoint(row + 1, row + 1));
            QCOMPARE(e.txtData->selectedText(), dataRows[row + 1]);
            QTest::keyClicks(e.txtData, "half typed");
            e.click(clicked, row + 1);
            QCOMPARE(e.txtData->selectedText(), dataRows[row + 1]);
            QTest::keyClicks(e.txtData, "never applied");
            if (close == ByEnterOnClose)
                e.cmdClose->setFocus(Qt::TabFocusReason);
            if (close == ByCloseBox)
                e.dialog->close();
            else
                e.press(close == ByEscape ? Qt::Key_Escape : Qt::Key_Return);
        });
        const Level& level = modLists::level;
        QCOMPARE(
            QStringList{level.playerData} + QStringList(level.entityData.begin(), level.entityData.end()), expected);
        QVERIFY(!level.levelChanged); // an Apply alone is no unsaved change
    }

    void applyRefusesTextsALevelFileCannotHold()
    {
        const QString typed = "\u0416 and \u20AC\u0416";
        ScriptedMessages boxes;
        boxes.answer(QMessageBox::Ok);
        openEditor([&](Editor& e) {
            e.click(e.lstCurEnt, 1);
            e.type(typed);
            e.press(Qt::Key_Return);
            QVERIFY(e.dialog->isVisible());
            QCOMPARE(e.txtData->text(), typed);
            QCOMPARE(e.lstCurDat->item(1)->text(), QString("heavy"));
            e.press(Qt::Key_Escape);
        });
        QCOMPARE(modLists::level.entityData[0], QString("heavy"));
        QCOMPARE(boxes.texts(),
            QStringList{"The data text holds characters that a level file cannot store: \"\u0416\", \"\u20AC\". "
                        "Level files are 8-bit text; please use other characters."});
    }

    void listsScrollTogether()
    {
        for (int i = 0; i < 200; ++i)
            place(modLists::level, {0, 1, 1, 0}, QString::number(i));
        openEditor([&](Editor& e) {
            for (auto [scrolled, other] : {std::pair{e.lstCurEnt, e.lstCurDat}, std::pair{e.lstCurDat, e.lstCurEnt}}) {
                scrolled->verticalScrollBar()->setValue(scrolled->verticalScrollBar()->value() + 57);
                QVERIFY(scrolled->indexAt(QPoint(2, 2)).row() > 0);
                QCOMPARE(other->indexAt(QPoint(2, 2)).row(), scrolled->indexAt(QPoint(2, 2)).row());
            }
            e.press(Qt::Key_Escape);
        });
    }

    // The layout after one at 400 by 400 pixels, whose values stay where the new size is refused.
    void layoutFollowsTheSize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("data"); // lstCurDat: the columns' width and the lists' height
        QTest::addColumn<QRect>("tip"); // lblTip: the third column
        QTest::addColumn<QRect>("close");
        QTest::newRow("design size") << QSize(305, 201) << QRect(102, 8, 93, 185) << QRect(203, 72, 94, 80)
                                     << QRect(203, 160, 94, 33);
        QTest::newRow("narrower than its margins")
            << QSize(20, 201) << QRect(7, 8, 125, 185) << QRect(13, 72, 126, 80) << QRect(13, 160, 126, 33);
        QTest::newRow("lower than its margins")
            << QSize(305, 13) << QRect(102, 8, 93, 384) << QRect(203, 72, 94, 279) << QRect(203, 359, 94, 33);
    }

    void layoutFollowsTheSize()
    {
        QFETCH(QSize, size);
        openEditor([&](Editor& e) {
            QCOMPARE(e.dialog->size(), QSize(305, 201));
            e.dialog->resize(400, 400);
            e.dialog->resize(size);
            QTEST(e.lstCurDat->geometry(), "data");
            QTEST(e.lblTip->geometry(), "tip");
            QTEST(e.cmdClose->geometry(), "close");
            e.press(Qt::Key_Escape);
        });
    }
};

QTEST_MAIN(tst_frmentitydata)
#include "tst_frmentitydata.moc"
