// Int32Editor: the type editor of 32-bit integer items ("CQuenInt32"), with their units, view
// (display base), restriction and choice list.
//
// Dialog face: a DataEditor host (child "DataEditor") whose edit area holds the value box
// EntryText, the group NormalFrame (the five ViewAs...Option buttons, RestrictionCheck,
// RestrictionLowText, RestrictionHighText), UnitsText, and for a choice list EnumerationCheck,
// EnumerationCombo, EnumerationBeginText/EnumerationEndText with their up-downs and the grid
// EnumerationList. Structured face: XCStructEditing. No runtime side.
//
// The controls only wire the user's actions to Int32Rules (texts and checks) and to the
// integer item in the core (reading on BeginEdit, storing on AcceptEdit); the structured face
// is Int32Fields.
#pragma once

#include "typeeditorbase.h"
#include "xcstructediting.h"

#include <memory>

class VELT_EXPORT Int32Editor : public Velt::TypeEditorBase, public XCStructEditing
{
    Q_OBJECT
    Q_INTERFACES(XCStructEditing)

public:
    explicit Int32Editor(QWidget* parent = nullptr);
    ~Int32Editor() override;

    // XCStructEditing.
    void DeclareFields(int32_t DataHandle, XCStructEditFields& Fields) override;
    void GetField(int32_t DataHandle, XCStructEditField& Field) override;
    void DeclareField(int32_t DataHandle, XCStructEditField& Field) override;
    void FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits,
                      bool& Refresh) override;

    // The editor's state: the value, view and bounds of the dialog's last edit.
    int32_t value() const;
    QString view() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;
    void cancelEdit() override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
