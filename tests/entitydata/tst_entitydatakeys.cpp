// The entity data editor as the keyboard and the mouse meet it beyond the
// basics: texts a level file cannot hold, Enter on a focused Close, and
// choosing the row that is already chosen.
#include "common/EditorSession.h"
#include "common/ScriptedMessages.h"
#include "common/TestLevels.h"
#include "entitydata/frmEntityData.h"
#include "model/modLists.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

struct Editor
{
    QWidget* dialog;
    QListWidget* lstCurEnt = dialog->findChild<QListWidget*>("lstCurEnt");
    QListWidget* lstCurDat = dialog->findChild<QListWidget*>("lstCurDat");
    QLineEdit* txtData = dialog->findChild<QLineEdit*>("txtData");
    QPushButton* cmdClose = dialog->findChild<QPushButton*>("cmdClose");

    void click(QListWidget* list, int row) const
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    void type(const QString& text) const
    {
        txtData->selectAll();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, txtData, Qt::Key_unknown, QString(c), {});
    }
};

} // namespace

class tst_entitydatakeys : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;

    void openEditor(const std::function<void(Editor&)>& action)
    {
        session->clickAndDrive("cmdEntityData", [&](QWidget* modal) {
            Editor editor{modal};
            action(editor);
        });
    }

private slots:
    void init()
    {
        session = std::make_unique<EditorSession>();
        QCOMPARE(session->error(), QString());
        place(modLists::level, {0, 2, 7, 0}, "heavy");
    }

    void cleanup() { session.reset(); }

    void applyRefusesTextsAFileCannotHold_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refused"); // the characters named; empty: stored
        QTest::newRow("euro sign") << "5\u20AC"
                                   << "\"\u20AC\"";
        QTest::newRow("each named once") << "\u0416 and \u20AC\u0416"
                                         << "\"\u0416\", \"\u20AC\"";
        QTest::newRow("8-bit letters") << "caf\u00E9 \u00FF"
                                       << "";
    }

    void applyRefusesTextsAFileCannotHold()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refused);
        ScriptedMessages boxes;
        if (!refused.isEmpty())
            boxes.answer(QMessageBox::Ok);
        openEditor([&](Editor& e) {
            e.click(e.lstCurEnt, 1);
            e.type(typed);
            QTest::keyClick(e.txtData, Qt::Key_Return);
            QVERIFY(e.dialog->isVisible());
            QCOMPARE(e.txtData->text(), typed);
            QCOMPARE(e.lstCurDat->item(1)->text(), refused.isEmpty() ? typed : QString("heavy"));
            QTest::keyClick(e.dialog, Qt::Key_Escape);
        });
        QCOMPARE(modLists::level.entityData[0], refused.isEmpty() ? typed : QString("heavy"));
        QCOMPARE(boxes.texts(),
            refused.isEmpty() ? QStringList()
                              : QStringList{"The data text holds characters that a level file cannot store: " + refused
                                  + ". Level files are 8-bit text; please use other characters."});
    }

    void enterOnAFocusedCloseCloses()
    {
        openEditor([&](Editor& e) {
            e.click(e.lstCurEnt, 1);
            e.type("not applied");
            e.cmdClose->setFocus(Qt::TabFocusReason);
            QTest::keyClick(e.cmdClose, Qt::Key_Return);
            QVERIFY(!e.dialog->isVisible());
        });
        QCOMPARE(modLists::level.entityData[0], QString("heavy"));
    }

    void choosingTheChosenRowReloadsItsText_data()
    {
        QTest::addColumn<bool>("inDataList");
        QTest::newRow("object list") << false;
        QTest::newRow("data list") << true;
    }

    void choosingTheChosenRowReloadsItsText()
    {
        QFETCH(bool, inDataList);
        openEditor([&](Editor& e) {
            QListWidget* list = inDataList ? e.lstCurDat : e.lstCurEnt;
            e.click(list, 1);
            e.type("half typed");
            e.click(list, 1);
            QCOMPARE(e.txtData->text(), QString("heavy"));
            QCOMPARE(e.txtData->selectedText(), QString("heavy"));
            QTest::keyClick(e.dialog, Qt::Key_Escape);
        });
    }
};

QTEST_MAIN(tst_entitydatakeys)
#include "tst_entitydatakeys.moc"
