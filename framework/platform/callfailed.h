// Velt::CallFailed: how a member of the library reports a failed call to its caller.
//
// Every published member is an automation call that either succeeds or fails. In C++ a failed
// call throws CallFailed, carrying a message for the user or the log. Members that swallow
// errors say so; lookups return nothing, 0 or an empty text instead of throwing. Code that
// calls members late-bound on behalf of a host (a script engine, a late-binding helper) catches
// CallFailed at that boundary and turns it into the host's own error.
#pragma once

#include "velt_export.h"

#include <QString>

#include <stdexcept>

namespace Velt {

class VELT_EXPORT CallFailed : public std::runtime_error
{
public:
    explicit CallFailed(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace Velt
