#include "typeeditorbase.h"

#include "builtinimages.h"
#include "dataeditor.h"
#include "twips.h"
#include "xcruntimedataevaluation.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"
#include "xcstructediting.h"

#include <QVBoxLayout>

#include <algorithm>

namespace Velt {

struct TypeEditorBase::Private
{
    DataEditor* host = nullptr;
    QWidget* panel = nullptr;
    int32_t item = 0;
};

TypeEditorBase::TypeEditorBase(const QString& dataClass, const QString& dataType,
                               const QString& pictureKey, QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>())
{
    d->host = new DataEditor(this);
    DataEditor* const host = d->host;
    host->setDataClass(dataClass);
    host->setDataType(dataType);
    host->setDataBitmap(QVariant::fromValue(builtinImage(pictureKey)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(host);

    connect(host, &DataEditor::BeginEdit, this, [this](int item) {
        d->item = item;
        beginEdit(item);
    });
    connect(host, &DataEditor::ShowEdit, this, [this](int) {
        if (d->panel)
            d->panel->show();
    });
    connect(host, &DataEditor::HideEdit, this, [this](int) {
        if (d->panel)
            d->panel->hide();
    });
    connect(host, &DataEditor::AcceptEdit, this, [this](int item) {
        acceptEdit(item);
        d->item = 0;
    });
    connect(host, &DataEditor::CancelEdit, this, [this] {
        cancelEdit();
        d->item = 0;
    });
}

TypeEditorBase::~TypeEditorBase()
{
    // The host cancels an open edit when it goes; the subclass is gone by then, so it must
    // not hear of it.
    disconnect(d->host, nullptr, this, nullptr);
    delete d->host;
}

QObject* TypeEditorBase::GetDirect()
{
    return qobject_cast<XCStructEditing*>(this) ? this : nullptr;
}

QObject* TypeEditorBase::GetRuntime()
{
    return qobject_cast<XCRuntimeDataEvaluation*>(this) ? this : nullptr;
}

QObject* TypeEditorBase::GetEditor() { return d->host; }

void TypeEditorBase::DeclareFields(int DataHandle, QObject* Fields)
{
    auto* editing = qobject_cast<XCStructEditing*>(this);
    if (auto* fields = qobject_cast<XCStructEditFields*>(Fields); editing && fields)
        editing->DeclareFields(DataHandle, *fields);
}

void TypeEditorBase::GetField(int DataHandle, QObject* Field)
{
    auto* editing = qobject_cast<XCStructEditing*>(this);
    if (auto* field = qobject_cast<XCStructEditField*>(Field); editing && field)
        editing->GetField(DataHandle, *field);
}

void TypeEditorBase::DeclareField(int DataHandle, QObject* Field)
{
    auto* editing = qobject_cast<XCStructEditing*>(this);
    if (auto* field = qobject_cast<XCStructEditField*>(Field); editing && field)
        editing->DeclareField(DataHandle, *field);
}

QVariantMap TypeEditorBase::FieldChanged(int DataHandle, QObject* Field, bool PostEdits,
                                         bool Refresh)
{
    auto* editing = qobject_cast<XCStructEditing*>(this);
    if (auto* field = qobject_cast<XCStructEditField*>(Field); editing && field)
        editing->FieldChanged(DataHandle, *field, PostEdits, Refresh);
    return {{QStringLiteral("Refresh"), Refresh}, {QStringLiteral("result"), QVariant()}};
}

DataEditor* TypeEditorBase::host() const { return d->host; }
QWidget* TypeEditorBase::panel() const { return d->panel; }

void TypeEditorBase::setPanel(QWidget* panel)
{
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

void TypeEditorBase::showMessages(const QString& error, const QString& status)
{
    d->host->setErrorMessage(error);
    if (error.isEmpty())
        d->host->setStatusMessage(status);
}

void TypeEditorBase::showError(const QString& error) { d->host->setErrorMessage(error); }

bool TypeEditorBase::designTime() const { return d->host->DesignTime(); }

int32_t TypeEditorBase::editedItem() const { return d->item; }

} // namespace Velt
