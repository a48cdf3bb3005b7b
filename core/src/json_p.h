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

#include <stdexcept>
#include <string>

namespace quen::json {

struct ReadError : std::runtime_error
{
    ReadError(std::string at, const std::string& message)
        : std::runtime_error(message), place(std::move(at)) { }
    std::string place; // empty: the document as a whole
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
QuenHandle readData(const QJsonValue& value, const std::string& place, const Options& options);
QuenHandle readParm(const QJsonValue& value, const std::string& place, const Options& options);
// extraKeys: further keys the caller reads itself (e.g. "public"), allowed in the object.
QuenHandle readBlock(const QJsonValue& value, const std::string& place, const char* listKey,
                     const Options& options, std::initializer_list<const char*> extraKeys = {});

// Parses a document that must be a JSON object; a syntax error names the line and column.
QJsonObject parseObject(const QByteArray& text);

// "source: place: message" (the place left out when empty), recorded as a parse error.
void raiseReadError(const char* function, const std::string& source, const ReadError& error);

// The "formatVersion" check shared by every file: absent or 1.
void checkFormatVersion(const QJsonObject& object);

// Helpers for readers of the file-level objects.
void checkKeys(const QJsonObject& object, const std::string& place,
               std::initializer_list<const char*> allowed);
bool readBool(const QJsonObject& object, const char* key, const std::string& place, bool fallback);
int32_t readInt(const QJsonValue& value, const std::string& place, int64_t low, int64_t high);
std::string at(const std::string& place, const char* key);
std::string at(const std::string& place, qsizetype index);

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
