#pragma once

#include <QString>
#include <QtGlobal>

// Why a level of `bytes` bytes could not be saved at `path`, in words that
// tell the user what to do, when the cause is one that can be seen after
// the fact: the levels folder missing or not writable, a full disk, a
// folder or a read-only file in the level's place. Empty when none of these holds; then another program may
// hold the file, as the save failure's own message says.
QString saveFailureReason(const QString& path, qint64 bytes);
