// The pictures of collapsed and expanded table entries ("TreeCollapsed", "TreeExpanded"),
// drawn in code at paint time so they follow the palette (light or dark) and stay crisp at any
// device pixel ratio.
#pragma once

#include <QIcon>

namespace Velt {

QIcon treeImage(bool expanded);

} // namespace Velt
