#include "resize/ResizeDesign.h"

namespace {

FormDesign makeDesign()
{
    using K = ControlKind;
    FormDesign d;
    // The caption is set to the level's size each time the dialog is shown.
    d.innerWidth = 4695;
    d.innerHeight = 3255;
    d.controls = {
        dialogControl("cmdResize0", K::Button, {120, 120, 1095, 1095}),
        dialogControl("cmdResize1", K::Button, {3480, 120, 1095, 1095}),
        dialogControl("cmdResize2", K::Button, {120, 2040, 1095, 1095}),
        dialogControl("cmdResize3", K::Button, {3480, 2040, 1095, 1095}),
        dialogControl("lblWidth", K::Label, {480, 1320, 1215, 255}, "New width:"),
        dialogControl("txtWidth", K::TextBox, {1800, 1320, 1215, 285}),
        dialogControl("lblHeight", K::Label, {480, 1680, 1215, 255}, "New height:"),
        dialogControl("txtHeight", K::TextBox, {1800, 1680, 1215, 285}),
        dialogControl("cmdReset", K::Button, {3120, 1320, 615, 615}, "Reset"),
        dialogControl("cmdDone", K::Button, {1680, 2640, 1215, 495}, "Done"),
    };
    return d;
}

} // namespace

const FormDesign& frmResizeDesign()
{
    static const FormDesign design = makeDesign();
    return design;
}
