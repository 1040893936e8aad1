#include "model/Excerpt.h"

namespace {
const QChar ellipsis(0x2026);
}

QString excerpt(QStringView text)
{
    if (text.size() <= excerptLength)
        return text.toString();
    return text.first(excerptLength).toString() + ellipsis;
}

QString excerpt(QLatin1StringView text)
{
    if (text.size() <= excerptLength)
        return QString(text);
    return QString(text.first(excerptLength)) + ellipsis;
}
