#include "layout/EntityDataDesign.h"

namespace {

using C = EntityDataControl;
using K = ControlKind;

constexpr ControlDesign<C> controls[] = {
    dialogControl(C::lstCurEnt, "lstCurEnt", K::ListBox, {120, 120, 1335, 2790}),
    dialogControl(C::lstCurDat, "lstCurDat", K::ListBox, {1440, 120, 1335, 2790}),
    dialogControl(C::txtData, "txtData", K::TextBox, {3120, 120, 1335, 285}),
    dialogControl(C::cmdApply, "cmdApply", K::Button, {3120, 480, 1335, 495}, "Apply"),
    dialogControl(C::lblTip, "lblTip", K::Label, {3120, 1080, 1335, 1215}),
    dialogControl(C::cmdClose, "cmdClose", K::Button, {3120, 2400, 1335, 495}, "Close"),
};
static_assert(isWellOrdered(controls, C::cmdClose));

constexpr FormDesign<C> design{"Edit entity data", 4575, 3015, controls};

} // namespace

const FormDesign<EntityDataControl>& frmEntityDataDesign()
{
    return design;
}
