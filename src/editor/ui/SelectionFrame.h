#pragma once

#include <QWidget>

// The red outline that marks the selected palette item. It only shows: the
// mouse goes through it to the image below.
class SelectionFrame : public QWidget
{
    Q_OBJECT
public:
    explicit SelectionFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
