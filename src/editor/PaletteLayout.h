#pragma once

#include "layout/Design.h"

// The two-column layout of a palette, in twips: element 0 keeps its place
// and every other element lies off it by its own width and height plus the
// margin, so the gaps between columns and rows equal the margins.
namespace palettelayout {

inline TwipRect place(const TwipRect& first, int index)
{
    TwipRect r = first;
    r.left = first.left + (first.left + first.width) * (index % 2);
    r.top = first.top + (first.top + first.height) * (index / 2);
    return r;
}

// The height of a palette surface whose last element stands at `lastTop`:
// a bottom margin equal to the top one.
inline double surfaceHeight(const TwipRect& first, double lastTop)
{
    return first.top + lastTop + first.height;
}

// The element the arrow keys go to from `index` among `count`: left and
// right in reading order, on into the next or previous row; up and down a
// row in the same column. Past either end it stays.
inline int step(int index, int count, int across, int down)
{
    const int to = index + across + 2 * down;
    return to >= 0 && to < count ? to : index;
}

} // namespace palettelayout
