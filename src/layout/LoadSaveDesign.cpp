#include "layout/LoadSaveDesign.h"

namespace {

using C = LoadSaveControl;
using K = ControlKind;

constexpr ControlDesign<C> controls[] = {
    dialogControl(C::List1, "List1", K::ListBox, {120, 120, 2535, 1815}),
    dialogControl(C::txtName, "txtName", K::TextBox, {120, 2040, 2535, 285}, "ALevel"),
    dialogControl(C::cmdOK, "cmdOK", K::Button, {120, 2400, 1215, 495}),
    dialogControl(C::cmdCancel, "cmdCancel", K::Button, {1440, 2400, 1215, 495}, "Cancel"),
};
static_assert(isWellOrdered(controls, C::cmdCancel));

constexpr FormDesign<C> design{"", 2775, 3135, controls};

} // namespace

const FormDesign<LoadSaveControl>& frmLoadSaveDesign()
{
    return design;
}
