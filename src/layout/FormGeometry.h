#pragma once

#include "layout/Design.h"

#include <QtGlobal>

#include <vector>

// A scroll bar's range as the layout sets it, in twips.
struct ScrollRange
{
    bool enabled = true;
    int maximum = 0;
    int largeChange = 1;
    int smallChange = 1;

    // The range as the layout procedures set it: over < 1 disables the bar
    // with maximum 0; otherwise it is enabled with that maximum and the
    // visible extent, cut down to whole small steps, as its page step. A
    // size that does not fit in 16 bits is refused like any other bad value.
    void fit(double surface, double visible);
    // False, and the page step unchanged, for a value below 1 or beyond 16 bits.
    bool setLargeChange(double value);
    // The same for the small step.
    bool setSmallChange(double value);

    friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};

// The current places and sizes of a window's controls, in twips, starting
// from its design. The setters refuse what a control would refuse (a negative
// width or height, a page step below 1): the property keeps its value and
// the setter says false, so a layout procedure simply goes on.
template<typename Control>
class FormGeometry
{
public:
    static constexpr double borderTwips = 30.0;

    explicit FormGeometry(const FormDesign<Control>& design)
    {
        for (const ControlDesign<Control>& control : design.controls) {
            Row row{control.kind, control.rect, control.border, {}};
            row.scroll.smallChange = control.smallChange;
            m_rows.push_back(row);
        }
    }

    const TwipRect& rect(Control c) const { return row(c).rect; }
    double left(Control c) const { return rect(c).left; }
    double top(Control c) const { return rect(c).top; }
    double width(Control c) const { return rect(c).width; }
    double height(Control c) const { return rect(c).height; }

    bool hasBorder(Control c) const { return row(c).border; }
    void setBorder(Control c, bool border) { row(c).border = border; }
    // The size of the area in which the control's children lie.
    double innerWidth(Control c) const { return width(c) - (hasBorder(c) ? 2 * borderTwips : 0); }
    double innerHeight(Control c) const { return height(c) - (hasBorder(c) ? 2 * borderTwips : 0); }

    bool setLeft(Control c, double value)
    {
        row(c).rect.left = value;
        return true;
    }
    bool setTop(Control c, double value)
    {
        row(c).rect.top = value;
        return true;
    }
    bool setWidth(Control c, double value)
    {
        if (value < 0)
            return false;
        row(c).rect.width = value;
        return true;
    }
    bool setHeight(Control c, double value)
    {
        if (value < 0)
            return false;
        row(c).rect.height = value;
        return true;
    }

    const ScrollRange& scroll(Control c) const { return scrollRow(c).scroll; }
    void fitScrollRange(Control c, double surface, double visible) { scrollRow(c).scroll.fit(surface, visible); }
    bool setLargeChange(Control c, double value) { return scrollRow(c).scroll.setLargeChange(value); }
    bool setSmallChange(Control c, double value) { return scrollRow(c).scroll.setSmallChange(value); }

private:
    struct Row
    {
        ControlKind kind;
        TwipRect rect;
        bool border;
        ScrollRange scroll;
    };

    // Every control has a row: the designs are checked against their enums
    // when they are compiled. Anything else is a fault of the program.
    std::size_t indexOf(Control c) const
    {
        const auto index = static_cast<std::size_t>(c);
        if (index >= m_rows.size())
            qFatal("FormGeometry: control %zu is not in the design", index);
        return index;
    }
    const Row& row(Control c) const { return m_rows[indexOf(c)]; }
    Row& row(Control c) { return m_rows[indexOf(c)]; }

    const Row& scrollRow(Control c) const
    {
        checkScrollBar(c);
        return row(c);
    }
    Row& scrollRow(Control c)
    {
        checkScrollBar(c);
        return row(c);
    }
    void checkScrollBar(Control c) const
    {
        const ControlKind kind = row(c).kind;
        if (kind != ControlKind::HScrollBar && kind != ControlKind::VScrollBar)
            qFatal("FormGeometry: control %zu is not a scroll bar", static_cast<std::size_t>(c));
    }

    std::vector<Row> m_rows;
};
