// The state shared by XCStructEditFields and its pooled fields: the slot array, the two
// sources of a binding, and the scratch collection the reference view binds to show the value
// of the symbol it refers to.
#pragma once

#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <QPointer>

#include <vector>

class XCStructEditField;

struct XCStructEditFields::Private
{
    std::vector<XCStructEditField*> pool; // slot i holds field i; children of the collection
    int lastIndex = -1;
    int capacity = -1; // pool.size() once grown
    int age = 0;
    State state = State::Unbound;

    QuenHandle parm = 0;
    bool parmIsReference = false;
    QuenHandle data = 0;
    QuenHandle defaultParm = 0;
    bool defaultIsReference = false;
    QuenHandle defaultData = 0;
    QuenHandle locals = 0; // holds a reference while non-zero

    QString caption;
    QString description;
    QString comment;
    QString dataClass;
    QString dataType;
    bool designTime = true;
    bool readOnly = false;
    bool browseOnly = false;

    QPointer<QObject> typeEditor;
    QVariant tag;
    QPointer<QObject> tagObject;
    bool tagIsObject = false;

    std::unique_ptr<XCStructEditFields> valueView; // reference view's scratch binding
    bool valueViewBusy = false;

    bool isReference() const { return parm ? parmIsReference : defaultIsReference; }
    QuenHandle parameterHandle() const { return isReference() ? (parm ? parm : defaultParm) : 0; }
    QuenHandle dataHandle() const { return isReference() ? 0 : (data ? data : defaultData); }
    // The handle every XCStructEditing call receives.
    QuenHandle callHandle() const { return isReference() ? parameterHandle() : dataHandle(); }
    XCStructEditField* slot(int index) const
    {
        return index >= 0 && std::size_t(index) < pool.size() ? pool[std::size_t(index)] : nullptr;
    }
    void bumpAge(XCStructEditFields* q); // reports an overflow as a failure of q
};
