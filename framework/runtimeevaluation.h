// RuntimeEvaluation: the bridge between the core's runtime callbacks and the type editors that
// can evaluate their class. The library keeps a table of 100 evaluator slots; registering a
// class hands the core four plain callbacks, and the core calls them back with the slot number
// it gave out for that class. The table refers to its evaluators without owning them: an
// evaluator that is destroyed leaves its slot empty.
//
// An evaluator is a QObject that implements XCRuntimeDataEvaluation (Q_INTERFACES), or that
// publishes Bind, Evaluate, Scan and Unbind(int, int) as invokable methods (a bool result of
// false, or no such method, is a failure).
//
// Failures of a callback reach the core through its error register (QuenExcRaiseUserError),
// so the core sees a failed call:
//   "Runtime evaluation slot <n> is out of range: 1 to 100"
//   "Runtime evaluation slot <n> is empty"
//   "Runtime <Member> failed for data item <h> in parameter block <b>" (only when the
//   evaluator failed without leaving an error of its own)
#pragma once

#include "velt_export.h"

#include "quen/quencore.h"

#include <QString>

class QObject;
class XCRuntimeDataEvaluation;

namespace Velt {

class VELT_EXPORT RuntimeEvaluation
{
public:
    static constexpr int SlotCount = 100;
    enum class Member { Bind, Evaluate, Scan, Unbind };

    // Registers the four callbacks for the class with the core and stores the evaluator in the
    // slot the last registration returned. Never fails towards the caller: gives the slot
    // used, or 0 when the core handed out no usable slot or the evaluator is null.
    static int RegisterRuntime(const QString& DataClass, QObject* Evaluator);

    // Stores an evaluator in a slot without asking the core (the registry's tests, and a host
    // that registers callbacks itself). False for a slot outside 1 to 100.
    static bool setEvaluator(int slot, QObject* evaluator);
    // The evaluator object in a slot; null for an empty or out-of-range slot.
    static QObject* evaluator(int slot);

    // Calls a member on the evaluator of a slot; false, with an error in the core's register,
    // when the slot is out of range or empty or the evaluator failed.
    static bool call(Member member, int slot, int32_t DataHandle, int32_t ParmBlockHandle);

    // The callbacks handed to the core.
    static void BindCallback(int16_t Slot, QuenHandle DataHandle, QuenHandle ParmBlockHandle);
    static void EvaluateCallback(int16_t Slot, QuenHandle DataHandle, QuenHandle ParmBlockHandle);
    static void ScanCallback(int16_t Slot, QuenHandle DataHandle, QuenHandle ParmBlockHandle);
    static void UnbindCallback(int16_t Slot, QuenHandle DataHandle, QuenHandle ParmBlockHandle);

    // Runs a member directly on an evaluator object (no slot), as the registry's Bind does.
    static bool callOn(QObject* evaluator, Member member, int32_t DataHandle,
                       int32_t ParmBlockHandle);
};

} // namespace Velt
