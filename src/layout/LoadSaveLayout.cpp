#include "layout/LoadSaveLayout.h"

void layoutLoadSave(FormGeometry<LoadSaveControl>& g, double W, double H)
{
    using enum LoadSaveControl;

    g.setWidth(List1, W - 240);
    g.setWidth(txtName, W - 240);
    g.setWidth(cmdOK, (W - 360) / 2);
    g.setLeft(cmdCancel, g.width(cmdOK) + 240);
    g.setWidth(cmdCancel, g.width(cmdOK));
    g.setHeight(List1, H - g.height(txtName) - g.height(cmdOK) - 480);
    // The height the list really has: a refused step left the old one.
    g.setTop(txtName, g.height(List1) + 240);
    g.setTop(cmdOK, g.top(txtName) + g.height(txtName) + 120);
    g.setTop(cmdCancel, g.top(cmdOK));
}
