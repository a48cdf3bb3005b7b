// XCDialogDataEditorSite: the host side of a dialog edit. A host passes itself to
// XCDialogDataEditing::EditData/EditParameter/EditSymbol and is told the outcome: AcceptEdit()
// after the type editor wrote its value back, CancelEdit() when the edit was dropped.
//
// A site is a QObject that lists XCDialogDataEditorSite in Q_INTERFACES; late-bound callers
// may pass any QObject with AcceptEdit() and CancelEdit() invokables instead.
#pragma once

#include <QtPlugin>

#include <cstdint>

class XCDialogDataEditorSite
{
public:
    virtual ~XCDialogDataEditorSite() = default;

    virtual void AcceptEdit() = 0;
    virtual void CancelEdit() = 0;
    // The window that hosts the edit (its native id, truncated to 32 bits), 0 for none.
    virtual int32_t hWnd() = 0;
};

#define XCDialogDataEditorSite_iid "VeltEditors.XCDialogDataEditorSite"
Q_DECLARE_INTERFACE(XCDialogDataEditorSite, XCDialogDataEditorSite_iid)
