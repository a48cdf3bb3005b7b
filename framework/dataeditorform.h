// DataEditorForm: the modal dialog that edits one parameter (or symbol) with the type editor of
// its class. SetUpEditor finds the type editor through the DataEditorRegistry, adds it to the
// form, starts the edit with the form as site and sizes the form; the caller then shows the form
// modally (exec()) and calls CleanupEditor, which tells whether the edit was accepted.
//
// The form is the edit's XCDialogDataEditorSite: AcceptEdit and CancelEdit hide it, which ends
// the modal show. Closing the window (or Escape) is refused and becomes a cancel of the edit.
// The type editors it adds stay on the form for the next use; it owns them.
#pragma once

#include "velt_export.h"
#include "xcdialogdataeditorsite.h"

#include <QDialog>

#include <memory>

class VELT_EXPORT DataEditorForm : public QDialog, public XCDialogDataEditorSite
{
    Q_OBJECT
    Q_INTERFACES(XCDialogDataEditorSite)
    Q_PROPERTY(int hWnd READ hWnd)

public:
    explicit DataEditorForm(QWidget* parent = nullptr);
    ~DataEditorForm() override;

    // The form shared by the library's dialogs, created on first use.
    static DataEditorForm* instance();

    // Prepares the edit; does nothing when the parameter has no value and is no reference, or
    // when its class has no type editor (CleanupEditor then reports not accepted and gives
    // back 0 for both handles).
    void SetUpEditor(int32_t ParameterHandle, int32_t DefaultParameterHandle,
                     int32_t LocalsParmBlockHandle, bool DesignTime, bool OutputDefinition,
                     bool ReadOnly, bool SymbolMode);
    // After the modal show: true when the edit was accepted; gives back the two handles.
    bool CleanupEditor(int32_t& ParameterHandle, int32_t& DefaultParameterHandle);
    // Cancels the edit in progress.
    void CancelEditor();

    // XCDialogDataEditorSite.
    Q_INVOKABLE void AcceptEdit() override;
    Q_INVOKABLE void CancelEdit() override;
    int32_t hWnd() override;

    // The type editor control of the current set-up, and its DataEditor (null when none).
    QWidget* typeEditor() const;
    QObject* dataEditor() const;

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void cancelOrHide();
    struct Private;
    std::unique_ptr<Private> const d;
};
