// QuenCore's hot calls: resolving a handle, reading and writing an integer item, reading every
// element of an array at the largest default size, and building and searching a block of
// parameters by name at the sizes blocks reach, each beside the plain C++ floor.
#include "quen/quencore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <unordered_map>
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

constexpr int32_t kLargestBlock = 32767;

std::vector<std::string> parameterNames(int64_t count)
{
    std::vector<std::string> names;
    for (int64_t i = 0; i < count; ++i)
        names.push_back("Parameter" + std::to_string(i));
    return names;
}

// Adding N parameters to a new block. Every add checks the name against the block's: the time
// per parameter must stay flat as the block grows (linear in N, not quadratic).
void BM_PbDefAddParms(benchmark::State& state)
{
    const std::vector<std::string> names = parameterNames(state.range(0));
    for (auto _ : state) {
        const QuenHandle block = QuenPbDefCreate();
        for (const std::string& name : names)
            QuenPbDefAddParm(block, QuenParmCreate(name.c_str(), "CQuenInt32"));
        state.PauseTiming();
        if (QuenPbDefGetSize(block) != int32_t(names.size()))
            state.SkipWithError("a parameter was not added");
        QuenPbDefRelease(block);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PbDefAddParms)->Arg(5000)->Arg(10000)->Arg(kLargestBlock)->Complexity(benchmark::oN)
        ->Unit(benchmark::kMillisecond);

// The floor of the above: the same parameters created and released, never added to a block.
void BM_Floor_ParmCreateOnly(benchmark::State& state)
{
    const std::vector<std::string> names = parameterNames(state.range(0));
    std::vector<QuenHandle> parms(names.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < names.size(); ++i)
            parms[i] = QuenParmCreate(names[i].c_str(), "CQuenInt32");
        state.PauseTiming();
        for (const QuenHandle h : parms)
            QuenParmRelease(h);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Floor_ParmCreateOnly)->Arg(5000)->Arg(10000)->Arg(kLargestBlock)->Unit(benchmark::kMillisecond);

// The largest block, and its parameters' names in capitals (finds ignore case).
struct LargestBlock
{
    LargestBlock()
    {
        for (const std::string& name : parameterNames(kLargestBlock)) {
            QuenPbDefAddParm(block, QuenParmCreate(name.c_str(), "CQuenInt32"));
            upper.push_back(name);
            std::transform(name.begin(), name.end(), upper.back().begin(), [](char c) { return char(std::toupper(c)); });
        }
    }
    ~LargestBlock() { QuenPbDefRelease(block); }
    const QuenHandle block = QuenPbDefCreate();
    std::vector<std::string> upper;
};

constexpr std::size_t kStride = 7919; // a prime: the finds hop across the whole block

// Finding parameters by name in the largest block: the handle (QuenPbDefFindParm), and the
// position (QuenPbDefFindId, after a removal at the front that makes the core number the
// parameters again, once).
template <typename Find>
void BM_PbDefFind(benchmark::State& state, Find find)
{
    const LargestBlock big;
    QuenParmRelease(QuenPbDefRemoveParmId(big.block, 1));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(find(big.block, big.upper[i].c_str()));
        i = (i + kStride) % big.upper.size();
    }
}
BENCHMARK_CAPTURE(BM_PbDefFind, Parm, QuenPbDefFindParm);
BENCHMARK_CAPTURE(BM_PbDefFind, Id, QuenPbDefFindId);

// The floor of a find by name: a case-folded key looked up in a hash map.
void BM_Floor_HashFind(benchmark::State& state)
{
    auto lower = [](std::string name) {
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(std::tolower(c)); });
        return name;
    };
    const std::vector<std::string> names = parameterNames(kLargestBlock);
    std::unordered_map<std::string, int32_t> index;
    for (std::size_t i = 0; i < names.size(); ++i)
        index.emplace(lower(names[i]), int32_t(i));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.find(lower(names[i])));
        i = (i + kStride) % names.size();
    }
}
BENCHMARK(BM_Floor_HashFind);

} // namespace

BENCHMARK_MAIN();
