#pragma once

#include "layout/Design.h"

#include <QHash>
#include <QString>

// A scroll bar's range as the layout sets it, in twips.
struct ScrollRange
{
    bool enabled = true;
    int maximum = 0;
    int largeChange = 1;
    int smallChange = 1;

    friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};

// The current places and sizes of a window's controls, in twips, starting
// from its design. The setters refuse what a control would refuse (a negative
// width or height, a page step below 1): the property keeps its value and
// the setter says false, so a layout procedure simply goes on.
class FormGeometry
{
public:
    static constexpr double borderTwips = 30.0;

    explicit FormGeometry(const FormDesign& design);

    const FormDesign& design() const { return *m_design; }
    const TwipRect& rect(const QString& name) const;
    double left(const QString& name) const { return rect(name).left; }
    double top(const QString& name) const { return rect(name).top; }
    double width(const QString& name) const { return rect(name).width; }
    double height(const QString& name) const { return rect(name).height; }

    bool hasBorder(const QString& name) const;
    void setBorder(const QString& name, bool border);
    // The size of the area in which the control's children lie.
    double innerWidth(const QString& name) const;
    double innerHeight(const QString& name) const;

    bool setLeft(const QString& name, double value);
    bool setTop(const QString& name, double value);
    bool setWidth(const QString& name, double value);
    bool setHeight(const QString& name, double value);

    const ScrollRange& scroll(const QString& name) const;
    // The scroll range as the layout procedures set it: over < 1 disables the
    // bar with maximum 0; otherwise it is enabled with that maximum and the
    // visible extent, cut down to whole small steps, as its page step.
    void fitScrollRange(const QString& name, double surface, double visible);
    bool setLargeChange(const QString& name, double value);

private:
    TwipRect& mutableRect(const QString& name);

    const FormDesign* m_design;
    QHash<QString, TwipRect> m_rects;
    QHash<QString, bool> m_borders;
    QHash<QString, ScrollRange> m_scrolls;
};
