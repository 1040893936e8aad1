#include "layout/MainDesign.h"

namespace {

ControlDesign control(const char* name, const char* container, ControlKind kind, TwipRect rect, const char* caption = "",
    bool border = false, int smallChange = 1)
{
    return ControlDesign{
        QString::fromLatin1(name), QString::fromLatin1(container), kind, rect, QString::fromLatin1(caption), border, smallChange};
}

FormDesign makeDesign()
{
    using K = ControlKind;
    FormDesign d;
    d.caption = QStringLiteral("A Quandor Editor");
    d.innerWidth = 11295;
    d.innerHeight = 10575;
    d.controls = {
        control("picArea", "", K::PictureBox, {120, 120, 8895, 8895}, "", true),
        control("picInner", "picArea", K::PictureBox, {0, 0, 6495, 6255}, "", true),
        control("vscArea", "picArea", K::VScrollBar, {6840, 0, 255, 5055}, "", false, 960),
        control("hscArea", "picArea", K::HScrollBar, {0, 6480, 6855, 255}, "", false, 960),
        control("cmdScrCorner", "picArea", K::Button, {7080, 6600, 255, 255}),
        control("picTileBox", "", K::PictureBox, {9120, 120, 2055, 8895}, "", true),
        control("picPlayer", "picTileBox", K::PictureBox, {120, 120, 1815, 855}, "", true),
        control("imgGuy", "picPlayer", K::Image, {120, 120, 480, 480}),
        control("shpRing0", "picPlayer", K::Shape, {120, 120, 480, 480}),
        control("picTiles", "picTileBox", K::PictureBox, {120, 1080, 1815, 3735}, "", true),
        control("picTilesInner", "picTiles", K::PictureBox, {0, 0, 1455, 1215}, "", true),
        control("imgTile0", "picTilesInner", K::Image, {120, 120, 480, 480}),
        control("shpRing1", "picTilesInner", K::Shape, {720, 120, 480, 480}),
        control("vscTiles", "picTiles", K::VScrollBar, {1440, 0, 255, 3375}, "", false, 1080),
        control("picEntities", "picTileBox", K::PictureBox, {120, 5040, 1815, 3735}, "", true),
        control("picEntitiesInner", "picEntities", K::PictureBox, {0, 0, 1455, 1215}, "", true),
        control("imgEntity0", "picEntitiesInner", K::Image, {120, 120, 480, 480}),
        control("imgEntityb0", "picEntitiesInner", K::Image, {0, 240, 480, 480}),
        control("shpRing2", "picEntitiesInner", K::Shape, {720, 120, 480, 480}),
        control("vscEntities", "picEntities", K::VScrollBar, {1440, 0, 255, 3480}, "", false, 1080),
        control("picToolBox", "", K::PictureBox, {120, 9120, 10215, 1335}, "", true),
        control("cmdResize", "picToolBox", K::Button, {120, 120, 1095, 1095}, "&Resize"),
        control("optView0", "picToolBox", K::OptionButton, {3240, 120, 1575, 1095}, "Main Level"),
        control("optView1", "picToolBox", K::OptionButton, {4920, 120, 735, 495}, "Top Left"),
        control("optView2", "picToolBox", K::OptionButton, {5760, 120, 735, 495}, "Top Right"),
        control("optView3", "picToolBox", K::OptionButton, {4920, 720, 735, 495}, "Bottom Left"),
        control("optView4", "picToolBox", K::OptionButton, {5760, 720, 735, 495}, "Bottom Right"),
        control("cmdEntityData", "picToolBox", K::Button, {6840, 120, 1215, 1095}, "Edit &entity data"),
        control("cmdSave", "picToolBox", K::Button, {8400, 120, 1695, 495}, "&Save"),
        control("cmdLoad", "picToolBox", K::Button, {8400, 720, 1695, 495}, "&Load"),
        control("picTileSet", "", K::PictureBox, {5400, 2040, 2775, 1695}),
        control("picWhite", "picTileSet", K::PictureBox, {120, 120, 480, 480}, "", true),
    };
    return d;
}

} // namespace

const FormDesign& frmMainDesign()
{
    static const FormDesign design = makeDesign();
    return design;
}
