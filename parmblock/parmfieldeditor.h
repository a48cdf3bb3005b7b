// ParmFieldEditor: edits one field of one parameter's value in place, laid over a cell of the
// parameter grid. The field comes from the field list the parameter's type editor publishes
// (XCStructEditFields); setting FieldIndex binds it and picks the input element (FieldInput):
// "ParmText", "ParmEnumerationCombo", "ParmEnumerationReadOnlyCombo" or the compact
// "SymbolSelector". A field with a dialog editor also gets the button "ParmEditorCommand" (in
// its frame "ParmButtonOutline"), which opens the type's dialog editor on the parameter.
//
// Every change of the input is written to the field at once; the field's editor validates it
// and its error is shown in the shared hover window "FieldHoverErrorForm" beside the input.
// An error never blocks typing. The host (the grid editor) handles navigation, accept and
// cancel keys through KeyDown.
//
// Ownership: the control owns its field list; it holds one reference on LocalsHandle while
// set, and releases the list's binding on Clear and on destruction.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QVariant>
#include <QWidget>

#include <memory>

class XCStructEditField;
class XCStructEditFields;
namespace Velt {
class KeyArguments;
}

class VELT_EXPORT ParmFieldEditor : public QWidget
{
    Q_OBJECT
    Q_MOC_INCLUDE("keyarguments.h")
    Q_MOC_INCLUDE("xcstructeditfield.h")
    Q_MOC_INCLUDE("xcstructeditfields.h")
    Q_PROPERTY(int Handle READ Handle WRITE setHandle)
    Q_PROPERTY(int DefaultHandle READ DefaultHandle WRITE setDefaultHandle)
    Q_PROPERTY(int LocalsHandle READ LocalsHandle WRITE setLocalsHandle)
    Q_PROPERTY(bool DesignTime READ DesignTime WRITE setDesignTime)
    Q_PROPERTY(bool OutputDefinition READ OutputDefinition WRITE setOutputDefinition)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool BrowseOnly READ BrowseOnly WRITE setBrowseOnly)
    Q_PROPERTY(bool EditingSymbol READ EditingSymbol WRITE setEditingSymbol)
    Q_PROPERTY(int FieldIndex READ FieldIndex WRITE setFieldIndex)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(QString SelText READ SelText WRITE setSelText)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength)
    Q_PROPERTY(bool HoverError READ HoverError WRITE setHoverError)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage)
    Q_PROPERTY(QVariant Bitmap READ Bitmap)
    Q_PROPERTY(QString BitmapName READ BitmapName)
    Q_PROPERTY(QString Caption READ Caption)
    Q_PROPERTY(QString ParameterName READ ParameterName)
    Q_PROPERTY(QString Comment READ Comment)
    Q_PROPERTY(QString Description READ Description)

public:
    explicit ParmFieldEditor(QWidget* parent = nullptr);
    ~ParmFieldEditor() override;

    int Handle() const;
    void setHandle(int handle);
    int DefaultHandle() const;
    void setDefaultHandle(int handle);
    // The local symbol table offered by the symbol selector; setting it takes a reference on
    // the new block and releases the previous one.
    int LocalsHandle() const;
    void setLocalsHandle(int handle);
    bool DesignTime() const;
    void setDesignTime(bool on);
    bool OutputDefinition() const;
    void setOutputDefinition(bool on);
    bool ReadOnly() const;
    void setReadOnly(bool on);
    bool BrowseOnly() const;
    void setBrowseOnly(bool on);
    bool EditingSymbol() const;
    void setEditingSymbol(bool on);
    // Setting it binds the field list to Handle and builds the control for that field. An
    // index outside the list fails (the control then shows nothing to edit).
    int FieldIndex() const;
    void setFieldIndex(int index);
    QString Text() const;
    void setText(const QString& text);
    QString SelText() const;
    void setSelText(const QString& text);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    bool HoverError() const;
    void setHoverError(bool on);
    QString ErrorMessage() const;
    QVariant Bitmap() const;
    QString BitmapName() const;
    QString Caption() const;
    QString ParameterName() const;
    QString Comment() const;
    QString Description() const;

    // Unbinds the field list and hides the hover window.
    Q_INVOKABLE void Clear();
    // Presses the dialog button: beeps when the field has no dialog editor.
    Q_INVOKABLE void DialogEdit();
    Q_INVOKABLE void CancelHoverError(bool FocusToEditor);
    Q_INVOKABLE void ParmText_KeyPress(int KeyAscii);

    XCStructEditFields* fields() const;
    XCStructEditField* field() const;
    // The input element on show (null before a field is bound).
    QWidget* input() const;

Q_SIGNALS:
    // Published events, in this order.
    void KeyDown(int* KeyCode, int* Shift);
    void DialogEdit(int DataHandle);
    void DialogAcceptEdit(int DataHandle);
    void DialogCancelEdit();
    void FormatChanged(XCStructEditFields* Fields);
    void Change(XCStructEditField* Field);
    void ErrorStatusChange(XCStructEditField* Field);
    void DisplayError(const QString& ErrorMessage);
    // The late-bound form of KeyDown, raised right after the form above.
    void KeyDown(Velt::KeyArguments* Arguments);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
