// XCStructEditField: one line of the structured view of a value (caption, indentation, text,
// choices, error). A type editor creates fields with XCStructEditFields::Add inside
// DeclareFields and serves them in GetField, DeclareField and FieldChanged; a viewer reads and
// assigns them.
//
// Owned by its collection, which pools it: a field outlives the binding it was made for and is
// re-used by the next one (or is Detached). Every Text read asks the type editor again; while
// the type editor is serving the field (Declaring, Reading, Writing) Text reads and
// assignments touch only the cached text, so a type editor can read and assign the field it is
// serving. A failing member reports it (Velt::reportCallFailed) and leaves the field as it was.
#pragma once

#include "velt_export.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

class XCStructEditFields;
class XCStructEditFieldEnums;

class VELT_EXPORT XCStructEditField : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("xcstructeditfieldenums.h")
    Q_CLASSINFO("DefaultMember", "Text")
    Q_CLASSINFO("Help.Text", "Sets/Returns the value to be displayed for this field.")
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(int Indentation READ Indentation WRITE setIndentation)
    Q_PROPERTY(QString BitmapName READ BitmapName)
    Q_PROPERTY(QVariant Bitmap READ Bitmap)
    Q_PROPERTY(int BitmapIndex READ BitmapIndex)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage WRITE setErrorMessage)
    Q_PROPERTY(int Index READ Index)
    Q_PROPERTY(int Handle READ Handle)
    Q_PROPERTY(int ParameterHandle READ ParameterHandle)
    Q_PROPERTY(bool DesignTime READ DesignTime)
    Q_PROPERTY(bool HasEnumeration READ HasEnumeration)
    Q_PROPERTY(XCStructEditFieldEnums* Enumeration READ Enumeration)
    Q_PROPERTY(QObject* Editor READ Editor)
    Q_PROPERTY(bool HasEditor READ HasEditor)
    Q_PROPERTY(int LocalsHandle READ LocalsHandle)

public:
    // Reading and Writing last for one call of the type editor and return to the state before.
    enum class State { Detached, Added, Declaring, Declared, Reading, Writing };
    Q_ENUM(State)

    // Fields are made by their collection (XCStructEditFields::Add); a field made here stays
    // Detached until InitField gives it a collection.
    explicit XCStructEditField(QObject* parent = nullptr);
    ~XCStructEditField() override;

    // Published members, in their published order.
    // True when detached or the collection is ReadOnly, else the field's own flag (true when
    // created). Both directions first run EnsureDeclared.
    bool Locked();
    void setLocked(bool Locked);
    // 0 for field 0; otherwise at least 1 and at most one more than the field before.
    int Indentation() const;
    void setIndentation(int Indentation);
    // "Error" while ErrorMessage is not empty, else the stored name.
    QString BitmapName() const;
    // The registry's picture (a QIcon) for BitmapName; an invalid QVariant when none.
    QVariant Bitmap() const;
    // The picture's 1-based position in the registry's image list; 0 when there is none.
    int BitmapIndex() const;
    QString Caption() const;
    void setCaption(const QString& Caption); // trims
    QString Text();
    void setText(const QString& Text);
    QString ErrorMessage() const;
    void setErrorMessage(const QString& ErrorMessage);
    int Index() const;
    int Handle() const;          // the collection's; 0 when detached
    int ParameterHandle() const; // the collection's; 0 when detached
    bool DesignTime() const;     // the collection's; true when detached
    bool HasEnumeration();
    XCStructEditFieldEnums* Enumeration();
    QObject* Editor() const; // the collection's DialogEditor
    bool HasEditor();
    int LocalsHandle() const; // the collection's; 0 when detached
    // A text returned by the core (a UTF-8 C string it owns) as a QString; null is "".
    QString ConvertLpcstrToString(const char* lpszString) const;
    Q_INVOKABLE QString ConvertLpcstrToString(const QByteArray& lpszString) const;

    // Library-internal members.
    // Resets the field to its creation values and, with a Parent, makes it line Index of that
    // collection (Added). Registers Bitmap in the data editor registry under BitmapName.
    void InitField(XCStructEditFields* Parent, int Index, const QString& Caption,
                   int Indentation, const QString& BitmapName, const QVariant& Bitmap);
    // Calls the type editor's DeclareField the first time the field's declaration is needed.
    void EnsureDeclared();
    // Passes a text to the type editor's FieldChanged with PostEdits false.
    Q_INVOKABLE void SetTextUnposted(const QString& Text);

    State state() const;
    XCStructEditFields* fields() const; // the collection; null when detached

    // The row of the declaring type editor's field table this line belongs to (-1 when none),
    // and for a repeated row the value the line stands for. Cleared by InitField.
    void setDeclaringRow(int row, int32_t value);
    int declaringRow() const;
    int32_t declaringValue() const;

private:
    void changeText(const QString& text, bool postEdits);

    struct Private;
    std::unique_ptr<Private> const d;
};
