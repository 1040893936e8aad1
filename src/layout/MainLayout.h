#pragma once

#include "layout/FormGeometry.h"
#include "layout/MainDesign.h"

// The main window's layout: fits the three panels to the window's inner size
// (W, H in twips) and sets the four scroll bars' ranges from the sizes of the
// surfaces they scroll. Steps that a control would refuse are skipped.
void layoutMainWindow(FormGeometry<MainControl>& geometry, double W, double H);
