#include "numericarraycopy_p.h"

#include "arrayitem_p.h"
#include "itemproperties_p.h"
#include "restrictionrules.h"

#include "quen/quencore.h"

#include <QByteArray>

#include <algorithm>

namespace Velt {

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
    m_maximumCount = ArrayItem::maxCount(item);
    const bool hadElements = ArrayItem::elementCount(m_handle) != 0;
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
typename NumericArrayCopy<Traits>::T NumericArrayCopy<Traits>::at(const ArrayCell& cell) const
{
    return ArrayElements<Traits>::get(m_handle, m_shape.dimensions, cell);
}

template <typename Traits>
bool NumericArrayCopy<Traits>::set(const ArrayCell& cell, T value)
{
    return ArrayElements<Traits>::set(m_handle, m_shape.dimensions, cell, value);
}

template <typename Traits>
bool NumericArrayCopy<Traits>::redimension(const ArrayShape& shape)
{
    const bool done = ArrayItem::redimension(m_handle, shape);
    QuenExcRegClearError(0);
    readShape();
    return done;
}

template <typename Traits>
void NumericArrayCopy<Traits>::forEachCell(const ArrayShape& s,
                                           const std::function<void(ArrayCell)>& visit)
{
    const auto span = [&s](int d) {
        return d < s.dimensions ? s.spans[std::size_t(d)] : ArraySpan{};
    };
    for (int plane = span(2).lower; plane <= span(2).upper; ++plane) {
        for (int column = span(1).lower; column <= span(1).upper; ++column) {
            for (int row = span(0).lower; row <= span(0).upper; ++row)
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
    ArrayItem::redimension(item, m_shape);
    forEachCell(m_shape, [&](ArrayCell at) { Elements::set(item, dimensions, at, this->at(at)); });
    P::setStringProperty(item, P::Units, attributes.units);

    std::optional<Bounds<T>>& restriction = attributes.restriction;
    if (restriction)
        restriction->high = std::max(restriction->high, restriction->low);
    if (RestrictionRules<typename Traits::Scalar>::restricts(restriction)) {
        P::setRestriction<T>(item, *restriction);
        forEachCell(m_shape, [&](ArrayCell at) {
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
    m_shape = m_handle ? ArrayItem::shape(m_handle) : ArrayShape();
}

template struct NumericArrayAttributes<Int32ArrayTraits>;
template struct NumericArrayAttributes<Real64ArrayTraits>;
template class NumericArrayCopy<Int32ArrayTraits>;
template class NumericArrayCopy<Real64ArrayTraits>;

} // namespace Velt
