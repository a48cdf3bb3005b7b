// Int32ArrayEditor: the type editor of arrays of 32-bit integers ("CQuenInt32Array", data type
// "Integer Array") with 1 to 3 dimensions, on the array frame (ArrayEditorBase): the "Values"
// tab with the grid Int32ArrayList of one plane, the "Dimensions" tab with DimensionsCombo and
// three rows of bounds, and the "Attributes" tab with the units, the restriction and the view
// (decimal, octal, hexadecimal and their VB forms) cells are shown and typed in.
//
// The edit buffer is a deep copy of the item in the core, owned by the editor from BeginEdit
// to AcceptEdit or CancelEdit; the item is written only at AcceptEdit. Structured face: the
// integer table of NumericArrayFields.
#pragma once

#include "arrayeditorbase.h"

class Int32ArrayEditorPrivate;

class VELT_EXPORT Int32ArrayEditor : public Velt::ArrayEditorBase
{
    Q_OBJECT

public:
    explicit Int32ArrayEditor(QWidget* parent = nullptr);
    ~Int32ArrayEditor() override;

    // The view cells are shown and typed in ("Decimal", "Octal", "Hexadecimal", "VB Octal",
    // "VB Hexadecimal").
    QString view() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;
    void cancelEdit() override;

private:
    Q_DECLARE_PRIVATE_D(d_te, Int32ArrayEditor)
};
