// DataEditSession: the edit state machine of the DataEditor, free of widgets. It starts,
// switches, accepts and cancels one edit at a time against the core, keeps the host's texts
// (ParameterName, Description, ErrorMessage, StatusMessage) and tells its view what to raise
// and what to show. The DataEditor widget is its view; tests may drive it with their own.
//
// Ownership: the session releases only the value it created for a reference parameter (or the
// value a reference accept took out of the parameter). The site is not owned; when it is a
// QObject the session notices its destruction and stops calling it.
#pragma once

#include "velt_export.h"

#include <QString>

#include <cstdint>
#include <memory>

class QObject;
class XCDialogDataEditorSite;

namespace Velt {

class VELT_EXPORT DataEditSession
{
public:
    // What the session asks of the control that shows it.
    class View
    {
    public:
        virtual ~View();
        // The five events of the host, raised to the type editor.
        virtual void raiseBeginEdit(int32_t dataHandle) = 0;
        virtual void raiseShowEdit(int32_t dataHandle) = 0;
        virtual void raiseHideEdit(int32_t dataHandle) = 0;
        virtual void raiseAcceptEdit(int32_t dataHandle) = 0;
        virtual void raiseCancelEdit() = 0;
        // Lets pending window messages run (between HideEdit and the final event).
        virtual void letPendingMessagesRun() = 0;
        // The parameter frame and the constant/reference choice.
        virtual void showParameterOptions(bool shown, bool choiceEnabled) = 0;
        virtual void showReferenceChoice(bool reference) = 0;
        // The symbol selector: choice and filter class, then a refresh.
        virtual void setSelector(const QString& table, const QString& symbol,
                                 const QString& dataClass) = 0;
        virtual QString selectorTable() const = 0;
        virtual QString selectorSymbol() const = 0;
        virtual bool outputChecked() const = 0;
        virtual void setOutputChecked(bool checked) = 0;
        // The texts, the flags or the layout changed: refresh what shows them.
        virtual void textsChanged() = 0;
        virtual void layoutChanged() = 0;
        // The data class the session creates values of.
        virtual QString dataClass() const = 0;
    };

    explicit DataEditSession(View& view);
    ~DataEditSession();
    DataEditSession(const DataEditSession&) = delete;
    DataEditSession& operator=(const DataEditSession&) = delete;

    // Starting edits. siteObject, when given, is the QObject behind the site (watched).
    void editData(XCDialogDataEditorSite* site, QObject* siteObject, int32_t data,
                  int32_t defaultData, bool designTime, bool readOnly);
    void editParameter(XCDialogDataEditorSite* site, QObject* siteObject, int32_t parameter,
                       int32_t defaultParameter, int32_t locals, bool designTime,
                       bool outputDefinition, bool readOnly, bool symbolMode = false);
    void editSymbol(XCDialogDataEditorSite* site, QObject* siteObject, int32_t symbol,
                    bool designTime, bool readOnly);

    // The choice between a constant value (false) and a reference (true).
    void chooseReference(bool reference);
    // The symbol selector reported a choice.
    void selectorChanged(const QString& table, const QString& symbol, const QString& error);

    // The buttons: each acts at most once per edit; OK on a read-only edit cancels.
    void pressOk();
    void pressCancel();
    // The interface members: accept as a constant, or cancel.
    void acceptEdit();
    void cancelEdit();

    // Texts; each setter returns whether the text changed.
    QString parameterName() const;
    bool setParameterName(const QString& name);
    QString description() const;
    void setDescription(const QString& description);
    QString errorMessage() const;
    bool setErrorMessage(const QString& message);
    QString statusMessage() const;
    bool setStatusMessage(const QString& message);

    // State.
    bool isEditing() const;
    bool designTime() const;
    bool outputDefinition() const; // false whenever designTime() is false
    bool readOnly() const;
    bool symbolMode() const;
    bool referenceMode() const;
    bool referenceEditable() const;
    bool plainData() const; // the edit is of a data item, not of a parameter
    int32_t dataHandle() const;
    int32_t parameterHandle() const;
    int32_t defaultParameterHandle() const;
    int32_t defaultDataHandle() const;
    int32_t localsHandle() const;
    // "parameter" or "symbol".
    QString kind() const;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Velt
