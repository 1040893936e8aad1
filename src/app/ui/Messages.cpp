#include "app/ui/Messages.h"

#include <QAbstractButton>

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

QMessageBox::StandardButton ask(QWidget* parent, const Request& request)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer(request);

    QMessageBox box(boxIcon(request.icon), QString::fromLatin1(title), request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    if (!request.details.isEmpty())
        box.setDetailedText(request.details);
    for (auto button = request.buttonTexts.begin(); button != request.buttonTexts.end(); ++button)
        box.button(button.key())->setText(button.value());
    if (!request.informative.isEmpty())
        box.setInformativeText(request.informative);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void setAnswerer(Answerer answerer)
{
    currentAnswerer() = std::move(answerer);
}

QMessageBox::StandardButton show(
    QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton, Icon icon)
{
    return ask(parent, Request{text, buttons, defaultButton, icon, QString(), {}, QString()});
}

QMessageBox::StandardButton show(QWidget* parent, const Request& request)
{
    return ask(parent, request);
}

void report(QWidget* parent, const QString& text)
{
    show(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

void report(QWidget* parent, const QString& text, const QString& details, const QString& informative)
{
    ask(parent, Request{text, QMessageBox::Ok, QMessageBox::Ok, Icon::None, details, {}, informative});
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
