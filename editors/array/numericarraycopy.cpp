#include "numericarraycopy_p.h"

#include "itemproperties_p.h"
#include "restrictionrules.h"

#include "quen/quencore.h"

#include <QByteArray>

#include <algorithm>

namespace Velt {

ArrayShape arrayShapeOf(int32_t array)
{
    ArrayShape shape;
    shape.dimensions = std::clamp(int(QuenArrayGetNumDimensions(array)), 1, 3);
    for (int d = 0; d < shape.dimensions; ++d) {
        shape.lower[std::size_t(d)] = int16_t(QuenArrayGetLowerBound(array, d));
        shape.upper[std::size_t(d)] = int16_t(QuenArrayGetUpperBound(array, d));
    }
    return shape;
}

bool redimensionArray(int32_t array, const ArrayShape& s)
{
    switch (s.dimensions) {
    case 1:
        return QuenArrayRedim(array, s.lower[0], s.upper[0]) != QUEN_FALSE;
    case 2:
        return QuenArrayRedim2(array, s.lower[0], s.upper[0], s.lower[1], s.upper[1]) != QUEN_FALSE;
    default:
        return QuenArrayRedim3(array, s.lower[0], s.upper[0], s.lower[1], s.upper[1], s.lower[2],
                               s.upper[2])
            != QUEN_FALSE;
    }
}

template <typename Traits>
NumericArrayAttributes<Traits> NumericArrayAttributes<Traits>::read(int32_t item)
{
    namespace P = ItemProperties;
    return {P::stringProperty(item, P::Units),
            P::restriction<typename Traits::Value>(item), Traits::readOption(item)};
}

template <typename Traits>
NumericArrayCopy<Traits>::~NumericArrayCopy()
{
    release();
}

template <typename Traits>
bool NumericArrayCopy<Traits>::begin(int32_t item)
{
    release();
    if (QByteArray(QuenDataGetType(item)) != Traits::DataClass)
        return false;
    m_handle = QuenDataExDeepCopy(item);
    if (!m_handle)
        return false;
    // Counts are 16-bit unsigned numbers.
    m_maximumCount = QuenArrayGetMaxSize(item) & 0xFFFF;
    const bool hadElements = (QuenArrayGetSize(m_handle) & 0xFFFF) != 0;
    if (!hadElements) {
        QuenArrayRedim(m_handle, 0, 0);
        QuenExcRegClearError(0);
    }
    readShape();
    return hadElements;
}

template <typename Traits>
void NumericArrayCopy<Traits>::release()
{
    if (m_handle)
        QuenDataRelease(m_handle);
    m_handle = 0;
    m_shape = ArrayShape();
}

template <typename Traits>
typename NumericArrayCopy<Traits>::T NumericArrayCopy<Traits>::at(const ArrayIndex& index) const
{
    return ArrayElements<Traits>::get(m_handle, m_shape.dimensions, index);
}

template <typename Traits>
bool NumericArrayCopy<Traits>::set(const ArrayIndex& index, T value)
{
    return ArrayElements<Traits>::set(m_handle, m_shape.dimensions, index, value);
}

template <typename Traits>
bool NumericArrayCopy<Traits>::redimension(const ArrayShape& shape)
{
    const bool done = redimensionArray(m_handle, shape);
    QuenExcRegClearError(0);
    readShape();
    return done;
}

template <typename Traits>
void NumericArrayCopy<Traits>::forEachCell(const ArrayShape& s,
                                           const std::function<void(ArrayIndex)>& visit)
{
    const auto first = [&s](int d) { return d < s.dimensions ? s.lower[std::size_t(d)] : 0; };
    const auto last = [&s](int d) { return d < s.dimensions ? s.upper[std::size_t(d)] : 0; };
    for (int32_t plane = first(2); plane <= last(2); ++plane) {
        for (int32_t column = first(1); column <= last(1); ++column) {
            for (int32_t row = first(0); row <= last(0); ++row)
                visit({row, column, plane});
        }
    }
}

template <typename Traits>
void NumericArrayCopy<Traits>::accept(int32_t item, NumericArrayAttributes<Traits> attributes,
                                      const std::function<void(int32_t)>& writeLocks)
{
    namespace P = ItemProperties;
    using Elements = ArrayElements<Traits>;
    const int dimensions = m_shape.dimensions;
    redimensionArray(item, m_shape);
    forEachCell(m_shape, [&](ArrayIndex at) { Elements::set(item, dimensions, at, this->at(at)); });
    P::setStringProperty(item, P::Units, attributes.units);

    std::optional<Bounds<T>>& restriction = attributes.restriction;
    if (restriction)
        restriction->high = std::max(restriction->high, restriction->low);
    if (RestrictionRules<typename Traits::Scalar>::restricts(restriction)) {
        P::setRestriction<T>(item, *restriction);
        forEachCell(m_shape, [&](ArrayIndex at) {
            const T value = Elements::get(item, dimensions, at);
            const T clamped = std::clamp(value, restriction->low, restriction->high);
            if (clamped != value)
                Elements::set(item, dimensions, at, clamped);
        });
    } else {
        P::removeProperty(item, P::Restriction);
    }
    if (QuenExcRegIsError(0))
        QuenExcRegDisplayErrors();
    if (writeLocks)
        writeLocks(item);
    Traits::storeOption(item, attributes.option);
    release();
}

template <typename Traits>
void NumericArrayCopy<Traits>::readShape()
{
    m_shape = m_handle ? arrayShapeOf(m_handle) : ArrayShape();
}

template struct NumericArrayAttributes<Int32ArrayTraits>;
template struct NumericArrayAttributes<Real64ArrayTraits>;
template class NumericArrayCopy<Int32ArrayTraits>;
template class NumericArrayCopy<Real64ArrayTraits>;

} // namespace Velt
