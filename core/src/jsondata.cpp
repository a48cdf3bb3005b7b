// The JSON form of data items: one object per item with its "class", the fields of its value,
// its "properties" (items of their own, each with a "name") and its runtime marks.
#include "json_p.h"

#include "block_p.h"
#include "data_p.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace quen::json {
namespace {

constexpr int kMaxPropertyDepth = 8; // properties of properties: deeper nesting is not data

// ---- writing ----------------------------------------------------------------------------

// JSON has no infinities or NaN: those are written as texts.
QJsonValue real(double d)
{
    if (std::isnan(d))
        return QStringLiteral("nan");
    if (std::isinf(d))
        return d > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return d;
}

QJsonValue text(const std::string& s) { return QString::fromStdString(s); }

QJsonObject point(const PointValue& p) { return { { QLatin1String("x"), real(p.x) }, { QLatin1String("y"), real(p.y) } }; }

QJsonObject range(const RangeValue& r)
{
    return { { QLatin1String("start"), real(r.start) }, { QLatin1String("stop"), real(r.stop) },
             { QLatin1String("points"), r.points } };
}

template <typename T, typename F>
QJsonArray list(const std::vector<T>& values, F convert)
{
    QJsonArray out;
    for (const T& v : values)
        out.append(convert(v));
    return out;
}

void writeArray(QJsonObject& o, const ArrayValue& a, const Options& options)
{
    QJsonArray bounds;
    for (int d = 0; d < a.dims && d < 3; ++d)
        bounds.append(QJsonArray { a.lower[std::size_t(d)], a.upper[std::size_t(d)] });
    o.insert(QLatin1String("bounds"), bounds);
    if (a.maxSize != 0 && a.maxSize != options.arrayMaxSize)
        o.insert(QLatin1String("maxSize"), a.maxSize);
    QJsonArray elements = std::visit(
            [](const auto& v) {
                using E = typename std::decay_t<decltype(v)>::value_type;
                if constexpr (std::is_same_v<E, int32_t>)
                    return list(v, [](int32_t i) { return QJsonValue(i); });
                else if constexpr (std::is_same_v<E, double>)
                    return list(v, real);
                else if constexpr (std::is_same_v<E, std::string>)
                    return list(v, text);
                else if constexpr (std::is_same_v<E, PointValue>)
                    return list(v, [](const PointValue& p) { return QJsonValue(point(p)); });
                else
                    return list(v, [](const RangeValue& r) { return QJsonValue(range(r)); });
            },
            a.elements);
    o.insert(QLatin1String("elements"), elements);
}

// ---- reading ----------------------------------------------------------------------------

const char* jsonType(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool: return "true or false";
    case QJsonValue::Double: return "a number";
    case QJsonValue::String: return "a text";
    case QJsonValue::Array: return "an array";
    case QJsonValue::Object: return "an object";
    default: return "null";
    }
}

QJsonValue need(const QJsonObject& o, const char* key, const std::string& place)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        throw ReadError(at(place, key), "missing");
    return v;
}

double readReal(const QJsonValue& v, const std::string& place)
{
    if (v.isDouble())
        return v.toDouble();
    if (v.isString()) {
        const QString s = v.toString();
        if (s == QLatin1String("inf"))
            return std::numeric_limits<double>::infinity();
        if (s == QLatin1String("-inf"))
            return -std::numeric_limits<double>::infinity();
        if (s == QLatin1String("nan"))
            return std::numeric_limits<double>::quiet_NaN();
    }
    throw ReadError(place, std::string("expected a number (or \"inf\", \"-inf\", \"nan\"), found ") + jsonType(v));
}

double readFinite(const QJsonValue& v, const std::string& place)
{
    const double d = readReal(v, place);
    if (!std::isfinite(d))
        throw ReadError(place, "expected a finite number");
    return d;
}

std::string readText(const QJsonValue& v, const std::string& place)
{
    if (!v.isString())
        throw ReadError(place, std::string("expected a text, found ") + jsonType(v));
    return v.toString().toStdString();
}

QJsonObject readObject(const QJsonValue& v, const std::string& place)
{
    if (!v.isObject())
        throw ReadError(place, std::string("expected an object, found ") + jsonType(v));
    return v.toObject();
}

QJsonArray readList(const QJsonValue& v, const std::string& place)
{
    if (!v.isArray())
        throw ReadError(place, std::string("expected an array, found ") + jsonType(v));
    return v.toArray();
}

