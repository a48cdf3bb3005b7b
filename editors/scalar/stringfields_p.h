// The string editor's structured face as a field table: the root line (the value in its view,
// with the pattern's message), "View As", "Format Operation" and, while an operation is chosen,
// "Format" and "Locked".
#pragma once

#include "fieldtable.h"

namespace Velt::StringFields {

FieldTable table();

} // namespace Velt::StringFields
