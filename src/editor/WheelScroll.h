#pragma once

// How far a turn of the mouse wheel moves a scroll bar. A notch (120 eighths
// of a degree) moves the bar one small step; a finer wheel moves it in
// proportion, and what is too little to move it by a twip is kept for the
// next turn. A turn that runs past either end stops there and keeps nothing.
// Turning away from the user scrolls up or left.
class WheelScroll
{
public:
    struct Bar
    {
        int value = 0;
        int minimum = 0;
        int maximum = 0;
        int singleStep = 1;
    };

    // The bar's value after a turn by `angle` eighths of a degree.
    int turn(const Bar& bar, int angle);

private:
    int m_rest = 0;
};
