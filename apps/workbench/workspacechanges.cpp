#include "workspacechanges.h"

namespace Workbench {

WorkspaceChanges::Ages WorkspaceChanges::currentAges()
{
    Ages ages;
    const int32_t tables = QuenTableRegGetSize();
    for (int32_t i = 1; i <= tables; ++i) {
        const QuenHandle table = QuenTableRegGetTable(i);
        ages.append({table, QuenPbDefGetAge(table)});
    }
    const int32_t blocks = QuenWorkspaceGetPbDefCount();
    for (int32_t i = 1; i <= blocks; ++i) {
        const QuenHandle block = QuenWorkspaceGetPbDef(i);
        ages.append({block, QuenPbDefGetAge(block)});
    }
    return ages;
}

void WorkspaceChanges::markSaved()
{
    m_saved = currentAges();
}

bool WorkspaceChanges::isModified() const
{
    return currentAges() != m_saved;
}

} // namespace Workbench
