#include "typeeditorbase_p.h"

#include "builtinimages.h"
#include "dataeditor.h"
#include "twips.h"
#include "xcruntimedataevaluation.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace Velt {

TypeEditorBasePrivate::~TypeEditorBasePrivate() = default;

void TypeEditorBasePrivate::showMessages(const QString& error, const QString& status) const
{
    host->setErrorMessage(error);
    if (error.isEmpty())
        host->setStatusMessage(status);
}

void TypeEditorBasePrivate::showError(const QString& error) const { host->setErrorMessage(error); }

void TypeEditorBasePrivate::showStatus(const QString& status) const
{
    host->setStatusMessage(status);
}

bool TypeEditorBasePrivate::designTime() const { return host->DesignTime(); }

TypeEditorBase::TypeEditorBase(TypeEditorBasePrivate& dd, const QString& dataClass,
                               const QString& dataType, const QString& pictureKey,
                               QWidget* parent)
    : QWidget(parent), d_te(&dd)
{
    Q_D(TypeEditorBase);
    d->q_ptr = this;
    d->host = new DataEditor(this);
    DataEditor* const host = d->host;
    host->setDataClass(dataClass);
    host->setDataType(dataType);
    host->setDataBitmap(QVariant::fromValue(builtinImage(pictureKey)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(host);

    connect(host, &DataEditor::BeginEdit, this, [this](int item) {
        d_func()->item = item;
        beginEdit(item);
    });
    connect(host, &DataEditor::ShowEdit, this, [this](int) {
        if (QWidget* shown = d_func()->panel)
            shown->show();
    });
    connect(host, &DataEditor::HideEdit, this, [this](int) {
        if (QWidget* shown = d_func()->panel)
            shown->hide();
    });
    connect(host, &DataEditor::AcceptEdit, this, [this](int item) {
        acceptEdit(item);
        d_func()->item = 0;
    });
    connect(host, &DataEditor::CancelEdit, this, [this] {
        cancelEdit();
        d_func()->item = 0;
    });
}

TypeEditorBase::~TypeEditorBase()
{
    Q_D(TypeEditorBase);
    // The host cancels an open edit when it goes; the subclass is gone by then, so it must
    // not hear of it.
    disconnect(d->host, nullptr, this, nullptr);
    delete d->host;
}

QObject* TypeEditorBase::GetDirect() { return this; }

QObject* TypeEditorBase::GetRuntime()
{
    return qobject_cast<XCRuntimeDataEvaluation*>(this) ? this : nullptr;
}

QObject* TypeEditorBase::GetEditor() { return d_func()->host; }

void TypeEditorBase::DeclareFields(int32_t DataHandle, XCStructEditFields& Fields)
{
    d_func()->fields.declareFields(DataHandle, Fields);
}

void TypeEditorBase::GetField(int32_t DataHandle, XCStructEditField& Field)
{
    d_func()->fields.getField(DataHandle, Field);
}

void TypeEditorBase::DeclareField(int32_t DataHandle, XCStructEditField& Field)
{
    d_func()->fields.declareField(DataHandle, Field);
}

void TypeEditorBase::FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits,
                                  bool& Refresh)
{
    d_func()->fields.fieldChanged(DataHandle, Field, PostEdits, Refresh);
}

DataEditor* TypeEditorBase::host() const { return d_func()->host; }
QWidget* TypeEditorBase::panel() const { return d_func()->panel; }

void TypeEditorBase::setPanel(QWidget* panel)
{
    Q_D(TypeEditorBase);
    d->panel = panel;
    panel->hide();
    d->host->setEditWidget(panel);
    // Room for the panel, never less than the host's defaults.
    const QSize hint = panel->sizeHint();
    if (const std::optional<int> height = pixelsToTwips(hint.height(), panel, Qt::Vertical))
        d->host->setReserveHeight(std::max(*height, d->host->ReserveHeight()));
    if (const std::optional<int> width = pixelsToTwips(hint.width(), panel))
        d->host->setReserveWidth(std::max(*width, d->host->ReserveWidth()));
}

void TypeEditorBase::setFieldTable(FieldTable table) { d_func()->fields = std::move(table); }

} // namespace Velt
