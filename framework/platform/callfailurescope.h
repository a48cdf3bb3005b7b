// CallFailureScope: for C++ code that calls published members and wants to know whether they
// failed. While a scope is the innermost one open on its thread, failures reported there
// (Velt::reportCallFailed) go to it instead of an outer scope or the host's handler; it keeps
// the first. Library code that ignores failures of a step opens one and looks no further.
//
// checkedCall is the checked form of a member for C++ callers: it throws Velt::CallFailed
// when the call reported a failure. Never let it run inside a member a host calls late-bound.
#pragma once

#include "callfailed.h"
#include "callfailure.h"
#include "velt_export.h"

#include <QString>

#include <type_traits>
#include <utility>

namespace Velt {

class VELT_EXPORT CallFailureScope
{
public:
    CallFailureScope();
    ~CallFailureScope();

    bool failed() const { return m_failed; }
    // The first failure's message; empty when none.
    QString message() const { return m_message; }
    void throwIfFailed() const
    {
        if (m_failed)
            throw CallFailed(m_message);
    }

    CallFailureScope(const CallFailureScope&) = delete;
    CallFailureScope& operator=(const CallFailureScope&) = delete;

private:
    friend void reportCallFailed(const QObject*, const QString&);
    void catchFailure(const QString& message);

    CallFailureScope* const m_outer;
    QString m_message;
    bool m_failed = false;
};

template <typename Call>
std::invoke_result_t<Call> checkedCall(Call&& call)
{
    CallFailureScope scope;
    if constexpr (std::is_void_v<std::invoke_result_t<Call>>) {
        std::forward<Call>(call)();
        scope.throwIfFailed();
    } else {
        std::invoke_result_t<Call> result = std::forward<Call>(call)();
        scope.throwIfFailed();
        return result;
    }
}

} // namespace Velt
