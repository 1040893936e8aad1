#include "app/FormControls.h"

void FormControls::add(const QString& name, QWidget* widget)
{
    widget->setObjectName(name);
    m_widgets.insert(name, widget);
    if (widget->focusPolicy() & Qt::TabFocus) {
        if (m_lastInTabOrder)
            QWidget::setTabOrder(m_lastInTabOrder, widget);
        m_lastInTabOrder = widget;
    }
}
