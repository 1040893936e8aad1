#pragma once

#include "model/Level.h"

#include <QtGlobal>

// Places an entity into a level a test builds; such a level is never full,
// so a refusal is a fault of the test itself.
inline void place(Level& level, const Entity& entity, const QString& data = QString())
{
    if (!levelops::appendEntity(level, entity, data))
        qFatal("a test level refused an entity");
}
