#include "layout/MainLayout.h"

void layoutMainWindow(FormGeometry<MainControl>& g, double W, double H, double mapScale)
{
    using enum MainControl;

    // The panels: a 120-twip margin at the window's edge and between panels.
    g.setWidth(picArea, W - 360 - g.width(picTileBox));
    g.setLeft(picTileBox, W - 120 - g.width(picTileBox));
    g.setWidth(picToolBox, W - 240);
    g.setHeight(picArea, H - 360 - g.height(picToolBox));
    g.setHeight(picTileBox, H - 360 - g.height(picToolBox));
    g.setTop(picToolBox, H - 120 - g.height(picToolBox));

    // The palette column: the two palettes share the room below the player.
    const double P = g.innerHeight(picTileBox);
    g.setHeight(picTiles, (P - g.top(picTiles) - 240) / 2);
    g.setHeight(picEntities, (P - g.top(picTiles) - 240) / 2);
    g.setTop(picEntities, P - g.height(picEntities) - 120);
    g.setLeft(vscTiles, g.innerWidth(picTiles) - g.width(vscTiles));
    g.setHeight(vscTiles, g.innerHeight(picTiles));
    g.setLeft(vscEntities, g.innerWidth(picEntities) - g.width(vscEntities));
    g.setHeight(vscEntities, g.innerHeight(picEntities));
    g.fitScrollRange(vscTiles, g.height(picTilesInner), g.innerHeight(picTiles));
    g.fitScrollRange(vscEntities, g.height(picEntitiesInner), g.innerHeight(picEntities));

    // The map area: the scroll bars stand inside it along its right and bottom edges.
    const double A = g.innerWidth(picArea);
    const double B = g.innerHeight(picArea);
    const double s = mapScale;
    for (const MainControl bar : {hscArea, vscArea})
        g.setSmallChange(bar, frmMainDesign().controls[static_cast<size_t>(bar)].smallChange / s);
    g.setWidth(hscArea, A - g.width(vscArea));
    g.setLargeChange(hscArea, (A - g.width(vscArea)) / s);
    g.setLeft(vscArea, A - g.width(vscArea));
    g.setLeft(cmdScrCorner, A - g.width(vscArea));
    g.setTop(hscArea, B - g.height(hscArea));
    g.setHeight(vscArea, B - g.height(hscArea));
    g.setLargeChange(vscArea, (B - g.height(hscArea)) / s);
    g.setTop(cmdScrCorner, B - g.height(hscArea));
    g.fitScrollRange(hscArea, g.width(picInner) / s, (A - g.width(vscArea)) / s);
    g.fitScrollRange(vscArea, g.height(picInner) / s, (B - g.height(hscArea)) / s);
}
