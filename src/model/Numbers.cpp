#include "model/Numbers.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <string>
#include <type_traits>

namespace numbers {

namespace {

// Skips a run of digits and tells how many there were.
template<typename Unit>
qsizetype skipDigits(const Unit*& pos, const Unit* end)
{
    const Unit* start = pos;
    while (pos < end && *pos >= Unit('0') && *pos <= Unit('9'))
        ++pos;
    return pos - start;
}

// The number of parseNumber, read from text of any code unit: a level file's
// Latin-1 bytes are read where they are, without a copy.
template<typename Unit>
std::optional<double> parseNumberIn(const Unit* begin, const Unit* end)
{
    auto blank = [](Unit c) { return c == Unit(' ') || c == Unit('\t'); };
    while (begin < end && blank(*begin))
        ++begin;
    while (end > begin && blank(end[-1]))
        --end;

    const Unit* pos = begin;
    if (pos < end && (*pos == Unit('+') || *pos == Unit('-')))
        ++pos;
    qsizetype digits = skipDigits(pos, end);
    if (pos < end && *pos == Unit('.')) {
        ++pos;
        digits += skipDigits(pos, end);
    }
    if (digits == 0)
        return std::nullopt;
    if (pos < end && (*pos == Unit('e') || *pos == Unit('E'))) {
        ++pos;
        if (pos < end && (*pos == Unit('+') || *pos == Unit('-')))
            ++pos;
        if (skipDigits(pos, end) == 0)
            return std::nullopt;
    }
    if (pos != end)
        return std::nullopt;

    // What is left is plain ASCII of the form checked above. from_chars reads
    // it in one pass however long it is; the locale-aware conversion of a
    // QString took a tenth of a second per megabyte of digits. Wider units
    // are narrowed into a string first (a short one stays on the stack).
    std::string narrowed;
    const char* first = nullptr;
    if constexpr (std::is_same_v<Unit, char>) {
        first = begin;
    } else {
        narrowed.resize(static_cast<size_t>(end - begin));
        for (size_t i = 0; i < narrowed.size(); ++i)
            narrowed[i] = static_cast<char>(begin[i]);
        first = narrowed.data();
    }
    const char* const last = first + (end - begin);
    if (*first == '+')
        ++first;
    double value = 0;
    const std::from_chars_result read = std::from_chars(first, last, value);
    if (read.ec != std::errc() || read.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
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

// Digits and nothing else, as most numbers of a level file are.
template<typename Unit>
std::optional<int> onlyDigits(const Unit* begin, const Unit* end)
{
    int value = 0;
    for (; begin < end; ++begin) {
        if (*begin < Unit('0') || *begin > Unit('9'))
            return std::nullopt;
        value = value * 10 + static_cast<int>(*begin - Unit('0'));
    }
    return value;
}

} // namespace

std::optional<double> parseNumber(QStringView text)
{
    return parseNumberIn(text.utf16(), text.utf16() + text.size());
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
    // Nearly every number of a level file is a cell's x or y: a few digits
    // and nothing else, read here at once.
    if (text.size() > 0 && text.size() <= 4) {
        const std::optional<int> digits = text.visit([](auto view) {
            if constexpr (std::is_same_v<decltype(view), QStringView>)
                return onlyDigits(view.utf16(), view.utf16() + view.size());
            else
                return onlyDigits(view.data(), view.data() + view.size());
        });
        if (digits)
            return static_cast<qint16>(*digits);
    }
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
    const std::optional<double> value = text.visit([](auto view) {
        if constexpr (std::is_same_v<decltype(view), QStringView>)
            return parseNumberIn(view.utf16(), view.utf16() + view.size());
        else
            return parseNumberIn(view.data(), view.data() + view.size());
    });
    if (!value)
        return std::nullopt;
    return roundToInt16(*value);
}

QString text(int value)
{
    return QString::number(value);
}

} // namespace numbers
