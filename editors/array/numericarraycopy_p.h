// NumericArrayCopy: the edit buffer of the integer and real array editors, a deep copy of the
// item held in the core (QuenDataExDeepCopy) that every committed cell, paste and bound change
// goes to at once, so the item itself is written only on OK. The copy owns its core handle and
// releases it on accept, on cancel and when it goes.
//
// The element calls are chosen by the number of dimensions (ArrayElements). A redimension
// keeps the values the core keeps by index; the core's errors of a redimension are cleared,
// since the editor has checked the bounds itself and shows its own messages.
#pragma once

#include "numericarrayrules_p.h"
#include "numericarraytraits_p.h"
#include "velt_export.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace Velt {

// What the editor keeps beside the values of a numeric array.
template <typename Traits>
struct VELT_EXPORT NumericArrayAttributes
{
    QString units;                                          // trimmed; "" for none
    std::optional<Bounds<typename Traits::Value>> restriction; // none: not restricted
    typename Traits::Option option{};                       // the view, the chart orientation

    // Read from an item: absent properties give no units, no restriction, the default option.
    static NumericArrayAttributes read(int32_t item);
};

template <typename Traits>
class VELT_EXPORT NumericArrayCopy
{
public:
    using T = typename Traits::Value;

    NumericArrayCopy() = default;
    ~NumericArrayCopy();
    NumericArrayCopy(const NumericArrayCopy&) = delete;
    NumericArrayCopy& operator=(const NumericArrayCopy&) = delete;

    // Takes a deep copy of item (releasing one held before) and reads its shape; a copy
    // without elements is given one element at index 0. Returns whether the item had
    // elements; false also when the item is not an array of this family (no copy then).
    bool begin(int32_t item);
    // Releases the copy; nothing happens without one.
    void release();

    bool active() const { return m_handle != 0; }
    int32_t handle() const { return m_handle; }
    const ArrayShape& shape() const { return m_shape; }
    // The item's maximum element count, read at begin as a 16-bit unsigned number.
    int32_t maximumCount() const { return m_maximumCount; }

    T at(const ArrayCell& cell) const;
    bool set(const ArrayCell& cell, T value);
    // Redimensions the copy; false (the copy unchanged) when the core refuses the shape.
    bool redimension(const ArrayShape& shape);

    // OK, in order: the item gets the copy's shape and every value (planes outermost, then
    // columns, then rows), the units, the restriction (crossed bounds closed to low; stored
    // only when it bounds a side, and then every element is clamped into it, else removed),
    // the core's errors are shown, then writeLocks(item) runs, then the option is stored and
    // the copy released.
    void accept(int32_t item, NumericArrayAttributes<Traits> attributes,
                const std::function<void(int32_t item)>& writeLocks);

    // Visits every cell of a shape in the order OK copies in.
    static void forEachCell(const ArrayShape& shape, const std::function<void(ArrayCell)>& visit);

private:
    void readShape();

    int32_t m_handle = 0;
    ArrayShape m_shape;
    int32_t m_maximumCount = 0;
};

extern template class NumericArrayCopy<Int32ArrayTraits>;
extern template class NumericArrayCopy<Real64ArrayTraits>;
extern template struct NumericArrayAttributes<Int32ArrayTraits>;
extern template struct NumericArrayAttributes<Real64ArrayTraits>;

} // namespace Velt
