#include "callfailure.h"

#include "callfailure_p.h"
#include "callfailurescope.h"

#include <QLoggingCategory>
#include <QObject>

#include <utility>

namespace Velt {

namespace {
Q_LOGGING_CATEGORY(lcCalls, "velt.calls")
}

CallFailureState& CallFailureState::current()
{
    thread_local CallFailureState state;
    return state;
}

void reportCallFailed(const QObject* object, const QString& message)
{
    CallFailureState& state = CallFailureState::current();
    state.last.message = message;
    state.last.className =
        object ? QString::fromLatin1(object->metaObject()->className()) : QString();
    ++state.last.serial;
    if (state.innermost) {
        state.innermost->catchFailure(message);
        return;
    }
    qCDebug(lcCalls).noquote() << state.last.className << "call failed:" << message;
    // A copy: the handler may install another one while it runs.
    if (const CallFailureHandler handler = state.handler)
        handler(object, message);
}

CallFailure lastCallFailure() { return CallFailureState::current().last; }

CallFailureHandler setCallFailureHandler(CallFailureHandler handler)
{
    return std::exchange(CallFailureState::current().handler, std::move(handler));
}

} // namespace Velt
