// Int32Editor: the type editor of 32-bit integer items ("CQuenInt32"), with their units, view
// (display base), restriction and choice list.
//
// Dialog face: a DataEditor host (child "DataEditor") whose edit area holds the value box
// EntryText, the group NormalFrame (the five ViewAs...Option buttons, RestrictionCheck,
// RestrictionLowText, RestrictionHighText), UnitsText, and for a choice list EnumerationCheck,
// EnumerationCombo, EnumerationBeginText/EnumerationEndText with their up-downs and the grid
// EnumerationList; the choice list and the restriction can be changed only at design time.
// Structured face: the field table of Int32Fields. No runtime side.
//
// The controls only wire the user's actions to Int32Rules and to the integer item in the core
// (read on BeginEdit, stored on AcceptEdit).
#pragma once

#include "typeeditorbase.h"

class Int32EditorPrivate;

class VELT_EXPORT Int32Editor : public Velt::TypeEditorBase
{
    Q_OBJECT

public:
    explicit Int32Editor(QWidget* parent = nullptr);
    ~Int32Editor() override;

    // The editor's state: the value and view of the dialog's last edit.
    int32_t value() const;
    QString view() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;

private:
    Q_DECLARE_PRIVATE_D(d_te, Int32Editor)
};
