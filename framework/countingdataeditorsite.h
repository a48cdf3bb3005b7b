// CountingDataEditorSite: a site for dialog edits that only counts the outcomes it is told of.
// Automation hosts and tests hand it to XCDialogDataEditing::EditData/EditParameter/EditSymbol
// and read AcceptCount and CancelCount afterwards. It owns nothing.
#pragma once

#include "velt_export.h"
#include "xcdialogdataeditorsite.h"

#include <QObject>

class VELT_EXPORT CountingDataEditorSite : public QObject, public XCDialogDataEditorSite
{
    Q_OBJECT
    Q_INTERFACES(XCDialogDataEditorSite)
    Q_PROPERTY(int AcceptCount READ AcceptCount NOTIFY counted)
    Q_PROPERTY(int CancelCount READ CancelCount NOTIFY counted)
    Q_PROPERTY(int hWnd READ hWnd CONSTANT)

public:
    explicit CountingDataEditorSite(QObject* parent = nullptr);

    int AcceptCount() const { return m_accepts; }
    int CancelCount() const { return m_cancels; }

    Q_INVOKABLE void AcceptEdit() override;
    Q_INVOKABLE void CancelEdit() override;
    int32_t hWnd() override { return 0; } // no window of its own
    // Sets both counts back to 0.
    Q_INVOKABLE void Reset();

Q_SIGNALS:
    void counted();

private:
    int m_accepts = 0;
    int m_cancels = 0;
};
