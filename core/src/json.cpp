// Reading and writing the core's objects as JSON: the helpers, parameters and blocks. The data
// items' own fields are in jsondata.cpp.
#include "json_p.h"

#include "block_p.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>

namespace quen::json {
namespace {

const char* jsonType(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null: return "null";
    case QJsonValue::Bool: return "true or false";
    case QJsonValue::Double: return "a number";
    case QJsonValue::String: return "a text";
    case QJsonValue::Array: return "an array";
    case QJsonValue::Object: return "an object";
    case QJsonValue::Undefined: return "nothing";
    }
    return "something else";
}

std::string readString(const QJsonObject& object, const char* key, const std::string& place,
                       bool required)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) {
        if (required)
            throw ReadError(at(place, key), "missing");
        return {};
    }
    if (!value.isString())
        throw ReadError(at(place, key), std::string("expected a text, found ") + jsonType(value));
    return value.toString().toStdString();
}

void readDescription(const QJsonObject& object, const std::string& place, Desc& desc)
{
    desc.text = readString(object, "description", place, false);
    const QJsonValue keywords = object.value(QLatin1String("keywords"));
    if (keywords.isUndefined())
        return;
    if (!keywords.isArray())
        throw ReadError(at(place, "keywords"), std::string("expected an array, found ") + jsonType(keywords));
    const QJsonArray list = keywords.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list[i].isString())
            throw ReadError(at(at(place, "keywords"), i), std::string("expected a text, found ") + jsonType(list[i]));
        desc.keywords.push_back(list[i].toString().toStdString());
    }
}

void writeDescription(QJsonObject& object, QuenHandle h)
{
    const auto* desc = lookup<Desc>(h);
    if (!desc)
        return;
    if (!desc->text.empty())
        object.insert(QLatin1String("description"), QString::fromStdString(desc->text));
    if (!desc->keywords.empty()) {
        QJsonArray keywords;
        for (const std::string& keyword : desc->keywords)
            keywords.append(QString::fromStdString(keyword));
        object.insert(QLatin1String("keywords"), keywords);
    }
}

} // namespace

Owned::~Owned()
{
    switch (m_kind) {
    case Kind::Data: destroyData(m_handle); break;
    case Kind::Parm: destroyParm(m_handle); break;
    case Kind::Block: destroyBlock(m_handle); break;
    case Kind::Desc: destroyDesc(m_handle); break;
    }
}

std::string at(const std::string& place, const char* key)
{
    return place.empty() ? std::string(key) : place + '.' + key;
}

std::string at(const std::string& place, qsizetype index)
{
    return place + '[' + std::to_string(index) + ']';
}

void checkKeys(const QJsonObject& object, const std::string& place,
               std::initializer_list<const char*> allowed)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool known = false;
        for (const char* key : allowed)
            known = known || it.key() == QLatin1String(key);
        if (!known)
            throw ReadError(at(place, it.key().toStdString().c_str()), "unexpected key");
    }
}

bool readBool(const QJsonObject& object, const char* key, const std::string& place, bool fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    if (!value.isBool())
        throw ReadError(at(place, key), std::string("expected true or false, found ") + jsonType(value));
    return value.toBool();
}

int32_t readInt(const QJsonValue& value, const std::string& place, int64_t low, int64_t high)
{
    auto wanted = [&] { return "expected an integer from " + std::to_string(low) + " to " + std::to_string(high); };
    if (value.isUndefined())
        throw ReadError(place, "missing");
    if (!value.isDouble())
        throw ReadError(place, wanted() + ", found " + jsonType(value));
    const double d = value.toDouble();
    if (!(d >= double(low) && d <= double(high)) || d != double(int64_t(d)))
        throw ReadError(place, wanted() + ", found " + QByteArray::number(d, 'g', 17).toStdString());
    return int32_t(d);
}

