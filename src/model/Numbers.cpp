#include "model/Numbers.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <type_traits>

namespace numbers {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Skips a run of digits and tells how many there were.
qsizetype skipDigits(QStringView text, qsizetype& pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos - start;
}

// Blanks, an optional sign and up to nine digits: a whole number that an int
// holds exactly. Anything else is no value here and left to parseNumber.
template<typename Unit>
std::optional<int> plainWholeNumber(const Unit* begin, const Unit* end)
{
    auto blank = [](Unit c) { return c == Unit(' ') || c == Unit('\t'); };
    while (begin < end && blank(*begin))
        ++begin;
    while (end > begin && blank(end[-1]))
        --end;
    const bool negative = begin < end && *begin == Unit('-');
    if (begin < end && (*begin == Unit('-') || *begin == Unit('+')))
        ++begin;
    if (begin == end || end - begin > 9)
        return std::nullopt;
    int value = 0;
    for (; begin < end; ++begin) {
        if (*begin < Unit('0') || *begin > Unit('9'))
            return std::nullopt;
        value = value * 10 + static_cast<int>(*begin - Unit('0'));
    }
    return negative ? -value : value;
}

} // namespace

std::optional<double> parseNumber(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QStringView number = text.sliced(begin, end - begin);

    qsizetype pos = 0;
    if (pos < number.size() && (number[pos] == u'+' || number[pos] == u'-'))
        ++pos;
    qsizetype digits = skipDigits(number, pos);
    if (pos < number.size() && number[pos] == u'.') {
        ++pos;
        digits += skipDigits(number, pos);
    }
    if (digits == 0)
        return std::nullopt;
    if (pos < number.size() && (number[pos] == u'e' || number[pos] == u'E')) {
        ++pos;
        if (pos < number.size() && (number[pos] == u'+' || number[pos] == u'-'))
            ++pos;
        if (skipDigits(number, pos) == 0)
            return std::nullopt;
    }
    if (pos != number.size())
        return std::nullopt;

    // What is left is plain ASCII of the form checked above. from_chars reads
    // it in one pass however long it is; the locale-aware conversion of a
    // QString took a tenth of a second per megabyte of digits.
    // A number of a usual length is converted on the stack: a level file
    // holds tens of thousands of them.
    char shortText[64];
    QByteArray longText;
    const char* first = shortText;
    if (number.size() <= qsizetype(sizeof shortText)) {
        for (qsizetype i = 0; i < number.size(); ++i)
            shortText[i] = static_cast<char>(number[i].unicode());
    } else {
        longText = number.toLatin1();
        first = longText.constData();
    }
    const char* const last = first + number.size();
    if (*first == '+')
        ++first;
    double value = 0;
    const std::from_chars_result read = std::from_chars(first, last, value);
    if (read.ec != std::errc() || read.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> toInt16(QAnyStringView text)
{
    // A level file holds tens of thousands of plain numbers; a double for
    // each of them was a fifth of the time of loading it.
    const std::optional<int> whole = text.visit([](auto view) {
        if constexpr (std::is_same_v<decltype(view), QStringView>)
            return plainWholeNumber(view.utf16(), view.utf16() + view.size());
        else
            return plainWholeNumber(view.data(), view.data() + view.size());
    });
    if (whole) {
        if (*whole < -32768 || *whole > 32767)
            return std::nullopt;
        return static_cast<qint16>(*whole);
    }
    const std::optional<double> value = parseNumber(text.toString());
    if (!value)
        return std::nullopt;
    return roundToInt16(*value);
}

QString text(int value)
{
    return QString::number(value);
}

} // namespace numbers
