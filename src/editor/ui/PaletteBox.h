#pragma once

#include "app/ui/PictureBox.h"

#include <QPointer>

// A palette that takes the keyboard focus by Tab (a click on one of its
// pictures leaves the focus where it was). The arrow keys, Home and End go
// from kind to kind; Space or Enter takes the kind the palette is on.
// A screen reader hears that kind as the one with the focus.
class PaletteBox : public PictureBox
{
    Q_OBJECT
public:
    explicit PaletteBox(QWidget* parent = nullptr);

    // The picture of the kind the keys start from.
    void setCurrent(QWidget* entry);
    QWidget* current() const { return m_current; }

signals:
    // Left and right: across -1 and 1; up and down: down -1 and 1.
    void stepped(int across, int down);
    // Home and End.
    void jumped(bool toLast);
    // Space or Enter.
    void chosen();
    void focusChanged(bool hasFocus);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void announceCurrent();

    QPointer<QWidget> m_current;
};
