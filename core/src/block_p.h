// Helpers shared by the files that build and walk parameters and parameter blocks (the C API in
// parm.cpp and block.cpp, the JSON reader, the table registry and the runtime walk).
#pragma once

#include "model_p.h"

namespace quen {

// The class name a parameter reports: its data's class, or the kept type name without data.
const char* parmType(const Parm& parm);

// A new stand-alone parameter with its own empty description and no data (0 on failure).
QuenHandle newParm(const std::string& name);
// A new block with its own empty description and one reference (0 on failure).
QuenHandle newBlock(const std::string& name);

// The parameter named name (case-insensitive), or 0. Constant time on average: every path
// that changes a block's names or members keeps block.names in step through the calls below.
QuenHandle findParm(const Block& block, std::string_view name);
// The position (0-based) of the parameter named name (case-insensitive), or -1.
int32_t findParmIndex(const Block& block, std::string_view name);

// Puts the unowned parameter at index (0 to size) of the block and ages the block. Fails with
// an error naming function when the parameter has an owner or its name is taken.
bool attachParm(Block& block, QuenHandle parm, std::size_t index, const char* function);
// Appends an unowned parameter to a block under construction (a copy, a block being read),
// without aging it; false, changing nothing, when the name is taken.
bool appendParm(Block& block, Parm& parm);
// Takes the parameter at index (0 to size - 1) out of the block, which ages; the parameter
// then stands alone.
Parm& detachParm(Block& block, std::size_t index);
// Gives a parameter a new name, in its block's index too; false (with an error naming
// function) when another parameter of the block has it.
bool renameParm(Parm& parm, std::string name, const char* function);

// A block's name, and its renaming (which the table registry follows), for the functions of
// blocks and tables; errors name function.
const char* blockName(QuenHandle block, const char* function);
bool renameBlock(QuenHandle block, const char* name, const char* function);

// Object lookups that record no error.
template <typename T>
T* lookup(QuenHandle handle)
{
    Object* object = Store::instance().find(handle);
    return object && object->kind == T::staticKind ? static_cast<T*>(object) : nullptr;
}

} // namespace quen
