#include "numericarraybuffer_p.h"

#include "arrayrules_p.h"

namespace Velt {

template <typename Traits>
QString NumericArrayBuffer<Traits>::cellText(const ArrayCell& cell) const
{
    return m_copy.active() ? Traits::format(m_copy.at(cell), m_rendering) : QString();
}

template <typename Traits>
QString NumericArrayBuffer<Traits>::checkCellText(const ArrayCell&, const QString& text) const
{
    return NumericArrayRules<Traits>::parse(NumberTexts::ValueCaption, text, m_rendering).error;
}

template <typename Traits>
QString NumericArrayBuffer<Traits>::setCellText(const ArrayCell& cell, const QString& text)
{
    const Parsed<T> parsed =
        NumericArrayRules<Traits>::parse(NumberTexts::ValueCaption, text, m_rendering);
    if (parsed.ok())
        m_copy.set(cell, parsed.value);
    return parsed.error;
}

template <typename Traits>
void NumericArrayBuffer<Traits>::clearCell(const ArrayCell& cell)
{
    const Bounds<T> bounds = m_restriction
        ? m_restriction()
        : Bounds<T>{Traits::Scalar::UnboundedLow, Traits::Scalar::UnboundedHigh};
    m_copy.set(cell, NumericArrayRules<Traits>::cleared(bounds));
}

template <typename Traits>
QString NumericArrayBuffer<Traits>::redimension(const ArrayShape& shape)
{
    if (m_copy.redimension(shape))
        return QString();
    // The frame checks the total before; a refusal beyond it is the same limit.
    const QString total = ArrayRules::totalError(shape, m_copy.maximumCount(), Traits::texts());
    return total.isEmpty() ? ArrayRules::totalError(shape, 0, Traits::texts()) : total;
}

template class NumericArrayBuffer<Int32ArrayTraits>;
template class NumericArrayBuffer<Real64ArrayTraits>;

} // namespace Velt
