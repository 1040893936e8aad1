#pragma once

#include "levelfile/frmLoadSave.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

inline QMessageBox::StandardButton button(const QString& name)
{
    return name == "Yes" ? QMessageBox::Yes : name == "No" ? QMessageBox::No : name == "Cancel" ? QMessageBox::Cancel : QMessageBox::Ok;
}

// Plays a user's steps on the shown chooser: "click N", "dclick N",
// "type TEXT" (replaces the name), "enter", "ok", "cancel", "esc", "close",
// and "open" to check that the chooser is still shown.
inline void play(frmLoadSave* d, const QStringList& steps)
{
    auto* list = d->findChild<QListWidget*>("List1");
    auto* name = d->findChild<QLineEdit*>("txtName");
    for (const QString& step : steps) {
        const QString arg = step.section(' ', 1);
        const QPoint itemCentre = list->visualItemRect(list->item(arg.toInt())).center();
        if (step.startsWith("click"))
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre);
        else if (step.startsWith("dclick")) {
            // A real double-click: a click, then the second press arrives as a double-click.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, itemCentre);
        }
        else if (step.startsWith("type")) {
            name->selectAll();
            QTest::keyClicks(name, arg);
        } else if (step == "enter")
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : d, Qt::Key_Return);
        else if (step == "ok")
            QTest::mouseClick(d->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        else if (step == "cancel")
            QTest::mouseClick(d->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        else if (step == "esc")
            QTest::keyClick(d, Qt::Key_Escape);
        else if (step == "close")
            d->close();
        else if (step == "open")
            QVERIFY2(d->isVisible(), "the chooser closed too early");
    }
}
