// XCStructEditing: the structured face of a type editor. A type editor publishes the value it
// edits as a short hierarchy of captioned, indented fields; an XCStructEditFields collection
// bound to a parameter or data item drives the type editor through these four calls, so a
// viewer never calls them itself.
//
// In every call DataHandle is the collection's ParameterHandle for a symbol reference and its
// Handle otherwise; the collection skips a call when that handle is 0. The objects passed by
// reference belong to the collection: a type editor must not keep them beyond the call.
//
// A type editor is a QObject that lists XCStructEditing in Q_INTERFACES; the data editor
// registry hands it out as a QObject, and qobject_cast<XCStructEditing*> gives this side.
// Late-bound callers reach the same members through Q_INVOKABLE twins that take the field or
// collection as a QObject*; FieldChanged's twin returns {"Refresh": bool, "result": null}.
// An implementing class declares the four calls and their twins with
// VELT_XCSTRUCTEDITING_MEMBERS, and defines only the four calls.
#pragma once

#include "velt_export.h"

#include <QVariantMap>
#include <QtPlugin>

#include <cstdint>

class QObject;

class XCStructEditFields;
class XCStructEditField;

class XCStructEditing
{
public:
    virtual ~XCStructEditing() = default;

    // Published help text: Q_CLASSINFO "Help.DeclareFields" of XCStructEditFields.
    // Called once per binding while the collection is Declaring; field 0, the root line, is
    // already present. Add the other fields with Fields.Add.
    virtual void DeclareFields(int32_t DataHandle, XCStructEditFields& Fields) = 0;

    // Called on every read of Field.Text: assign the display text to Field.Text (which, during
    // this call, only stores it) and set Field.ErrorMessage when the value is in error.
    virtual void GetField(int32_t DataHandle, XCStructEditField& Field) = 0;

    // Called once per field, the first time its Locked, HasEnumeration, Enumeration, HasEditor
    // or a Text assignment needs it: set Locked, fill Enumeration, optionally ErrorMessage.
    virtual void DeclareField(int32_t DataHandle, XCStructEditField& Field) = 0;

    // Called when the viewer assigns Field.Text (PostEdits true) or passes it through
    // SetTextUnposted (PostEdits false); the new text is in Field.Text. Validate it: on failure
    // set Field.ErrorMessage, on success write the value into the data. Set Refresh to true when
    // the viewer must read every field again.
    virtual void FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits,
                              bool& Refresh) = 0;
};

namespace Velt::StructEditingTwins {

// The late-bound twins of an XCStructEditing implemented by `self`: each makes the call when
// the object passed is a field collection or a field, and otherwise reports the failed call
// (Velt::reportCallFailed) on `self`.
VELT_EXPORT void declareFields(const QObject* self, XCStructEditing& editor, int DataHandle,
                               QObject* Fields);
VELT_EXPORT void getField(const QObject* self, XCStructEditing& editor, int DataHandle,
                          QObject* Field);
VELT_EXPORT void declareField(const QObject* self, XCStructEditing& editor, int DataHandle,
                              QObject* Field);
VELT_EXPORT QVariantMap fieldChanged(const QObject* self, XCStructEditing& editor,
                                     int DataHandle, QObject* Field, bool PostEdits,
                                     bool Refresh);

} // namespace Velt::StructEditingTwins

// The members of a QObject that implements XCStructEditing, in the class body: the four calls
// (defined by the class) and their late-bound twins (moc expands the macro, so the twins are
// published like any Q_INVOKABLE).
#define VELT_XCSTRUCTEDITING_MEMBERS \
    void DeclareFields(int32_t DataHandle, XCStructEditFields& Fields) override; \
    void GetField(int32_t DataHandle, XCStructEditField& Field) override; \
    void DeclareField(int32_t DataHandle, XCStructEditField& Field) override; \
    void FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits, \
                      bool& Refresh) override; \
    Q_INVOKABLE void DeclareFields(int DataHandle, QObject* Fields) \
    { \
        Velt::StructEditingTwins::declareFields(this, *this, DataHandle, Fields); \
    } \
    Q_INVOKABLE void GetField(int DataHandle, QObject* Field) \
    { \
        Velt::StructEditingTwins::getField(this, *this, DataHandle, Field); \
    } \
    Q_INVOKABLE void DeclareField(int DataHandle, QObject* Field) \
    { \
        Velt::StructEditingTwins::declareField(this, *this, DataHandle, Field); \
    } \
    Q_INVOKABLE QVariantMap FieldChanged(int DataHandle, QObject* Field, bool PostEdits, \
                                         bool Refresh) \
    { \
        return Velt::StructEditingTwins::fieldChanged(this, *this, DataHandle, Field, PostEdits, \
                                                      Refresh); \
    }

#define XCStructEditing_iid "VeltEditors.XCStructEditing"
Q_DECLARE_INTERFACE(XCStructEditing, XCStructEditing_iid)
