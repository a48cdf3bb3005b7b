// Real64ArrayEditor: the type editor of arrays of 64-bit reals ("CQuenReal64Array", data type
// "Real Array") with 1 to 3 dimensions, on the array frame (ArrayEditorBase): the "Values",
// "Dimensions" and "Attributes" tabs as the integer array editor has them (without a view), and
// the "View" tab with the chart of the plane shown (ArrayChartPanel), drawn by column or by row.
//
// The edit buffer is a deep copy of the item in the core, owned by the editor from BeginEdit
// to AcceptEdit or CancelEdit; the item is written only at AcceptEdit, the chart's orientation
// with it ("Graphical View As"). Structured face: the real table of NumericArrayFields.
#pragma once

#include "arrayeditorbase.h"

class Real64ArrayEditorPrivate;

namespace Velt {
class ArrayChartPanel;
}

class VELT_EXPORT Real64ArrayEditor : public Velt::ArrayEditorBase
{
    Q_OBJECT

public:
    explicit Real64ArrayEditor(QWidget* parent = nullptr);
    ~Real64ArrayEditor() override;

    // The chart of the "View" tab.
    Velt::ArrayChartPanel* chart() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;
    void cancelEdit() override;

private:
    Q_DECLARE_PRIVATE_D(d_te, Real64ArrayEditor)
};
