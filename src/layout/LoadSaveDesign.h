#pragma once

#include "layout/Design.h"

// The level chooser's design: no caption (it is set when the chooser is
// shown), its inner size and its four controls in tab order.
const FormDesign& frmLoadSaveDesign();
