// The workspace: the settings, the symbol tables of the registry, the parameter block
// definitions and the tests, read from and written to one JSON file. A load replaces them only
// when the whole file has been read; top-level keys this version does not know (topology,
// instruments) are kept and written back unchanged.
#include "block_p.h"
#include "data_p.h"
#include "fileio_p.h"
#include "json_p.h"
#include "names_p.h"
#include "tables_p.h"
#include "test_p.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <unordered_map>

namespace quen {
namespace {

constexpr const char* kWorkspaceFormat = "VeltEditors.Workspace";

struct Workspace
{
    std::vector<QuenHandle> definitions; // one reference held on each
    std::vector<QuenHandle> tests;       // one reference held on each
    QJsonObject unknown;                 // top-level keys kept for a later version
    std::string path;
};

Workspace& workspace()
{
    static Workspace w;
    return w;
}

void releaseDefinitions()
{
    std::vector<QuenHandle> definitions;
    definitions.swap(workspace().definitions);
    for (const QuenHandle h : definitions)
        QuenPbDefRelease(h);
}

void releaseTests()
{
    std::vector<QuenHandle> tests;
    tests.swap(workspace().tests);
    for (const QuenHandle h : tests) {
        if (auto* test = lookup<Test>(h))
            test->inWorkspace = false;
        releaseTest(h);
    }
}

// The entry at a 1-based position of one of the workspace's lists, or 0 with an error.
QuenHandle entryAt(const std::vector<QuenHandle>& list, int32_t position, const char* what, const char* function)
{
    if (position < 1 || std::size_t(position) > list.size()) {
        raise(QUEN_ERR_OUT_OF_RANGE, function,
              "position " + std::to_string(position) + " is outside 1 to " + std::to_string(list.size())
                      + " (the workspace's " + what + ")");
        return 0;
    }
    return list[std::size_t(position) - 1];
}

bool isKnownKey(const QString& key)
{
    return key == QLatin1String("format") || key == QLatin1String("formatVersion")
            || key == QLatin1String("settings") || key == QLatin1String("tables")
            || key == QLatin1String("parameterBlocks") || key == QLatin1String("tests");
}

// The list under key, empty when the document has none.
QJsonArray listOf(const QJsonObject& object, const json::Place& place, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isUndefined() ? QJsonArray() : json::readList(value, json::Place(place, key));
}

// A name taken twice among the blocks or tests read so far.
void checkUnique(std::unordered_map<std::string, qsizetype>& names, const std::string& name,
                 const json::Place& place, const char* list, qsizetype i)
{
    if (name.empty())
        return;
    const auto [it, added] = names.emplace(nameKey(name), i);
    if (!added)
        throw json::ReadError(json::Place(place, "name"), "'" + name + "' is already the name of " + list + "["
                                                       + std::to_string(it->second) + "]");
}

// A test: its name and description, and its limits exactly as a block's parameters.
QuenHandle readTest(const QJsonValue& value, const json::Place& place, const json::Options& options)
{
    json::Owned limits(json::readBlock(value, place, "limits", options), Kind::Block);
    auto* block = lookup<Block>(limits.get());
    if (block->name.empty())
        throw json::ReadError(json::Place(place, "name"), value.toObject().contains(QLatin1String("name")) ? "a test needs a name" : "missing");
    if (block->bound)
        throw json::ReadError(json::Place(place, "bound"), "unexpected key");
    // The name is the test's: its limits block stays unnamed, so it never passes for a table.
    std::string name;
    name.swap(block->name);
    const QuenHandle test = newTest(name, limits.release());
    if (!test)
        throw json::ReadError(place, "the core could not create the test");
    return test;
}

QJsonObject writeTest(const Test& test, const json::Options& options)
{
    const auto* limits = lookup<Block>(test.limits);
    QJsonObject object = limits ? json::writeBlock(*limits, "limits", options) : QJsonObject { { QLatin1String("limits"), QJsonArray() } };
    object.insert(QLatin1String("name"), QString::fromStdString(test.name));
    return object;
}

// Reads the whole document, then swaps it in; throws ReadError (changing nothing) otherwise.
void load(const QByteArray& text)
{
    const json::Place document;
    const QJsonObject object = json::parseObject(text);
    const QJsonValue format = object.value(QLatin1String("format"));
    if (!format.isUndefined() && format.toString() != QLatin1String(kWorkspaceFormat))
        throw json::ReadError("format", std::string("expected \"") + kWorkspaceFormat + "\"");
    json::checkFormatVersion(object);

    json::Options options { kArrayMaxSizeLimit };
    const QJsonValue settings = object.value(QLatin1String("settings"));
    if (!settings.isUndefined()) {
        const json::Place place(document, "settings");
        json::Fields s(settings, place);
        const QJsonValue maxSize = s.get("arrayMaxSize");
        s.finish();
        if (!maxSize.isUndefined())
            options.arrayMaxSize = json::readInt(maxSize, json::Place(place, "arrayMaxSize"), 1, kArrayMaxSizeLimit);
    }

    std::vector<json::Owned> tables;
    std::vector<bool> publicFlags;
    std::unordered_map<std::string, qsizetype> names;
    const QJsonArray tableList = listOf(object, document, "tables");
    const json::Place tablesPlace(document, "tables");
    for (qsizetype i = 0; i < tableList.size(); ++i) {
        const json::Place place(tablesPlace, i);
        tables.emplace_back(json::readBlock(tableList[i], place, "symbols", options, { "public" }), Kind::Block);
        publicFlags.push_back(json::Fields(tableList[i], place).flag("public", false));
        checkUnique(names, lookup<Block>(tables.back().get())->name, place, "tables", i);
    }
    std::vector<json::Owned> definitions;
    names.clear();
    const QJsonArray blockList = listOf(object, document, "parameterBlocks");
    const json::Place blocksPlace(document, "parameterBlocks");
    for (qsizetype i = 0; i < blockList.size(); ++i) {
        const json::Place place(blocksPlace, i);
        definitions.emplace_back(json::readBlock(blockList[i], place, "parameters", options), Kind::Block);
        checkUnique(names, lookup<Block>(definitions.back().get())->name, place, "parameterBlocks", i);
    }

    std::vector<json::Owned> tests;
    names.clear();
    const QJsonArray testList = listOf(object, document, "tests");
    const json::Place testsPlace(document, "tests");
    for (qsizetype i = 0; i < testList.size(); ++i) {
        const json::Place place(testsPlace, i);
        tests.emplace_back(readTest(testList[i], place, options), Kind::Test);
        checkUnique(names, lookup<Test>(tests.back().get())->name, place, "tests", i); // never empty
    }

    // Everything is read: from here nothing fails.
    clearTableRegistry();
    releaseDefinitions();
    releaseTests();
    for (std::size_t i = 0; i < tables.size(); ++i)
        registerTable(*lookup<Block>(tables[i].release()), publicFlags[i]); // names checked above
    for (json::Owned& definition : definitions)
        workspace().definitions.push_back(definition.release());
    for (json::Owned& test : tests) {
        lookup<Test>(test.get())->inWorkspace = true;
        workspace().tests.push_back(test.release());
    }
    QJsonObject unknown;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!isKnownKey(it.key()))
            unknown.insert(it.key(), it.value());
    }
    workspace().unknown = unknown;
    setDefaultArrayMaxSize(options.arrayMaxSize);
}

