// The eleven pictures every image list of the registry starts with, drawn in code so they stay
// crisp at any device pixel ratio and follow the application palette (light or dark) at the
// moment they are painted.
#pragma once

#include "velt_export.h"

#include <QIcon>
#include <QStringList>

namespace Velt {

// "Error", "Warning", "Reference", "Fields", "Enumeration", "ReadOnlyNumber", "ReadOnlyText",
// "ReadOnlyNumberList", "Number", "Text", "NumberList", in this order (positions 1 to 11).
VELT_EXPORT QStringList builtinImageKeys();

// The picture for one of those keys; a null icon for any other key.
VELT_EXPORT QIcon builtinImage(const QString& key);

} // namespace Velt
