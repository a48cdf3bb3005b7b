// NumericArrayBuffer: the integer and real array editors' ArrayBuffer, over the deep copy of
// the item in the core (NumericArrayCopy). Cells are shown and read in the editor's rendering
// (the integer view); a committed text that reads is written at once, also outside the
// restriction, which OK applies. Clear writes 0 brought into the restriction the editor shows.
#pragma once

#include "arraybuffer_p.h"
#include "numericarraycopy_p.h"
#include "velt_export.h"

#include <functional>

namespace Velt {

template <typename Traits>
class VELT_EXPORT NumericArrayBuffer : public ArrayBuffer
{
public:
    using T = typename Traits::Value;
    using Rendering = typename Traits::Rendering;

    NumericArrayBuffer() = default;

    NumericArrayCopy<Traits>& copy() { return m_copy; }
    const NumericArrayCopy<Traits>& copy() const { return m_copy; }

    void setRendering(const Rendering& rendering) { m_rendering = rendering; }
    const Rendering& rendering() const { return m_rendering; }
    // The restriction cleared cells are brought into (the dialog's, while it is ticked).
    void setRestriction(std::function<Bounds<T>()> restriction)
    {
        m_restriction = std::move(restriction);
    }

    // A cell's value; 0 once the copy is gone (between edits nothing reaches the core).
    T value(const ArrayCell& cell) const { return m_copy.active() ? m_copy.at(cell) : T{}; }

    ArrayShape shape() const override { return m_copy.shape(); }
    QString cellText(const ArrayCell& cell) const override;
    QString checkCellText(const ArrayCell& cell, const QString& text) const override;
    QString setCellText(const ArrayCell& cell, const QString& text) override;
    void clearCell(const ArrayCell& cell) override;
    QString redimension(const ArrayShape& shape) override;

private:
    NumericArrayCopy<Traits> m_copy;
    Rendering m_rendering{};
    std::function<Bounds<T>()> m_restriction;
};

extern template class NumericArrayBuffer<Int32ArrayTraits>;
extern template class NumericArrayBuffer<Real64ArrayTraits>;

} // namespace Velt
