#pragma once

#include "layout/Design.h"

// The controls of the main window, in its tab order.
enum class MainControl {
    picArea,
    picInner,
    vscArea,
    hscArea,
    cmdScrCorner,
    picTileBox,
    picPlayer,
    imgGuy,
    shpRing0,
    picTiles,
    picTilesInner,
    imgTile0,
    shpRing1,
    vscTiles,
    picEntities,
    picEntitiesInner,
    imgEntity0,
    imgEntityb0,
    shpRing2,
    vscEntities,
    picToolBox,
    cmdResize,
    optView0,
    optView1,
    optView2,
    optView3,
    optView4,
    cmdEntityData,
    cmdSave,
    cmdLoad,
    picTileSet,
    picWhite,
};

// The indexed sets among them: the view buttons optView(0) to optView(4) and
// the selection frames shpRing(0) to shpRing(2). Any other index stops the
// program at once.
MainControl optView(int index);
MainControl shpRing(int index);

// The main window's design: its caption, inner size and every control in tab order.
const FormDesign<MainControl>& frmMainDesign();
