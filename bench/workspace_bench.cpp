// Workspace files at the size the data allows: a table of 32767 symbols of mixed classes (with
// editing properties and small arrays), loaded and saved, beside the floor of merely parsing
// and writing the same JSON document with QJsonDocument.
#include "quen/quencore.h"

#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kSymbols = 32767;

const std::string& workspaceText()
{
    static const std::string text = [] {
        std::string s = R"({"formatVersion": 1, "settings": {"arrayMaxSize": 65535}, "tables": [)"
                        R"({"name": "Big", "public": true, "symbols": [)";
        for (int i = 0; i < kSymbols; ++i) {
            const std::string n = std::to_string(i);
            if (i)
                s += ',';
            switch (i % 4) {
            case 0:
                s += R"({"name": "Limit)" + n + R"(", "description": "Limit number )" + n
                        + R"(", "data": {"class": "CQuenInt32", "value": )" + n
                        + R"(, "properties": [{"name": "Units", "class": "CQuenString", "value": "mV"}, )"
                          R"({"name": "Restriction", "class": "CQuenInt32Array", "bounds": [[1, 2]], "elements": [-500, 500]}]}})";
                break;
            case 1:
                s += R"({"name": "Gain)" + n + R"(", "data": {"class": "CQuenReal64", "value": )" + n + R"(.25}})";
                break;
            case 2:
                s += R"({"name": "Pin)" + n + R"(", "data": {"class": "CQuenString", "value": "J1-)" + n + R"("}})";
                break;
            default:
                s += R"({"name": "Mask)" + n + R"(", "data": {"class": "CQuenReal64Array", "bounds": [[0, 3]], "elements": [0.5, 1.5, 2.5, 3.5]}})";
                break;
            }
        }
        s += "]}]}";
        return s;
    }();
    return text;
}

// Loading into an empty core: releasing the previous workspace is timed on its own below.
void BM_WorkspaceLoad(benchmark::State& state)
{
    const std::string& text = workspaceText();
    for (auto _ : state) {
        state.PauseTiming();
        QuenWorkspaceClear();
        state.ResumeTiming();
        if (!QuenWorkspaceLoadText(text.c_str()))
            state.SkipWithError("the workspace did not load");
    }
    QuenWorkspaceClear();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_WorkspaceLoad)->Unit(benchmark::kMillisecond);

void BM_WorkspaceClear(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QuenWorkspaceLoadText(workspaceText().c_str());
        state.ResumeTiming();
        QuenWorkspaceClear();
    }
}
BENCHMARK(BM_WorkspaceClear)->Unit(benchmark::kMillisecond);

void BM_Floor_JsonParse(benchmark::State& state)
{
    const QByteArray text = QByteArray::fromStdString(workspaceText());
    for (auto _ : state)
        benchmark::DoNotOptimize(QJsonDocument::fromJson(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}
BENCHMARK(BM_Floor_JsonParse)->Unit(benchmark::kMillisecond);

void BM_WorkspaceSave(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray path = QDir(dir.path()).filePath(QStringLiteral("big.json")).toUtf8();
    QuenWorkspaceLoadText(workspaceText().c_str());
    for (auto _ : state) {
        if (!QuenWorkspaceSave(path.constData()))
            state.SkipWithError("the workspace was not saved");
    }
    QuenWorkspaceClear();
}
BENCHMARK(BM_WorkspaceSave)->Unit(benchmark::kMillisecond);

void BM_Floor_JsonWrite(benchmark::State& state)
{
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(workspaceText()));
    for (auto _ : state)
        benchmark::DoNotOptimize(document.toJson());
}
BENCHMARK(BM_Floor_JsonWrite)->Unit(benchmark::kMillisecond);

// Finding the last symbol of the big table: names are compared one by one, without case.
void BM_FindLastSymbol(benchmark::State& state)
{
    QuenWorkspaceLoadText(workspaceText().c_str());
    const std::string last = "Mask" + std::to_string(kSymbols - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(QuenTableRegFindParm("", -1, last.c_str(), -1));
    QuenWorkspaceClear();
}
BENCHMARK(BM_FindLastSymbol)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
