#pragma once

#include "layout/Design.h"

// The controls of the resize dialog, in its tab order.
enum class ResizeControl { cmdResize0, cmdResize1, cmdResize2, cmdResize3, lblWidth, txtWidth, lblHeight, txtHeight, cmdReset, cmdDone };

// The corner buttons cmdResize(0) to cmdResize(3); any other index stops the
// program at once.
ResizeControl cmdResizeControl(int index);

// The resize dialog's design: it keeps these places at any window size.
const FormDesign<ResizeControl>& frmResizeDesign();
