#include "dataeditsession.h"

#include "busycursor.h"
#include "dataeditorrules.h"
#include "qtstrings.h"
#include "xcdialogdataeditorsite.h"

#include "quen/quencore.h"

#include <QObject>
#include <QPointer>

namespace Velt {

DataEditSession::View::~View() = default;

struct DataEditSession::Private
{
    explicit Private(View& v) : view(v) { }

    View& view;
    // The site, and the QObject behind it when known (a destroyed site is not called).
    XCDialogDataEditorSite* site = nullptr;
    QPointer<QObject> siteObject;
    bool siteWatched = false;

    int32_t parameter = 0;
    int32_t data = 0;
    int32_t defaultParameter = 0;
    int32_t defaultData = 0;
    int32_t locals = 0;
    int32_t createdValue = 0; // made in this edit for a reference parameter; ours to release

    bool designTime = true;
    bool outputDefinition = false;
    bool readOnly = false;
    bool symbolMode = false;
    bool referenceMode = false;
    bool referenceEditable = false;
    bool plainData = true;
    bool editing = false;
    // BeginEdit was raised and the type editor has not yet had its AcceptEdit or CancelEdit;
    // the value stays open (hidden) while the user looks at the reference choice.
    bool valueOpen = false;
    bool okDone = false;
    bool cancelDone = false;

    QString parameterName = DataEditorRules::defaultParameterName();
    QString description;
    QString errorMessage;
    QString statusMessage;

    XCDialogDataEditorSite* liveSite() const
    {
        if (siteWatched && !siteObject)
            return nullptr;
        return site;
    }

    void takeSite(XCDialogDataEditorSite* s, QObject* object)
    {
        site = s;
        siteObject = object;
        siteWatched = object != nullptr;
    }

    // A new edit starts from a clean state.
    void resetEdit()
    {
        parameter = data = defaultParameter = defaultData = locals = createdValue = 0;
        outputDefinition = symbolMode = referenceMode = valueOpen = false;
        okDone = cancelDone = false;
    }

    void beginValue()
    {
        valueOpen = true;
        view.raiseBeginEdit(data);
        view.raiseShowEdit(data);
    }

    // HideEdit, the pending messages, then the final event.
    void finishValue(bool accept)
    {
        const int32_t h = data;
        valueOpen = false;
        view.raiseHideEdit(h);
        view.letPendingMessagesRun();
        if (accept)
            view.raiseAcceptEdit(h);
        else
            view.raiseCancelEdit();
    }

    void writeOutputFlag()
    {
        if (!designTime || !outputDefinition)
            return;
        if (view.outputChecked())
            QuenParmSetOutput(parameter);
        else
            QuenParmClearOutput(parameter);
    }

    void writeDescription()
    {
        if (!designTime)
            return;
        const QByteArray text = quen::toUtf8(description);
        QuenDescSetText(QuenParmGetDesc(parameter), text.constData());
    }

    bool parameterIsReference() const
    {
        return parameter && QuenParmIsReference(parameter) != QUEN_FALSE;
    }

