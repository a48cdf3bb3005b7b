// The integer editor's structured face as a field table: the root line (the value, or with a
// choice list the chosen label), "Style", the choice list's "Begin at", "End at", "Labels" and
// one "Label (i)" line per value, the shared number lines (restriction, "Value", "Units") and
// "View As". Every line reads the core for what it shows, nothing more.
#pragma once

#include "fieldtable.h"
#include "restrictionrules.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace Velt::Int32Fields {

// The item's view ("Decimal" when none is stored).
QString viewOf(int32_t item);

// editorBounds gives the dialog's low and high, which "Value is Restricted" stores for an item
// that has no restriction.
FieldTable table(std::function<Bounds<int32_t>()> editorBounds);

} // namespace Velt::Int32Fields
