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
#pragma once

#include <QtPlugin>

#include <cstdint>

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

#define XCStructEditing_iid "VeltEditors.XCStructEditing"
Q_DECLARE_INTERFACE(XCStructEditing, XCStructEditing_iid)
