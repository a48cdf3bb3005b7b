// Parameters: a name, a description, a value (a data item the parameter owns) or a reference to
// a symbol of a table, and the output, hidden and editability flags. Every change ages the
// block that owns the parameter.
#include "block_p.h"

namespace quen {
namespace {

void touched(const Parm& parm) { Store::instance().touch(parm.self); }

std::string describe(const Parm& parm) { return "parameter '" + parm.name + "'"; }

QuenBool setFlag(QuenHandle h, bool Parm::*flag, bool on, const char* function)
{
    auto* parm = resolveAs<Parm>(h, function);
    if (!parm)
        return QUEN_FALSE;
    if (parm->*flag != on) {
        parm->*flag = on;
        touched(*parm);
    }
    return QUEN_TRUE;
}

QuenBool getFlag(QuenHandle h, bool Parm::*flag, const char* function)
{
    const auto* parm = resolveAs<Parm>(h, function);
    return toBool(parm && parm->*flag);
}

} // namespace

const char* parmType(const Parm& parm)
{
    if (const auto* data = lookup<DataItem>(parm.data))
        return className(data->cls);
    return parm.typeName.c_str();
}

QuenHandle newParm(const std::string& name)
{
    const QuenHandle desc = newDesc({});
    if (!desc)
        return 0;
    auto parm = std::make_unique<Parm>();
    parm->name = name;
    parm->desc = desc;
    const QuenHandle h = Store::instance().add(std::move(parm));
    if (!h) {
        destroyDesc(desc);
        return 0;
    }
    Store::instance().find(desc)->owner = h;
    return h;
}

QuenHandle copyParm(const Parm& from)
{
    // Objects never move in the table, so `from` and `parm` stay valid while copies are added.
    const QuenHandle h = newParm(from.name);
    if (!h)
        return 0;
    auto* parm = lookup<Parm>(h);
    parm->typeName = from.typeName;
    parm->output = from.output;
    parm->reference = from.reference;
    parm->refName = from.refName;
    parm->refTable = from.refTable;
    parm->hidden = from.hidden;
    parm->developmentEditable = from.developmentEditable;
    parm->referenceEditable = from.referenceEditable;
    if (const auto* desc = lookup<Desc>(from.desc)) {
        auto* own = lookup<Desc>(parm->desc);
        own->text = desc->text;
        own->keywords = desc->keywords;
    }
    if (const auto* data = lookup<DataItem>(from.data)) {
        const QuenHandle copy = copyData(*data, true);
        if (!copy) {
            destroyParm(h);
            return 0;
        }
        Store::instance().find(copy)->owner = h;
        parm->data = copy;
    }
    return h;
}

void destroyParm(QuenHandle handle)
{
    const auto* parm = lookup<Parm>(handle);
    if (!parm)
        return;
    destroyData(parm->data);
    destroyDesc(parm->desc);
    Store::instance().remove(handle);
}

} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenParmCreate(const char* name, const char* className)
{
    const std::string cls = textArg(className);
    const auto dataClass = classFromName(cls);
    if (!dataClass) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "\"" + cls + "\" is not a data class");
        return 0;
    }
    const QuenHandle h = newParm(textArg(name));
    if (!h)
        return 0;
    const QuenHandle data = newData(*dataClass);
    if (!data) {
        destroyParm(h);
        return 0;
    }
    Store::instance().find(data)->owner = h;
    auto* parm = lookup<Parm>(h);
    parm->data = data;
    parm->typeName = cls;
    return h;
}

QuenHandle QuenParmCopy(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    return parm ? copyParm(*parm) : 0;
}

QuenBool QuenParmRelease(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    if (!parm)
        return QUEN_FALSE;
    if (parm->owner) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__,
              describe(*parm) + " belongs to parameter block " + std::to_string(parm->owner)
                      + "; remove it from the block first (QuenPbDefRemoveParmId)");
        return QUEN_FALSE;
    }
    destroyParm(h);
    return QUEN_TRUE;
}

const char* QuenParmGetName(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    return parm ? parm->name.c_str() : "";
}

