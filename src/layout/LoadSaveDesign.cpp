#include "layout/LoadSaveDesign.h"

namespace {

ControlDesign control(const char* name, ControlKind kind, TwipRect rect, const char* caption = "")
{
    return ControlDesign{QString::fromLatin1(name), QString(), kind, rect, QString::fromLatin1(caption)};
}

FormDesign makeDesign()
{
    using K = ControlKind;
    FormDesign d;
    d.innerWidth = 2775;
    d.innerHeight = 3135;
    d.controls = {
        control("List1", K::ListBox, {120, 120, 2535, 1815}),
        control("txtName", K::TextBox, {120, 2040, 2535, 285}, "ALevel"),
        control("cmdOK", K::Button, {120, 2400, 1215, 495}),
        control("cmdCancel", K::Button, {1440, 2400, 1215, 495}, "Cancel"),
    };
    return d;
}

} // namespace

const FormDesign& frmLoadSaveDesign()
{
    static const FormDesign design = makeDesign();
    return design;
}
