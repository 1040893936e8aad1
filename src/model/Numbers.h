#pragma once

#include <QAnyStringView>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// The one way a typed or read number becomes a model number: blanks around it
// are allowed, a fraction is rounded to the nearest whole number with a half
// going to the even neighbour, and anything that is not a number or does not
// fit in 16 signed bits gives no value.
namespace numbers {

// The text as a decimal number (sign, digits, optional fraction and exponent),
// blanks around it allowed; no value when it is anything else.
std::optional<double> parseNumber(QStringView text);

// The value rounded half to even; no value outside -32768..32767.
std::optional<qint16> roundToInt16(double value);

// parseNumber followed by roundToInt16, for text of any encoding (a level
// file's Latin-1 bytes, or what was typed). A plain whole number is read
// without going through a double, with the same result.
std::optional<qint16> toInt16(QAnyStringView text);

// The shortest decimal form of a number, as the files write it.
QString text(int value);

} // namespace numbers
