// WorkspaceChanges: tells whether the workspace in the core changed since it was loaded or
// saved. Every change to a block (a symbol table or a parameter block definition), to one of
// its parameters or to their values ages the block in the core, so the tracker notes the age
// of each table and block at markSaved() and compares. Widget-free; holds handles and ages only.
#pragma once

#include "quen/quencore.h"

#include <QList>
#include <utility>

namespace Workbench {

class WorkspaceChanges
{
public:
    // The workspace as it is now counts as saved.
    void markSaved();
    // True when a table or block changed, or tables or blocks came or went, since markSaved().
    bool isModified() const;

private:
    using Ages = QList<std::pair<QuenHandle, int32_t>>;
    static Ages currentAges();
    Ages m_saved;
};

} // namespace Workbench
