#include "callfailurescope.h"

#include "callfailure_p.h"

namespace Velt {

CallFailureScope::CallFailureScope() : m_outer(CallFailureState::current().innermost)
{
    CallFailureState::current().innermost = this;
}

CallFailureScope::~CallFailureScope() { CallFailureState::current().innermost = m_outer; }

void CallFailureScope::catchFailure(const QString& message)
{
    if (m_failed)
        return;
    m_failed = true;
    m_message = message;
}

} // namespace Velt
