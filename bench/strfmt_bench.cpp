// Format patterns: evaluating and scanning a 20-symbol instrument command through the core,
// beside QString::arg building the same string from the same values (the plain floor).
#include "quen/quencore.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kSymbols = 20;

struct Setup
{
    QuenHandle block = QuenPbDefCreate();
    std::vector<QuenHandle> values;
    std::string pattern;

    Setup()
    {
        for (int i = 0; i < kSymbols; ++i) {
            const std::string name = "S" + std::to_string(i);
            const bool real = i % 2 != 0;
            const QuenHandle parm = QuenParmCreate(name.c_str(), real ? "CQuenReal64" : "CQuenInt32");
            const QuenHandle data = real ? QuenReal64Create(i + 0.25) : QuenInt32Create(i * 1000);
            QuenParmSetData(parm, data);
            QuenPbDefAddParm(block, parm);
            values.push_back(data);
            pattern += (i ? ";" : "") + name + "=%{" + name + "}";
        }
    }
    ~Setup() { QuenPbDefRelease(block); }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void Evaluate(benchmark::State& state)
{
    const Setup& s = setup();
    for (auto _ : state)
        benchmark::DoNotOptimize(QuenStrFmtGetStringValue(s.pattern.c_str(), s.block));
}

void Scan(benchmark::State& state)
{
    const Setup& s = setup();
    const QuenHandle item = QuenStringCreate(QuenStrFmtGetStringValue(s.pattern.c_str(), s.block));
    const QuenHandle format = QuenStringCreate(s.pattern.c_str());
    QuenDataExSetProperty(item, "Format", format);
    for (auto _ : state)
        benchmark::DoNotOptimize(QuenStrFmtRuntimeScan(item, s.block));
    QuenDataRelease(format);
    QuenDataRelease(item);
}

// The floor: the same text built with QString::arg from values already at hand.
void QStringArgFloor(benchmark::State& state)
{
    const Setup& s = setup();
    for (auto _ : state) {
        QString text;
        for (int i = 0; i < kSymbols; ++i) {
            const QString value = i % 2 ? QString::number(QuenReal64GetValue(s.values[std::size_t(i)]), 'g', 15)
                                        : QString::number(QuenInt32GetValue(s.values[std::size_t(i)]));
            text += QStringLiteral("%1S%2=%3").arg(i ? QStringLiteral(";") : QString()).arg(i).arg(value);
        }
        benchmark::DoNotOptimize(text);
    }
}

} // namespace

BENCHMARK(Evaluate);
BENCHMARK(Scan);
BENCHMARK(QStringArgFloor);
BENCHMARK_MAIN();
