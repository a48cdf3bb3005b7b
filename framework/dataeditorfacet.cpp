// The XCDialogDataEditing facet of the DataEditor, and the adapter for late-bound sites.
#include "callfailure.h"
#include "dataeditor_p.h"
#include "dataeditorrules.h"
#include "latebinding.h"
#include "twips.h"

#include <QLayout>

void LateBoundSite::AcceptEdit()
{
    if (m_object)
        Velt::invokeByName(m_object, "AcceptEdit");
}

void LateBoundSite::CancelEdit()
{
    if (m_object)
        Velt::invokeByName(m_object, "CancelEdit");
}

int32_t LateBoundSite::hWnd()
{
    const std::optional<QVariant> value = m_object ? Velt::callByName(m_object, "hWnd") : std::nullopt;
    return value ? value->toInt() : 0;
}

DataEditorFacet::DataEditorFacet(DataEditor* editor) : QObject(editor), q(editor)
{
    setObjectName(QStringLiteral("XCDialogDataEditing"));
}

DataEditorFacet::~DataEditorFacet() = default;

void DataEditorFacet::GetRecommendedSize(int32_t& Height, int32_t& Width)
{
    DataEditor::Private& d = *q->d;
    if (QLayout* layout = q->layout())
        layout->activate();
    const Velt::DataEditSession& s = d.session;
    Velt::DataEditorRules::SizeInput input;
    input.minimumWidth = d.minimumWidth;
    input.reserveWidth = d.reserveWidth;
    input.reserveHeight = d.reserveHeight;
    input.editAreaLeft = q->Left();
    input.editAreaTop = q->Top();
    input.optionsShown = !s.plainData()
        && Velt::DataEditorRules::optionsShown(s.designTime(), s.referenceEditable(),
                                               s.defaultParameterHandle() != 0);
    input.upperFrameHeight = input.optionsShown ? d.upperFrameHeight(q) : 0;
    const std::optional<Velt::DataEditorRules::RecommendedSize> size =
        Velt::DataEditorRules::recommendedSize(input);
    if (!size) {
        Velt::reportCallFailed(this, QStringLiteral("Overflow"));
        return;
    }
    Height = size->height;
    Width = size->width;
}

QObject* DataEditorFacet::objectOf(XCDialogDataEditorSite* site) const
{
    // A site that is a QObject is watched, so that a destroyed site is never called.
    return dynamic_cast<QObject*>(site);
}

XCDialogDataEditorSite* DataEditorFacet::siteFor(QObject* object)
{
    if (!object)
        return nullptr;
    if (auto* site = qobject_cast<XCDialogDataEditorSite*>(object))
        return site;
    // The site of the edit about to be cancelled may be the previous adapter: keep it alive.
    m_previousLateSite = std::move(m_lateSite);
    m_lateSite = std::make_unique<LateBoundSite>(object);
    return m_lateSite.get();
}

void DataEditorFacet::EditData(XCDialogDataEditorSite* EditorSite, int32_t DataHandle,
                               int32_t DefaultDataHandle, bool DesignTime, bool ReadOnly)
{
    q->d->session.editData(EditorSite, objectOf(EditorSite), DataHandle, DefaultDataHandle,
                           DesignTime, ReadOnly);
}

void DataEditorFacet::EditParameter(XCDialogDataEditorSite* EditorSite, int32_t ParameterHandle,
                                    int32_t DefaultParameterHandle, int32_t LocalsParmBlockHandle,
                                    bool DesignTime, bool OutputDefinition, bool ReadOnly)
{
    q->d->session.editParameter(EditorSite, objectOf(EditorSite), ParameterHandle,
                                DefaultParameterHandle, LocalsParmBlockHandle, DesignTime,
                                OutputDefinition, ReadOnly);
}

void DataEditorFacet::EditSymbol(XCDialogDataEditorSite* EditorSite, int32_t SymbolHandle,
                                 bool DesignTime, bool ReadOnly)
{
    q->d->session.editSymbol(EditorSite, objectOf(EditorSite), SymbolHandle, DesignTime, ReadOnly);
}

void DataEditorFacet::AcceptEdit() { q->d->session.acceptEdit(); }
void DataEditorFacet::CancelEdit() { q->d->session.cancelEdit(); }
void DataEditorFacet::Refresh() { q->d->view.layoutChanged(); }

QVariantMap DataEditorFacet::GetRecommendedSize()
{
    int32_t height = 0;
    int32_t width = 0;
    GetRecommendedSize(height, width);
    return {{QStringLiteral("Height"), height}, {QStringLiteral("Width"), width},
            {QStringLiteral("result"), QVariant()}};
}

void DataEditorFacet::EditData(QObject* EditorSite, int DataHandle, int DefaultDataHandle,
                               bool DesignTime, bool ReadOnly)
{
    q->d->session.editData(siteFor(EditorSite), EditorSite, DataHandle, DefaultDataHandle,
                           DesignTime, ReadOnly);
}

void DataEditorFacet::EditParameter(QObject* EditorSite, int ParameterHandle,
                                    int DefaultParameterHandle, int LocalsParmBlockHandle,
                                    bool DesignTime, bool OutputDefinition, bool ReadOnly)
{
    q->d->session.editParameter(siteFor(EditorSite), EditorSite, ParameterHandle,
                                DefaultParameterHandle, LocalsParmBlockHandle, DesignTime,
                                OutputDefinition, ReadOnly);
}

void DataEditorFacet::EditSymbol(QObject* EditorSite, int SymbolHandle, bool DesignTime,
                                 bool ReadOnly)
{
    q->d->session.editSymbol(siteFor(EditorSite), EditorSite, SymbolHandle, DesignTime, ReadOnly);
}
