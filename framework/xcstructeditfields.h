// XCStructEditFields: the structured fields of one parameter or data item. A viewer (the
// parameter block editor, the limits editor, the in-place field editor) binds it with
// AttachParameter or AttachData and then reads Count, Item(i) and each field; the collection
// finds the class's type editor in the data editor registry and turns those reads and
// assignments into the type editor's XCStructEditing calls. A symbol reference is served by
// the collection itself (the reference view: "Table", "Symbol" and "Value" lines).
//
// Ownership: the viewer owns the collection (a QObject); the collection owns its fields, which
// are pooled: the slot array grows by doubling and its field objects survive Detach, so
// rebinding creates no field objects once the largest hierarchy has been seen. It holds a
// reference on the locals parameter block while bound. Unbound -> Declaring -> Ready; every
// binding starts with Detach, and destruction detaches.
#pragma once

#include "velt_export.h"
#include "xcstructediting.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

class XCStructEditField;

class VELT_EXPORT XCStructEditFields : public QObject, public XCStructEditing
{
    Q_OBJECT
    Q_INTERFACES(XCStructEditing)
    Q_MOC_INCLUDE("xcstructeditfield.h")
    Q_CLASSINFO("DefaultMember", "Item")
    Q_CLASSINFO("Help.DeclareFields", "This procedure is called to define the the labels in the  hierarchical view.  Add all of the labels required  to create the proper view.")
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(QString Description READ Description)
    Q_PROPERTY(QString Comment READ Comment)
    Q_PROPERTY(int ParameterHandle READ ParameterHandle)
    Q_PROPERTY(int Handle READ Handle)
    Q_PROPERTY(int Age READ Age WRITE setAge NOTIFY AgeChanged)
    Q_PROPERTY(QString DataType READ DataType)
    Q_PROPERTY(QString DataClass READ DataClass)
    Q_PROPERTY(QString Caption READ Caption)
    Q_PROPERTY(QVariant Bitmap READ Bitmap)
    Q_PROPERTY(int BitmapIndex READ BitmapIndex)
    Q_PROPERTY(bool DesignTime READ DesignTime)
    Q_PROPERTY(bool ReadOnly READ ReadOnly)
    Q_PROPERTY(bool BrowseOnly READ BrowseOnly)
    Q_PROPERTY(QObject* DialogEditor READ DialogEditor)
    Q_PROPERTY(QObject* DirectEditor READ DirectEditorObject)
    Q_PROPERTY(bool HasEditor READ HasEditor)
    Q_PROPERTY(bool IsDefaulted READ IsDefaulted)
    Q_PROPERTY(bool IsOutput READ IsOutput)
    Q_PROPERTY(bool IsReference READ IsReference)
    Q_PROPERTY(QVariant Tag READ Tag WRITE setTag)
    Q_PROPERTY(int LocalsHandle READ LocalsHandle)

public:
    enum class State { Unbound, Declaring, Ready };
    Q_ENUM(State)

    explicit XCStructEditFields(QObject* parent = nullptr);
    ~XCStructEditFields() override;

    // Published members, in their published order.
    // Appends a field at index Count (called by the type editor inside DeclareFields). Fails
    // (Velt::reportCallFailed), giving null, when the collection already has 32768 fields.
    Q_INVOKABLE XCStructEditField* Add(const QString& Caption, int Indentation = 1,
                                       const QString& BitmapName = QString(),
                                       const QVariant& Bitmap = QVariant());
    // The field at a 0-based index; null when Unbound or the index is outside 0 to Count - 1.
    Q_INVOKABLE XCStructEditField* Item(int Index) const;
    int Count() const;
    QString Description() const;
    QString Comment() const;
    int ParameterHandle() const;
    int Handle() const;
    int Age() const;
    void setAge(int Age);
    QString DataType() const;
    QString DataClass() const;
    QString Caption() const;
    QVariant Bitmap() const; // field 0's
    int BitmapIndex() const; // field 0's
    bool DesignTime() const;
    bool ReadOnly() const;
    bool BrowseOnly() const;
    QObject* DialogEditor() const;
    // Null unless Ready; then this collection for a reference, else the type editor.
    XCStructEditing* DirectEditor() const;
    QObject* DirectEditorObject() const;
    bool HasEditor() const;
    bool IsDefaulted() const;
    bool IsOutput() const;
    bool IsReference() const;
    // Let copies a value; a QVariant holding a QObject* stores a reference to that object
    // (the "set" form), which reads back as null once the object is gone.
    QVariant Tag() const;
    void setTag(const QVariant& Tag);
    Q_INVOKABLE void setTagObject(QObject* Tag);
    int LocalsHandle() const;
    QString ConvertLpcstrToString(const char* lpszString) const;
    Q_INVOKABLE QString ConvertLpcstrToString(const QByteArray& lpszString) const;

    // XCStructEditing and its late-bound twins: the reference view, used while the bound
    // parameter is a reference.
    VELT_XCSTRUCTEDITING_MEMBERS

    // Library-internal members (invokable so that scripts can drive a collection).
    Q_INVOKABLE void AttachParameter(int ParameterHandle, int DefaultParameterHandle = 0,
                                     int LocalsParmBlockHandle = 0, bool DesignTime = true,
                                     bool ReadOnly = false, bool BrowseOnly = false);
    Q_INVOKABLE void AttachData(int DataHandle, int DefaultDataHandle = 0, bool DesignTime = true,
                                bool ReadOnly = false, bool BrowseOnly = false,
                                const QString& Caption = QString());
    Q_INVOKABLE void Detach();
    // Follows a chain of references from table TableName, symbol SymbolName (at most 50 hops)
    // to a parameter that holds a value; 0 with the reason in Message when there is none.
    int ResolveReference(const QString& TableName, const QString& SymbolName,
                         QString& Message) const;
    // Late-bound form: {"Message": text, "result": handle}.
    Q_INVOKABLE QVariantMap ResolveReference(const QString& TableName,
                                             const QString& SymbolName) const;
    // The table's handle when the registry has a table of that name, else 0.
    Q_INVOKABLE int FindTable(const QString& TableName) const;

    State state() const;
    // Slots the pooled array holds (-1 before the first growth, then 8, 16, 32, ...).
    int fieldCapacity() const;
    // Field objects created by every collection of the process so far.
    static quint64 fieldObjectsCreated();
    // A new, unbound collection (the factory behind scripts' Velt.fields()).
    static XCStructEditFields* create(QObject* parent = nullptr);

Q_SIGNALS:
    // Age has a new value: the type editor asked the viewer to read every field again, or a
    // viewer set it.
    void AgeChanged(int Age);

private:
    // Steps shared by both bindings once the sources are stored: find the editors, add the
    // root line and let the type editor (or the reference view) declare the rest.
    void declare();

    friend class XCStructEditField;
    struct Private;
    std::unique_ptr<Private> const d;
};
