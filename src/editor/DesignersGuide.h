#pragma once

#include <QString>

// Where the designer's guide is for a program in `programFolder`: in the
// build tree's "docs" folder or installed with the documentation
// ("share/doc/tilewright/docs"), looked for in the program's folder and the
// folders above it. The HTML page when it was built, else the Markdown it
// is made from; empty when neither is there.
QString findDesignersGuide(const QString& programFolder);
