// StringArrayEditor: the type editor of one-dimensional string arrays ("CQuenStringArray",
// data type "String Array"), on the array frame (ArrayEditorBase): the "Values" tab with the
// grid StringArrayList (overlay box StringArrayEditText), the "Dimensions" tab with one pair of
// bounds, and the "Attributes" tab with the view ("Characters", "Octal", "Hexadecimal").
//
// The edit buffer is the grid: the item is read at BeginEdit (an item without elements through
// a deep copy of it, which the editor owns until the edit ends) and written only at AcceptEdit.
// Structured face: the field table of StringArrayFields, for arrays of 1 to 50 elements.
#pragma once

#include "arrayeditorbase.h"

class StringArrayEditorPrivate;

class VELT_EXPORT StringArrayEditor : public Velt::ArrayEditorBase
{
    Q_OBJECT

public:
    explicit StringArrayEditor(QWidget* parent = nullptr);
    ~StringArrayEditor() override;

    // The view the grid shows the values in.
    QString view() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;
    void cancelEdit() override;

private:
    Q_DECLARE_PRIVATE_D(d_te, StringArrayEditor)
};
