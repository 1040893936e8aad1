#pragma once

#include "levelfile/ui/frmLoadSave.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

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
    void pressOk() const { QTest::mouseClick(part<QPushButton>("cmdOK"), Qt::LeftButton); }
    void pressCancel() const { QTest::mouseClick(part<QPushButton>("cmdCancel"), Qt::LeftButton); }
};