PointValue readPoint(const QJsonValue& v, const std::string& place)
{
    const QJsonObject o = readObject(v, place);
    checkKeys(o, place, { "x", "y" });
    return { readReal(need(o, "x", place), at(place, "x")), readReal(need(o, "y", place), at(place, "y")) };
}

RangeValue readRange(const QJsonObject& o, const std::string& place)
{
    RangeValue r;
    r.start = readFinite(need(o, "start", place), at(place, "start"));
    r.stop = readFinite(need(o, "stop", place), at(place, "stop"));
    r.points = readInt(need(o, "points", place), at(place, "points"), 1, INT32_MAX);
    if (!std::isfinite(r.stop - r.start))
        throw ReadError(place, "the span exceeds the range of a real number");
    return r;
}

RangeValue readRangeElement(const QJsonValue& v, const std::string& place)
{
    const QJsonObject o = readObject(v, place);
    checkKeys(o, place, { "start", "stop", "points" });
    return readRange(o, place);
}

template <typename T, typename F>
std::vector<T> readElements(const QJsonArray& list, const std::string& place, F convert)
{
    std::vector<T> out;
    out.reserve(std::size_t(list.size()));
    qsizetype i = 0;
    try {
        // The element's place is spelled out only when it has a problem: arrays are long.
        for (; i < list.size(); ++i)
            out.push_back(convert(list[i], place));
    } catch (ReadError& error) {
        error.place.insert(place.size(), "[" + std::to_string(i) + "]");
        throw;
    }
    return out;
}

void readArray(const QJsonObject& o, const std::string& place, DataClass cls, ArrayValue& a,
               const Options& options)
{
    const std::string boundsPlace = at(place, "bounds");
    const QJsonArray bounds = readList(need(o, "bounds", place), boundsPlace);
    if (bounds.isEmpty() || bounds.size() > 3)
        throw ReadError(boundsPlace, "expected 1 to 3 dimensions, found " + std::to_string(bounds.size()));
    a.dims = int(bounds.size());
    int64_t count = 1;
    for (qsizetype d = 0; d < bounds.size(); ++d) {
        const std::string dimPlace = at(boundsPlace, d);
        const QJsonArray pair = readList(bounds[d], dimPlace);
        if (pair.size() != 2)
            throw ReadError(dimPlace, "expected [lower, upper]");
        const int32_t lower = readInt(pair[0], at(dimPlace, qsizetype(0)), INT16_MIN, INT16_MAX);
        // A dimension is empty when upper = lower - 1.
        const int32_t upper = readInt(pair[1], at(dimPlace, qsizetype(1)), std::max(lower - 1, INT16_MIN), INT16_MAX);
        a.lower[std::size_t(d)] = lower;
        a.upper[std::size_t(d)] = upper;
        count *= int64_t(upper) - lower + 1; // at most 65536^3: no overflow in 64 bits
    }
    a.maxSize = o.contains(QLatin1String("maxSize"))
            ? readInt(o.value(QLatin1String("maxSize")), at(place, "maxSize"), 1, kArrayMaxSizeLimit)
            : options.arrayMaxSize;
    if (count > a.maxSize) {
        throw ReadError(boundsPlace, "the bounds hold " + std::to_string(count)
                                             + " elements, more than the maximum size "
                                             + std::to_string(a.maxSize));
    }
    const std::string elementsPlace = at(place, "elements");
    const QJsonArray elements = readList(need(o, "elements", place), elementsPlace);
    if (elements.size() != count) {
        throw ReadError(elementsPlace, "expected " + std::to_string(count) + " elements, found "
                                               + std::to_string(elements.size()));
    }
    switch (cls) {
    case DataClass::Int32Array:
        a.elements = readElements<int32_t>(elements, elementsPlace, [](const QJsonValue& v, const std::string& p) {
            return readInt(v, p, INT32_MIN, INT32_MAX);
        });
        break;
    case DataClass::Real64Array: a.elements = readElements<double>(elements, elementsPlace, readReal); break;
    case DataClass::StringArray: a.elements = readElements<std::string>(elements, elementsPlace, readText); break;
    case DataClass::PointArray: a.elements = readElements<PointValue>(elements, elementsPlace, readPoint); break;
    default: a.elements = readElements<RangeValue>(elements, elementsPlace, readRangeElement); break;
    }
}

using Keys = std::vector<std::string_view>;

