// Velt::CallFailed: the exception of the checked form of a call, for C++ callers only.
//
// Published members never throw: they report a failure with Velt::reportCallFailed
// (callfailure.h), because hosts call them through meta-calls that no exception may cross.
// A C++ caller that prefers an exception runs the member through Velt::checkedCall
// (callfailurescope.h), which throws CallFailed with the failure's message.
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
