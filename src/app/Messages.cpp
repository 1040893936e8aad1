#include "app/Messages.h"

namespace Messages {

namespace {

Answerer& currentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void setAnswerer(Answerer answerer)
{
    currentAnswerer() = std::move(answerer);
}

QMessageBox::StandardButton show(
    QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton, Icon icon)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer(Request{text, buttons, defaultButton, icon});

    QMessageBox box(boxIcon(icon), QString::fromLatin1(title), text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void report(QWidget* parent, const QString& text)
{
    show(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool askYesNo(QWidget* parent, const QString& text)
{
    return show(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

QMessageBox::StandardButton askYesNoCancel(QWidget* parent, const QString& text)
{
    return show(parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

} // namespace Messages
