#include "layout/FormGeometry.h"

#include "model/Numbers.h"

#include <cmath>

FormGeometry::FormGeometry(const FormDesign& design)
    : m_design(&design)
{
    for (const ControlDesign& control : design.controls) {
        m_rects.insert(control.name, control.rect);
        m_borders.insert(control.name, control.border);
        if (control.kind == ControlKind::HScrollBar || control.kind == ControlKind::VScrollBar) {
            ScrollRange range;
            range.smallChange = control.smallChange;
            m_scrolls.insert(control.name, range);
        }
    }
}

const TwipRect& FormGeometry::rect(const QString& name) const
{
    const auto it = m_rects.constFind(name);
    Q_ASSERT_X(it != m_rects.constEnd(), "FormGeometry", qPrintable(name));
    return *it;
}

TwipRect& FormGeometry::mutableRect(const QString& name)
{
    const auto it = m_rects.find(name);
    Q_ASSERT_X(it != m_rects.end(), "FormGeometry", qPrintable(name));
    return *it;
}

bool FormGeometry::hasBorder(const QString& name) const
{
    return m_borders.value(name);
}

void FormGeometry::setBorder(const QString& name, bool border)
{
    m_borders[name] = border;
}

double FormGeometry::innerWidth(const QString& name) const
{
    return width(name) - (hasBorder(name) ? 2 * borderTwips : 0);
}

double FormGeometry::innerHeight(const QString& name) const
{
    return height(name) - (hasBorder(name) ? 2 * borderTwips : 0);
}

bool FormGeometry::setLeft(const QString& name, double value)
{
    mutableRect(name).left = value;
    return true;
}

bool FormGeometry::setTop(const QString& name, double value)
{
    mutableRect(name).top = value;
    return true;
}

bool FormGeometry::setWidth(const QString& name, double value)
{
    if (value < 0)
        return false;
    mutableRect(name).width = value;
    return true;
}

bool FormGeometry::setHeight(const QString& name, double value)
{
    if (value < 0)
        return false;
    mutableRect(name).height = value;
    return true;
}

const ScrollRange& FormGeometry::scroll(const QString& name) const
{
    const auto it = m_scrolls.constFind(name);
    Q_ASSERT_X(it != m_scrolls.constEnd(), "FormGeometry", qPrintable(name));
    return *it;
}

void FormGeometry::fitScrollRange(const QString& name, double surface, double visible)
{
    ScrollRange& range = m_scrolls[name];
    // A size that does not fit in 16 bits is refused like any other bad value.
    const std::optional<qint16> over = numbers::roundToInt16(surface - visible);
    if (!over)
        return;
    if (*over < 1) {
        range.enabled = false;
        range.maximum = 0;
        return;
    }
    range.enabled = true;
    range.maximum = *over;
    setLargeChange(name, std::floor(visible / range.smallChange) * range.smallChange);
}

bool FormGeometry::setLargeChange(const QString& name, double value)
{
    const std::optional<qint16> rounded = numbers::roundToInt16(value);
    if (!rounded || *rounded < 1)
        return false;
    m_scrolls[name].largeChange = *rounded;
    return true;
}
