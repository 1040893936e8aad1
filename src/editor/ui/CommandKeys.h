#pragma once

#include <QKeySequence>
#include <QList>

#include <initializer_list>

// A command's keys: the platform's own, and everywhere the others designers know.
inline QList<QKeySequence> commandKeys(QKeySequence::StandardKey standard, std::initializer_list<QKeySequence> more)
{
    QList<QKeySequence> list = QKeySequence::keyBindings(standard);
    for (const QKeySequence& key : more)
        if (!list.contains(key))
            list.append(key);
    return list;
}
