// Symbol tables (named parameter blocks), their registry, and table files. Names of tables and
// symbols are found without regard to case; a find that finds nothing returns 0 and records no
// error, as callers use the finds to test whether a name exists.
#include "tables_p.h"

#include "block_p.h"
#include "data_p.h"
#include "fileio_p.h"
#include "json_p.h"
#include "names_p.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>

namespace quen {
namespace {

constexpr const char* kTableFormat = "VeltEditors.SymbolTable";

const std::string& nameOfTable(QuenHandle h)
{
    static const std::string none;
    const auto* block = lookup<Block>(h);
    return block ? block->name : none;
}

struct Registry
{
    std::vector<RegisteredTable> entries;
    NameIndex names { nameOfTable }; // the named tables
};

Registry& registry()
{
    static Registry r;
    return r;
}

const RegisteredTable* entryAt(int32_t position, const char* function)
{
    const auto& entries = registry().entries;
    if (position < 1 || std::size_t(position) > entries.size()) {
        raise(QUEN_ERR_OUT_OF_RANGE, function,
              "position " + std::to_string(position) + " is outside 1 to "
                      + std::to_string(entries.size()) + " (the tables in the registry)");
        return nullptr;
    }
    return &entries[std::size_t(position) - 1];
}

QuenHandle findSymbol(const Block* table, const std::string& symbol)
{
    return table ? findParm(*table, symbol) : 0;
}

} // namespace

const std::vector<RegisteredTable>& registeredTables() { return registry().entries; }

bool registerTable(Block& table, bool isPublic)
{
    if (!table.name.empty() && !registry().names.add(table.name, table.self))
        return false;
    registry().entries.push_back({ table.self, isPublic });
    table.registered = true;
    return true;
}

const Block* findRegisteredTable(std::string_view name)
{
    return name.empty() ? nullptr : lookup<Block>(registry().names.find(name));
}

bool renameRegisteredTable(const Block& table, const std::string& name, const char* function)
{
    NameIndex& names = registry().names;
    if (name.empty()) {
        names.remove(table.name, table.self);
        return true;
    }
    const bool renamed = table.name.empty() ? names.add(name, table.self)
                                            : names.rename(table.name, name, table.self);
    if (!renamed)
        raise(QUEN_ERR_INVALID_ARGUMENT, function, "the registry already has a table named '" + name + "'");
    return renamed;
}

bool unregisterTable(Block& table)
{
    auto& entries = registry().entries;
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&table](const RegisteredTable& e) { return e.table == table.self; });
    if (it == entries.end())
        return false;
    entries.erase(it);
    registry().names.remove(table.name, table.self);
    table.registered = false;
    return true;
}

void clearTableRegistry()
{
    std::vector<RegisteredTable> entries;
    entries.swap(registry().entries);
    registry().names.clear();
    for (const RegisteredTable& entry : entries) {
        if (auto* block = lookup<Block>(entry.table))
            block->registered = false;
        QuenPbDefRelease(entry.table);
    }
}

} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenTableCreate(const char* name) { return newBlock(textArg(name)); }

const char* QuenTableGetName(QuenHandle table) { return blockName(table, __func__); }

QuenBool QuenTableSetName(QuenHandle table, const char* name) { return toBool(renameBlock(table, name, __func__)); }

QuenBool QuenTableSave(QuenHandle table, const char* path)
{
    const auto* block = resolveAs<Block>(table, __func__);
    if (!block)
        return QUEN_FALSE;
    QJsonObject file;
    file.insert(QLatin1String("format"), QLatin1String(kTableFormat));
    file.insert(QLatin1String("formatVersion"), 1);
    file.insert(QLatin1String("table"), json::writeBlock(*block, "symbols", { defaultArrayMaxSize() }));
    return toBool(writeFileAtomically(textArg(path), QJsonDocument(file).toJson(), __func__));
}

QuenHandle QuenTableRestore(const char* path)
{
    const std::string file = textArg(path);
    QByteArray text;
    if (!readFile(file, text, __func__))
        return 0;
    const std::string source = QFileInfo(QString::fromStdString(file)).fileName().toStdString();
    try {
        const json::Place document;
        const QJsonObject object = json::parseObject(text);
        json::Fields fields(object, document);
        const QJsonValue format = fields.get("format");
        fields.get("formatVersion");
        const QJsonValue table = fields.get("table");
        fields.finish();
        if (format.toString() != QLatin1String(kTableFormat))
            throw json::ReadError("format", std::string("expected \"") + kTableFormat + "\"");
        json::checkFormatVersion(object);
        if (table.isUndefined())
            throw json::ReadError("table", "missing");
        return json::readBlock(table, json::Place(document, "table"), "symbols", { defaultArrayMaxSize() });
    } catch (const json::ReadError& error) {
        json::raiseReadError(__func__, source, error);
        return 0;
    }
}

int32_t QuenTableRegGetSize() { return int32_t(registry().entries.size()); }

QuenHandle QuenTableRegGetTable(int32_t position)
{
    const RegisteredTable* entry = entryAt(position, __func__);
    return entry ? entry->table : 0;
}

QuenBool QuenTableRegIsPublic(int32_t position)
{
    const RegisteredTable* entry = entryAt(position, __func__);
    return toBool(entry && entry->isPublic);
}

QuenBool QuenTableRegAddTable(QuenHandle table, QuenBool isPublic)
{
    auto* block = resolveAs<Block>(table, __func__);
    if (!block)
        return QUEN_FALSE;
    if (block->registered) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "table '" + block->name + "' is already in the registry");
        return QUEN_FALSE;
    }
    if (findRegisteredTable(block->name)) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__,
              "the registry already has a table named '" + block->name + "'");
        return QUEN_FALSE;
    }
    if (!QuenPbDefAddRef(table))
        return QUEN_FALSE;
    registerTable(*block, isPublic != 0);
    return QUEN_TRUE;
}

QuenBool QuenTableRegRemoveTable(QuenHandle table)
{
    auto* block = resolveAs<Block>(table, __func__);
    if (!block)
        return QUEN_FALSE;
    if (!unregisterTable(*block)) {
        raise(QUEN_ERR_NOT_FOUND, __func__, "table " + std::to_string(table) + " is not in the registry");
        return QUEN_FALSE;
    }
    return QuenPbDefRelease(table);
}

QuenHandle QuenTableRegFindTable(const char* name, int32_t nameLength)
{
    const Block* block = findRegisteredTable(textArg(name, nameLength));
    return block ? block->self : 0;
}

QuenHandle QuenTableRegFindParm(const char* table, int32_t tableLength, const char* symbol,
                                int32_t symbolLength)
{
    const std::string tableName = textArg(table, tableLength);
    const std::string symbolName = textArg(symbol, symbolLength);
    if (!tableName.empty())
        return findSymbol(findRegisteredTable(tableName), symbolName);
    for (const RegisteredTable& entry : registry().entries) {
        if (!entry.isPublic)
            continue;
        if (const QuenHandle parm = findSymbol(lookup<Block>(entry.table), symbolName))
            return parm;
    }
    return 0;
}

void QuenTableRegClear() { clearTableRegistry(); }

} // extern "C"
