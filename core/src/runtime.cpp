// Runtime evaluation: the callbacks a library registers per data class, and the walks that call
// them over a block's values while a test runs.
//
// Slots 1 to 100 are handed out per data class: the first registration of a class takes a new
// slot and the class's other three registrations share it. Registering the same function again
// changes nothing; registering a different function where the class's slot already has one
// starts a new slot for the class (a new evaluator), which the walks use from then on. Slots
// are never freed.
#include "block_p.h"

#include <array>

namespace quen {
namespace {

enum Phase { Bind, Evaluate, Scan, Unbind, PhaseCount };

constexpr int kSlotCount = 100;
constexpr std::array<const char*, PhaseCount> kPhaseNames { "Bind", "Evaluate", "Scan", "Unbind" };

struct Slot
{
    DataClass cls {};
    std::array<QuenRuntimeCallback, PhaseCount> callbacks {};
};

struct Slots
{
    std::vector<Slot> slots;                   // slot n is slots[n - 1]
    std::array<int16_t, kDataClassCount> current {}; // the class's slot, 0 for none
};

Slots& slots()
{
    static Slots s;
    return s;
}

int16_t registerCallback(const char* className, QuenRuntimeCallback fn, Phase phase,
                         const char* function)
{
    const std::string name = textArg(className);
    const auto cls = classFromName(name);
    if (!cls) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function, "\"" + name + "\" is not a data class");
        return 0;
    }
    if (!fn) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function, "no callback given");
        return 0;
    }
    Slots& s = slots();
    int16_t& current = s.current[std::size_t(*cls)];
    if (current) {
        QuenRuntimeCallback& registered = s.slots[std::size_t(current) - 1].callbacks[phase];
        if (!registered || registered == fn) {
            registered = fn;
            return current;
        }
    }
    if (s.slots.size() >= std::size_t(kSlotCount)) {
        raise(QUEN_ERR_OVERFLOW, function,
              "all " + std::to_string(kSlotCount) + " runtime slots are taken; " + name + " gets none");
        return 0;
    }
    Slot slot;
    slot.cls = *cls;
    slot.callbacks[phase] = fn;
    s.slots.push_back(slot);
    current = int16_t(s.slots.size());
    return current;
}

bool wanted(const DataItem& item, Phase phase)
{
    switch (phase) {
    case Evaluate: return item.runtimeEvaluation;
    case Scan: return item.runtimeScan;
    default: return item.runtimeEvaluation || item.runtimeScan;
    }
}

// Calls the phase's callback for every marked value of the block, in order. The number of
// calls, or -1 when a callback is missing or left an error in the register.
int32_t run(QuenHandle h, Phase phase, const char* function)
{
    const auto* block = resolveAs<Block>(h, function);
    if (!block)
        return -1;
    // A callback may change the block: walk a copy of its list, and look each item up anew.
    const std::vector<QuenHandle> parms = block->parms;
    int32_t calls = 0;
    for (const QuenHandle ph : parms) {
        const auto* parm = lookup<Parm>(ph);
        const auto* item = parm ? lookup<DataItem>(parm->data) : nullptr;
        if (!item || !wanted(*item, phase))
            continue;
        const std::string what = std::string(kPhaseNames[phase]) + " callback of " + className(item->cls)
                + " (parameter '" + parm->name + "')";
        const int16_t slot = slots().current[std::size_t(item->cls)];
        const QuenRuntimeCallback fn = slot ? slots().slots[std::size_t(slot) - 1].callbacks[phase] : nullptr;
        if (!fn) {
            raise(QUEN_ERR_CALLBACK, function, "no " + what + " is registered");
            return -1;
        }
        const int32_t errors = QuenExcRegGetErrorCount();
        fn(slot, item->self, h);
        ++calls;
        if (QuenExcRegGetErrorCount() > errors) {
            raise(QUEN_ERR_CALLBACK, function, "the " + what + " failed");
            return -1;
        }
    }
    return calls;
}

} // namespace
} // namespace quen

using namespace quen;

extern "C" {

int16_t QuenDataRegisterBindFunction(const char* className, QuenRuntimeCallback fn)
{
    return registerCallback(className, fn, Bind, __func__);
}

int16_t QuenDataRegisterEvaluateFunction(const char* className, QuenRuntimeCallback fn)
{
    return registerCallback(className, fn, Evaluate, __func__);
}

int16_t QuenDataRegisterScanFunction(const char* className, QuenRuntimeCallback fn)
{
    return registerCallback(className, fn, Scan, __func__);
}

int16_t QuenDataRegisterUnbindFunction(const char* className, QuenRuntimeCallback fn)
{
    return registerCallback(className, fn, Unbind, __func__);
}

int32_t QuenDataRunBind(QuenHandle block) { return run(block, Bind, __func__); }
int32_t QuenDataRunEvaluate(QuenHandle block) { return run(block, Evaluate, __func__); }
int32_t QuenDataRunScan(QuenHandle block) { return run(block, Scan, __func__); }
int32_t QuenDataRunUnbind(QuenHandle block) { return run(block, Unbind, __func__); }

} // extern "C"
