// The real editor's structured face as a field table: the root line (the value with its units),
// "Style", the shared number lines (restriction, "Value", "Units") and "Precision".
#pragma once

#include "fieldtable.h"
#include "restrictionrules.h"

#include <cstdint>
#include <functional>

namespace Velt::Real64Fields {

// The item's precision as stored (0 when none); rendering caps it at 15.
int precisionOf(int32_t item);

// editorBounds gives the dialog's low and high, which "Value is Restricted" stores for an item
// that has no restriction.
FieldTable table(std::function<Bounds<double>()> editorBounds);

} // namespace Velt::Real64Fields
