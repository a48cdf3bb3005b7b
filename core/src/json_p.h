// The one JSON form of the core's objects, shared by workspace files, table files and the
// parameter clipboard (docs/workspace-format.md describes it).
//
// Writing never fails. Reading validates every field and stops at the first problem with a
// ReadError that names its place ("tables[2].symbols[5].data.elements"); whatever a failed read
// had built is destroyed, so a failed read creates nothing.
#pragma once

#include "model_p.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>

#include <array>
#include <stdexcept>
#include <string>

namespace quen::json {

// Where a value sits in the document: a chain of keys and indices that the reader builds on the
// stack as it descends. It costs nothing until a read fails and text() spells it out, which
// matters when a workspace holds tens of thousands of symbols. Keys are never copied: they must
// outlive the place (string literals, or a string the caller keeps).
class Place
{
public:
    Place() = default; // the document as a whole
    Place(const Place& parent, const char* key) : m_parent(&parent), m_key(key) { }
    Place(const Place& parent, qsizetype index) : m_parent(&parent), m_index(index) { }

    std::string text() const; // "" for the document

private:
    const Place* m_parent = nullptr;
    const char* m_key = nullptr; // null: an index
    qsizetype m_index = -1;
};

struct ReadError : std::runtime_error
{
    ReadError(std::string at, const std::string& message)
        : std::runtime_error(message), place(std::move(at)) { }
    ReadError(const Place& at, const std::string& message) : ReadError(at.text(), message) { }
    std::string place; // empty: the document as a whole
};

// One JSON object being read: each field is taken by key, and finish() fails at a key that was
// never taken. Keys are counted as they are taken, so a sound object is never walked key by
// key (which would make a string of every key).
class Fields
{
public:
    // Throws unless value is an object.
    Fields(const QJsonValue& value, const Place& place);
    Fields(QJsonObject object, const Place& place) : m_object(std::move(object)), m_place(place) { }

    const Place& place() const { return m_place; }
    // The value under key, undefined when there is none. Each key is taken once.
    QJsonValue get(const char* key);
    // The value under key; throws "missing" when there is none.
    QJsonValue need(const char* key);
    // The text under key, or fallback (or "missing" when required) when there is none.
    std::string text(const char* key, bool required, std::string fallback = {});
    // The boolean under key, or fallback when there is none.
    bool flag(const char* key, bool fallback);
    // Throws "unexpected key" (" for a " + itemClass) at the first key that was not taken.
    void finish(const char* itemClass = nullptr) const;

private:
    QJsonObject m_object;
    const Place& m_place;
    std::array<const char*, 16> m_taken {};
    std::size_t m_count = 0;
};

// The maximum element count that arrays without a "maxSize" of their own get (reading) or
// that needs no "maxSize" (writing).
struct Options
{
    int32_t arrayMaxSize = 65535;
};

QJsonObject writeData(const DataItem& item, const Options& options);
QJsonObject writeParm(const Parm& parm, const Options& options);
// A block as {"name", "description", "keywords", listKey: [parameters]}.
QJsonObject writeBlock(const Block& block, const char* listKey, const Options& options);

// Each returns a new stand-alone object, or throws ReadError (having built nothing).
QuenHandle readData(const QJsonValue& value, const Place& place, const Options& options);
QuenHandle readParm(const QJsonValue& value, const Place& place, const Options& options);
// extraKeys: further keys the caller reads itself (e.g. "public"), allowed in the object.
QuenHandle readBlock(const QJsonValue& value, const Place& place, const char* listKey,
                     const Options& options, std::initializer_list<const char*> extraKeys = {});

// Parses a document that must be a JSON object; a syntax error names the line and column.
QJsonObject parseObject(const QByteArray& text);

// "source: place: message" (the place left out when empty), recorded as a parse error.
void raiseReadError(const char* function, const std::string& source, const ReadError& error);

// The "formatVersion" check shared by every file: absent or 1.
void checkFormatVersion(const QJsonObject& object);

// Helpers for the readers.
int32_t readInt(const QJsonValue& value, const Place& place, int64_t low, int64_t high);
QJsonArray readList(const QJsonValue& value, const Place& place);
std::string readText(const QJsonValue& value, const Place& place);
bool readFlag(const QJsonValue& value, const Place& place);
std::string utf8(const QString& text); // a JSON text as the core keeps it
const char* jsonType(const QJsonValue& value);

// Holds a new object and destroys it (with all it owns) unless release() is called.
class Owned
{
public:
    Owned(QuenHandle handle, Kind kind) : m_handle(handle), m_kind(kind) { }
    ~Owned();
    Owned(Owned&& other) noexcept : m_handle(other.m_handle), m_kind(other.m_kind) { other.m_handle = 0; }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned& operator=(Owned&&) = delete;
    QuenHandle get() const { return m_handle; }
    QuenHandle release() { const QuenHandle h = m_handle; m_handle = 0; return h; }

private:
    QuenHandle m_handle;
    Kind m_kind;
};

} // namespace quen::json