QByteArray save()
{
    const json::Options options { defaultArrayMaxSize() };
    QJsonObject object = workspace().unknown;
    object.insert(QLatin1String("format"), QLatin1String(kWorkspaceFormat));
    object.insert(QLatin1String("formatVersion"), 1);
    object.insert(QLatin1String("settings"), QJsonObject { { QLatin1String("arrayMaxSize"), options.arrayMaxSize } });
    QJsonArray tables;
    for (const RegisteredTable& entry : registeredTables()) {
        if (const auto* block = lookup<Block>(entry.table)) {
            QJsonObject table = json::writeBlock(*block, "symbols", options);
            table.insert(QLatin1String("public"), entry.isPublic);
            tables.append(table);
        }
    }
    object.insert(QLatin1String("tables"), tables);
    QJsonArray definitions;
    for (const QuenHandle h : workspace().definitions) {
        if (const auto* block = lookup<Block>(h))
            definitions.append(json::writeBlock(*block, "parameters", options));
    }
    object.insert(QLatin1String("parameterBlocks"), definitions);
    QJsonArray tests;
    for (const QuenHandle h : workspace().tests) {
        if (const auto* test = lookup<Test>(h))
            tests.append(writeTest(*test, options));
    }
    object.insert(QLatin1String("tests"), tests);
    return QJsonDocument(object).toJson();
}

