// NumericArrayFields: the structured face of the integer and real array editors as a field
// table, written once over the family's traits. The root line summarises the array ("6 values
// in  (1 to 2) rows,  (1 to 3) columns in V"); an array of one or two dimensions and 1 to 50
// elements lists its elements in place: one "Row (i)" line per element of a vector, or per row
// of a table one "Row (i)" line holding the row's values separated by blanks with a
// "Column (j)" line per element under it. The integer family adds "View As". Lines read and
// write the item directly; every line reads only what it shows.
#pragma once

#include "fieldtable.h"
#include "numericarraytraits_p.h"
#include "velt_export.h"

namespace Velt {

namespace NumericArrayFields {

VELT_EXPORT FieldTable int32Table();
VELT_EXPORT FieldTable real64Table();

} // namespace NumericArrayFields

} // namespace Velt
