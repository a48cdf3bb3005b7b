// TypeEditorBase: what every type editor control shares. It carries the DataEditor host as its
// child "DataEditor" (filling the control), puts the editor's panel into the host's edit area,
// shows and hides that panel on ShowEdit/HideEdit, and hands BeginEdit, AcceptEdit and
// CancelEdit to the subclass. Its structured face (XCStructEditing) runs the field table the
// subclass sets. It publishes the type editor triple in its published order (GetDirect,
// GetRuntime, GetEditor): GetRuntime hands the control out when the subclass implements
// XCRuntimeDataEvaluation. It also gives late-bound callers the XCStructEditing members with
// the field or collection passed as an object.
//
// A subclass derives its private part from TypeEditorBasePrivate (typeeditorbase_p.h) and
// passes it to the protected constructor. Ownership: the control owns its host, and the
// host's extender owns the panel.
#pragma once

#include "velt_export.h"
#include "xcstructediting.h"

#include <QString>
#include <QVariantMap>
#include <QWidget>

#include <cstdint>
#include <memory>

class DataEditor;

namespace Velt {

class FieldTable;
class TypeEditorBasePrivate;

class VELT_EXPORT TypeEditorBase : public QWidget, public XCStructEditing
{
    Q_OBJECT
    Q_INTERFACES(XCStructEditing)

public:
    ~TypeEditorBase() override;

    // The type editor triple.
    Q_INVOKABLE QObject* GetDirect();
    Q_INVOKABLE QObject* GetRuntime();
    Q_INVOKABLE QObject* GetEditor();

    // XCStructEditing through the field table, and its late-bound twins.
    VELT_XCSTRUCTEDITING_MEMBERS

    DataEditor* host() const;
    // The panel of controls in the edit area (null until setPanel).
    QWidget* panel() const;

protected:
    // dataClass and dataType are the host's DataClass and DataType; the registry lists the
    // editor under them. pictureKey names the built-in picture the host carries as DataBitmap.
    TypeEditorBase(TypeEditorBasePrivate& dd, const QString& dataClass, const QString& dataType,
                   const QString& pictureKey, QWidget* parent);

    // Puts the panel into the edit area (hidden until ShowEdit) and reserves room for it.
    void setPanel(QWidget* panel);
    // The rows of the structured face.
    void setFieldTable(FieldTable table);

    // The edit events that differ between type editors. An editor that writes only on accept
    // has nothing to drop on cancel.
    virtual void beginEdit(int32_t item) = 0;
    virtual void acceptEdit(int32_t item) = 0;
    virtual void cancelEdit() { }

    std::unique_ptr<TypeEditorBasePrivate> const d_te;

private:
    Q_DECLARE_PRIVATE_D(d_te, TypeEditorBase)
};

} // namespace Velt
