#include "editorhost.h"

#include "limitseditor.h"
#include "parmblockeditor.h"
#include "qtstrings.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace Workbench {

EditorHost::EditorHost(QWidget* parent)
    : QWidget(parent),
      m_stack(new QStackedWidget(this)),
      m_startPage(new QLabel(tr("Select a symbol table or a parameter block in the workspace "
                                "to edit its parameters."),
                             m_stack)),
      m_editorPage(new QWidget(m_stack)),
      m_heading(new QLabel(m_editorPage)),
      m_editor(new ParmBlockEditor(m_editorPage)),
      m_limitsPage(new QWidget(m_stack)),
      m_limitsHeading(new QLabel(m_limitsPage)),
      m_limits(new LimitsEditor(m_limitsPage))
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
    m_editor->setObjectName(QStringLiteral("ParmBlockEditor"));
    m_editor->list()->setAlternatingRowColors(true);
    // Narrow enough that Value shows beside Name and Data Type in the default window.
    m_editor->setColumnWidth(0, 150);
    m_editor->setColumnWidth(1, 170);
    m_editor->setColumnWidth(2, 110);

    auto* pageLayout = new QVBoxLayout(m_editorPage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(6);
    pageLayout->addWidget(m_heading);
    pageLayout->addWidget(m_editor, 1);
    m_limits->setObjectName(QStringLiteral("LimitsEditor"));
    m_limitsHeading->setObjectName(QStringLiteral("LimitsHeading"));
    m_limitsHeading->setFont(headingFont);
    auto* limitsLayout = new QVBoxLayout(m_limitsPage);
    limitsLayout->setContentsMargins(0, 0, 0, 0);
    limitsLayout->setSpacing(6);
    limitsLayout->addWidget(m_limitsHeading);
    limitsLayout->addWidget(m_limits, 1);
    m_stack->addWidget(m_startPage);
    m_stack->addWidget(m_editorPage);
    m_stack->addWidget(m_limitsPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_stack);
    setFocusProxy(m_editor->list());
}

EditorHost::~EditorHost()
{
    m_editor->EditSymbolTable(0);
    m_limits->EditTestLimits(0);
    for (const QuenHandle actual : std::as_const(m_actualBlocks))
        QuenPbDefRelease(actual);
}

QuenHandle EditorHost::actualBlock(QuenHandle definition)
{
    QuenHandle& actual = m_actualBlocks[definition];
    if (!actual)
        actual = QuenPbDefCreate();
    return actual;
}

void EditorHost::showBlock(QuenHandle block, Kind kind, const QString& heading)
{
    m_heading->setText(heading);
    m_stack->setCurrentWidget(block ? m_editorPage : m_startPage);
    if (block == m_block && kind == m_kind && m_editor->Handle())
        return;
    if (m_kind == Kind::TestLimits)
        m_limits->EditTestLimits(0);
    m_block = block;
    m_kind = kind;
    switch (kind) {
    case Kind::Table:
        m_editor->EditSymbolTable(int(block), true);
        break;
    case Kind::Definition:
        m_editor->EditParameterBlockDefinition(int(block));
        break;
    case Kind::ActionCall:
        m_editor->EditActionCall(block ? int(actualBlock(block)) : 0, int(block));
        break;
    case Kind::TestLimits: // shown by showLimits
        break;
    }
}

void EditorHost::selectParameter(QuenHandle parm)
{
    const QuenHandle source = m_kind == Kind::ActionCall ? m_block : QuenHandle(m_editor->Handle());
    if (!parm || !source)
        return;
    const int32_t position = QuenPbDefFindId(source, QuenParmGetName(parm));
    QuenExcRegClearError(0);
    if (position > 0 && m_editor->currentParameter() != int(parm))
        m_editor->SetParameterSelect(position, true);
}

void EditorHost::refresh()
{
    m_editor->Refresh();
    m_limits->list()->Refresh();
}

void EditorHost::showLimits(QuenHandle test, const QString& heading)
{
    m_limitsHeading->setText(heading);
    m_stack->setCurrentWidget(m_limitsPage);
    if (m_kind == Kind::TestLimits && m_block == test)
        return;
    m_kind = Kind::TestLimits;
    m_block = test;
    m_limits->EditTestLimits(int(test));
}

bool EditorHost::validate(QuenHandle pills)
{
    bool added = false;
    switch (m_kind) {
    case Kind::Table:
        return m_editor->ValidateSymbolTable(m_editor->Handle(), int(pills), &added);
    case Kind::Definition:
        return m_editor->ValidateParameterBlockDefinition(m_editor->Handle(), int(pills), &added);
    case Kind::ActionCall:
        return m_editor->ValidateActionCall(m_editor->Handle(), m_editor->DefaultHandle(), int(pills), &added);
    case Kind::TestLimits:
        return m_limits->ValidateParameterBlock(m_limits->Handle(), int(pills), &added);
    }
    return true;
}

void EditorHost::showProblem(QuenHandle pill)
{
    if (!QuenPillAddRef(pill)) // ShowProblem takes over a handle of its own
        return;
    if (m_kind == Kind::TestLimits)
        m_limits->ShowProblem(int(pill));
    else
        m_editor->ShowProblem(int(pill));
}

} // namespace Workbench
