#include "editor/MapScale.h"

#include <cmath>

bool MapScale::zoomIn()
{
    return setStep(m_step + 1);
}

bool MapScale::zoomOut()
{
    return setStep(m_step - 1);
}

bool MapScale::reset()
{
    return setStep(designedStep);
}

bool MapScale::setStep(int step)
{
    if (step < 0 || step >= static_cast<int>(cellSizes.size()) || step == m_step)
        return false;
    m_step = step;
    return true;
}

int MapScale::shownLength(int imagePixels) const
{
    if (isDesigned())
        return imagePixels;
    return static_cast<int>(std::ceil(imagePixels * factor()));
}

QRect MapScale::shownCell(const QRect& imagePixels) const
{
    if (isDesigned())
        return imagePixels;
    const double f = factor();
    const int left = static_cast<int>(std::lround(imagePixels.left() * f));
    const int top = static_cast<int>(std::lround(imagePixels.top() * f));
    const int right = static_cast<int>(std::lround((imagePixels.right() + 1) * f));
    const int bottom = static_cast<int>(std::lround((imagePixels.bottom() + 1) * f));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect MapScale::shownArea(const QRect& imagePixels) const
{
    if (isDesigned() || imagePixels.isEmpty())
        return imagePixels;
    // Rounded outwards. Smaller, a shown pixel mixes only image pixels within
    // one image pixel of its centre, and an image pixel is less than a shown
    // one, so none outside these depends on the area.
    const double f = factor();
    const int left = static_cast<int>(std::floor(imagePixels.left() * f));
    const int top = static_cast<int>(std::floor(imagePixels.top() * f));
    const int right = static_cast<int>(std::ceil((imagePixels.right() + 1) * f));
    const int bottom = static_cast<int>(std::ceil((imagePixels.bottom() + 1) * f));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

namespace mapscale {

double valueKeeping(double value, double pointer, double from, double to)
{
    return value + pointer / from - pointer / to;
}

} // namespace mapscale
