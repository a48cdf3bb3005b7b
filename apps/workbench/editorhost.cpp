#include "editorhost.h"

#include "parameterlistmodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace Workbench {

EditorHost::EditorHost(QWidget* parent)
    : QWidget(parent),
      m_stack(new QStackedWidget(this)),
      m_startPage(new QLabel(tr("Select a symbol table or a parameter block in the workspace "
                                "to see its parameters."),
                             m_stack)),
      m_listPage(new QWidget(m_stack)),
      m_heading(new QLabel(m_listPage)),
      m_view(new QTableView(m_listPage)),
      m_model(new ParameterListModel(this))
{
    setObjectName(QStringLiteral("EditorHost"));
    auto* start = static_cast<QLabel*>(m_startPage);
    start->setAlignment(Qt::AlignCenter);
    start->setWordWrap(true);
    start->setForegroundRole(QPalette::PlaceholderText);

    m_heading->setObjectName(QStringLiteral("ParameterHeading"));
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.15);
    m_heading->setFont(headingFont);

    m_view->setObjectName(QStringLiteral("ParameterTable"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setTabKeyNavigation(false);
    m_view->verticalHeader()->setVisible(false);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    QHeaderView* header = m_view->horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(true);
    // Narrow enough that Value shows beside Name and Type in the default window.
    header->resizeSection(ParameterListModel::NameColumn, 130);
    header->resizeSection(ParameterListModel::TypeColumn, 120);
    header->resizeSection(ParameterListModel::ValueColumn, 200);
    connect(m_view, &QTableView::activated, this, [this](const QModelIndex& index) {
        if (const QuenHandle parm = m_model->parameter(index.row()))
            Q_EMIT parameterActivated(parm);
    });

    auto* listLayout = new QVBoxLayout(m_listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(6);
    listLayout->addWidget(m_heading);
    listLayout->addWidget(m_view, 1);

    m_stack->addWidget(m_startPage);
    m_stack->addWidget(m_listPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_stack);
    setFocusProxy(m_view);
}

void EditorHost::showParameters(QuenHandle block, const QString& heading)
{
    setEditor(nullptr);
    if (block != m_model->block())
        m_model->setBlock(block);
    m_heading->setText(heading);
    m_stack->setCurrentWidget(block ? m_listPage : m_startPage);
}

void EditorHost::selectParameter(QuenHandle parm)
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->parameter(row) == parm) {
            m_view->selectRow(row);
            m_view->scrollTo(m_model->index(row, 0));
            return;
        }
    }
    m_view->clearSelection();
}

void EditorHost::setEditor(QWidget* editor)
{
    if (m_editor == editor)
        return;
    if (m_editor) {
        m_stack->removeWidget(m_editor);
        m_editor->deleteLater();
    }
    m_editor = editor;
    if (m_editor) {
        m_stack->addWidget(m_editor);
        m_stack->setCurrentWidget(m_editor);
    } else {
        m_stack->setCurrentWidget(m_model->block() ? m_listPage : m_startPage);
    }
}

void EditorHost::refresh()
{
    m_model->reload();
}

QuenHandle EditorHost::block() const
{
    return m_model->block();
}

} // namespace Workbench
