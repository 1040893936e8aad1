#pragma once

#include "layout/Design.h"

// The controls of the entity data editor, in its tab order.
enum class EntityDataControl { lstCurEnt, lstCurDat, txtData, cmdApply, lblTip, cmdClose };

// The entity data editor's design: two lists side by side that read as one
// table, and a column with the text box, the buttons and the tip.
const FormDesign<EntityDataControl>& frmEntityDataDesign();
