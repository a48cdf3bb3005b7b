// Parameter blocks: the definitions (QuenPbDef...), the value blocks made from them and the
// symbol tables (QuenPb..., QuenTable...) are all one Block object: an ordered list of
// parameters it owns, a description, a name, an age and a reference count. Parameter names are
// unique in a block without regard to case.
#include "block_p.h"
#include "tables_p.h"

namespace quen {
namespace {

void touched(const Block& block) { Store::instance().touch(block.self); }

std::string sizeText(const Block& block) { return std::to_string(block.parms.size()); }

// The parameter at a 1-based position, or null with an error.
Parm* parmAt(const Block& block, int32_t position, const char* function)
{
    if (position < 1 || std::size_t(position) > block.parms.size()) {
        raise(QUEN_ERR_OUT_OF_RANGE, function,
              "position " + std::to_string(position) + " is outside 1 to " + sizeText(block));
        return nullptr;
    }
    return lookup<Parm>(block.parms[std::size_t(position) - 1]);
}

QuenBool addRef(QuenHandle h, const char* function)
{
    auto* block = resolveAs<Block>(h, function);
    if (!block)
        return QUEN_FALSE;
    if (block->refs == INT32_MAX) {
        raise(QUEN_ERR_OVERFLOW, function, "too many references to the block");
        return QUEN_FALSE;
    }
    ++block->refs;
    return QUEN_TRUE;
}

QuenBool release(QuenHandle h, const char* function)
{
    auto* block = resolveAs<Block>(h, function);
    if (!block)
        return QUEN_FALSE;
    if (--block->refs <= 0)
        destroyBlock(h);
    return QUEN_TRUE;
}

} // namespace

QuenHandle newBlock(const std::string& name)
{
    const QuenHandle desc = newDesc({});
    if (!desc)
        return 0;
    auto block = std::make_unique<Block>();
    block->name = name;
    block->desc = desc;
    const QuenHandle h = Store::instance().add(std::move(block));
    if (!h) {
        destroyDesc(desc);
        return 0;
    }
    Store::instance().find(desc)->owner = h;
    return h;
}

void destroyBlock(QuenHandle handle)
{
    const auto* block = lookup<Block>(handle);
    if (!block)
        return;
    for (const QuenHandle parm : block->parms)
        destroyParm(parm);
    destroyDesc(block->desc);
    Store::instance().remove(handle);
}

const std::string& nameOfParm(QuenHandle h)
{
    static const std::string none;
    const auto* parm = lookup<Parm>(h);
    return parm ? parm->name : none;
}

QuenHandle findParm(const Block& block, std::string_view name) { return block.names.find(name); }

int32_t findParmIndex(const Block& block, std::string_view name)
{
    const QuenHandle h = block.names.find(name);
    const auto* parm = lookup<Parm>(h);
    if (!parm)
        return -1;
    if (parm->position >= block.parms.size() || block.parms[parm->position] != h) {
        // An insertion or removal in front of it moved it: number the list again, once for the
        // finds that follow (the insertion shifted the list anyway).
        for (std::size_t i = 0; i < block.parms.size(); ++i) {
            if (auto* p = lookup<Parm>(block.parms[i]))
                p->position = i;
        }
    }
    return int32_t(parm->position);
}

bool appendParm(Block& block, Parm& parm)
{
    if (!block.names.add(parm.name, parm.self))
        return false;
    parm.position = block.parms.size();
    parm.owner = block.self;
    block.parms.push_back(parm.self);
    return true;
}

bool attachParm(Block& block, QuenHandle h, std::size_t index, const char* function)
{
    auto* parm = resolveAs<Parm>(h, function);
    if (!parm)
        return false;
    if (parm->owner) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function,
              "parameter '" + parm->name + "' already belongs to parameter block "
                      + std::to_string(parm->owner) + "; add a copy (QuenParmCopy)");
        return false;
    }
    if (block.parms.size() >= std::size_t(INT32_MAX)) {
        raise(QUEN_ERR_OVERFLOW, function, "the block is full");
        return false;
    }
    if (!block.names.add(parm->name, h)) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function,
              "the block already has a parameter named '" + parm->name + "'");
        return false;
    }
    block.parms.insert(block.parms.begin() + std::ptrdiff_t(index), h);
    parm->position = index;
    parm->owner = block.self;
    touched(block);
    return true;
}

Parm& detachParm(Block& block, std::size_t index)
{
    auto& parm = *lookup<Parm>(block.parms[index]);
    block.names.remove(parm.name, parm.self);
    block.parms.erase(block.parms.begin() + std::ptrdiff_t(index));
    parm.owner = 0;
    touched(block);
    return parm;
}

bool renameParm(Parm& parm, std::string name, const char* function)
{
    if (auto* block = lookup<Block>(parm.owner); block && !block->names.rename(parm.name, name, parm.self)) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function, "the block already has a parameter named '" + name + "'");
        return false;
    }
    if (parm.name != name) {
        parm.name = std::move(name);
        Store::instance().touch(parm.self);
    }
    return true;
}

const char* blockName(QuenHandle h, const char* function)
{
    const auto* block = resolveAs<Block>(h, function);
    return block ? block->name.c_str() : "";
}

bool renameBlock(QuenHandle h, const char* name, const char* function)
{
    auto* block = resolveAs<Block>(h, function);
    if (!block)
        return false;
    std::string text = textArg(name);
    if (block->name == text)
        return true;
    if (block->registered && !renameRegisteredTable(*block, text, function))
        return false;
    block->name = std::move(text);
    touched(*block);
    return true;
}

} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenPbDefCreate() { return newBlock({}); }
QuenBool QuenPbDefAddRef(QuenHandle h) { return addRef(h, __func__); }
QuenBool QuenPbDefRelease(QuenHandle h) { return release(h, __func__); }

