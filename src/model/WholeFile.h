#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Replaces the file at `path` as a whole: `write` fills a new file beside it,
// which takes the old one's place only once it is complete, so a failure
// never loses the previous file. The failure's message is the reason alone,
// for the caller to put into its own words.
Result writeWholeFile(const QString& path, const std::function<Result(QIODevice& file)>& write);

// The same for bytes that are ready.
Result writeWholeFile(const QString& path, const QByteArray& bytes);
