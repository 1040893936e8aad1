#include "layout/ResizeDesign.h"

#include <QtGlobal>

#include <array>

namespace {

using C = ResizeControl;
using K = ControlKind;

constexpr ControlDesign<C> controls[] = {
    dialogControl(C::cmdResize0, "cmdResize0", K::Button, {120, 120, 1095, 1095}),
    dialogControl(C::cmdResize1, "cmdResize1", K::Button, {3480, 120, 1095, 1095}),
    dialogControl(C::cmdResize2, "cmdResize2", K::Button, {120, 2040, 1095, 1095}),
    dialogControl(C::cmdResize3, "cmdResize3", K::Button, {3480, 2040, 1095, 1095}),
    dialogControl(C::lblWidth, "lblWidth", K::Label, {480, 1320, 1215, 255}, "New width:"),
    dialogControl(C::txtWidth, "txtWidth", K::TextBox, {1800, 1320, 1215, 285}),
    dialogControl(C::lblHeight, "lblHeight", K::Label, {480, 1680, 1215, 255}, "New height:"),
    dialogControl(C::txtHeight, "txtHeight", K::TextBox, {1800, 1680, 1215, 285}),
    dialogControl(C::cmdReset, "cmdReset", K::Button, {3120, 1320, 615, 615}, "Reset"),
    dialogControl(C::cmdDone, "cmdDone", K::Button, {1680, 2640, 1215, 495}, "Done"),
};
static_assert(isWellOrdered(controls, C::cmdDone));

// The caption is set to the level's size each time the dialog is shown.
constexpr FormDesign<C> design{"", 4695, 3255, controls};

} // namespace

ResizeControl cmdResizeControl(int index)
{
    constexpr std::array<C, 4> set{C::cmdResize0, C::cmdResize1, C::cmdResize2, C::cmdResize3};
    if (index < 0 || index >= static_cast<int>(set.size()))
        qFatal("cmdResize(%d) is not a control of the resize dialog", index);
    return set[static_cast<std::size_t>(index)];
}

const FormDesign<ResizeControl>& frmResizeDesign()
{
    return design;
}
