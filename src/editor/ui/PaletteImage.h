#pragma once

#include <QLabel>

// An image of a palette: shows its picture at its natural size and reports
// a click of the left button. A screen reader finds it as an entry of its
// palette's list, selected while its kind is the palette's selection.
class PaletteImage : public QLabel
{
    Q_OBJECT
public:
    explicit PaletteImage(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_selected = false;
};
