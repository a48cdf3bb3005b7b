// Keystroke to message in the structured face of the scalar editors: assigning the root field's
// Text of a bound integer or real parameter (parse in the item's view, check the restriction,
// write to the core, show the core's errors) and reading the field back (render in the view
// with units, check again), beside the core calls that work makes on its own. A rejected
// keystroke (out of the restriction) is measured too: it parses and checks, and writes nothing.
#include "benchmain.h"
#include "corehooks.h"
#include "dataeditorregistry.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

struct Parameter
{
    explicit Parameter(bool real)
    {
        parm = QuenParmCreate("Value", real ? "CQuenReal64" : "CQuenInt32");
        QuenParmSetData(parm, real ? QuenReal64Create(1.5) : QuenInt32Create(16));
        item = QuenParmGetData(parm);
        setProperty("Units", QuenStringCreate("mV"));
        if (real) {
            setProperty("Precision", QuenInt32Create(3));
            const QuenHandle bounds = QuenR64ArrCreate(1, 2);
            QuenR64ArrSetAt1(bounds, 1, 0.0);
            QuenR64ArrSetAt1(bounds, 2, 1000.0);
            setProperty("Restriction", bounds);
        } else {
            setProperty("View As", QuenStringCreate("Hexadecimal"));
            const QuenHandle bounds = QuenI32ArrCreate(1, 2);
            QuenI32ArrSetAt1(bounds, 1, 0);
            QuenI32ArrSetAt1(bounds, 2, 0x1000);
            setProperty("Restriction", bounds);
        }
    }
    ~Parameter() { QuenParmRelease(parm); }
    void setProperty(const char* name, QuenHandle value)
    {
        QuenDataExSetProperty(item, name, value);
        QuenDataRelease(value);
    }

    QuenHandle parm = 0;
    QuenHandle item = 0;
};

void assignAndRead(benchmark::State& state, bool real, const QString& a, const QString& b)
{
    Parameter p(real);
    XCStructEditFields fields;
    fields.AttachParameter(p.parm, 0, 0, false, false, false);
    XCStructEditField* root = fields.Item(0);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        root->setText(flip ? a : b);
        benchmark::DoNotOptimize(root->ErrorMessage());
        benchmark::DoNotOptimize(root->Text());
    }
    fields.Detach();
}

void BM_Int32Keystroke(benchmark::State& state)
{
    assignAndRead(state, false, QStringLiteral("0x20 mV (Hexadecimal)"), QStringLiteral("0x21 mV"));
}
BENCHMARK(BM_Int32Keystroke);

void BM_Int32KeystrokeRejected(benchmark::State& state)
{
    assignAndRead(state, false, QStringLiteral("0x2000"), QStringLiteral("0x2001"));
}
BENCHMARK(BM_Int32KeystrokeRejected);

void BM_Real64Keystroke(benchmark::State& state)
{
    assignAndRead(state, true, QStringLiteral("12.5 mV"), QStringLiteral("1.25e2"));
}
BENCHMARK(BM_Real64Keystroke);

// Reading every field of an integer with a choice list at design time: the root line, the
// bounds, "Labels" and one line per label. Each read must touch only what its line shows, so
// the time per field stays flat from 100 to 1,000 labels (the whole read grows linearly).
void BM_Int32ReadEveryLabelField(benchmark::State& state)
{
    const int labels = int(state.range(0));
    const QuenHandle parm = QuenParmCreate("Mode", "CQuenInt32");
    QuenParmSetData(parm, QuenInt32Create(1));
    const QuenHandle item = QuenParmGetData(parm);
    const QuenHandle list = QuenStrArrCreate(0, labels - 1);
    for (int i = 0; i < labels; ++i)
        QuenStrArrSetAt1(list, i, QByteArray("Label ").append(QByteArray::number(i)).constData());
    QuenDataExSetProperty(item, "Enumeration", list);
    QuenDataRelease(list);
    XCStructEditFields fields;
    fields.AttachParameter(parm, 0, 0, true, false, false);
    for (auto _ : state) {
        for (int i = 0; i < fields.Count(); ++i)
            benchmark::DoNotOptimize(fields.Item(i)->Text());
    }
    state.SetItemsProcessed(state.iterations() * fields.Count());
    state.counters["fields"] = fields.Count();
    fields.Detach();
    QuenParmRelease(parm);
}
BENCHMARK(BM_Int32ReadEveryLabelField)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The floor: the core calls of one assignment and one read (the value, its three properties
// read twice, one write), with no parsing, rendering or field model.
void BM_Floor_Int32CoreCalls(benchmark::State& state)
{
    Parameter p(false);
    int32_t value = 0;
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass) {
            benchmark::DoNotOptimize(QuenInt32GetValue(p.item));
            benchmark::DoNotOptimize(QuenStringGetValue(QuenDataExGetProperty(p.item, "Units")));
            benchmark::DoNotOptimize(QuenStringGetValue(QuenDataExGetProperty(p.item, "View As")));
            const QuenHandle bounds = QuenDataExGetProperty(p.item, "Restriction");
            benchmark::DoNotOptimize(QuenI32ArrGetAt1(bounds, 1) + QuenI32ArrGetAt1(bounds, 2));
            benchmark::DoNotOptimize(QuenDataExGetProperty(p.item, "Enumeration"));
        }
        QuenInt32SetValue(p.item, 32 + (value++ & 1));
        benchmark::DoNotOptimize(QuenExcRegIsError(0));
    }
}
BENCHMARK(BM_Floor_Int32CoreCalls);

void BM_Floor_Real64CoreCalls(benchmark::State& state)
{
    Parameter p(true);
    int32_t value = 0;
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass) {
            benchmark::DoNotOptimize(QuenReal64GetValue(p.item));
            benchmark::DoNotOptimize(QuenStringGetValue(QuenDataExGetProperty(p.item, "Units")));
            benchmark::DoNotOptimize(QuenInt32GetValue(QuenDataExGetProperty(p.item, "Precision")));
            const QuenHandle bounds = QuenDataExGetProperty(p.item, "Restriction");
            benchmark::DoNotOptimize(QuenR64ArrGetAt1(bounds, 1) + QuenR64ArrGetAt1(bounds, 2));
        }
        QuenReal64SetValue(p.item, 12.5 + (value++ & 1));
        benchmark::DoNotOptimize(QuenExcRegIsError(0));
    }
}
BENCHMARK(BM_Floor_Real64CoreCalls);

} // namespace

int main(int argc, char** argv)
{
    return VeltBench::runWidgetBenchmarks(argc, argv, [] {
        Velt::installCoreHooks();
        DataEditorRegistry::instance();
    });
}