    // The edit is over: back to idle, then the site hears of it.
    void endEdit(bool accepted)
    {
        XCDialogDataEditorSite* s = liveSite();
        editing = false;
        valueOpen = false;
        site = nullptr;
        siteObject = nullptr;
        siteWatched = false;
        if (s) {
            if (accepted)
                s->AcceptEdit();
            else
                s->CancelEdit();
        }
    }
};

DataEditSession::DataEditSession(View& view) : d(std::make_unique<Private>(view)) { }

DataEditSession::~DataEditSession()
{
    // An edit still open when the control goes: what it created for a reference goes too.
    if (d->createdValue && d->parameterIsReference())
        QuenDataRelease(d->createdValue);
}

void DataEditSession::editData(XCDialogDataEditorSite* site, QObject* siteObject, int32_t data,
                               int32_t defaultData, bool designTime, bool readOnly)
{
    BusyCursor busy;
    cancelEdit();
    d->resetEdit();
    d->takeSite(site, siteObject);
    d->data = data;
    d->defaultData = defaultData;
    d->designTime = designTime;
    d->readOnly = readOnly;
    d->plainData = true;
    d->editing = true;
    d->view.showParameterOptions(false, false);
    d->parameterName.clear();
    d->description.clear();
    d->statusMessage.clear();
    d->errorMessage.clear();
    d->view.textsChanged();
    d->view.layoutChanged();
    d->beginValue();
}

void DataEditSession::editParameter(XCDialogDataEditorSite* site, QObject* siteObject,
                                    int32_t parameter, int32_t defaultParameter, int32_t locals,
                                    bool designTime, bool outputDefinition, bool readOnly,
                                    bool symbolMode)
{
    BusyCursor busy;
    cancelEdit();
    d->referenceEditable = true;
    d->readOnly = readOnly;
    if (!parameter)
        return;

    d->resetEdit();
    d->takeSite(site, siteObject);
    d->parameter = parameter;
    d->defaultParameter = defaultParameter;
    d->locals = locals;
    d->symbolMode = symbolMode;
    d->designTime = designTime;
    d->outputDefinition = outputDefinition;
    d->plainData = false;

    const int32_t described = defaultParameter ? defaultParameter : parameter;
    const int32_t desc = QuenParmGetDesc(described);
    d->description = desc ? quen::toQString(QuenDescGetText(desc)) : QString();
    if (!desc)
        QuenExcRegClearError(0);
    d->parameterName = quen::toQString(QuenParmGetName(parameter));
    d->referenceEditable = QuenParmIsReferenceEditable(parameter) != QUEN_FALSE;
    const QString dataClass = d->view.dataClass();

    const bool reference = QuenParmIsReference(parameter) != QUEN_FALSE;
    if (!reference) {
        d->view.setSelector(QString(), QString(), dataClass);
        d->data = QuenParmGetData(parameter);
        if (!d->data) {
            QuenExcRegClearError(0);
            d->view.textsChanged();
            return;
        }
        d->view.showReferenceChoice(false);
        if (!d->referenceEditable)
            d->readOnly = true;
    } else {
        d->referenceMode = true;
        d->view.showReferenceChoice(true);
        d->view.setSelector(quen::toQString(QuenParmGetRefTableName(parameter)),
                            quen::toQString(QuenParmGetRefName(parameter)), dataClass);
        d->errorMessage.clear();
        d->statusMessage = d->readOnly ? QString() : DataEditorRules::referencePrompt();
    }
    d->editing = true;
    d->view.setOutputChecked(QuenParmIsOutput(parameter) != QUEN_FALSE);
    if (defaultParameter && QuenParmIsReference(defaultParameter) == QUEN_FALSE) {
        d->defaultData = QuenParmGetData(defaultParameter);
        if (!d->defaultData)
            QuenExcRegClearError(0);
    }
    d->view.showParameterOptions(true, d->referenceEditable);
    d->view.textsChanged();
    d->view.layoutChanged();
    if (!reference)
        d->beginValue();
}

void DataEditSession::editSymbol(XCDialogDataEditorSite* site, QObject* siteObject,
                                 int32_t symbol, bool designTime, bool readOnly)
{
    editParameter(site, siteObject, symbol, 0, 0, designTime, false, readOnly, true);
}

void DataEditSession::chooseReference(bool reference)
{
    if (!d->editing || d->plainData || reference == d->referenceMode)
        return;
    if (reference) {
        if (d->valueOpen)
            d->view.raiseHideEdit(d->data); // OK or Cancel closes the value edit later
        d->referenceMode = true;
        d->view.showReferenceChoice(true);
        d->view.textsChanged();
        return;
    }
    d->errorMessage.clear();
    d->statusMessage.clear();
    if (!d->data) {
        d->data = d->defaultData ? QuenDataExDeepCopy(d->defaultData)
                                 : QuenDataCreate(quen::toUtf8(d->view.dataClass()).constData());
        d->createdValue = d->data;
        if (!d->data)
            QuenExcRegClearError(0);
    }
    d->referenceMode = false;
    d->view.showReferenceChoice(false);
    d->view.textsChanged();
    if (d->data)
        d->beginValue();
}

void DataEditSession::selectorChanged(const QString& table, const QString& symbol,
                                      const QString& error)
{
    setErrorMessage(error);
    if (error.isEmpty())
        setStatusMessage(DataEditorRules::referenceStatus(table, symbol));
}

void DataEditSession::pressOk()
{
    if (!d->editing || d->okDone || d->cancelDone)
        return;
    if (d->readOnly) {
        pressCancel();
        return;
    }
    d->okDone = true;
    if (!d->referenceMode) {
        acceptEdit();
        return;
    }

    BusyCursor busy;
    if (d->valueOpen)
        d->finishValue(false);
    d->writeOutputFlag();
    const bool wasReference = d->parameterIsReference();
    const QByteArray symbol = quen::toUtf8(d->view.selectorSymbol());
    const QByteArray table = quen::toUtf8(d->view.selectorTable());
    QuenParmSetReference(d->parameter, symbol.constData(), -1, table.constData(), -1);
    if (!wasReference && d->data) {
        QuenDataRelease(d->data); // the parameter handed its value over when it became a reference
    } else if (d->createdValue) {
        QuenDataRelease(d->createdValue);
    }
    d->createdValue = 0;
    d->data = 0;
    d->writeDescription();
    d->endEdit(true);
}

void DataEditSession::pressCancel()
{
    if (!d->editing || d->okDone || d->cancelDone)
        return;
    d->cancelDone = true;
    cancelEdit();
}

void DataEditSession::acceptEdit()
{
    if (!d->editing)
        return;
    BusyCursor busy;
    if (d->parameter) {
        if (d->createdValue && d->parameterIsReference()) {
            if (QuenParmSetData(d->parameter, d->createdValue) != QUEN_FALSE)
                d->createdValue = 0; // the parameter owns it now
        }
        d->writeDescription();
        d->writeOutputFlag();
    }
    if (d->data && d->valueOpen)
        d->finishValue(true);
    d->endEdit(true);
}

void DataEditSession::cancelEdit()
{
    if (!d->editing)
        return;
    if (d->valueOpen)
        d->finishValue(false);
    if (d->createdValue && d->parameterIsReference()) {
        QuenDataRelease(d->createdValue);
        if (d->data == d->createdValue)
            d->data = 0;
        d->createdValue = 0;
    }
    d->endEdit(false);
}

QString DataEditSession::parameterName() const { return d->parameterName; }

bool DataEditSession::setParameterName(const QString& name)
{
    if (name == d->parameterName)
        return false;
    d->parameterName = name;
    return true;
}

QString DataEditSession::description() const { return d->description; }
void DataEditSession::setDescription(const QString& description) { d->description = description; }
QString DataEditSession::errorMessage() const { return d->errorMessage; }

bool DataEditSession::setErrorMessage(const QString& message)
{
    if (message == d->errorMessage)
        return false;
    d->errorMessage = message;
    d->view.textsChanged();
    return true;
}

QString DataEditSession::statusMessage() const { return d->statusMessage; }

bool DataEditSession::setStatusMessage(const QString& message)
{
    if (message == d->statusMessage)
        return false;
    d->statusMessage = message;
    d->view.textsChanged();
    return true;
}

bool DataEditSession::isEditing() const { return d->editing; }
bool DataEditSession::designTime() const { return d->designTime; }
bool DataEditSession::outputDefinition() const { return d->designTime && d->outputDefinition; }
bool DataEditSession::readOnly() const { return d->readOnly; }
bool DataEditSession::symbolMode() const { return d->symbolMode; }
bool DataEditSession::referenceMode() const { return d->referenceMode; }
bool DataEditSession::referenceEditable() const { return d->referenceEditable; }
bool DataEditSession::plainData() const { return d->plainData; }
int32_t DataEditSession::dataHandle() const { return d->data; }
int32_t DataEditSession::parameterHandle() const { return d->parameter; }
int32_t DataEditSession::defaultParameterHandle() const { return d->defaultParameter; }
int32_t DataEditSession::defaultDataHandle() const { return d->defaultData; }

int32_t DataEditSession::localsHandle() const
{
    if (d->locals)
        return d->locals;
    const int32_t parm = d->defaultParameter ? d->defaultParameter : d->parameter;
    return parm ? QuenParmGetOwner(parm) : 0;
}

QString DataEditSession::kind() const
{
    return DataEditorRules::kind(d->symbolMode, d->defaultData != 0);
}

} // namespace Velt
