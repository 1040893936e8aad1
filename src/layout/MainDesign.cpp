#include "layout/MainDesign.h"

#include <QtGlobal>

#include <array>

namespace {

using C = MainControl;
using K = ControlKind;

constexpr ControlDesign<C> control(
    C id, const char* name, C container, K kind, TwipRect rect, const char* caption = "", bool border = false, int smallChange = 1)
{
    return ControlDesign<C>{id, name, container, kind, rect, caption, border, smallChange};
}

constexpr ControlDesign<C> panel(C id, const char* name, TwipRect rect, bool border)
{
    return ControlDesign<C>{id, name, std::nullopt, K::PictureBox, rect, "", border};
}

constexpr ControlDesign<C> controls[] = {
    panel(C::picArea, "picArea", {120, 120, 8895, 8895}, true),
    control(C::picInner, "picInner", C::picArea, K::PictureBox, {0, 0, 6495, 6255}, "", true),
    control(C::vscArea, "vscArea", C::picArea, K::VScrollBar, {6840, 0, 255, 5055}, "", false, 960),
    control(C::hscArea, "hscArea", C::picArea, K::HScrollBar, {0, 6480, 6855, 255}, "", false, 960),
    control(C::cmdScrCorner, "cmdScrCorner", C::picArea, K::Button, {7080, 6600, 255, 255}),
    panel(C::picTileBox, "picTileBox", {9120, 120, 2055, 8895}, true),
    control(C::picPlayer, "picPlayer", C::picTileBox, K::PictureBox, {120, 120, 1815, 855}, "", true),
    control(C::imgGuy, "imgGuy", C::picPlayer, K::Image, {120, 120, 480, 480}),
    control(C::shpRing0, "shpRing0", C::picPlayer, K::Shape, {120, 120, 480, 480}),
    control(C::picTiles, "picTiles", C::picTileBox, K::PictureBox, {120, 1080, 1815, 3735}, "", true),
    control(C::picTilesInner, "picTilesInner", C::picTiles, K::PictureBox, {0, 0, 1455, 1215}, "", true),
    control(C::imgTile0, "imgTile0", C::picTilesInner, K::Image, {120, 120, 480, 480}),
    control(C::shpRing1, "shpRing1", C::picTilesInner, K::Shape, {720, 120, 480, 480}),
    control(C::vscTiles, "vscTiles", C::picTiles, K::VScrollBar, {1440, 0, 255, 3375}, "", false, 1080),
    control(C::picEntities, "picEntities", C::picTileBox, K::PictureBox, {120, 5040, 1815, 3735}, "", true),
    control(C::picEntitiesInner, "picEntitiesInner", C::picEntities, K::PictureBox, {0, 0, 1455, 1215}, "", true),
    control(C::imgEntity0, "imgEntity0", C::picEntitiesInner, K::Image, {120, 120, 480, 480}),
    control(C::imgEntityb0, "imgEntityb0", C::picEntitiesInner, K::Image, {0, 240, 480, 480}),
    control(C::shpRing2, "shpRing2", C::picEntitiesInner, K::Shape, {720, 120, 480, 480}),
    control(C::vscEntities, "vscEntities", C::picEntities, K::VScrollBar, {1440, 0, 255, 3480}, "", false, 1080),
    panel(C::picToolBox, "picToolBox", {120, 9120, 10215, 1335}, true),
    control(C::cmdResize, "cmdResize", C::picToolBox, K::Button, {120, 120, 1095, 1095}, "&Resize"),
    control(C::optView0, "optView0", C::picToolBox, K::OptionButton, {3240, 120, 1575, 1095}, "Main Level"),
    control(C::optView1, "optView1", C::picToolBox, K::OptionButton, {4920, 120, 735, 495}, "Top Left"),
    control(C::optView2, "optView2", C::picToolBox, K::OptionButton, {5760, 120, 735, 495}, "Top Right"),
    control(C::optView3, "optView3", C::picToolBox, K::OptionButton, {4920, 720, 735, 495}, "Bottom Left"),
    control(C::optView4, "optView4", C::picToolBox, K::OptionButton, {5760, 720, 735, 495}, "Bottom Right"),
    control(C::cmdEntityData, "cmdEntityData", C::picToolBox, K::Button, {6840, 120, 1215, 1095}, "Edit &entity data"),
    control(C::cmdSave, "cmdSave", C::picToolBox, K::Button, {8400, 120, 1695, 495}, "&Save"),
    control(C::cmdLoad, "cmdLoad", C::picToolBox, K::Button, {8400, 720, 1695, 495}, "&Load"),
    panel(C::picTileSet, "picTileSet", {5400, 2040, 2775, 1695}, false),
    control(C::picWhite, "picWhite", C::picTileSet, K::PictureBox, {120, 120, 480, 480}, "", true),
};
static_assert(isWellOrdered(controls, C::picWhite));

constexpr FormDesign<C> design{"A Quandor Editor", 11295, 10575, controls};

} // namespace

const FormDesign<MainControl>& frmMainDesign()
{
    return design;
}

MainControl optView(int index)
{
    constexpr std::array<MainControl, 5> set{C::optView0, C::optView1, C::optView2, C::optView3, C::optView4};
    if (index < 0 || index >= static_cast<int>(set.size()))
        qFatal("optView(%d) is not a control of the main window", index);
    return set[static_cast<std::size_t>(index)];
}

MainControl shpRing(int index)
{
    constexpr std::array<MainControl, 3> set{C::shpRing0, C::shpRing1, C::shpRing2};
    if (index < 0 || index >= static_cast<int>(set.size()))
        qFatal("shpRing(%d) is not a control of the main window", index);
    return set[static_cast<std::size_t>(index)];
}
