// The display names of data classes ("Integer (32 bit)" for "CQuenInt32"). The names belong to
// the editor registry, which sits above the modules that show them (the symbol selector), so
// the registry hands its lookup down to this place when the library loads. Until a lookup is
// installed every name is "".
#pragma once

#include "velt_export.h"

#include <QString>

namespace Velt {

using DataTypeNameLookup = QString (*)(const QString& dataClass);

// Installs the lookup (nullptr removes it) and returns the previous one.
VELT_EXPORT DataTypeNameLookup setDataTypeNameLookup(DataTypeNameLookup lookup);

// The display name of `dataClass`; "" for "" and when there is none.
VELT_EXPORT QString dataTypeName(const QString& dataClass);

} // namespace Velt
