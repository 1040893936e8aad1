#include "model/Excerpt.h"

namespace {

const QChar ellipsis(0x2026);

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A NUL would end the text in many a place, a line break would break the
// message's line and some control bytes drive a terminal: each is shown by
// its escape instead.
QString shown(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (!isControl(code)) {
            result += c;
            continue;
        }
        switch (code) {
        case u'\0':
            result += QStringLiteral("\\0");
            break;
        case u'\t':
            result += QStringLiteral("\\t");
            break;
        case u'\n':
            result += QStringLiteral("\\n");
            break;
        case u'\r':
            result += QStringLiteral("\\r");
            break;
        default:
            result += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        }
    }
    return result;
}

} // namespace

QString excerpt(QStringView text)
{
    if (text.size() <= excerptLength)
        return shown(text);
    return shown(text.first(excerptLength)) + ellipsis;
}

QString excerpt(QLatin1StringView text)
{
    // Only what can be shown is decoded: the text may be megabytes long.
    const QString start(text.first(qMin(text.size(), excerptLength + 1)));
    return excerpt(QStringView(start));
}
