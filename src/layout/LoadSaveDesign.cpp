#include "layout/LoadSaveDesign.h"

namespace {

FormDesign makeDesign()
{
    using K = ControlKind;
    FormDesign d;
    d.innerWidth = 2775;
    d.innerHeight = 3135;
    d.controls = {
        dialogControl("List1", K::ListBox, {120, 120, 2535, 1815}),
        dialogControl("txtName", K::TextBox, {120, 2040, 2535, 285}, "ALevel"),
        dialogControl("cmdOK", K::Button, {120, 2400, 1215, 495}),
        dialogControl("cmdCancel", K::Button, {1440, 2400, 1215, 495}, "Cancel"),
    };
    return d;
}

} // namespace

const FormDesign& frmLoadSaveDesign()
{
    static const FormDesign design = makeDesign();
    return design;
}
