#pragma once

#include <QLabel>

// An image of a palette: shows its picture at its natural size and reports
// a click of the left button.
class PaletteImage : public QLabel
{
    Q_OBJECT
public:
    explicit PaletteImage(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