QJsonObject parseObject(const QByteArray& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        int line = 1, column = 1;
        // Qt's offset lies just past the character it stopped at.
        const qsizetype end = std::clamp<qsizetype>(error.offset - 1, 0, text.size());
        for (qsizetype i = 0; i < end; ++i) {
            if (text[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        throw ReadError({}, "line " + std::to_string(line) + ", column " + std::to_string(column)
                                    + ": " + error.errorString().toStdString());
    }
    if (!document.isObject())
        throw ReadError({}, "the document is not a JSON object");
    return document.object();
}

void checkFormatVersion(const QJsonObject& object)
{
    const QJsonValue version = object.value(QLatin1String("formatVersion"));
    if (!version.isUndefined() && readInt(version, "formatVersion", 1, INT32_MAX) != 1)
        throw ReadError("formatVersion", "this version reads format 1 only");
}

void raiseReadError(const char* function, const std::string& source, const ReadError& error)
{
    std::string message = source;
    if (!error.place.empty())
        message += ": " + error.place;
    raise(QUEN_ERR_PARSE, function, message + ": " + error.what());
}

QJsonObject writeParm(const Parm& parm, const Options& options)
{
    QJsonObject object;
    object.insert(QLatin1String("name"), QString::fromStdString(parm.name));
    writeDescription(object, parm.desc);
    if (parm.output)
        object.insert(QLatin1String("output"), true);
    if (parm.hidden)
        object.insert(QLatin1String("hidden"), true);
    if (!parm.developmentEditable)
        object.insert(QLatin1String("developmentEditable"), false);
    if (!parm.referenceEditable)
        object.insert(QLatin1String("referenceEditable"), false);
    const auto* data = lookup<DataItem>(parm.data);
    if (data) {
        object.insert(QLatin1String("data"), writeData(*data, options));
    } else {
        object.insert(QLatin1String("type"), QString::fromStdString(parm.typeName));
    }
    if (parm.reference) {
        object.insert(QLatin1String("reference"),
                      QJsonObject { { QLatin1String("table"), QString::fromStdString(parm.refTable) },
                                    { QLatin1String("symbol"), QString::fromStdString(parm.refName) } });
    }
    return object;
}

QuenHandle readParm(const QJsonValue& value, const std::string& place, const Options& options)
{
    if (!value.isObject())
        throw ReadError(place, std::string("expected an object, found ") + jsonType(value));
    const QJsonObject object = value.toObject();
    checkKeys(object, place, { "name", "description", "keywords", "output", "hidden",
                               "developmentEditable", "referenceEditable", "data", "type",
                               "reference" });
    Owned owned(newParm(readString(object, "name", place, true)), Kind::Parm);
    if (!owned.get())
        throw ReadError(place, "the core could not create the parameter");
    auto* parm = lookup<Parm>(owned.get());
    readDescription(object, place, *lookup<Desc>(parm->desc));
    parm->output = readBool(object, "output", place, false);
    parm->hidden = readBool(object, "hidden", place, false);
    parm->developmentEditable = readBool(object, "developmentEditable", place, true);
    parm->referenceEditable = readBool(object, "referenceEditable", place, true);

    const QJsonValue reference = object.value(QLatin1String("reference"));
    const QJsonValue data = object.value(QLatin1String("data"));
    if (object.contains(QLatin1String("type"))) {
        parm->typeName = readString(object, "type", place, true);
        if (!classFromName(parm->typeName))
            throw ReadError(at(place, "type"), "unknown data class '" + parm->typeName + "'");
    }
    if (!reference.isUndefined()) {
        const std::string refPlace = at(place, "reference");
        if (!reference.isObject())
            throw ReadError(refPlace, std::string("expected an object, found ") + jsonType(reference));
        if (!data.isUndefined())
            throw ReadError(at(place, "data"), "a reference has no value of its own");
        if (parm->typeName.empty())
            throw ReadError(at(place, "type"), "missing (a reference keeps the class of its symbol)");
        const QJsonObject ref = reference.toObject();
        checkKeys(ref, refPlace, { "table", "symbol" });
        parm->reference = true;
        parm->refTable = readString(ref, "table", refPlace, false);
        parm->refName = readString(ref, "symbol", refPlace, true);
    } else if (!data.isUndefined()) {
        const QuenHandle item = readData(data, at(place, "data"), options);
        const char* cls = className(lookup<DataItem>(item)->cls);
        if (!parm->typeName.empty() && parm->typeName != cls) {
            destroyData(item);
            throw ReadError(at(place, "type"), "'" + parm->typeName + "' differs from the data's class " + cls);
        }
        lookup<DataItem>(item)->owner = owned.get();
        parm->data = item;
        parm->typeName = cls;
    } else if (parm->typeName.empty()) {
        throw ReadError(at(place, "data"), "missing");
    }
    return owned.release();
}

QJsonObject writeBlock(const Block& block, const char* listKey, const Options& options)
{
    QJsonObject object;
    object.insert(QLatin1String("name"), QString::fromStdString(block.name));
    writeDescription(object, block.desc);
    if (block.bound)
        object.insert(QLatin1String("bound"), true);
    QJsonArray parms;
    for (const QuenHandle h : block.parms) {
        if (const auto* parm = lookup<Parm>(h))
            parms.append(writeParm(*parm, options));
    }
    object.insert(QLatin1String(listKey), parms);
    return object;
}

QuenHandle readBlock(const QJsonValue& value, const std::string& place, const char* listKey,
                     const Options& options, std::initializer_list<const char*> extraKeys)
{
    if (!value.isObject())
        throw ReadError(place, std::string("expected an object, found ") + jsonType(value));
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string key = it.key().toStdString();
        bool known = key == "name" || key == "description" || key == "keywords" || key == "bound"
                || key == listKey;
        for (const char* extra : extraKeys)
            known = known || key == extra;
        if (!known)
            throw ReadError(at(place, key.c_str()), "unexpected key");
    }
    Owned owned(newBlock(readString(object, "name", place, false)), Kind::Block);
    if (!owned.get())
        throw ReadError(place, "the core could not create the block");
    auto* block = lookup<Block>(owned.get());
    readDescription(object, place, *lookup<Desc>(block->desc));
    block->bound = readBool(object, "bound", place, false);

    const std::string listPlace = at(place, listKey);
    const QJsonValue list = object.value(QLatin1String(listKey));
    if (list.isUndefined())
        throw ReadError(listPlace, "missing");
    if (!list.isArray())
        throw ReadError(listPlace, std::string("expected an array, found ") + jsonType(list));
    const QJsonArray parms = list.toArray();
    if (parms.size() > INT32_MAX)
        throw ReadError(listPlace, "too many parameters");
    block->parms.reserve(std::size_t(parms.size()));
    block->names.reserve(std::size_t(parms.size()));
    for (qsizetype i = 0; i < parms.size(); ++i) {
        const std::string parmPlace = at(listPlace, i);
        Owned parm(readParm(parms[i], parmPlace, options), Kind::Parm);
        auto& read = *lookup<Parm>(parm.get());
        if (!appendParm(*block, read)) {
            const auto& first = *lookup<Parm>(findParm(*block, read.name));
            throw ReadError(at(parmPlace, "name"), "'" + read.name + "' is already the name of "
                                    + listKey + "[" + std::to_string(first.position) + "]");
        }
        parm.release(); // the block's from here: a later throw destroys it with the block
    }
    return owned.release();
}

} // namespace quen::json