QuenBool QuenParmSetName(QuenHandle h, const char* name)
{
    auto* parm = resolveAs<Parm>(h, __func__);
    return toBool(parm && renameParm(*parm, textArg(name), __func__));
}

QuenHandle QuenParmGetDesc(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    return parm ? parm->desc : 0;
}

const char* QuenParmGetType(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    return parm ? parmType(*parm) : "";
}

QuenHandle QuenParmGetData(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    if (!parm)
        return 0;
    if (!parm->data) {
        raise(QUEN_ERR_NO_DATA, __func__,
              describe(*parm) + (parm->reference ? " is a reference and has no value of its own"
                                                 : " has no value"));
    }
    return parm->data;
}

QuenBool QuenParmSetData(QuenHandle h, QuenHandle data)
{
    auto* parm = resolveAs<Parm>(h, __func__);
    if (!parm)
        return QUEN_FALSE;
    auto* item = resolveAs<DataItem>(data, __func__);
    if (!item)
        return QUEN_FALSE;
    if (data == parm->data)
        return QUEN_TRUE;
    if (item->owner) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__,
              "data item " + std::to_string(data) + " already belongs to object "
                      + std::to_string(item->owner) + "; give the parameter a copy");
        return QUEN_FALSE;
    }
    const QuenHandle previous = parm->data;
    item->owner = h;
    parm->data = data;
    parm->typeName = className(item->cls);
    parm->reference = false;
    parm->refName.clear();
    parm->refTable.clear();
    destroyData(previous);
    touched(*parm);
    return QUEN_TRUE;
}

QuenBool QuenParmIsOutput(QuenHandle h) { return getFlag(h, &Parm::output, __func__); }
QuenBool QuenParmSetOutput(QuenHandle h) { return setFlag(h, &Parm::output, true, __func__); }
QuenBool QuenParmClearOutput(QuenHandle h) { return setFlag(h, &Parm::output, false, __func__); }
QuenBool QuenParmIsReference(QuenHandle h) { return getFlag(h, &Parm::reference, __func__); }

QuenBool QuenParmSetReference(QuenHandle h, const char* symbol, int32_t symbolLength,
                              const char* table, int32_t tableLength)
{
    auto* parm = resolveAs<Parm>(h, __func__);
    if (!parm)
        return QUEN_FALSE;
    // The value item is handed to the caller, not released: an editor that was showing it
    // releases it when the edit ends (QuenParmGetData gave it the handle).
    if (auto* item = lookup<DataItem>(parm->data)) {
        parm->typeName = className(item->cls);
        item->owner = 0;
    }
    parm->data = 0;
    parm->reference = true;
    parm->refName = textArg(symbol, symbolLength);
    parm->refTable = textArg(table, tableLength);
    touched(*parm);
    return QUEN_TRUE;
}

const char* QuenParmGetRefName(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    return parm ? parm->refName.c_str() : "";
}

const char* QuenParmGetRefTableName(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    return parm ? parm->refTable.c_str() : "";
}

QuenBool QuenParmIsReferenceEditable(QuenHandle h)
{
    return getFlag(h, &Parm::referenceEditable, __func__);
}

QuenBool QuenParmSetReferenceEditable(QuenHandle h, QuenBool editable)
{
    return setFlag(h, &Parm::referenceEditable, editable != 0, __func__);
}

QuenBool QuenParmIsHidden(QuenHandle h) { return getFlag(h, &Parm::hidden, __func__); }

QuenBool QuenParmSetHidden(QuenHandle h, QuenBool hidden)
{
    return setFlag(h, &Parm::hidden, hidden != 0, __func__);
}

QuenBool QuenParmIsDevelopmentEditable(QuenHandle h)
{
    return getFlag(h, &Parm::developmentEditable, __func__);
}

QuenBool QuenParmSetDevelopmentEditable(QuenHandle h, QuenBool editable)
{
    return setFlag(h, &Parm::developmentEditable, editable != 0, __func__);
}

QuenHandle QuenParmGetOwner(QuenHandle h)
{
    const auto* parm = resolveAs<Parm>(h, __func__);
    return parm ? parm->owner : 0;
}

} // extern "C"
