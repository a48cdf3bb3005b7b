// QuenCore's hot calls: resolving a handle, reading and writing an integer item, and reading
// every element of an array at the largest default size, each beside the plain C++ floor.
#include "quen/quencore.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int32_t kElements = 65535;

void BM_DataIsValid(benchmark::State& state)
{
    const QuenHandle h = QuenInt32Create(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(QuenDataIsValid(h));
    QuenDataRelease(h);
}
BENCHMARK(BM_DataIsValid);

// The floor of a handle check: a slot vector indexed by the handle, its generation compared.
void BM_Floor_SlotLookup(benchmark::State& state)
{
    struct Slot
    {
        uint16_t generation;
        void* object;
    };
    std::vector<Slot> slots(1024, Slot { 1, nullptr });
    int dummy = 0;
    slots[17].object = &dummy;
    const uint32_t handle = (1u << 20) | 17u;
    for (auto _ : state) {
        benchmark::DoNotOptimize(handle);
        const Slot& slot = slots[handle & 0xfffff];
        benchmark::DoNotOptimize(slot.object != nullptr && slot.generation == (handle >> 20));
    }
}
BENCHMARK(BM_Floor_SlotLookup);

void BM_Int32GetValue(benchmark::State& state)
{
    const QuenHandle h = QuenInt32Create(42);
    for (auto _ : state)
        benchmark::DoNotOptimize(QuenInt32GetValue(h));
    QuenDataRelease(h);
}
BENCHMARK(BM_Int32GetValue);

void BM_Int32SetValue(benchmark::State& state)
{
    const QuenHandle h = QuenInt32Create(0);
    int32_t v = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(QuenInt32SetValue(h, ++v));
    QuenDataRelease(h);
}
BENCHMARK(BM_Int32SetValue);

void BM_R64ArrGetAt1_All(benchmark::State& state)
{
    // Bounds are 16-bit signed: the largest array runs from -32768.
    constexpr int32_t kLower = -32768;
    const QuenHandle h = QuenR64ArrCreate(kLower, kLower + kElements - 1);
    for (int32_t i = 0; i < kElements; ++i)
        QuenR64ArrSetAt1(h, kLower + i, i * 0.5);
    if (QuenExcRegIsError(0)) {
        state.SkipWithError("the array could not be made");
        QuenExcRegClearError(0);
        return;
    }
    for (auto _ : state) {
        double sum = 0;
        for (int32_t i = kLower; i < kLower + kElements; ++i)
            sum += QuenR64ArrGetAt1(h, i);
        benchmark::DoNotOptimize(sum);
    }
    if (QuenExcRegIsError(0))
        state.SkipWithError("a read failed");
    state.SetItemsProcessed(state.iterations() * kElements);
    QuenDataRelease(h);
}
BENCHMARK(BM_R64ArrGetAt1_All);

void BM_Floor_VectorAt_All(benchmark::State& state)
{
    std::vector<double> values(kElements);
    for (int32_t i = 0; i < kElements; ++i)
        values[std::size_t(i)] = i * 0.5;
    for (auto _ : state) {
        double sum = 0;
        for (int32_t i = 0; i < kElements; ++i) {
            benchmark::DoNotOptimize(i);
            sum += values.at(std::size_t(i));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_Floor_VectorAt_All);

} // namespace

BENCHMARK_MAIN();
