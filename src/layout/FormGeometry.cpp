#include "layout/FormGeometry.h"

#include "model/Numbers.h"

#include <cmath>

void ScrollRange::fit(double surface, double visible)
{
    const std::optional<qint16> over = numbers::roundToInt16(surface - visible);
    if (!over)
        return;
    if (*over < 1) {
        enabled = false;
        maximum = 0;
        return;
    }
    enabled = true;
    maximum = *over;
    setLargeChange(std::floor(visible / smallChange) * smallChange);
}

bool ScrollRange::setLargeChange(double value)
{
    const std::optional<qint16> rounded = numbers::roundToInt16(value);
    if (!rounded || *rounded < 1)
        return false;
    largeChange = *rounded;
    return true;
}

bool ScrollRange::setSmallChange(double value)
{
    const std::optional<qint16> rounded = numbers::roundToInt16(value);
    if (!rounded || *rounded < 1)
        return false;
    smallChange = *rounded;
    return true;
}
