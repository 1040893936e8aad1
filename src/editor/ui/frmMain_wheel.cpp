// The mouse wheel over the main window's map and palettes.
#include "editor/ui/frmMain.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    using enum MainControl;
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint angle = wheel->angleDelta();
    // Whatever scrolls one way only takes the wheel whichever way it turns.
    const int either = angle.y() != 0 ? angle.y() : angle.x();
    if (watched == m_controls.widget(picArea)) {
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
    // A notch is 120 eighths of a degree and moves one small step; a finer
    // wheel moves in proportion, and what is too little to move a twip is
    // kept for its next turn. Turning away from the user scrolls up or left.
    constexpr int notch = 120;
    int& rest = m_wheelRest[c];
    const int scaled = rest - angle * bar->singleStep();
    rest = scaled % notch;
    const int target = bar->value() + scaled / notch;
    if (target < bar->minimum() || target > bar->maximum())
        rest = 0;
    // The bar's own change handler moves the surface.
    bar->setValue(std::clamp(target, bar->minimum(), bar->maximum()));
}
