// The JSON form of data items: one object per item with its "class", the fields of its value,
// its "properties" (items of their own, each with a "name") and its runtime marks.
#include "json_p.h"

#include "block_p.h"
#include "data_p.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>

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

double readReal(const QJsonValue& v, const Place& place)
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

double readFinite(const QJsonValue& v, const Place& place)
{
    const double d = readReal(v, place);
    if (!std::isfinite(d))
        throw ReadError(place, "expected a finite number");
    return d;
}

// The value of a field of the object and the place to name when it is wrong.
struct Field
{
    Field(Fields& fields, const char* key) : place(fields.place(), key), value(fields.need(key)) { }
    const Place place;
    const QJsonValue value;
};

double realField(Fields& f, const char* key)
{
    const Field field(f, key);
    return readReal(field.value, field.place);
}

double finiteField(Fields& f, const char* key)
{
    const Field field(f, key);
    return readFinite(field.value, field.place);
}

std::string textField(Fields& f, const char* key)
{
    const Field field(f, key);
    return readText(field.value, field.place);
}

int32_t intField(Fields& f, const char* key, int64_t low = INT32_MIN, int64_t high = INT32_MAX)
{
    const Field field(f, key);
    return readInt(field.value, field.place, low, high);
}

PointValue readPoint(const QJsonValue& v, const Place& place)
{
    Fields f(v, place);
    const PointValue p { realField(f, "x"), realField(f, "y") };
    f.finish();
    return p;
}

RangeValue readRange(Fields& f)
{
    RangeValue r;
    r.start = finiteField(f, "start");
    r.stop = finiteField(f, "stop");
    r.points = intField(f, "points", 1, INT32_MAX);
    if (!std::isfinite(r.stop - r.start))
        throw ReadError(f.place(), "the span exceeds the range of a real number");
    return r;
}

RangeValue readRangeElement(const QJsonValue& v, const Place& place)
{
    Fields f(v, place);
    const RangeValue r = readRange(f);
    f.finish();
    return r;
}

int32_t readInt32(const QJsonValue& v, const Place& place) { return readInt(v, place, INT32_MIN, INT32_MAX); }

