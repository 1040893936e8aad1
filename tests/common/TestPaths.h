#pragma once

#include <QString>

// The bundled sample game in the source tree; tests only read it.
inline QString sampleEditorDir()
{
    return QStringLiteral(TILEWRIGHT_SAMPLE_DIR "/editor");
}

inline QString sampleLevelsDir()
{
    return QStringLiteral(TILEWRIGHT_SAMPLE_DIR "/levels");
}
