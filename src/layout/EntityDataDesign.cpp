#include "layout/EntityDataDesign.h"

namespace {

ControlDesign control(const char* name, ControlKind kind, TwipRect rect, const char* caption = "")
{
    return ControlDesign{QString::fromLatin1(name), QString(), kind, rect, QString::fromLatin1(caption)};
}

FormDesign makeDesign()
{
    using K = ControlKind;
    FormDesign d;
    d.caption = QStringLiteral("Edit entity data");
    d.innerWidth = 4575;
    d.innerHeight = 3015;
    d.controls = {
        control("lstCurEnt", K::ListBox, {120, 120, 1335, 2790}),
        control("lstCurDat", K::ListBox, {1440, 120, 1335, 2790}),
        control("txtData", K::TextBox, {3120, 120, 1335, 285}),
        control("cmdApply", K::Button, {3120, 480, 1335, 495}, "Apply"),
        control("lblTip", K::Label, {3120, 1080, 1335, 1215}),
        control("cmdClose", K::Button, {3120, 2400, 1335, 495}, "Close"),
    };
    return d;
}

} // namespace

const FormDesign& frmEntityDataDesign()
{
    static const FormDesign design = makeDesign();
    return design;
}
