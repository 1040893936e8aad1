#pragma once

#include "layout/EntityDataDesign.h"
#include "layout/FormGeometry.h"

// The entity data editor's layout: three columns of equal width (the entity
// list, the data list touching it, and the text box, buttons and tip) with
// 120-twip margins, for the dialog's inner size W by H in twips. A step whose
// value a control would refuse, or whose rounded value does not fit in 16
// bits, is skipped and the rest runs.
void layoutEntityData(FormGeometry<EntityDataControl>& geometry, double W, double H);
