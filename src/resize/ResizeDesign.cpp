#include "resize/ResizeDesign.h"

namespace {

ControlDesign control(const char* name, ControlKind kind, TwipRect rect, const char* caption = "")
{
    return ControlDesign{QString::fromLatin1(name), QString(), kind, rect, QString::fromLatin1(caption)};
}

FormDesign makeDesign()
{
    using K = ControlKind;
    FormDesign d;
    // The caption is set to the level's size each time the dialog is shown.
    d.innerWidth = 4695;
    d.innerHeight = 3255;
    d.controls = {
        control("cmdResize0", K::Button, {120, 120, 1095, 1095}),
        control("cmdResize1", K::Button, {3480, 120, 1095, 1095}),
        control("cmdResize2", K::Button, {120, 2040, 1095, 1095}),
        control("cmdResize3", K::Button, {3480, 2040, 1095, 1095}),
        control("lblWidth", K::Label, {480, 1320, 1215, 255}, "New width:"),
        control("txtWidth", K::TextBox, {1800, 1320, 1215, 285}),
        control("lblHeight", K::Label, {480, 1680, 1215, 255}, "New height:"),
        control("txtHeight", K::TextBox, {1800, 1680, 1215, 285}),
        control("cmdReset", K::Button, {3120, 1320, 615, 615}, "Reset"),
        control("cmdDone", K::Button, {1680, 2640, 1215, 495}, "Done"),
    };
    return d;
}

} // namespace

const FormDesign& frmResizeDesign()
{
    static const FormDesign design = makeDesign();
    return design;
}
