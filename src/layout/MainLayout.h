#pragma once

#include "layout/FormGeometry.h"
#include "layout/MainDesign.h"

// The main window's layout: fits the three panels to the window's inner size
// (W, H in twips) and sets the four scroll bars' ranges from the sizes of the
// surfaces they scroll. Steps that a control would refuse are skipped.
//
// `mapScale` is the map's zoom: shown pixels per pixel of the map as
// designed. The map's scroll bars count in the map's designed twips at every
// zoom, so that a value names the same place of the map whatever its scale,
// and their small step moves the map the same distance on the screen. At 1
// the layout is the designed one.
void layoutMainWindow(FormGeometry<MainControl>& geometry, double W, double H, double mapScale = 1.0);
