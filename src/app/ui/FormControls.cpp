#include "app/ui/FormControls.h"

#include "app/ui/PictureBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace formcontrols {

QWidget* makeStandard(ControlKind kind, const char* caption, bool border, int smallChange, QWidget* parent)
{
    const QString text = QString::fromLatin1(caption);
    switch (kind) {
    case ControlKind::PictureBox: {
        auto* box = new PictureBox(parent);
        box->setBorder(border);
        return box;
    }
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar: {
        auto* bar = new QScrollBar(kind == ControlKind::HScrollBar ? Qt::Horizontal : Qt::Vertical, parent);
        bar->setSingleStep(smallChange);
        bar->setRange(0, 0);
        bar->setFocusPolicy(Qt::TabFocus);
        return bar;
    }
    case ControlKind::Button:
        return new QPushButton(text, parent);
    case ControlKind::OptionButton: {
        auto* button = new QPushButton(text, parent);
        button->setCheckable(true);
        return button;
    }
    case ControlKind::ListBox:
        return new QListWidget(parent);
    case ControlKind::TextBox:
        return new QLineEdit(text, parent);
    case ControlKind::Label:
        return new QLabel(text, parent);
    case ControlKind::Image:
    case ControlKind::Shape:
        break;
    }
    qFatal("FormControls: images and shapes are made by their window");
}

QWidget* clientOf(QWidget* container)
{
    auto* box = qobject_cast<PictureBox*>(container);
    if (!box)
        qFatal("FormControls: only a picture box holds other controls");
    return box->client();
}

void finish(QWidget* widget, const char* name, const TwipRect& rect, QWidget*& last)
{
    widget->setObjectName(QLatin1String(name));
    placeInTwips(widget, rect);
    if (widget->focusPolicy() & Qt::TabFocus) {
        if (last)
            QWidget::setTabOrder(last, widget);
        last = widget;
    }
}

void fail(const char* what, std::size_t index)
{
    qFatal("FormControls: control %zu %s", index, what);
}

} // namespace formcontrols
