// StringEditor: the type editor of string items ("CQuenString"): the value, its view
// (characters, octal or hexadecimal codes) and an optional format pattern that builds the
// string from other parameters or reads them back from it while a test runs.
//
// Dialog face: a DataEditor host (child "DataEditor") whose edit area holds the tabs
// "tabString": the value page (the value group with txtValue, cmbViewAs) and the format page
// (lblFormatOp, cmbFormatOp, lblFormat, txtFormat, chkLock and the insertion aid frmTypeAid
// with optSpChar, cmbInsertType, OptSymbol, SymSelect and btnInsert). Structured face: the
// field table of StringFields. Runtime side: XCRuntimeDataEvaluation over the core's pattern
// evaluation and scanning.
//
// The controls only wire the user's actions to StringRules and to the item in the core.
#pragma once

#include "typeeditorbase.h"
#include "xcruntimedataevaluation.h"

class StringEditorPrivate;

class VELT_EXPORT StringEditor : public Velt::TypeEditorBase, public XCRuntimeDataEvaluation
{
    Q_OBJECT
    Q_INTERFACES(XCRuntimeDataEvaluation)

public:
    // The dialog's edit states (CtlStateEnum) and the kinds of pattern tokens (TokenType).
    enum CtlStateEnum { ValueEditState = 0, PatternEditState = 1, FormatLockState = 2 };
    Q_ENUM(CtlStateEnum)
    enum TokenType { TextToken = 0, SymbolToken = 1, EndofLineToken = 2, ErrorToken = 3 };
    Q_ENUM(TokenType)

    explicit StringEditor(QWidget* parent = nullptr);
    ~StringEditor() override;

    // XCRuntimeDataEvaluation, published late-bound too. Bind checks the pattern against the
    // block and raises "Format Pattern Missing" or the validation message as a user error.
    Q_INVOKABLE bool Bind(int32_t DataHandle, int32_t ParmBlockHandle) override;
    Q_INVOKABLE bool Evaluate(int32_t DataHandle, int32_t ParmBlockHandle) override;
    Q_INVOKABLE bool Scan(int32_t DataHandle, int32_t ParmBlockHandle) override;
    Q_INVOKABLE bool Unbind(int32_t DataHandle, int32_t ParmBlockHandle) override;

    // The state of the dialog's edit: the value and the pattern in characters, the view, the
    // operation and the edit state.
    QString value() const;
    QString pattern() const;
    QString view() const;
    QString operation() const;
    CtlStateEnum state() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;

private:
    Q_DECLARE_PRIVATE_D(d_te, StringEditor)
};
