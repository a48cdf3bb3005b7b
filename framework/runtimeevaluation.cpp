#include "runtimeevaluation.h"

#include "callfailurescope.h"
#include "componentmacros.h"
#include "latebinding.h"
#include "qtstrings.h"
#include "xcruntimedataevaluation.h"

#include <QLoggingCategory>
#include <QObject>
#include <QPointer>

#include <array>
#include <exception>

namespace Velt {

namespace {

Q_LOGGING_CATEGORY(lcRuntime, "velt.runtime")

// Slot n lives at index n - 1. QPointer empties a slot whose evaluator was destroyed.
std::array<QPointer<QObject>, RuntimeEvaluation::SlotCount>& table()
{
    static std::array<QPointer<QObject>, RuntimeEvaluation::SlotCount> evaluators;
    return evaluators;
}

bool inRange(int slot) { return slot >= 1 && slot <= RuntimeEvaluation::SlotCount; }

const char* memberName(RuntimeEvaluation::Member member)
{
    switch (member) {
    case RuntimeEvaluation::Member::Bind: return "Bind";
    case RuntimeEvaluation::Member::Evaluate: return "Evaluate";
    case RuntimeEvaluation::Member::Scan: return "Scan";
    case RuntimeEvaluation::Member::Unbind: return "Unbind";
    }
    return "";
}

void raiseError(const QString& message) { QuenExcRaiseUserError(quen::toUtf8(message).constData()); }

bool callInterface(XCRuntimeDataEvaluation* evaluator, RuntimeEvaluation::Member member,
                   int32_t data, int32_t block)
{
    switch (member) {
    case RuntimeEvaluation::Member::Bind: return evaluator->Bind(data, block);
    case RuntimeEvaluation::Member::Evaluate: return evaluator->Evaluate(data, block);
    case RuntimeEvaluation::Member::Scan: return evaluator->Scan(data, block);
    case RuntimeEvaluation::Member::Unbind: return evaluator->Unbind(data, block);
    }
    return false;
}

bool callLateBound(QObject* evaluator, RuntimeEvaluation::Member member, int32_t data,
                   int32_t block)
{
    const std::optional<QVariant> result =
        invokeByName(evaluator, memberName(member), {QVariant(data), QVariant(block)});
    if (!result)
        return false;
    // A method without a result succeeds by returning; one with a result reports through it.
    return !result->isValid() || result->toBool();
}

} // namespace

VELT_REGISTER_CLASS(XCRuntimeDataEvaluation, NonCreatable, "", "")

int RuntimeEvaluation::RegisterRuntime(const QString& DataClass, QObject* Evaluator)
{
    if (!Evaluator)
        return 0;
    const QByteArray className = quen::toUtf8(DataClass);
    // Registration reports nothing: what the core complains about here is dropped, unless the
    // register already held someone else's errors, which are left alone.
    const bool registerWasClean = !QuenExcRegIsError(0);
    // The core hands out one slot per class; the number from the last registration counts.
    QuenDataRegisterBindFunction(className.constData(), &BindCallback);
    QuenDataRegisterEvaluateFunction(className.constData(), &EvaluateCallback);
    QuenDataRegisterScanFunction(className.constData(), &ScanCallback);
    const int slot = QuenDataRegisterUnbindFunction(className.constData(), &UnbindCallback);
    if (registerWasClean)
        QuenExcRegClearError(0);
    if (!setEvaluator(slot, Evaluator)) {
        qCWarning(lcRuntime).noquote() << "Runtime evaluation slot" << slot
                                       << "for" << DataClass << "is out of range: 1 to 100";
        return 0;
    }
    return slot;
}

bool RuntimeEvaluation::setEvaluator(int slot, QObject* evaluator)
{
    if (!inRange(slot))
        return false;
    table()[size_t(slot - 1)] = evaluator;
    return true;
}

QObject* RuntimeEvaluation::evaluator(int slot)
{
    return inRange(slot) ? table()[size_t(slot - 1)].data() : nullptr;
}

bool RuntimeEvaluation::callOn(QObject* evaluator, Member member, int32_t DataHandle,
                               int32_t ParmBlockHandle)
{
    if (!evaluator)
        return false;
    // Nothing may unwind into the core, which calls us through a C function pointer; a
    // failure the evaluator reported is the core's error too.
    try {
        const CallFailureScope scope;
        auto* direct = qobject_cast<XCRuntimeDataEvaluation*>(evaluator);
        const bool done = direct ? callInterface(direct, member, DataHandle, ParmBlockHandle)
                                 : callLateBound(evaluator, member, DataHandle, ParmBlockHandle);
        if (!scope.failed())
            return done;
        raiseError(scope.message());
    } catch (const std::exception& e) {
        raiseError(QString::fromUtf8(e.what()));
    } catch (...) {
    }
    return false;
}

bool RuntimeEvaluation::call(Member member, int slot, int32_t DataHandle, int32_t ParmBlockHandle)
{
    if (!inRange(slot)) {
        raiseError(QStringLiteral("Runtime evaluation slot %1 is out of range: 1 to 100").arg(slot));
        return false;
    }
    QObject* target = evaluator(slot);
    if (!target) {
        raiseError(QStringLiteral("Runtime evaluation slot %1 is empty").arg(slot));
        return false;
    }
    const int32_t errorsBefore = QuenExcRegGetErrorCount();
    if (callOn(target, member, DataHandle, ParmBlockHandle))
        return true;
    // The evaluator's own reason, when it left one, is the better message.
    if (QuenExcRegGetErrorCount() <= errorsBefore) {
        raiseError(QStringLiteral("Runtime %1 failed for data item %2 in parameter block %3")
                  .arg(QLatin1StringView(memberName(member)))
                  .arg(DataHandle)
                  .arg(ParmBlockHandle));
    }
    return false;
}

void RuntimeEvaluation::BindCallback(int16_t Slot, QuenHandle DataHandle, QuenHandle ParmBlockHandle)
{
    call(Member::Bind, Slot, DataHandle, ParmBlockHandle);
}

void RuntimeEvaluation::EvaluateCallback(int16_t Slot, QuenHandle DataHandle,
                                         QuenHandle ParmBlockHandle)
{
    call(Member::Evaluate, Slot, DataHandle, ParmBlockHandle);
}

void RuntimeEvaluation::ScanCallback(int16_t Slot, QuenHandle DataHandle, QuenHandle ParmBlockHandle)
{
    call(Member::Scan, Slot, DataHandle, ParmBlockHandle);
}

void RuntimeEvaluation::UnbindCallback(int16_t Slot, QuenHandle DataHandle,
                                       QuenHandle ParmBlockHandle)
{
    call(Member::Unbind, Slot, DataHandle, ParmBlockHandle);
}

} // namespace Velt