// Reads the value fields of the class into item and returns the keys they use.
Keys readValue(const QJsonObject& o, const std::string& place,
                                             DataItem& item, const Options& options)
{
    auto field = [&](const char* key) { return need(o, key, place); };
    auto fieldAt = [&](const char* key) { return at(place, key); };
    switch (item.cls) {
    case DataClass::Int32:
        item.value = readInt(field("value"), fieldAt("value"), INT32_MIN, INT32_MAX);
        return { "value" };
    case DataClass::Real64:
        item.value = readReal(field("value"), fieldAt("value"));
        return { "value" };
    case DataClass::String:
        item.value = readText(field("value"), fieldAt("value"));
        return { "value" };
    case DataClass::Complex:
        item.value = ComplexValue { readReal(field("re"), fieldAt("re")), readReal(field("im"), fieldAt("im")) };
        return { "re", "im" };
    case DataClass::Point:
        item.value = PointValue { readReal(field("x"), fieldAt("x")), readReal(field("y"), fieldAt("y")) };
        return { "x", "y" };
    case DataClass::Range:
        item.value = readRange(o, place);
        return { "start", "stop", "points" };
    case DataClass::Inst:
        item.value = InstValue { readText(field("module"), fieldAt("module")) };
        return { "module" };
    case DataClass::Int32Array:
    case DataClass::Real64Array:
    case DataClass::StringArray:
    case DataClass::PointArray:
    case DataClass::RangeArray:
        readArray(o, place, item.cls, std::get<ArrayValue>(item.value), options);
        return { "bounds", "maxSize", "elements" };
    case DataClass::Waveform: {
        WaveformValue w;
        w.start = readFinite(field("start"), fieldAt("start"));
        w.stop = readFinite(field("stop"), fieldAt("stop"));
        const QJsonArray values = readList(field("values"), fieldAt("values"));
        if (values.size() > kWaveformMaxPoints)
            throw ReadError(fieldAt("values"), "more than " + std::to_string(kWaveformMaxPoints) + " points");
        w.values = readElements<double>(values, fieldAt("values"), readReal);
        item.value = std::move(w);
        return { "start", "stop", "values" };
    }
    case DataClass::SwitchPath:
        item.value = SwitchPathValue { readElements<std::string>(readList(field("nodes"), fieldAt("nodes")),
                                                                 fieldAt("nodes"), readText) };
        return { "nodes" };
    case DataClass::ObjectReference:
        item.value = ObjectReferenceValue { readInt(field("referenceType"), fieldAt("referenceType"), INT32_MIN, INT32_MAX),
                                            readText(field("moduleName"), fieldAt("moduleName")),
                                            readText(field("className"), fieldAt("className")),
                                            readText(field("libraryName"), fieldAt("libraryName")) };
        return { "referenceType", "moduleName", "className", "libraryName" };
    case DataClass::ObjectLifetime: {
        ObjectLifetimeValue l;
        l.instantiation = readInt(field("instantiation"), fieldAt("instantiation"), INT32_MIN, INT32_MAX);
        l.release = readInt(field("release"), fieldAt("release"), INT32_MIN, INT32_MAX);
        l.disposeOnRelease = readBool(o, "disposeOnRelease", place, false);
        if (!o.contains(QLatin1String("disposeOnRelease")))
            throw ReadError(fieldAt("disposeOnRelease"), "missing");
        item.value = l;
        return { "instantiation", "release", "disposeOnRelease" };
    }
    }
    return {};
}

