#include "model/EightBitText.h"

#include <QList>

QString charactersBeyondEightBit(const QString& text)
{
    // By code point, so that a character outside the basic plane is one.
    QList<char32_t> found;
    for (const char32_t c : text.toUcs4())
        if (c > 0xFF && !found.contains(c))
            found.append(c);
    QStringList quoted;
    for (const char32_t c : found)
        quoted.append(u'"' + QString::fromUcs4(&c, 1) + u'"');
    return quoted.join(QStringLiteral(", "));
}
