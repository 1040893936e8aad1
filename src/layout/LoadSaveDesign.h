#pragma once

#include "layout/Design.h"

// The controls of the level chooser, in its tab order.
enum class LoadSaveControl { List1, txtName, cmdOK, cmdCancel };

// The level chooser's design: no caption (it is set when the chooser is
// shown), its inner size and its four controls in tab order. The name box
// starts with the text of its caption.
const FormDesign<LoadSaveControl>& frmLoadSaveDesign();
