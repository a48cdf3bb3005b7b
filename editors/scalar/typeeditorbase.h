// TypeEditorBase: what every type editor control shares. It carries the DataEditor host as its
// child "DataEditor" (filling the control), puts the editor's panel into the host's edit area,
// shows and hides that panel on ShowEdit/HideEdit, and hands BeginEdit, AcceptEdit and
// CancelEdit to the subclass. It publishes the type editor triple in its published order
// (GetDirect, GetRuntime, GetEditor): a subclass that implements XCStructEditing or
// XCRuntimeDataEvaluation is handed out as that side, so subclasses declare nothing for it.
// It also gives late-bound callers the XCStructEditing members with the field or collection
// passed as an object.
//
// Ownership: the control owns its host, and the host's extender owns the panel.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QVariantMap>
#include <QWidget>

#include <cstdint>
#include <memory>

class DataEditor;

namespace Velt {

class VELT_EXPORT TypeEditorBase : public QWidget
{
    Q_OBJECT

public:
    ~TypeEditorBase() override;

    // The type editor triple.
    Q_INVOKABLE QObject* GetDirect();
    Q_INVOKABLE QObject* GetRuntime();
    Q_INVOKABLE QObject* GetEditor();

    // XCStructEditing, late-bound; FieldChanged returns {"Refresh": bool, "result": null}.
    Q_INVOKABLE void DeclareFields(int DataHandle, QObject* Fields);
    Q_INVOKABLE void GetField(int DataHandle, QObject* Field);
    Q_INVOKABLE void DeclareField(int DataHandle, QObject* Field);
    Q_INVOKABLE QVariantMap FieldChanged(int DataHandle, QObject* Field, bool PostEdits,
                                         bool Refresh);

    DataEditor* host() const;
    // The panel of controls in the edit area (null until setPanel).
    QWidget* panel() const;

protected:
    // dataClass and dataType are the host's DataClass and DataType; the registry lists the
    // editor under them. pictureKey names the built-in picture the host carries as DataBitmap.
    TypeEditorBase(const QString& dataClass, const QString& dataType, const QString& pictureKey,
                   QWidget* parent);

    // Puts the panel into the edit area (hidden until ShowEdit) and reserves room for it.
    void setPanel(QWidget* panel);

    // The three edit events that differ between type editors.
    virtual void beginEdit(int32_t item) = 0;
    virtual void acceptEdit(int32_t item) = 0;
    virtual void cancelEdit() = 0;

    // The host's messages: the error, and the status when there is no error.
    void showMessages(const QString& error, const QString& status);
    void showError(const QString& error);
    bool designTime() const;
    // The item of the edit in progress, 0 when none.
    int32_t editedItem() const;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Velt
