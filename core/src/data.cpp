// Data items in general: the sixteen classes, creation, copies, release, the named properties
// an item owns (each a data item of its own whose owner is the item) and the runtime marks.
#include "data_p.h"

#include <array>
#include <cstdio>

namespace quen {
namespace {

constexpr std::array<const char*, kDataClassCount> kClassNames {
    "CQuenInt32",       "CQuenReal64",       "CQuenString",        "CQuenComplex",
    "CQuenPoint",       "CQuenRange",        "CQuenInst",          "CQuenInt32Array",
    "CQuenReal64Array", "CQuenStringArray",  "CQuenPointArray",    "CQuenRangeArray",
    "CQuenWaveform",    "CQuenSwitchPath",   "CQuenObjectReference", "CQuenObjectLifetime",
};

ArrayValue emptyArray(DataClass cls)
{
    ArrayValue a;
    a.maxSize = defaultArrayMaxSize();
    switch (cls) {
    case DataClass::Real64Array: a.elements = std::vector<double>(); break;
    case DataClass::StringArray: a.elements = std::vector<std::string>(); break;
    case DataClass::PointArray: a.elements = std::vector<PointValue>(); break;
    case DataClass::RangeArray: a.elements = std::vector<RangeValue>(); break;
    default: a.elements = std::vector<int32_t>(); break;
    }
    return a;
}

int32_t g_defaultArrayMaxSize = kArrayMaxSizeLimit;

std::string describe(QuenHandle h) { return "data item " + std::to_string(h); }

// Releases the item and, first, every property item it owns (properties may have properties).
void destroyTree(QuenHandle h)
{
    auto* item = static_cast<DataItem*>(Store::instance().find(h));
    if (!item || item->kind != Kind::Data)
        return;
    for (const auto& property : item->properties)
        destroyTree(property.second);
    Store::instance().remove(h);
}

DataItem* findProperty(const DataItem& item, std::string_view name, std::size_t* position = nullptr)
{
    for (std::size_t i = 0; i < item.properties.size(); ++i) {
        if (item.properties[i].first == name) {
            if (position)
                *position = i;
            return static_cast<DataItem*>(Store::instance().find(item.properties[i].second));
        }
    }
    return nullptr;
}

bool checkPropertyName(const char* name, const char* function)
{
    if (!name || !*name) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function, "no property name given");
        return false;
    }
    return true;
}

QuenBool setMark(QuenHandle h, bool DataItem::*mark, bool on, const char* function)
{
    auto* item = resolveAs<DataItem>(h, function);
    if (!item)
        return QUEN_FALSE;
    if (item->*mark != on) {
        item->*mark = on;
        touched(*item);
    }
    return QUEN_TRUE;
}

QuenBool isMarked(QuenHandle h, bool DataItem::*mark, const char* function)
{
    auto* item = resolveAs<DataItem>(h, function);
    return toBool(item && item->*mark);
}

} // namespace

const char* className(DataClass cls)
{
    const auto i = std::size_t(cls);
    return i < kClassNames.size() ? kClassNames[i] : "";
}

std::optional<DataClass> classFromName(std::string_view name)
{
    for (std::size_t i = 0; i < kClassNames.size(); ++i) {
        if (name == kClassNames[i])
            return DataClass(i);
    }
    return std::nullopt;
}

Value defaultValue(DataClass cls)
{
    switch (cls) {
    case DataClass::Int32: return int32_t(0);
    case DataClass::Real64: return 0.0;
    case DataClass::String: return std::string();
    case DataClass::Complex: return ComplexValue {};
    case DataClass::Point: return PointValue {};
    case DataClass::Range: return RangeValue {};
    case DataClass::Inst: return InstValue {};
    case DataClass::Int32Array:
    case DataClass::Real64Array:
    case DataClass::StringArray:
    case DataClass::PointArray:
    case DataClass::RangeArray: return emptyArray(cls);
    case DataClass::Waveform: return WaveformValue {};
    case DataClass::SwitchPath: return SwitchPathValue {};
    case DataClass::ObjectReference: return ObjectReferenceValue {};
    case DataClass::ObjectLifetime: return ObjectLifetimeValue {};
    }
    return int32_t(0);
}

