// The range editor's structured face as a field table: the range row (root line), "View As"
// with the four labels of the user's locale, the two values of the stored view's pair, its step
// size or number of points, and "Units" at design time or when the range has units.
#pragma once

#include "fieldtable.h"

namespace Velt::RangeFields {

FieldTable table();

} // namespace Velt::RangeFields
