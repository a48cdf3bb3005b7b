#include "dataeditorform.h"

#include "callfailurescope.h"
#include "componentregistry.h"
#include "dataeditorregistry.h"
#include "dataeditorrules.h"
#include "latebinding.h"
#include "qtstrings.h"
#include "twips.h"
#include "xcdialogdataediting.h"

#include "quen/quencore.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>

namespace {

QPointer<DataEditorForm> s_form;

// Sizing or hiding the created control may fail; the form carries on regardless.
template <typename Step>
void ignoringErrors(Step step)
{
    const Velt::CallFailureScope ignored;
    step();
}

} // namespace

struct DataEditorForm::Private
{
    QPointer<QWidget> control;
    QPointer<QObject> editor;
    XCDialogDataEditing* editing = nullptr;
    bool settingUp = false;
    bool accepted = false;
    int32_t parameter = 0;
    int32_t defaultParameter = 0;

    XCDialogDataEditing* liveEditing() const { return editor ? editing : nullptr; }
    void hideControl()
    {
        ignoringErrors([this] {
            if (control)
                control->hide();
        });
    }
};

DataEditorForm::DataEditorForm(QWidget* parent) : QDialog(parent), d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("DataEditorForm"));
    setModal(true);
    setSizeGripEnabled(false);
}

DataEditorForm::~DataEditorForm() = default;

DataEditorForm* DataEditorForm::instance()
{
    if (!s_form) {
        s_form = new DataEditorForm;
        qAddPostRoutine([] { delete s_form.data(); });
    }
    return s_form;
}

void DataEditorForm::SetUpEditor(int32_t ParameterHandle, int32_t DefaultParameterHandle,
                                 int32_t LocalsParmBlockHandle, bool DesignTime,
                                 bool OutputDefinition, bool ReadOnly, bool SymbolMode)
{
    // A set-up that stops early leaves nothing of the previous edit for CleanupEditor.
    d->accepted = false;
    d->control = nullptr;
    d->editor = nullptr;
    d->editing = nullptr;
    d->parameter = 0;
    d->defaultParameter = 0;
    const Velt::DataEditorRules::SetUpFlags flags =
        Velt::DataEditorRules::setUpFlags(DefaultParameterHandle != 0, DesignTime, OutputDefinition);

    const QString name = quen::toQString(QuenParmGetName(ParameterHandle));
    QString dataClass;
    if (const int32_t data = QuenParmGetData(ParameterHandle)) {
        dataClass = quen::toQString(QuenDataGetType(data));
    } else {
        QuenExcRegClearError(0);
        if (QuenParmIsReference(ParameterHandle) == QUEN_FALSE)
            return;
        dataClass = quen::toQString(QuenParmGetType(ParameterHandle));
    }

    const QString classId = DataEditorRegistry::instance()->DataEditorName(dataClass);
    if (classId.isEmpty())
        return;
    const QString controlName = classId.section(u'.', -1);
    QWidget* control = findChild<QWidget*>(controlName, Qt::FindDirectChildrenOnly);
    if (!control) {
        QObject* created = Velt::ComponentRegistry::instance().create(classId, this);
        control = qobject_cast<QWidget*>(created);
        if (!control) {
            delete created;
            return;
        }
        control->setParent(this);
        control->setObjectName(controlName);
    }
    QObject* editor = Velt::objectByName(control, "GetEditor");
    XCDialogDataEditing* editing = dialogDataEditing(editor);
    if (!editing)
        return;
    d->control = control;
    d->editor = editor;
    d->editing = editing;

    d->settingUp = true;
    const int setUpSize = Velt::twipsToPixels(Velt::DataEditorRules::FormSetUpSize, this).value_or(0);
    resize(setUpSize, setUpSize);
    setWindowTitle(Velt::DataEditorRules::formCaption(
        name, Velt::callByName(editor, "DataType").value_or(QVariant()).toString(), ReadOnly));

    if (SymbolMode)
        editing->EditSymbol(this, ParameterHandle, flags.designTime, ReadOnly);
    else
        editing->EditParameter(this, ParameterHandle, DefaultParameterHandle,
                               LocalsParmBlockHandle, flags.designTime, flags.outputDefinition,
                               ReadOnly);

    ignoringErrors([&] {
        int32_t height = 0;
        int32_t width = 0;
        editing->GetRecommendedSize(height, width);
        const auto form = Velt::DataEditorRules::formSize({height, width});
        const auto controlSize = Velt::twipsToPixels(QSize(width, height), this);
        const auto formSize = form ? Velt::twipsToPixels(QSize(form->width, form->height), this)
                                   : std::nullopt;
        if (!controlSize || !formSize)
            return;
        control->setGeometry(QRect(QPoint(0, 0), *controlSize));
        control->show();
        resize(*formSize);
    });
    d->settingUp = false;
    d->parameter = ParameterHandle;
    d->defaultParameter = DefaultParameterHandle;
}

bool DataEditorForm::CleanupEditor(int32_t& ParameterHandle, int32_t& DefaultParameterHandle)
{
    ParameterHandle = d->parameter;
    DefaultParameterHandle = d->defaultParameter;
    d->control = nullptr;
    d->editor = nullptr;
    d->editing = nullptr;
    return d->accepted;
}

void DataEditorForm::CancelEditor()
{
    if (XCDialogDataEditing* editing = d->liveEditing())
        editing->CancelEdit();
}

void DataEditorForm::AcceptEdit()
{
    d->hideControl();
    d->accepted = true;
    done(QDialog::Accepted);
}

void DataEditorForm::CancelEdit()
{
    d->hideControl();
    done(QDialog::Rejected);
}

int32_t DataEditorForm::hWnd() { return int32_t(quintptr(winId()) & 0xffffffffu); }

QWidget* DataEditorForm::typeEditor() const { return d->control; }
QObject* DataEditorForm::dataEditor() const { return d->editor; }

void DataEditorForm::reject()
{
    // Escape cancels the edit, as closing the window does.
    cancelOrHide();
}

void DataEditorForm::closeEvent(QCloseEvent* event)
{
    if (!isVisible()) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    cancelOrHide();
}

void DataEditorForm::cancelOrHide()
{
    if (XCDialogDataEditing* editing = d->liveEditing())
        editing->CancelEdit(); // the edit calls CancelEdit on this form, which hides it
    if (isVisible())
        done(QDialog::Rejected); // no edit was open
}

void DataEditorForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (d->settingUp || !d->control)
        return;
    ignoringErrors([this] { d->control->setGeometry(contentsRect()); });
}

bool DataEditorForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        raise();
    return QDialog::event(event);
}
