#pragma once

#include <QString>

#include <vector>

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

// One control of a window's design. Left and top are relative to the inner
// area of the container; an empty container is the window itself.
struct ControlDesign
{
    QString name;
    QString container;
    ControlKind kind;
    TwipRect rect;
    QString caption;
    // A picture box's ordinary sunken border: 30 twips on each side.
    bool border = false;
    // Scroll bars: the small step.
    int smallChange = 1;
};

// A control that lies directly in a dialog: no container, no border.
inline ControlDesign dialogControl(const char* name, ControlKind kind, TwipRect rect, const char* caption = "")
{
    return ControlDesign{QString::fromLatin1(name), QString(), kind, rect, QString::fromLatin1(caption)};
}

struct FormDesign
{
    QString caption;
    double innerWidth = 0;
    double innerHeight = 0;
    std::vector<ControlDesign> controls; // in tab order
};
