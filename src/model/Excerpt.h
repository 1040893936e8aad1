#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

// A message quotes at most this many characters of a file: more is no help
// to the reader, and a hostile file can hold megabytes on one line.
inline constexpr qsizetype excerptLength = 200;
// The longest an excerpt can show: every character escaped as \xHH, and the
// ellipsis.
inline constexpr qsizetype longestExcerpt = 4 * excerptLength + 1;

// The text whole, or its first 200 characters and an ellipsis; control
// characters are shown escaped: \0, \t, \n, \r or \xHH.
QString excerpt(QStringView text);
QString excerpt(QLatin1StringView text);
