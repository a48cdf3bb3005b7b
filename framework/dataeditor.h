// DataEditor: the host control every type editor carries, named "DataEditor", as its frame.
// It owns what all data classes share: the title and parameter frames (description, output
// flag, the choice between a constant value and a reference to a symbol, the symbol selector),
// the status line, OK/Cancel/Help and the edit area (its XCDataEditorExtender child) in which
// the type editor shows its own controls. It runs one edit at a time and tells the type editor
// through its five events when to load, show, hide and write back the value.
//
// Hosts drive it through XCDialogDataEditing, handed out as a facet (dialogEditing()) because
// that interface's AcceptEdit()/CancelEdit() share names with the events. The edit rules live in
// DataEditSession and DataEditorRules; this widget shows them.
//
// A type editor either puts one panel into the edit area with setEditWidget() (the panel then
// follows the area), or lays its controls out itself in editAreaRect() (pixels, in this
// control's coordinates) whenever it lays itself out. EditArea/XCEditArea report the
// extender's rectangle within its parent, in twips.
#pragma once

#include "velt_export.h"
#include "xceditarea.h"

#include <QVariant>
#include <QVariantMap>
#include <QWidget>

#include <memory>

class XCDataEditorExtender;
class XCDialogDataEditing;

namespace Velt {
class DataEditSession;
}

class VELT_EXPORT DataEditor : public QWidget, public XCEditArea
{
    Q_OBJECT
    Q_INTERFACES(XCEditArea)
    Q_PROPERTY(QString ParameterName READ ParameterName WRITE setParameterName NOTIFY ParameterNameChanged)
    Q_PROPERTY(QString DataType READ DataType WRITE setDataType)
    Q_PROPERTY(QString DataClass READ DataClass WRITE setDataClass)
    Q_PROPERTY(QString Description READ Description WRITE setDescription NOTIFY DescriptionChanged)
    Q_PROPERTY(QVariant DataBitmap READ DataBitmap WRITE setDataBitmap)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage WRITE setErrorMessage NOTIFY ErrorMessageChanged)
    Q_PROPERTY(QString StatusMessage READ StatusMessage WRITE setStatusMessage NOTIFY StatusMessageChanged)
    Q_PROPERTY(bool DesignTime READ DesignTime)
    Q_PROPERTY(bool OutputDefinition READ OutputDefinition)
    Q_PROPERTY(bool ReadOnly READ ReadOnly)
    Q_PROPERTY(QObject* EditArea READ EditAreaObject)
    Q_PROPERTY(int ReserveHeight READ ReserveHeight WRITE setReserveHeight)
    Q_PROPERTY(int ReserveWidth READ ReserveWidth WRITE setReserveWidth)
    Q_PROPERTY(int DataHandle READ DataHandle)
    Q_PROPERTY(int LocalsHandle READ LocalsHandle)
    // XCEditArea, late-bound.
    Q_PROPERTY(int Top READ Top)
    Q_PROPERTY(int Left READ Left)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(int Width READ Width)
    // The XCDialogDataEditing facet, late-bound.
    Q_PROPERTY(QObject* XCDialogDataEditing READ dialogEditingObject CONSTANT)

public:
    explicit DataEditor(QWidget* parent = nullptr);
    ~DataEditor() override;

    QString ParameterName() const;
    void setParameterName(const QString& name);
    QString DataType() const;
    void setDataType(const QString& dataType);
    QString DataClass() const;
    void setDataClass(const QString& dataClass);
    QString Description() const;
    void setDescription(const QString& description);
    QVariant DataBitmap() const;
    void setDataBitmap(const QVariant& picture);
    // Each is written only when the text differs; an error hides the status text.
    QString ErrorMessage() const;
    void setErrorMessage(const QString& message);
    QString StatusMessage() const;
    void setStatusMessage(const QString& message);
    bool DesignTime() const;
    bool OutputDefinition() const;
    bool ReadOnly() const;
    QObject* EditAreaObject();
    XCEditArea* EditArea() { return this; }
    // Twips the type editor needs for its own controls (defaults 2395 and 4495).
    int ReserveHeight() const;
    void setReserveHeight(int twips);
    int ReserveWidth() const;
    void setReserveWidth(int twips);
    int DataHandle() const;
    int LocalsHandle() const;
    Q_INVOKABLE QObject* GetExtender() const;
    Q_INVOKABLE QString ConvertLpcstrToString(const QByteArray& lpszString) const;
    static QString ConvertLpcstrToString(const char* lpszString);

    // XCEditArea: the extender's rectangle in twips.
    int32_t Top() const override;
    int32_t Left() const override;
    int32_t Height() const override;
    int32_t Width() const override;

    // The host side of an edit.
    XCDialogDataEditing* dialogEditing() const;
    QObject* dialogEditingObject() const;
    XCDataEditorExtender* extender() const;

    // The type editor's panel in the edit area (see the class comment).
    void setEditWidget(QWidget* panel);
    QRect editAreaRect() const;

    // Persistence of ReserveHeight, ReserveWidth and the extender's properties (under
    // "XCDataEditorExtender"); missing keys take their defaults.
    Q_INVOKABLE QVariantMap saveProperties() const;
    Q_INVOKABLE void loadProperties(const QVariantMap& properties);

    // The edit state machine behind this control.
    Velt::DataEditSession& session() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // Published events, in this order. DataHandle is passed by value.
    void HideEdit(int DataHandle);
    void ShowEdit(int DataHandle);
    void AcceptEdit(int DataHandle);
    void CancelEdit();
    void BeginEdit(int DataHandle);

    // Change signals for viewers and scripts that watch these texts.
    void ParameterNameChanged(const QString& ParameterName);
    void DescriptionChanged(const QString& Description);
    void ErrorMessageChanged(const QString& ErrorMessage);
    void StatusMessageChanged(const QString& StatusMessage);

protected:
    void changeEvent(QEvent* event) override;

private:
    friend class DataEditorFacet;
    friend class DataEditorView;
    struct Private;
    std::unique_ptr<Private> const d;
};
