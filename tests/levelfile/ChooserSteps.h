#pragma once

#include "levelfile/frmLoadSave.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// Plays a user's steps on the chooser: "click N", "dclick N", "type TEXT" (replaces the name), "enter",
// "ok", "cancel", "esc", "close", "size W H"; and checks "open" (still shown), "name TEXT" (the name box),
// "items A,B" (the list), "title T" (caption and OK button), "rect CONTROL X Y W H". An empty step fails,
// so {""} says the chooser must not come.
inline void play(frmLoadSave* d, const QStringList& steps)
{
    QVERIFY(d);
    auto* list = d->findChild<QListWidget*>("List1");
    auto* name = d->findChild<QLineEdit*>("txtName");
    for (const QString& step : steps) {
        const QString arg = step.section(' ', 1);
        const QPoint itemCentre = list->visualItemRect(list->item(arg.toInt())).center();
        if (step.startsWith("click") || step.startsWith("dclick")) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre);
            if (step.startsWith('d')) // as a real double-click comes: a click, then the second press
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, itemCentre);
        } else if (step.startsWith("type")) {
            name->selectAll();
            if (arg.isEmpty())
                QTest::keyClick(name, Qt::Key_Backspace);
            for (const QChar c : arg) // any character, as a keyboard of the user's language gives it
                QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), {});
        } else if (step == "enter")
            // To the chooser's own focused control: a chooser shown again may
            // not have become the active window yet.
            QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return);
        else if (step == "ok" || step == "cancel")
            QTest::mouseClick(d->findChild<QPushButton*>(step == "ok" ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
        else if (step == "esc")
            QTest::keyClick(d, Qt::Key_Escape);
        else if (step == "close")
            d->close();
        else if (step.startsWith("size"))
            d->resize(arg.section(' ', 0, 0).toInt(), arg.section(' ', 1).toInt());
        else if (step == "open")
            QVERIFY2(d->isVisible(), "the chooser closed too early");
        else if (step.startsWith("name"))
            QCOMPARE(name->text(), arg);
        else if (step.startsWith("title"))
            QCOMPARE(d->windowTitle() + '/' + d->findChild<QPushButton*>("cmdOK")->text(), arg + '/' + arg);
        else if (step.startsWith("rect")) {
            const QRect r = d->findChild<QWidget*>(arg.section(' ', 0, 0))->geometry();
            QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()),
                arg.section(' ', 1));
        } else if (step.startsWith("items")) {
            QStringList items;
            for (int row = 0; row < list->count(); ++row)
                items << list->item(row)->text();
            QCOMPARE(items.join(','), arg);
        } else
            QFAIL(qPrintable("unknown step " + step));
    }
}

// The level chooser in a user's hands: what a test does in it, one gesture
// per call, on the modal window a test's ModalDriver hands over.
struct Chooser
{
    QWidget* window;

    template<typename T>
    T* part(const char* name) const
    {
        T* found = qobject_cast<frmLoadSave*>(window) ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        if (!found)
            qFatal("the window is no level chooser with a %s", name);
        return found;
    }
    QListWidget* list() const { return part<QListWidget>("List1"); }
    QLineEdit* nameBox() const { return part<QLineEdit>("txtName"); }
    QPushButton* okButton() const { return part<QPushButton>("cmdOK"); }

    QStringList listedNames() const
    {
        QStringList names;
        for (int row = 0; row < list()->count(); ++row)
            names << list()->item(row)->text();
        return names;
    }

    void clickItem(int row) const { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, itemCentre(row)); }
    // As a real double-click comes: a click, then the second press.
    void doubleClickItem(int row) const
    {
        clickItem(row);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, itemCentre(row));
    }
    QPoint itemCentre(int row) const { return list()->visualItemRect(list()->item(row)).center(); }

    // Types over the whole name box; an empty name clears it. Any character
    // comes as a keyboard of the user's language gives it.
    void typeName(const QString& name) const
    {
        nameBox()->selectAll();
        if (name.isEmpty())
            QTest::keyClick(nameBox(), Qt::Key_Backspace);
        for (const QChar c : name)
            QTest::sendKeyEvent(QTest::Click, nameBox(), Qt::Key_unknown, QString(c), {});
    }

    // To the chooser's own focused control: a chooser shown again may not
    // have become the active window yet.
    void pressEnter() const { QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Return); }
    void pressEscape() const { QTest::keyClick(window, Qt::Key_Escape); }
    void pressOk() const { QTest::mouseClick(okButton(), Qt::LeftButton); }
    void pressCancel() const { QTest::mouseClick(part<QPushButton>("cmdCancel"), Qt::LeftButton); }
};
