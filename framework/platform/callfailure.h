// How a published member reports a failed call. Hosts call members late-bound, through Qt's
// meta-object system, and no C++ exception may cross a meta-call; so a member that fails
// reports the failure here and returns a neutral value (nothing, 0, false or the empty text).
//
// A report goes to the innermost Velt::CallFailureScope open on the thread (a C++ caller that
// checks its own calls, or library code that ignores a failure), else to the thread's failure
// handler (a host turns it into its own error: velt-script throws a script Error), else only
// to the debug log (category "velt.calls"). Either way it becomes the thread's last failure.
// Everything here is per thread: the library runs on the host's user-interface thread.
#pragma once

#include "velt_export.h"

#include <QString>

#include <functional>

class QObject;

namespace Velt {

struct CallFailure
{
    QString message;
    QString className; // of the object whose member failed; empty when not known
    quint64 serial = 0; // counts the reports of the thread; 0 before the first
};

using CallFailureHandler = std::function<void(const QObject* object, const QString& message)>;

// Reports that a member of `object` (null when there is no object to name) failed.
VELT_EXPORT void reportCallFailed(const QObject* object, const QString& message);

// The last failure reported on this thread, whoever received it.
VELT_EXPORT CallFailure lastCallFailure();

// Installs the thread's handler (an empty one removes it) and returns the handler it replaces,
// for the host to put back when it is done.
VELT_EXPORT CallFailureHandler setCallFailureHandler(CallFailureHandler handler);

} // namespace Velt
