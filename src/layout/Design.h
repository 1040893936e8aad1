#pragma once

#include <cstddef>
#include <optional>
#include <span>

// Window designs are kept as data, in twips: 15 twips are one logical pixel.
inline constexpr double twipsPerPixel = 15.0;

struct TwipRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

enum class ControlKind {
    PictureBox,
    Image,
    Shape,
    HScrollBar,
    VScrollBar,
    Button,
    OptionButton,
    ListBox,
    TextBox,
    Label,
};

// One control of a window's design. `Control` is the window's own enum of
// its controls, numbered in tab order, so code names a control by a value the
// compiler checks. Left and top are relative to the inner area of the
// container; a control without one lies in the window itself.
template<typename Control>
struct ControlDesign
{
    Control id;
    const char* name; // the control's design name, which its widget carries as object name
    std::optional<Control> container;
    ControlKind kind;
    TwipRect rect;
    const char* caption = "";
    // A picture box's ordinary sunken border: 30 twips on each side.
    bool border = false;
    // Scroll bars: the small step.
    int smallChange = 1;
};

// A control that lies directly in a dialog: no container, no border.
template<typename Control>
constexpr ControlDesign<Control> dialogControl(Control id, const char* name, ControlKind kind, TwipRect rect, const char* caption = "")
{
    return ControlDesign<Control>{id, name, std::nullopt, kind, rect, caption};
}

template<typename Control>
struct FormDesign
{
    const char* caption;
    double innerWidth;
    double innerHeight;
    // In tab order: row i describes the control numbered i.
    std::span<const ControlDesign<Control>> controls;
};

// True when every row describes the control of its own number and every
// container comes before the controls it holds; checked at compile time
// for each design, so a table and its enum cannot drift apart.
template<typename Control, std::size_t Count>
constexpr bool isWellOrdered(const ControlDesign<Control> (&controls)[Count], Control last)
{
    if (static_cast<std::size_t>(last) + 1 != Count)
        return false;
    for (std::size_t i = 0; i < Count; ++i) {
        if (static_cast<std::size_t>(controls[i].id) != i)
            return false;
        if (controls[i].container && static_cast<std::size_t>(*controls[i].container) >= i)
            return false;
    }
    return true;
}
