// StringArrayFields: the structured face of the string array editor as rows of a field table:
// the root line (a summary), one line "String (i)" per element in the item's view and the
// "View As" line, the element and view lines only for 1 to 50 elements. A change is written
// to the item at once.
#pragma once

#include "fieldtable.h"

namespace Velt::StringArrayFields {

FieldTable table();

} // namespace Velt::StringArrayFields
