#include "editor/WheelScroll.h"

#include <algorithm>

int WheelScroll::turn(const Bar& bar, int angle)
{
    constexpr int notch = 120;
    const int scaled = m_rest - angle * bar.singleStep;
    m_rest = scaled % notch;
    const int target = bar.value + scaled / notch;
    if (target < bar.minimum || target > bar.maximum)
        m_rest = 0;
    return std::clamp(target, bar.minimum, bar.maximum);
}
