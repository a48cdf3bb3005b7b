// A test-only type editor: a QWidget with a "DataEditor" host, the GetDirect/GetRuntime/
// GetEditor triple, a small value panel in the edit area, and handlers for the host's five
// events that record them in order and write an integer back on AcceptEdit.
#pragma once

#include "dataeditor.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QSpinBox;

class TestTypeEditor : public QWidget
{
    Q_OBJECT

public:
    explicit TestTypeEditor(QWidget* parent = nullptr);

    Q_INVOKABLE QObject* GetDirect() { return nullptr; }
    Q_INVOKABLE QObject* GetRuntime() { return nullptr; }
    Q_INVOKABLE QObject* GetEditor() { return m_editor; }

    DataEditor* editor() const { return m_editor; }
    QSpinBox* valueBox() const { return m_value; }

    // "BeginEdit(5)", "ShowEdit(5)", "HideEdit(5)", "AcceptEdit(5)", "CancelEdit()", and
    // "Posted" when a call posted from HideEdit ran.
    QStringList events;
    // When set, HideEdit posts a call that records "Posted" once the event loop runs.
    bool postOnHide = false;
    // When set, HideEdit posts a second press of this button (the OK or Cancel button).
    QString pressOnHide;

    // The class identifier it is registered under, and the data class it serves.
    static QString classId();
    static QString dataClass();
    static QString dataType();
    static void registerClass();
    // The last instance created through the component registry.
    static QPointer<TestTypeEditor>& last();

private:
    DataEditor* m_editor;
    QSpinBox* m_value;
};
