#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here: the caption is always
// the application's title, and each message names its buttons, default
// button and icon. Tests install an answerer instead of a person.
namespace Messages {

enum class Icon { None, Exclamation, Critical };

struct Request
{
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    Icon icon;
    // Shown on demand under the text ("Show Details..."); empty for none.
    QString details;
    // Buttons that say what they do instead of their standard text.
    QMap<QMessageBox::StandardButton, QString> buttonTexts;
    // Shown beneath the text, in the box's smaller print; empty for none.
    QString informative;
};

using Answerer = std::function<QMessageBox::StandardButton(const Request&)>;

inline constexpr const char* title = "Tilewright";

// Replaces the person at the screen; an empty answerer shows real boxes again.
void setAnswerer(Answerer answerer);

QMessageBox::StandardButton show(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton, Icon icon = Icon::None);

// A message made in full by the caller.
QMessageBox::StandardButton show(QWidget* parent, const Request& request);

// A plain report: OK, no icon.
void report(QWidget* parent, const QString& text);
// The same with details the user can open beneath the text, and an
// informative line shown beneath it when not empty.
void report(QWidget* parent, const QString& text, const QString& details, const QString& informative = QString());
// A question with Yes and No, Yes the default.
bool askYesNo(QWidget* parent, const QString& text);
// A question with Yes, No and Cancel, Yes the default.
QMessageBox::StandardButton askYesNoCancel(QWidget* parent, const QString& text);

} // namespace Messages
