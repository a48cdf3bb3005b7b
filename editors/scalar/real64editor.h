// Real64Editor: the type editor of 64-bit real items ("CQuenReal64"), with their units, display
// precision and restriction.
//
// Dialog face: a DataEditor host (child "DataEditor") whose edit area holds EntryText,
// UnitsText, PrecisionText with PrecisionUpDown, and the restriction group (RestrictionCheck,
// RestrictionLowText, RestrictionHighText). Structured face: XCStructEditing. Runtime side:
// XCRuntimeDataEvaluation, whose four members have nothing to do for a plain real and succeed.
//
// The controls only wire the user's actions to Real64Rules and to the real item in the core;
// the structured face is Real64Fields.
#pragma once

#include "typeeditorbase.h"
#include "xcruntimedataevaluation.h"
#include "xcstructediting.h"

#include <memory>

class VELT_EXPORT Real64Editor : public Velt::TypeEditorBase,
                                 public XCStructEditing,
                                 public XCRuntimeDataEvaluation
{
    Q_OBJECT
    Q_INTERFACES(XCStructEditing XCRuntimeDataEvaluation)

public:
    explicit Real64Editor(QWidget* parent = nullptr);
    ~Real64Editor() override;

    // XCStructEditing.
    void DeclareFields(int32_t DataHandle, XCStructEditFields& Fields) override;
    void GetField(int32_t DataHandle, XCStructEditField& Field) override;
    void DeclareField(int32_t DataHandle, XCStructEditField& Field) override;
    void FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits,
                      bool& Refresh) override;

    // XCRuntimeDataEvaluation, published late-bound too: nothing to do, success.
    Q_INVOKABLE bool Bind(int32_t DataHandle, int32_t ParmBlockHandle) override;
    Q_INVOKABLE bool Evaluate(int32_t DataHandle, int32_t ParmBlockHandle) override;
    Q_INVOKABLE bool Scan(int32_t DataHandle, int32_t ParmBlockHandle) override;
    Q_INVOKABLE bool Unbind(int32_t DataHandle, int32_t ParmBlockHandle) override;

    // The editor's state: the value and precision of the dialog's last edit.
    double value() const;
    int precision() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;
    void cancelEdit() override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
