// The table registry: the symbol tables a workspace offers, in order, each with its public
// flag. The registry holds one reference on each table.
#pragma once

#include "model_p.h"

#include <vector>

namespace quen {

struct RegisteredTable
{
    QuenHandle table = 0;
    bool isPublic = false;
};

// The registry's entries (the workspace swaps them in whole when a file has loaded).
std::vector<RegisteredTable>& tableRegistry();

// Releases the registry's reference on each table and empties it.
void clearTableRegistry();

} // namespace quen
