// StringGridBuffer: the string array editor's buffer: the characters of each element in a
// plain list with the index of the first, shown in the current view ("Characters", "Octal" or
// "Hexadecimal"). The values are kept as characters and shown in the view when the grid asks,
// so a change of view touches no value. Redimensioning keeps every value with its index;
// elements that come in (again) are empty.
#pragma once

#include "arraybuffer_p.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace Velt {

class VELT_EXPORT StringGridBuffer : public ArrayBuffer
{
public:
    StringGridBuffer();

    // LoadArrayGrid: the bounds and values of a core string array (one at index 0 when it has
    // none), and StoreArrayGrid: the item redimensioned to the buffer and every value written.
    void load(int32_t item);
    void store(int32_t item) const;

    void setView(const QString& view) { m_view = view; }
    QString view() const { return m_view; }

    // The characters of the element at an index ("" outside the bounds).
    QString characters(int index) const;
    void setCharacters(int index, const QString& characters);

    ArrayShape shape() const override;
    QString cellText(const ArrayCell& cell) const override;
    QString checkCellText(const ArrayCell& cell, const QString& text) const override;
    QString setCellText(const ArrayCell& cell, const QString& text) override;
    void clearCell(const ArrayCell& cell) override;
    QString redimension(const ArrayShape& shape) override;
    QString valueHeader() const override;

private:
    std::vector<QString> m_values;
    int16_t m_first = 0;
    QString m_view;
};

} // namespace Velt
