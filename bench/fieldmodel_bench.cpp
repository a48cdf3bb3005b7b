// The structured field model: binding a collection to a parameter and reading every field's
// text (3 and 50 fields, served by the test-only type editor), beside the core calls that work
// makes on its own; and rebinding one collection across 32767 parameters, with the field
// objects created after the first pass as a counter (the pool must make it 0).
#include "benchmain.h"
#include "faketypeeditor.h"

#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"
#include "qtstrings.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <vector>

namespace {

constexpr int kBlockSize = 32767;

using VeltTest::FakeTypeEditor;

void declareChildren(int fieldCount)
{
    FakeTypeEditor& type = FakeTypeEditor::served();
    type.reset();
    for (int i = 1; i < fieldCount; ++i)
        type.fields.append({QStringLiteral("Line %1").arg(i), 1 + i % 3, QString()});
}

// An integer parameter, owned by the caller.
QuenHandle makeIntParm(const char* name, int32_t value)
{
    const QuenHandle parm = QuenParmCreate(name, "CQuenInt32");
    QuenInt32SetValue(QuenParmGetData(parm), value);
    return parm;
}

void BM_BindAndReadFields(benchmark::State& state)
{
    const int fieldCount = int(state.range(0));
    declareChildren(fieldCount);
    const QuenHandle parm = makeIntParm("Value", 42);
    XCStructEditFields fields;
    for (auto _ : state) {
        fields.AttachParameter(parm, 0, 0, false, false, false);
        for (int i = 0; i < fields.Count(); ++i)
            benchmark::DoNotOptimize(fields.Item(i)->Text());
    }
    fields.Detach();
    QuenParmRelease(parm);
    state.SetItemsProcessed(state.iterations() * fieldCount);
}
BENCHMARK(BM_BindAndReadFields)->Arg(3)->Arg(50);

// The floor: the core calls a binding makes, and what the test editor does for each field.
void BM_Floor_CoreCallsAlone(benchmark::State& state)
{
    const int fieldCount = int(state.range(0));
    const QuenHandle parm = makeIntParm("Value", 42);
    for (auto _ : state) {
        benchmark::DoNotOptimize(QuenParmIsReference(parm));
        benchmark::DoNotOptimize(quen::toQString(QuenParmGetName(parm)).trimmed());
        benchmark::DoNotOptimize(quen::toQString(QuenDescGetText(QuenParmGetDesc(parm))));
        const QuenHandle data = QuenParmGetData(parm);
        benchmark::DoNotOptimize(quen::toQString(QuenDataGetType(data)));
        for (int i = 0; i < fieldCount; ++i)
            benchmark::DoNotOptimize(i == 0 ? QString::number(QuenInt32GetValue(data))
                                            : QStringLiteral("line %1").arg(i));
    }
    QuenParmRelease(parm);
    state.SetItemsProcessed(state.iterations() * fieldCount);
}
BENCHMARK(BM_Floor_CoreCallsAlone)->Arg(3)->Arg(50);

// One collection rebound to every parameter of a full block, reading the root line of each,
// as a viewer does while the user moves through a long parameter list.
void BM_RebindAcrossBlock(benchmark::State& state)
{
    declareChildren(3);
    const QuenHandle block = QuenPbDefCreate();
    std::vector<QuenHandle> parms;
    parms.reserve(kBlockSize);
    for (int i = 0; i < kBlockSize; ++i) {
        const QByteArray name = "P" + QByteArray::number(i);
        const QuenHandle parm = makeIntParm(name.constData(), i);
        QuenPbDefAddParm(block, parm);
        parms.push_back(parm);
    }
    XCStructEditFields fields;
    quint64 afterFirstPass = 0;
    bool firstPass = true;
    for (auto _ : state) {
        for (const QuenHandle parm : parms) {
            fields.AttachParameter(parm, 0, 0, false, false, false);
            benchmark::DoNotOptimize(fields.Item(0)->Text());
        }
        if (firstPass) {
            afterFirstPass = XCStructEditFields::fieldObjectsCreated();
            firstPass = false;
        }
    }
    state.counters["fieldsCreatedAfterFirstPass"] =
            double(XCStructEditFields::fieldObjectsCreated() - afterFirstPass);
    state.SetItemsProcessed(state.iterations() * kBlockSize);
    fields.Detach();
    QuenPbDefRelease(block);
}
BENCHMARK(BM_RebindAcrossBlock)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    return VeltBench::runWidgetBenchmarks(argc, argv);
}