QuenHandle readItem(const QJsonValue& value, const std::string& place, const Options& options,
                    int depth, bool named)
{
    const QJsonObject o = readObject(value, place);
    const std::string clsName = readText(need(o, "class", place), at(place, "class"));
    const auto cls = classFromName(clsName);
    if (!cls)
        throw ReadError(at(place, "class"), "unknown data class '" + clsName + "'");
    Owned owned(newData(*cls), Kind::Data);
    if (!owned.get())
        throw ReadError(place, "the core could not create the data item");
    auto* item = lookup<DataItem>(owned.get());
    const Keys used = readValue(o, place, *item, options);
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        bool known = key == "class" || key == "properties" || key == "runtimeEvaluation"
                || key == "runtimeScan" || (named && key == "name");
        for (const std::string_view k : used)
            known = known || key == k;
        if (!known)
            throw ReadError(at(place, key.c_str()), "unexpected key for a " + clsName);
    }
    item->runtimeEvaluation = readBool(o, "runtimeEvaluation", place, false);
    item->runtimeScan = readBool(o, "runtimeScan", place, false);

    const QJsonValue properties = o.value(QLatin1String("properties"));
    if (properties.isUndefined())
        return owned.release();
    const std::string listPlace = at(place, "properties");
    if (depth >= kMaxPropertyDepth)
        throw ReadError(listPlace, "properties nested more than " + std::to_string(kMaxPropertyDepth) + " deep");
    const QJsonArray list = readList(properties, listPlace);
    std::set<std::string> names;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const std::string propertyPlace = at(listPlace, i);
        const QJsonObject po = readObject(list[i], propertyPlace);
        const std::string name = readText(need(po, "name", propertyPlace), at(propertyPlace, "name"));
        if (name.empty())
            throw ReadError(at(propertyPlace, "name"), "a property needs a name");
        if (!names.insert(name).second)
            throw ReadError(at(propertyPlace, "name"), "the property '" + name + "' is given twice");
        const QuenHandle h = readItem(po, propertyPlace, options, depth + 1, true);
        lookup<DataItem>(h)->owner = owned.get();
        item->properties.emplace_back(name, h);
    }
    return owned.release();
}

QJsonObject writeItem(const DataItem& item, const Options& options)
{
    QJsonObject o;
    o.insert(QLatin1String("class"), QLatin1String(className(item.cls)));
    auto merge = [&o](const QJsonObject& from) {
        for (auto it = from.begin(); it != from.end(); ++it)
            o.insert(it.key(), it.value());
    };
    std::visit(
            [&](const auto& v) {
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, int32_t>) {
                    o.insert(QLatin1String("value"), v);
                } else if constexpr (std::is_same_v<V, double>) {
                    o.insert(QLatin1String("value"), real(v));
                } else if constexpr (std::is_same_v<V, std::string>) {
                    o.insert(QLatin1String("value"), text(v));
                } else if constexpr (std::is_same_v<V, ComplexValue>) {
                    o.insert(QLatin1String("re"), real(v.re));
                    o.insert(QLatin1String("im"), real(v.im));
                } else if constexpr (std::is_same_v<V, PointValue>) {
                    merge(point(v));
                } else if constexpr (std::is_same_v<V, RangeValue>) {
                    merge(range(v));
                } else if constexpr (std::is_same_v<V, InstValue>) {
                    o.insert(QLatin1String("module"), text(v.moduleRefName));
                } else if constexpr (std::is_same_v<V, ArrayValue>) {
                    writeArray(o, v, options);
                } else if constexpr (std::is_same_v<V, WaveformValue>) {
                    o.insert(QLatin1String("start"), real(v.start));
                    o.insert(QLatin1String("stop"), real(v.stop));
                    o.insert(QLatin1String("values"), list(v.values, real));
                } else if constexpr (std::is_same_v<V, SwitchPathValue>) {
                    o.insert(QLatin1String("nodes"), list(v.nodes, text));
                } else if constexpr (std::is_same_v<V, ObjectReferenceValue>) {
                    o.insert(QLatin1String("referenceType"), v.referenceType);
                    o.insert(QLatin1String("moduleName"), text(v.moduleName));
                    o.insert(QLatin1String("className"), text(v.className));
                    o.insert(QLatin1String("libraryName"), text(v.libraryName));
                } else {
                    o.insert(QLatin1String("instantiation"), v.instantiation);
                    o.insert(QLatin1String("release"), v.release);
                    o.insert(QLatin1String("disposeOnRelease"), v.disposeOnRelease);
                }
            },
            item.value);
    if (item.runtimeEvaluation)
        o.insert(QLatin1String("runtimeEvaluation"), true);
    if (item.runtimeScan)
        o.insert(QLatin1String("runtimeScan"), true);
    if (!item.properties.empty()) {
        QJsonArray properties;
        for (const auto& [name, h] : item.properties) {
            const auto* property = lookup<DataItem>(h);
            if (!property)
                continue;
            QJsonObject p = writeItem(*property, options);
            p.insert(QLatin1String("name"), QString::fromStdString(name));
            properties.append(p);
        }
        o.insert(QLatin1String("properties"), properties);
    }
    return o;
}

} // namespace

QJsonObject writeData(const DataItem& item, const Options& options) { return writeItem(item, options); }

QuenHandle readData(const QJsonValue& value, const std::string& place, const Options& options)
{
    return readItem(value, place, options, 0, false);
}

} // namespace quen::json
