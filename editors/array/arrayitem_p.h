// ArrayItem: an array data item of the core as every array editor reads and writes it: its
// shape, its counts (taken as 16-bit unsigned numbers), redimensioning by the number of
// dimensions, and the "Locks" property (one entry per dimension). Widget-free.
#pragma once

#include "arrayrules_p.h"

#include <QList>

#include <cstdint>

namespace Velt::ArrayItem {

inline constexpr char Locks[] = "Locks";

// At most three dimensions are read; more are taken as three.
ArrayShape shape(int32_t item);
int32_t elementCount(int32_t item);
int32_t maxCount(int32_t item);
// QuenArrayRedim, Redim2 or Redim3, by the shape's number of dimensions; false on a core error
// (left in the register for the caller to show or clear).
bool redimension(int32_t item, const ArrayShape& shape);

// One lock per dimension: an absent property, an entry outside its bounds or an unknown text
// is the default, "Lower".
VELT_EXPORT QList<BoundLock> locks(int32_t item, int dimensions);
// Removed when every entry is the default.
void setLocks(int32_t item, const QList<BoundLock>& locks);

} // namespace Velt::ArrayItem