int32_t QuenPbDefGetSize(QuenHandle h)
{
    const auto* block = resolveAs<Block>(h, __func__);
    return block ? int32_t(block->parms.size()) : 0;
}

QuenHandle QuenPbDefGetParm(QuenHandle h, int32_t position)
{
    const auto* block = resolveAs<Block>(h, __func__);
    const Parm* parm = block ? parmAt(*block, position, __func__) : nullptr;
    return parm ? parm->self : 0;
}

QuenHandle QuenPbDefFindParm(QuenHandle h, const char* name)
{
    const auto* block = resolveAs<Block>(h, __func__);
    return block ? findParm(*block, textArg(name)) : 0;
}

int32_t QuenPbDefFindId(QuenHandle h, const char* name)
{
    const auto* block = resolveAs<Block>(h, __func__);
    return block ? findParmIndex(*block, textArg(name)) + 1 : 0;
}

QuenBool QuenPbDefAddParm(QuenHandle h, QuenHandle parm)
{
    auto* block = resolveAs<Block>(h, __func__);
    return toBool(block && attachParm(*block, parm, block->parms.size(), __func__));
}

QuenBool QuenPbDefInsertParmAt(QuenHandle h, QuenHandle parm, int32_t position)
{
    auto* block = resolveAs<Block>(h, __func__);
    if (!block)
        return QUEN_FALSE;
    if (position < 1 || std::size_t(position) > block->parms.size() + 1) {
        raise(QUEN_ERR_OUT_OF_RANGE, __func__,
              "position " + std::to_string(position) + " is outside 1 to "
                      + std::to_string(block->parms.size() + 1));
        return QUEN_FALSE;
    }
    return toBool(attachParm(*block, parm, std::size_t(position) - 1, __func__));
}

QuenHandle QuenPbDefRemoveParmId(QuenHandle h, int32_t position)
{
    auto* block = resolveAs<Block>(h, __func__);
    if (!block || !parmAt(*block, position, __func__))
        return 0;
    return detachParm(*block, std::size_t(position) - 1).self;
}

QuenBool QuenPbDefReleaseParm(QuenHandle h, const char* name)
{
    auto* block = resolveAs<Block>(h, __func__);
    if (!block)
        return QUEN_FALSE;
    const std::string text = textArg(name);
    const int32_t i = findParmIndex(*block, text);
    if (i < 0) {
        raise(QUEN_ERR_NOT_FOUND, __func__, "the block has no parameter named '" + text + "'");
        return QUEN_FALSE;
    }
    destroyParm(detachParm(*block, std::size_t(i)).self);
    return QUEN_TRUE;
}

QuenHandle QuenPbDefGetDesc(QuenHandle h)
{
    const auto* block = resolveAs<Block>(h, __func__);
    return block ? block->desc : 0;
}

int32_t QuenPbDefGetAge(QuenHandle h)
{
    const auto* block = resolveAs<Block>(h, __func__);
    return block ? block->age : 0;
}

const char* QuenPbDefGetName(QuenHandle h) { return blockName(h, __func__); }

QuenBool QuenPbDefSetName(QuenHandle h, const char* name) { return toBool(renameBlock(h, name, __func__)); }

QuenHandle QuenPbDefCreateParameterBlock(QuenHandle h)
{
    const auto* definition = resolveAs<Block>(h, __func__);
    if (!definition)
        return 0;
    const QuenHandle copy = newBlock(definition->name);
    if (!copy)
        return 0;
    auto* block = lookup<Block>(copy);
    block->bound = true;
    if (const auto* desc = lookup<Desc>(definition->desc)) {
        auto* own = lookup<Desc>(block->desc);
        own->text = desc->text;
        own->keywords = desc->keywords;
    }
    block->parms.reserve(definition->parms.size());
    block->names.reserve(definition->parms.size());
    for (const QuenHandle ph : definition->parms) {
        const auto* parm = lookup<Parm>(ph);
        const QuenHandle pc = parm ? copyParm(*parm) : 0;
        if (!pc || !appendParm(*block, *lookup<Parm>(pc))) {
            destroyParm(pc);
            destroyBlock(copy);
            return 0;
        }
    }
    return copy;
}

QuenBool QuenPbAddRef(QuenHandle h) { return addRef(h, __func__); }
QuenBool QuenPbRelease(QuenHandle h) { return release(h, __func__); }

int32_t QuenPbGetSize(QuenHandle h)
{
    const auto* block = resolveAs<Block>(h, __func__);
    return block ? int32_t(block->parms.size()) : 0;
}

const char* QuenPbGetParmName(QuenHandle h, int32_t position)
{
    const auto* block = resolveAs<Block>(h, __func__);
    const Parm* parm = block ? parmAt(*block, position, __func__) : nullptr;
    return parm ? parm->name.c_str() : "";
}

const char* QuenPbGetParmType(QuenHandle h, int32_t position)
{
    const auto* block = resolveAs<Block>(h, __func__);
    const Parm* parm = block ? parmAt(*block, position, __func__) : nullptr;
    return parm ? parmType(*parm) : "";
}

QuenBool QuenPbIsBoundPb(QuenHandle h)
{
    const auto* block = resolveAs<Block>(h, __func__);
    return toBool(block && block->bound);
}

} // extern "C"
