#pragma once

#include "layout/Design.h"

// The entity data editor's design: two lists side by side that read as one
// table, and a column with the text box, the buttons and the tip.
const FormDesign& frmEntityDataDesign();
