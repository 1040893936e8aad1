#pragma once

#include "layout/Design.h"

// The main window's design: its caption, inner size and every control in tab order.
const FormDesign& frmMainDesign();
