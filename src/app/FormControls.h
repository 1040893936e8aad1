#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

// The widgets of a window built from its design, found by their design
// names. Controls are added in the design's tab order, and the keyboard
// follows that order among those that take the focus.
class FormControls
{
public:
    void add(const QString& name, QWidget* widget);

    QWidget* value(const QString& name) const { return m_widgets.value(name); }
    template<typename T>
    T* get(const QString& name) const
    {
        return qobject_cast<T*>(m_widgets.value(name));
    }

private:
    QHash<QString, QWidget*> m_widgets;
    QWidget* m_lastInTabOrder = nullptr;
};
