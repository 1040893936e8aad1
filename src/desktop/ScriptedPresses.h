#pragma once

#include <QByteArray>

class QWidget;

// For the tests that kill the editor while it holds unsaved work: when the
// environment variable TILEWRIGHT_TEST_PRESSES lists cells ("x,y x,y ..."),
// the main window's map is pressed and released with the left button at
// each of them in turn, a few tenths of a second apart, by mouse events as
// a hand would make them. Anything else in the variable presses nothing.
void pressScriptedCells(QWidget* window, const QByteArray& cells);
