// ParameterDialogs: an invisible control that edits one parameter of an action definition in the
// shared modal DataEditorForm, centred on the screen, with its owning block as the local
// symbols. It edits nothing itself. A call while a dialog it opened is still open (from an event
// handler, say) shows nothing.
#pragma once

#include "velt_export.h"

#include <QWidget>

class VELT_EXPORT ParameterDialogs : public QWidget
{
    Q_OBJECT
public:
    explicit ParameterDialogs(QWidget* parent = nullptr);
    ~ParameterDialogs() override;

    // True when the edit was accepted; false at once for handle 0 or while a dialog is open.
    Q_INVOKABLE bool EditActionDefinitionParameterDialog(int ParameterHandle, bool ReadOnly = false);

    // Dialogs opened by any ParameterDialogs and still open.
    static int openDialogs();
};
