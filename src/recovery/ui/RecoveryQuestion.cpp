#include "recovery/ui/RecoveryQuestion.h"

#include "app/ui/Messages.h"
#include "recovery/RecoveryCopy.h"

#include <QDir>
#include <QLocale>

RecoveryAnswer askAboutRecoveryCopy(QWidget* parent, const RecoveryCopy& copy)
{
    const QLocale locale;
    const QString made =
        QStringLiteral("%1 at %2")
            .arg(locale.toString(copy.madeAt.date(), QLocale::LongFormat), locale.toString(copy.madeAt.time(), QLocale::ShortFormat));
    const QString level = copy.levelName.isEmpty()
        ? QStringLiteral("a new level that was never saved")
        : QStringLiteral("the level \"%1\" (%2)").arg(copy.levelName, QDir::toNativeSeparators(copy.levelPath));
    Messages::Request question;
    question.text = QStringLiteral(
        "Tilewright ended before the changes to %1 were saved. A recovery copy of them was made on %2.\n\n"
        "Restore the changes as unsaved work, or discard the copy?")
                        .arg(level, made);
    question.buttons = QMessageBox::Yes | QMessageBox::Discard;
    question.defaultButton = QMessageBox::Yes;
    question.buttonTexts[QMessageBox::Yes] = QStringLiteral("&Restore");
    return Messages::show(parent, question) == QMessageBox::Discard ? RecoveryAnswer::Discard : RecoveryAnswer::Restore;
}
