#pragma once

#include <QPushButton>

// A push button whose caption wraps onto further lines when it is wider than
// the button, as captions of the window designs expect.
class CaptionButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CaptionButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
