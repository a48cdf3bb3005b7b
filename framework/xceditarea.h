// XCEditArea: the rectangle, in twips, in which a type editor lays out its own controls inside
// its DataEditor host (the host's XCDataEditorExtender child marks it). The DataEditor
// implements it; its EditArea property hands the host out as this interface.
#pragma once

#include <QtPlugin>

#include <cstdint>

class XCEditArea
{
public:
    virtual ~XCEditArea() = default;

    virtual int32_t Top() const = 0;
    virtual int32_t Left() const = 0;
    virtual int32_t Height() const = 0;
    virtual int32_t Width() const = 0;
};

#define XCEditArea_iid "VeltEditors.XCEditArea"
Q_DECLARE_INTERFACE(XCEditArea, XCEditArea_iid)
