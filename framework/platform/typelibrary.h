// The identity of the library as hosts see it: its name, its version and its locale.
#pragma once

#include "velt_export.h"

#include <QString>

namespace Velt {

struct VELT_EXPORT TypeLibrary
{
    static QString name();          // "VeltEditors": the prefix of every class identifier
    static int majorVersion();      // 6
    static int minorVersion();      // 3
    static int localeId();          // 0x409
    static QString classId(const QString& className); // "VeltEditors." + className
};

} // namespace Velt
