// Validation of a parameter block's values into a problem list of the core, free of widgets:
// every parameter's first field is read through its type editor (the structured fields), and a
// field's error message becomes a problem tagged with the parameter's position. The host keeps
// one problem list per block: problems an earlier validation left in it (their location is the
// position alone) are withdrawn when their parameter is fine now or reports another message, and
// when no parameter confirms them any more.
#pragma once

#include "velt_export.h"

#include "quen/quencore.h"

namespace Velt {

// block: the block to check (0: nothing to do); defaults: an action call's default block, else 0;
// pills: the host's problem list, or 0 to only check. pillsAdded: set when a problem was added to
// or withdrawn from the list. True when no parameter has a problem.
VELT_EXPORT bool validateParameterBlock(QuenHandle block, QuenHandle defaults, QuenHandle pills,
                                        bool* pillsAdded);

// The 1-based parameter position a problem's location text begins with (0 when it has none).
VELT_EXPORT int problemPosition(QuenHandle pill);

} // namespace Velt
