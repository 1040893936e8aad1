// What the benchmarks of the editor window share: a main that runs them in
// the bundled sample game, and mouse events sent straight to a widget.
#pragma once

#include <QEvent>
#include <QPoint>

class QWidget;

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at);