int32_t defaultArrayMaxSize() { return g_defaultArrayMaxSize; }

bool setDefaultArrayMaxSize(int32_t maxSize)
{
    if (maxSize < 1 || maxSize > kArrayMaxSizeLimit)
        return false;
    g_defaultArrayMaxSize = maxSize;
    return true;
}

bool isArrayClass(DataClass cls)
{
    return cls >= DataClass::Int32Array && cls <= DataClass::RangeArray;
}

DataItem* resolveData(QuenHandle h, DataClass cls, const char* function)
{
    auto* item = resolveAs<DataItem>(h, function);
    if (item && item->cls != cls) {
        raise(QUEN_ERR_WRONG_KIND, function,
              describe(h) + " is of class " + className(item->cls) + ", not " + className(cls));
        return nullptr;
    }
    return item;
}

DataItem* resolveArray(QuenHandle h, const char* function)
{
    auto* item = resolveAs<DataItem>(h, function);
    if (item && !isArrayClass(item->cls)) {
        raise(QUEN_ERR_WRONG_KIND, function,
              describe(h) + " is of class " + className(item->cls) + ", not an array class");
        return nullptr;
    }
    return item;
}

std::string realText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

QuenHandle newData(DataClass cls)
{
    return Store::instance().add(std::make_unique<DataItem>(cls));
}

QuenHandle newDesc(const std::string& text)
{
    auto desc = std::make_unique<Desc>();
    desc->text = text;
    return Store::instance().add(std::move(desc));
}

QuenHandle copyData(const DataItem& from, bool withProperties)
{
    auto copy = std::make_unique<DataItem>(from.cls);
    copy->value = from.value;
    copy->runtimeEvaluation = from.runtimeEvaluation;
    copy->runtimeScan = from.runtimeScan;
    // Adding objects may grow the table but never moves an object, so `from` stays valid.
    const QuenHandle h = Store::instance().add(std::move(copy));
    if (!h || !withProperties)
        return h;
    for (const auto& [name, ph] : from.properties) {
        auto* property = static_cast<DataItem*>(Store::instance().find(ph));
        if (!property || property->kind != Kind::Data)
            continue;
        const QuenHandle pc = copyData(*property, true);
        if (!pc) {
            destroyTree(h);
            return 0;
        }
        Store::instance().find(pc)->owner = h;
        static_cast<DataItem*>(Store::instance().find(h))->properties.emplace_back(name, pc);
    }
    return h;
}

void destroyData(QuenHandle handle) { destroyTree(handle); }

void destroyDesc(QuenHandle handle)
{
    if (Object* object = Store::instance().find(handle); object && object->kind == Kind::Desc)
        Store::instance().remove(handle);
}

} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenDataCreate(const char* name)
{
    const std::string text = textArg(name);
    const auto cls = classFromName(text);
    if (!cls) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "\"" + text + "\" is not a data class");
        return 0;
    }
    return newData(*cls);
}

QuenHandle QuenDataCopy(QuenHandle data)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    return item ? copyData(*item, false) : 0;
}

QuenHandle QuenDataExDeepCopy(QuenHandle data)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    return item ? copyData(*item, true) : 0;
}

QuenBool QuenDataRelease(QuenHandle data)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    if (!item)
        return QUEN_FALSE;
    if (item->owner) {
        const Object* owner = Store::instance().find(item->owner);
        const bool property = owner && owner->kind == Kind::Data;
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__,
              describe(data) + (property ? " is a property of " + describe(item->owner)
                                         : " belongs to parameter " + std::to_string(item->owner))
                      + "; its owner releases it");
        return QUEN_FALSE;
    }
    destroyTree(data);
    return QUEN_TRUE;
}

