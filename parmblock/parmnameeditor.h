// ParmNameEditor: the in-place editor of a parameter's name, laid over the Name cell of the
// parameter grid. It checks the name on every keystroke (ParmNameRules), shows a broken rule
// in the hover window beside the text ("NameHoverErrorForm") and reports each valid name with
// Change(Name). It never writes the name into the core: its host does that when it accepts the
// edit (Enter), and throws the edit away on Escape; both keys reach the host through KeyDown
// and go no further.
//
// Editing state: 1 while loading, 2 ready and unchanged, 3 changed since the last report.
// Before Handle or BlockHandle takes a new value a pending change is reported: in state 3 the
// state becomes 2 and Change(ParameterName) is raised.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QWidget>

#include <memory>

class QLineEdit;
namespace Velt {
class KeyArguments;
}

class VELT_EXPORT ParmNameEditor : public QWidget
{
    Q_OBJECT
    Q_MOC_INCLUDE("keyarguments.h")
    Q_PROPERTY(int Handle READ Handle WRITE setHandle)
    Q_PROPERTY(int BlockHandle READ BlockHandle WRITE setBlockHandle)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int Age READ Age WRITE setAge)
    Q_PROPERTY(bool HoverError READ HoverError WRITE setHoverError)
    Q_PROPERTY(QString ParameterName READ ParameterName)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage)

public:
    enum class EditState { Loading = 1, Ready = 2, Changed = 3 };

    explicit ParmNameEditor(QWidget* parent = nullptr);
    ~ParmNameEditor() override;

    // The parameter whose name is edited; setting it loads the name ("<empty>" for 0).
    int Handle() const;
    void setHandle(int handle);
    // The block whose other parameters the name must not repeat; 0 checks no uniqueness.
    int BlockHandle() const;
    void setBlockHandle(int handle);
    bool ReadOnly() const;
    void setReadOnly(bool readOnly);
    QString Text() const;
    void setText(const QString& text); // trims leading and trailing blanks first
    int Age() const;
    void setAge(int age);
    bool HoverError() const;
    void setHoverError(bool hoverError);
    // The last valid name, trimmed.
    QString ParameterName() const;
    // The broken rule's message, "" while the name is valid.
    QString ErrorMessage() const;

    Q_INVOKABLE void SelectAll();
    Q_INVOKABLE void CancelHoverError(bool FocusToEditor);
    Q_INVOKABLE void NameText_KeyPress(int KeyAscii);

    EditState editState() const;
    QLineEdit* textBox() const;

Q_SIGNALS:
    // Published events, in this order.
    void KeyDown(int* KeyCode, int* Shift);
    void Change(const QString& Name);
    void DisplayError(const QString& ErrorMessage);
    // The late-bound form of KeyDown, raised right after the form above.
    void KeyDown(Velt::KeyArguments* Arguments);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
