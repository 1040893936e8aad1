// The mouse wheel over the main window's map and palettes.
#include "editor/ui/frmMain.h"

#include <QScrollBar>
#include <QWheelEvent>

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    using enum MainControl;
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint angle = wheel->angleDelta();
    // Whatever scrolls one way only takes the wheel whichever way it turns.
    const int either = angle.y() != 0 ? angle.y() : angle.x();
    if (watched == m_controls.widget(picArea) && (wheel->modifiers() & Qt::ControlModifier)) {
        zoomByWheel(*wheel);
    } else if (watched == m_controls.widget(picArea)) {
        // Shift turns an upright wheel sideways where the platform does not do that itself.
        if ((wheel->modifiers() & Qt::ShiftModifier) && angle.x() == 0) {
            scrollByWheel(hscArea, angle.y());
        } else {
            scrollByWheel(hscArea, angle.x());
            scrollByWheel(vscArea, angle.y());
        }
    } else if (watched == m_controls.widget(picTiles)) {
        scrollByWheel(vscTiles, either);
    } else if (watched == m_controls.widget(picEntities)) {
        scrollByWheel(vscEntities, either);
    } else {
        for (const MainControl bar : {hscArea, vscArea, vscTiles, vscEntities})
            if (watched == m_controls.widget(bar))
                scrollByWheel(bar, either);
    }
    event->accept();
    return true;
}

void frmMain::scrollByWheel(MainControl c, int angle)
{
    if (angle == 0)
        return;
    auto* bar = m_controls.get<QScrollBar>(c);
    // The bar's own change handler moves the surface.
    bar->setValue(m_wheel[c].turn({bar->value(), bar->minimum(), bar->maximum(), bar->singleStep()}, angle));
}