const char* QuenDataGetType(QuenHandle data)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    return item ? className(item->cls) : "";
}

QuenBool QuenDataIsValid(QuenHandle data)
{
    const Object* object = Store::instance().find(data);
    return toBool(object && object->kind == Kind::Data);
}

QuenHandle QuenDataExGetProperty(QuenHandle data, const char* name)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    if (!item || !checkPropertyName(name, __func__))
        return 0;
    const DataItem* property = findProperty(*item, name);
    return property ? property->self : 0;
}

QuenBool QuenDataExSetProperty(QuenHandle data, const char* name, QuenHandle value)
{
    auto* item = resolveAs<DataItem>(data, __func__);
    if (!item || !checkPropertyName(name, __func__))
        return QUEN_FALSE;
    QuenHandle copy = 0;
    if (value) {
        const auto* source = resolveAs<DataItem>(value, __func__);
        if (!source)
            return QUEN_FALSE;
        // Copy before the old property goes: value may be that very property.
        copy = copyData(*source, true);
        if (!copy)
            return QUEN_FALSE;
        Store::instance().find(copy)->owner = data;
    }
    std::size_t position = 0;
    if (findProperty(*item, name, &position)) {
        destroyTree(item->properties[position].second);
        if (copy)
            item->properties[position].second = copy;
        else
            item->properties.erase(item->properties.begin() + std::ptrdiff_t(position));
    } else if (copy) {
        item->properties.emplace_back(name, copy);
    } else {
        return QUEN_TRUE; // removing what is not there changes nothing
    }
    touched(*item);
    return QUEN_TRUE;
}

int32_t QuenDataExGetPropertyCount(QuenHandle data)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    return item ? int32_t(item->properties.size()) : 0;
}

const char* QuenDataExGetPropertyName(QuenHandle data, int32_t position)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    if (!item)
        return "";
    if (position < 1 || std::size_t(position) > item->properties.size()) {
        raise(QUEN_ERR_OUT_OF_RANGE, __func__,
              "position " + std::to_string(position) + " is outside 1 to "
                      + std::to_string(item->properties.size()));
        return "";
    }
    return item->properties[std::size_t(position) - 1].first.c_str();
}

QuenHandle QuenDataExGetLocalsParmBlock(QuenHandle data)
{
    const auto* item = resolveAs<DataItem>(data, __func__);
    if (!item)
        return 0;
    // Up through the items this one is a property of, to the parameter, then to its block.
    const Store& store = Store::instance();
    const Object* object = item;
    for (int hops = 0; object && object->kind == Kind::Data && hops < 64; ++hops)
        object = object->owner ? store.find(object->owner) : nullptr;
    if (!object || object->kind != Kind::Parm || !object->owner)
        return 0;
    const Object* block = store.find(object->owner);
    return block && block->kind == Kind::Block ? block->self : 0;
}

QuenBool QuenDataExSetRuntimeEvaluation(QuenHandle data)
{
    return setMark(data, &DataItem::runtimeEvaluation, true, __func__);
}

QuenBool QuenDataExClearRuntimeEvaluation(QuenHandle data)
{
    return setMark(data, &DataItem::runtimeEvaluation, false, __func__);
}

QuenBool QuenDataExIsRuntimeEvaluation(QuenHandle data)
{
    return isMarked(data, &DataItem::runtimeEvaluation, __func__);
}

QuenBool QuenDataExSetRuntimeScan(QuenHandle data)
{
    return setMark(data, &DataItem::runtimeScan, true, __func__);
}

QuenBool QuenDataExClearRuntimeScan(QuenHandle data)
{
    return setMark(data, &DataItem::runtimeScan, false, __func__);
}

QuenBool QuenDataExIsRuntimeScan(QuenHandle data)
{
    return isMarked(data, &DataItem::runtimeScan, __func__);
}

} // extern "C"