template <typename T, typename F>
std::vector<T> readElements(const QJsonArray& list, const Place& place, F convert)
{
    std::vector<T> out;
    out.reserve(std::size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        out.push_back(convert(list[i], Place(place, i)));
    return out;
}

void readArray(Fields& f, DataClass cls, ArrayValue& a, const Options& options)
{
    const Place boundsPlace(f.place(), "bounds");
    const QJsonArray bounds = readList(f.need("bounds"), boundsPlace);
    if (bounds.isEmpty() || bounds.size() > 3)
        throw ReadError(boundsPlace, "expected 1 to 3 dimensions, found " + std::to_string(bounds.size()));
    a.dims = int(bounds.size());
    int64_t count = 1;
    for (qsizetype d = 0; d < bounds.size(); ++d) {
        const Place dimPlace(boundsPlace, d);
        const QJsonArray pair = readList(bounds[d], dimPlace);
        if (pair.size() != 2)
            throw ReadError(dimPlace, "expected [lower, upper]");
        const int32_t lower = readInt(pair[0], Place(dimPlace, qsizetype(0)), INT16_MIN, INT16_MAX);
        // A dimension is empty when upper = lower - 1.
        const int32_t upper = readInt(pair[1], Place(dimPlace, qsizetype(1)), std::max(lower - 1, INT16_MIN), INT16_MAX);
        a.lower[std::size_t(d)] = lower;
        a.upper[std::size_t(d)] = upper;
        count *= int64_t(upper) - lower + 1; // at most 65536^3: no overflow in 64 bits
    }
    const QJsonValue elementsValue = f.need("elements");
    const QJsonValue maxSize = f.get("maxSize"); // rare: taken last, it costs nothing when absent
    a.maxSize = maxSize.isUndefined() ? options.arrayMaxSize
                                      : readInt(maxSize, Place(f.place(), "maxSize"), 1, kArrayMaxSizeLimit);
    if (count > a.maxSize) {
        throw ReadError(boundsPlace, "the bounds hold " + std::to_string(count)
                                             + " elements, more than the maximum size "
                                             + std::to_string(a.maxSize));
    }
    const Place elementsPlace(f.place(), "elements");
    const QJsonArray elements = readList(elementsValue, elementsPlace);
    if (elements.size() != count) {
        throw ReadError(elementsPlace, "expected " + std::to_string(count) + " elements, found "
                                               + std::to_string(elements.size()));
    }
    switch (cls) {
    case DataClass::Int32Array: a.elements = readElements<int32_t>(elements, elementsPlace, readInt32); break;
    case DataClass::Real64Array: a.elements = readElements<double>(elements, elementsPlace, readReal); break;
    case DataClass::StringArray: a.elements = readElements<std::string>(elements, elementsPlace, readText); break;
    case DataClass::PointArray: a.elements = readElements<PointValue>(elements, elementsPlace, readPoint); break;
    default: a.elements = readElements<RangeValue>(elements, elementsPlace, readRangeElement); break;
    }
}

// Reads the value fields of the item's class from f.
void readValue(Fields& f, DataItem& item, const Options& options)
{
    switch (item.cls) {
    case DataClass::Int32: item.value = intField(f, "value"); return;
    case DataClass::Real64: item.value = realField(f, "value"); return;
    case DataClass::String: item.value = textField(f, "value"); return;
    case DataClass::Complex: {
        const double re = realField(f, "re");
        item.value = ComplexValue { re, realField(f, "im") };
        return;
    }
    case DataClass::Point: {
        const double x = realField(f, "x");
        item.value = PointValue { x, realField(f, "y") };
        return;
    }
    case DataClass::Range: item.value = readRange(f); return;
    case DataClass::Inst: item.value = InstValue { textField(f, "module") }; return;
    case DataClass::Int32Array:
    case DataClass::Real64Array:
    case DataClass::StringArray:
    case DataClass::PointArray:
    case DataClass::RangeArray: readArray(f, item.cls, std::get<ArrayValue>(item.value), options); return;
    case DataClass::Waveform: {
        WaveformValue w;
        w.start = finiteField(f, "start");
        w.stop = finiteField(f, "stop");
        const Place valuesPlace(f.place(), "values");
        const QJsonArray values = readList(f.need("values"), valuesPlace);
        if (values.size() > kWaveformMaxPoints)
            throw ReadError(valuesPlace, "more than " + std::to_string(kWaveformMaxPoints) + " points");
        w.values = readElements<double>(values, valuesPlace, readReal);
        item.value = std::move(w);
        return;
    }
    case DataClass::SwitchPath: {
        const Place nodesPlace(f.place(), "nodes");
        item.value = SwitchPathValue { readElements<std::string>(readList(f.need("nodes"), nodesPlace), nodesPlace, readText) };
        return;
    }
    case DataClass::ObjectReference: {
        ObjectReferenceValue r;
        r.referenceType = intField(f, "referenceType");
        r.moduleName = textField(f, "moduleName");
        r.className = textField(f, "className");
        r.libraryName = textField(f, "libraryName");
        item.value = std::move(r);
        return;
    }
    case DataClass::ObjectLifetime: {
        ObjectLifetimeValue l;
        l.instantiation = intField(f, "instantiation");
        l.release = intField(f, "release");
        const Field dispose(f, "disposeOnRelease");
        l.disposeOnRelease = readFlag(dispose.value, dispose.place);
        item.value = l;
        return;
    }
    }
}

// The class named by a text of the document, without making a std::string of it.
std::optional<DataClass> classOf(const QString& name)
{
    for (int i = 0; i < kDataClassCount; ++i) {
        if (name == QLatin1String(className(DataClass(i))))
            return DataClass(i);
    }
    return std::nullopt;
}

// Reads the item whose fields f holds (a property's "name" already taken by the caller).
QuenHandle readItem(Fields& f, const Options& options, int depth)
{
    const Place& place = f.place();
    // The class and the value first: the optional keys cost nothing once every key is taken.
    const Field clsField(f, "class");
    if (!clsField.value.isString())
        throw ReadError(clsField.place, std::string("expected a text, found ") + jsonType(clsField.value));
    const auto cls = classOf(clsField.value.toString());
    if (!cls)
        throw ReadError(clsField.place, "unknown data class '" + readText(clsField.value, clsField.place) + "'");
    Owned owned(newData(*cls), Kind::Data);
    if (!owned.get())
        throw ReadError(place, "the core could not create the data item");
    auto* item = lookup<DataItem>(owned.get());
    readValue(f, *item, options);
    const QJsonValue properties = f.get("properties");
    item->runtimeEvaluation = f.flag("runtimeEvaluation", false);
    item->runtimeScan = f.flag("runtimeScan", false);
    f.finish(className(*cls));
    if (properties.isUndefined())
        return owned.release();

    const Place listPlace(place, "properties");
    if (depth >= kMaxPropertyDepth)
        throw ReadError(listPlace, "properties nested more than " + std::to_string(kMaxPropertyDepth) + " deep");
    const QJsonArray list = readList(properties, listPlace);
    item->properties.reserve(std::size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Place propertyPlace(listPlace, i);
        Fields p(list[i], propertyPlace);
        std::string name = p.text("name", true);
        if (name.empty())
            throw ReadError(Place(propertyPlace, "name"), "a property needs a name");
        for (const auto& [taken, h] : item->properties) {
            if (taken == name)
                throw ReadError(Place(propertyPlace, "name"), "the property '" + name + "' is given twice");
        }
        const QuenHandle h = readItem(p, options, depth + 1);
        lookup<DataItem>(h)->owner = owned.get();
        item->properties.emplace_back(std::move(name), h);
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

QuenHandle readData(const QJsonValue& value, const Place& place, const Options& options)
{
    Fields f(value, place);
    return readItem(f, options, 0);
}

} // namespace quen::json
