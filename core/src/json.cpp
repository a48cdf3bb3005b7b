// Reading and writing the core's objects as JSON: the helpers, parameters and blocks. The data
// items' own fields are in jsondata.cpp.
#include "json_p.h"

#include "block_p.h"
#include "test_p.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <cstring>

namespace quen::json {
namespace {

void readDescription(Fields& fields, Desc& desc)
{
    desc.text = fields.text("description", false);
    const QJsonValue keywords = fields.get("keywords");
    if (keywords.isUndefined())
        return;
    const Place listPlace(fields.place(), "keywords");
    const QJsonArray list = readList(keywords, listPlace);
    desc.keywords.reserve(std::size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i) {
        desc.keywords.push_back(readText(list[i], Place(listPlace, i)));
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

std::string Place::text() const
{
    if (!m_parent)
        return m_key ? std::string(m_key) : std::string();
    std::string parent = m_parent->text();
    if (!m_key)
        return parent + '[' + std::to_string(m_index) + ']';
    return parent.empty() ? std::string(m_key) : parent + '.' + m_key;
}

Fields::Fields(const QJsonValue& value, const Place& place) : m_place(place)
{
    if (!value.isObject())
        throw ReadError(place, std::string("expected an object, found ") + jsonType(value));
    m_object = value.toObject();
}

QJsonValue Fields::get(const char* key)
{
    Q_ASSERT_X(std::none_of(m_taken.begin(), m_taken.begin() + std::ptrdiff_t(m_count),
                            [key](const char* taken) { return std::strcmp(taken, key) == 0; }),
               key, "a key is taken twice");
    if (m_count == std::size_t(m_object.size()))
        return QJsonValue(QJsonValue::Undefined); // every key is taken: the others are absent
    const auto it = m_object.constFind(QLatin1String(key));
    if (it == m_object.constEnd())
        return QJsonValue(QJsonValue::Undefined);
    if (m_count < m_taken.size())
        m_taken[m_count++] = key;
    return it.value();
}

QJsonValue Fields::need(const char* key)
{
    QJsonValue value = get(key);
    if (value.isUndefined())
        throw ReadError(Place(m_place, key), "missing");
    return value;
}

std::string Fields::text(const char* key, bool required, std::string fallback)
{
    const QJsonValue value = required ? need(key) : get(key);
    return value.isUndefined() ? fallback : readText(value, Place(m_place, key));
}

bool Fields::flag(const char* key, bool fallback)
{
    const QJsonValue value = get(key);
    return value.isUndefined() ? fallback : readFlag(value, Place(m_place, key));
}

void Fields::finish(const char* itemClass) const
{
    if (std::size_t(m_object.size()) == m_count)
        return;
    for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it) {
        const QString key = it.key();
        const bool taken = std::any_of(m_taken.begin(), m_taken.begin() + std::ptrdiff_t(m_count),
                                       [&key](const char* k) { return key == QLatin1String(k); });
        if (!taken) {
            const std::string name = key.toStdString();
            throw ReadError(Place(m_place, name.c_str()),
                            itemClass ? std::string("unexpected key for a ") + itemClass : std::string("unexpected key"));
        }
    }
}

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

std::string utf8(const QString& text)
{
    // Most texts (names, units) are ASCII: those need no trip through a QByteArray.
    std::string out(std::size_t(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return text.toStdString();
        out[std::size_t(i)] = char(c);
    }
    return out;
}

std::string readText(const QJsonValue& value, const Place& place)
{
    if (!value.isString())
        throw ReadError(place, std::string("expected a text, found ") + jsonType(value));
    return utf8(value.toString());
}

bool readFlag(const QJsonValue& value, const Place& place)
{
    if (!value.isBool())
        throw ReadError(place, std::string("expected true or false, found ") + jsonType(value));
    return value.toBool();
}

QJsonArray readList(const QJsonValue& value, const Place& place)
{
    if (!value.isArray())
        throw ReadError(place, std::string("expected an array, found ") + jsonType(value));
    return value.toArray();
}

Owned::~Owned()
{
    switch (m_kind) {
    case Kind::Data: destroyData(m_handle); break;
    case Kind::Parm: destroyParm(m_handle); break;
    case Kind::Block: destroyBlock(m_handle); break;
    case Kind::Desc: destroyDesc(m_handle); break;
    case Kind::Test: destroyTest(m_handle); break;
    case Kind::Pills:
    case Kind::Pill: break; // never read from a file
    }
}

int32_t readInt(const QJsonValue& value, const Place& place, int64_t low, int64_t high)
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
        throw ReadError(std::string(), "line " + std::to_string(line) + ", column " + std::to_string(column)
                                    + ": " + error.errorString().toStdString());
    }
    if (!document.isObject())
        throw ReadError(std::string(), "the document is not a JSON object");
    return document.object();
}

void checkFormatVersion(const QJsonObject& object)
{
    const QJsonValue version = object.value(QLatin1String("formatVersion"));
    const Place document;
    if (!version.isUndefined() && readInt(version, Place(document, "formatVersion"), 1, INT32_MAX) != 1)
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

QuenHandle readParm(const QJsonValue& value, const Place& place, const Options& options)
{
    Fields fields(value, place);
    Owned owned(newParm(fields.text("name", true)), Kind::Parm);
    if (!owned.get())
        throw ReadError(place, "the core could not create the parameter");
    auto* parm = lookup<Parm>(owned.get());
    // The keys nearly every parameter has come first: the optional ones cost nothing once every
    // key of the object is taken.
    const QJsonValue data = fields.get("data");
    readDescription(fields, *lookup<Desc>(parm->desc));
    parm->output = fields.flag("output", false);
    parm->hidden = fields.flag("hidden", false);
    parm->developmentEditable = fields.flag("developmentEditable", true);
    parm->referenceEditable = fields.flag("referenceEditable", true);

    const QJsonValue reference = fields.get("reference");
    const QJsonValue type = fields.get("type");
    const bool typed = !type.isUndefined();
    if (typed)
        parm->typeName = readText(type, Place(place, "type"));
    fields.finish();
    if (typed && !classFromName(parm->typeName))
        throw ReadError(Place(place, "type"), "unknown data class '" + parm->typeName + "'");
    if (!reference.isUndefined()) {
        const Place refPlace(place, "reference");
        if (!data.isUndefined())
            throw ReadError(Place(place, "data"), "a reference has no value of its own");
        if (parm->typeName.empty())
            throw ReadError(Place(place, "type"), "missing (a reference keeps the class of its symbol)");
        Fields ref(reference, refPlace);
        parm->reference = true;
        parm->refTable = ref.text("table", false);
        parm->refName = ref.text("symbol", true);
        ref.finish();
    } else if (!data.isUndefined()) {
        const QuenHandle item = readData(data, Place(place, "data"), options);
        const char* cls = className(lookup<DataItem>(item)->cls);
        if (!parm->typeName.empty() && parm->typeName != cls) {
            destroyData(item);
            throw ReadError(Place(place, "type"), "'" + parm->typeName + "' differs from the data's class " + cls);
        }
        lookup<DataItem>(item)->owner = owned.get();
        parm->data = item;
        parm->typeName = cls;
    } else if (parm->typeName.empty()) {
        throw ReadError(Place(place, "data"), "missing");
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

QuenHandle readBlock(const QJsonValue& value, const Place& place, const char* listKey,
                     const Options& options, std::initializer_list<const char*> extraKeys)
{
    Fields fields(value, place);
    for (const char* extra : extraKeys)
        fields.get(extra); // the caller's to read
    Owned owned(newBlock(fields.text("name", false)), Kind::Block);
    if (!owned.get())
        throw ReadError(place, "the core could not create the block");
    auto* block = lookup<Block>(owned.get());
    readDescription(fields, *lookup<Desc>(block->desc));
    block->bound = fields.flag("bound", false);
    const Place listPlace(place, listKey);
    const QJsonArray parms = readList(fields.need(listKey), listPlace);
    fields.finish();

    if (parms.size() > INT32_MAX)
        throw ReadError(listPlace, "too many parameters");
    block->parms.reserve(std::size_t(parms.size()));
    block->names.reserve(std::size_t(parms.size()));
    for (qsizetype i = 0; i < parms.size(); ++i) {
        const Place parmPlace(listPlace, i);
        Owned parm(readParm(parms[i], parmPlace, options), Kind::Parm);
        auto& read = *lookup<Parm>(parm.get());
        if (!appendParm(*block, read)) {
            const auto& first = *lookup<Parm>(findParm(*block, read.name));
            throw ReadError(Place(parmPlace, "name"), "'" + read.name + "' is already the name of "
                                    + listKey + "[" + std::to_string(first.position) + "]");
        }
        parm.release(); // the block's from here: a later throw destroys it with the block
    }
    return owned.release();
}

} // namespace quen::json
