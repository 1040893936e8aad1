#include "layout/EntityDataDesign.h"

namespace {

FormDesign makeDesign()
{
    using K = ControlKind;
    FormDesign d;
    d.caption = QStringLiteral("Edit entity data");
    d.innerWidth = 4575;
    d.innerHeight = 3015;
    d.controls = {
        dialogControl("lstCurEnt", K::ListBox, {120, 120, 1335, 2790}),
        dialogControl("lstCurDat", K::ListBox, {1440, 120, 1335, 2790}),
        dialogControl("txtData", K::TextBox, {3120, 120, 1335, 285}),
        dialogControl("cmdApply", K::Button, {3120, 480, 1335, 495}, "Apply"),
        dialogControl("lblTip", K::Label, {3120, 1080, 1335, 1215}),
        dialogControl("cmdClose", K::Button, {3120, 2400, 1335, 495}, "Close"),
    };
    return d;
}

} // namespace

const FormDesign& frmEntityDataDesign()
{
    static const FormDesign design = makeDesign();
    return design;
}
