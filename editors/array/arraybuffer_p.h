// ArrayBuffer: the values an array editor edits until OK, whatever holds them (the string
// member keeps them in a plain list, the numeric members in a deep copy of the item in the
// core). The grid model, the clipboard and the editor frame reach the values only through it,
// as texts shown in the member's current view, so they work the same for every member.
//
// Cells are named by their indices (row, column, plane), not by their places in the grid; a
// one-dimensional buffer ignores column and plane, a two-dimensional one the plane.
#pragma once

#include "arrayrules_p.h"
#include "velt_export.h"

#include <QString>

namespace Velt {

struct ArrayCell
{
    int row = 0;
    int column = 0;
    int plane = 0;
    bool operator==(const ArrayCell&) const = default;
};

class VELT_EXPORT ArrayBuffer
{
public:
    virtual ~ArrayBuffer();

    virtual ArrayShape shape() const = 0;
    int dimensions() const { return shape().dimensions; }
    int lower(int dimension) const { return shape().spans[size_t(dimension)].lower; }
    int upper(int dimension) const { return shape().spans[size_t(dimension)].upper; }

    // The value of a cell as the grid shows it.
    virtual QString cellText(const ArrayCell& cell) const = 0;
    // Why a text cannot be a cell's value, "" when it can (nothing is written).
    virtual QString checkCellText(const ArrayCell& cell, const QString& text) const = 0;
    // Writes a text that reads; returns the same error as checkCellText otherwise.
    virtual QString setCellText(const ArrayCell& cell, const QString& text) = 0;
    // The value Clear puts into a cell.
    virtual void clearCell(const ArrayCell& cell) = 0;
    // New bounds; a value stays with its indices, new cells get the member's empty value.
    // Returns "" or why the bounds could not be taken (the buffer is then unchanged).
    virtual QString redimension(const ArrayShape& shape) = 0;
    // The title of the value column of a one-dimensional grid.
    virtual QString valueHeader() const;
};

} // namespace Velt