bool loadFrom(const QByteArray& text, const std::string& source, const char* function)
{
    try {
        load(text);
        return true;
    } catch (const json::ReadError& error) {
        json::raiseReadError(function, source, error);
        return false;
    }
}

} // namespace

bool workspaceHasTestNamed(std::string_view name, QuenHandle except)
{
    for (const QuenHandle h : workspace().tests) {
        const auto* test = lookup<Test>(h);
        if (h != except && test && sameName(test->name, name))
            return true;
    }
    return false;
}

} // namespace quen

using namespace quen;

extern "C" {

QuenBool QuenWorkspaceLoad(const char* path)
{
    const std::string file = textArg(path);
    QByteArray text;
    if (!readFile(file, text, __func__))
        return QUEN_FALSE;
    const QFileInfo info(QString::fromStdString(file));
    if (!loadFrom(text, info.fileName().toStdString(), __func__))
        return QUEN_FALSE;
    workspace().path = info.absoluteFilePath().toStdString();
    return QUEN_TRUE;
}

QuenBool QuenWorkspaceLoadText(const char* json)
{
    if (!loadFrom(QByteArray(json ? json : ""), "workspace text", __func__))
        return QUEN_FALSE;
    workspace().path.clear();
    return QUEN_TRUE;
}

QuenBool QuenWorkspaceSave(const char* path)
{
    const std::string file = textArg(path);
    if (!writeFileAtomically(file, save(), __func__))
        return QUEN_FALSE;
    workspace().path = QFileInfo(QString::fromStdString(file)).absoluteFilePath().toStdString();
    return QUEN_TRUE;
}

void QuenWorkspaceClear()
{
    clearTableRegistry();
    releaseDefinitions();
    releaseTests();
    workspace().unknown = QJsonObject();
    workspace().path.clear();
}

int32_t QuenWorkspaceGetPbDefCount() { return int32_t(workspace().definitions.size()); }

QuenHandle QuenWorkspaceGetPbDef(int32_t position)
{
    return entryAt(workspace().definitions, position, "definitions", __func__);
}

QuenBool QuenWorkspaceAddPbDef(QuenHandle h)
{
    const auto* block = resolveAs<Block>(h, __func__);
    if (!block)
        return QUEN_FALSE;
    for (const QuenHandle other : workspace().definitions) {
        const auto* definition = lookup<Block>(other);
        if (other == h || (definition && !block->name.empty() && sameName(definition->name, block->name))) {
            raise(QUEN_ERR_INVALID_ARGUMENT, __func__,
                  "the workspace already has a definition named '" + block->name + "'");
            return QUEN_FALSE;
        }
    }
    if (!QuenPbDefAddRef(h))
        return QUEN_FALSE;
    workspace().definitions.push_back(h);
    return QUEN_TRUE;
}

int32_t QuenWorkspaceGetTestCount() { return int32_t(workspace().tests.size()); }

QuenHandle QuenWorkspaceGetTest(int32_t position)
{
    return entryAt(workspace().tests, position, "tests", __func__);
}

QuenBool QuenWorkspaceAddTest(QuenHandle h)
{
    auto* test = resolveAs<Test>(h, __func__);
    if (!test)
        return QUEN_FALSE;
    if (test->inWorkspace || workspaceHasTestNamed(test->name, h)) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "the workspace already has a test named '" + test->name + "'");
        return QUEN_FALSE;
    }
    if (test->refs == INT32_MAX) {
        raise(QUEN_ERR_OVERFLOW, __func__, "too many references to the test");
        return QUEN_FALSE;
    }
    ++test->refs;
    test->inWorkspace = true;
    workspace().tests.push_back(h);
    return QUEN_TRUE;
}

const char* QuenWorkspaceGetPath() { return workspace().path.c_str(); }

} // extern "C"
