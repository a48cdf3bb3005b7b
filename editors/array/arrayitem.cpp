#include "arrayitem_p.h"

#include "itemproperties_p.h"
#include "qtstrings.h"

#include "quen/quencore.h"

#include <algorithm>

namespace Velt::ArrayItem {

ArrayShape shape(int32_t item)
{
    ArrayShape shape;
    shape.dimensions = std::clamp(QuenArrayGetNumDimensions(item), 1, MaxArrayDimensions);
    for (int d = 0; d < shape.dimensions; ++d) {
        shape.spans[size_t(d)] = {int16_t(QuenArrayGetLowerBound(item, d)),
                                  int16_t(QuenArrayGetUpperBound(item, d))};
    }
    return shape;
}

int32_t elementCount(int32_t item) { return uint16_t(QuenArrayGetSize(item)); }
int32_t maxCount(int32_t item) { return uint16_t(QuenArrayGetMaxSize(item)); }

bool redimension(int32_t item, const ArrayShape& shape)
{
    const auto& s = shape.spans;
    switch (shape.dimensions) {
    case 1:
        return QuenArrayRedim(item, s[0].lower, s[0].upper) != QUEN_FALSE;
    case 2:
        return QuenArrayRedim2(item, s[0].lower, s[0].upper, s[1].lower, s[1].upper) != QUEN_FALSE;
    default:
        return QuenArrayRedim3(item, s[0].lower, s[0].upper, s[1].lower, s[1].upper, s[2].lower,
                               s[2].upper)
            != QUEN_FALSE;
    }
}

QList<BoundLock> locks(int32_t item, int dimensions)
{
    QList<BoundLock> all(dimensions, BoundLock::Lower);
    const int32_t stored = ItemProperties::property(item, Locks);
    if (!stored)
        return all;
    const int32_t first = QuenArrayGetLowerBound(stored, 0);
    const int32_t last = QuenArrayGetUpperBound(stored, 0);
    for (int d = 0; d < dimensions; ++d) {
        if (d >= first && d <= last)
            all[d] = ArrayLocks::fromName(quen::toQString(QuenStrArrGetAt1(stored, d)));
    }
    return all;
}

void setLocks(int32_t item, const QList<BoundLock>& locks)
{
    const QStringList entries = ArrayLocks::stored(locks);
    if (entries.isEmpty()) {
        ItemProperties::removeProperty(item, Locks);
        return;
    }
    const int32_t list = QuenStrArrCreate(0, int32_t(entries.size()) - 1);
    for (int d = 0; d < entries.size(); ++d)
        QuenStrArrSetAt1(list, d, quen::toUtf8(entries.at(d)).constData());
    QuenDataExSetProperty(item, Locks, list);
    QuenDataRelease(list);
}

} // namespace Velt::ArrayItem
