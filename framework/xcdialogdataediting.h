// XCDialogDataEditing: how a host drives a dialog edit on a DataEditor. The host starts an edit
// of a data item, a parameter or a symbol, passing itself as the site; the DataEditor raises
// its events to the type editor and reports the outcome to the site.
//
// The DataEditor's own events AcceptEdit(DataHandle) and CancelEdit() share names with two
// members here, so the DataEditor hands this interface out as a facet: a child object named
// "XCDialogDataEditing" (DataEditor::dialogEditing(), or dialogDataEditing(object) for any
// object). The facet publishes every member late-bound too: the sites as QObject*, and
// GetRecommendedSize() returning {"Height", "Width", "result"}.
//
// Handles are the core's; a failed call is reported with Velt::reportCallFailed.
#pragma once

#include <QObject>
#include <QtPlugin>

#include <cstdint>

class XCDialogDataEditorSite;

class XCDialogDataEditing
{
public:
    virtual ~XCDialogDataEditing() = default;

    // The size the host should give the DataEditor, in twips.
    virtual void GetRecommendedSize(int32_t& Height, int32_t& Width) = 0;
    // The site must stay alive until it is called back or the edit is cancelled.
    virtual void EditData(XCDialogDataEditorSite* EditorSite, int32_t DataHandle,
                          int32_t DefaultDataHandle, bool DesignTime, bool ReadOnly) = 0;
    virtual void EditParameter(XCDialogDataEditorSite* EditorSite, int32_t ParameterHandle,
                               int32_t DefaultParameterHandle, int32_t LocalsParmBlockHandle,
                               bool DesignTime, bool OutputDefinition, bool ReadOnly) = 0;
    virtual void EditSymbol(XCDialogDataEditorSite* EditorSite, int32_t SymbolHandle,
                            bool DesignTime, bool ReadOnly) = 0;
    virtual void AcceptEdit() = 0;
    virtual void CancelEdit() = 0;
    virtual void Refresh() = 0;
};

#define XCDialogDataEditing_iid "VeltEditors.XCDialogDataEditing"
Q_DECLARE_INTERFACE(XCDialogDataEditing, XCDialogDataEditing_iid)

// The XCDialogDataEditing side of an object: the object itself when it implements the
// interface, else its facet child; null when it has neither.
inline XCDialogDataEditing* dialogDataEditing(QObject* object)
{
    if (!object)
        return nullptr;
    if (auto* editing = qobject_cast<XCDialogDataEditing*>(object))
        return editing;
    QObject* facet = object->findChild<QObject*>(QStringLiteral("XCDialogDataEditing"),
                                                 Qt::FindDirectChildrenOnly);
    return facet ? qobject_cast<XCDialogDataEditing*>(facet) : nullptr;
}
