// Real64Editor: the type editor of 64-bit real items ("CQuenReal64"), with their units, display
// precision and restriction.
//
// Dialog face: a DataEditor host (child "DataEditor") whose edit area holds EntryText,
// UnitsText, PrecisionText with PrecisionUpDown, and the restriction group (RestrictionCheck,
// RestrictionLowText, RestrictionHighText). Structured face: the field table of Real64Fields.
// Runtime side: XCRuntimeDataEvaluation, whose four members have nothing to do for a plain
// real and succeed.
//
// The controls only wire the user's actions to Real64Rules and to the real item in the core.
#pragma once

#include "typeeditorbase.h"
#include "xcruntimedataevaluation.h"

class Real64EditorPrivate;

class VELT_EXPORT Real64Editor : public Velt::TypeEditorBase, public XCRuntimeDataEvaluation
{
    Q_OBJECT
    Q_INTERFACES(XCRuntimeDataEvaluation)

public:
    explicit Real64Editor(QWidget* parent = nullptr);
    ~Real64Editor() override;

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

private:
    Q_DECLARE_PRIVATE_D(d_te, Real64Editor)
};
