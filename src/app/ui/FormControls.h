#pragma once

#include "app/ui/Twips.h"
#include "layout/Design.h"
#include "layout/FormGeometry.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace formcontrols {

// The widget a control of that kind is unless its window makes its own:
// picture boxes, scroll bars (range 0 to 0 until a layout sets one), push
// and option buttons, list boxes, text boxes (holding their caption as text)
// and labels. Images and shapes have no plain widget; asking for one stops
// the program.
QWidget* makeStandard(ControlKind kind, const char* caption, bool border, int smallChange, QWidget* parent);

// The area of a container control in which its children lie.
QWidget* clientOf(QWidget* container);

// Gives the built widget its design name and puts it into the tab order
// after `last` when it takes the focus by the keyboard.
void finish(QWidget* widget, const char* name, const TwipRect& rect, QWidget*& last);

[[noreturn]] void fail(const char* what, std::size_t index);

} // namespace formcontrols

// The widgets of a window, built from its design, one per control and found
// by the window's enum of controls. Controls are built in the design's tab
// order, each in its container and at its design place, and the keyboard
// follows that order among those that take the focus.
template<typename Control>
class FormControls
{
public:
    // Makes the widget of a control, or returns null for the standard one.
    using Maker = std::function<QWidget*(const ControlDesign<Control>& control, QWidget* parent)>;

    FormControls(QWidget* window, const FormDesign<Control>& design, const Maker& maker = {})
    {
        QWidget* lastInTabOrder = nullptr;
        for (const ControlDesign<Control>& control : design.controls) {
            QWidget* parent = control.container ? formcontrols::clientOf(widget(*control.container)) : window;
            QWidget* made = maker ? maker(control, parent) : nullptr;
            if (!made)
                made = formcontrols::makeStandard(control.kind, control.caption, control.border, control.smallChange, parent);
            formcontrols::finish(made, control.name, control.rect, lastInTabOrder);
            m_widgets.push_back(made);
        }
    }

    QWidget* widget(Control c) const
    {
        const auto index = static_cast<std::size_t>(c);
        if (index >= m_widgets.size())
            formcontrols::fail("is not in the design", index);
        return m_widgets[index];
    }

    // The control's widget as the class it was made as; anything else is a
    // fault of the program and stops it.
    template<typename T>
    T* get(Control c) const
    {
        T* typed = qobject_cast<T*>(widget(c));
        if (!typed)
            formcontrols::fail("is not of the class asked for", static_cast<std::size_t>(c));
        return typed;
    }

    // Gives a control its current place and size from the window's geometry.
    void apply(const FormGeometry<Control>& geometry, Control c) const { placeInTwips(widget(c), geometry.rect(c)); }

private:
    std::vector<QWidget*> m_widgets;
};
