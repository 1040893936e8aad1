#pragma once

#include "layout/FormGeometry.h"
#include "layout/LoadSaveDesign.h"

// The level chooser's layout for an inner size of W by H twips: the list on
// top takes all the height the name box and the buttons below it leave, with
// 120-twip margins and gaps. Steps a control would refuse are skipped.
void layoutLoadSave(FormGeometry<LoadSaveControl>& geometry, double W, double H);
