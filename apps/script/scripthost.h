// ScriptHost: one QJSEngine with the globals of velt-script (`Velt`, `Quen`, `print`) and the
// running of a script file. Owns the engine and the objects behind the globals.
//
// While it exists it is the thread's call failure handler (Velt::setCallFailureHandler): a
// published member that fails while a script runs throws a script Error with the failure's
// message at the script's call, whatever the object. A failure while no script runs is written
// to stderr. The handler it replaced is put back when the host goes.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QJSEngine;
class QJSValue;

namespace VeltScript {

class ScriptHost
{
public:
    // Exit statuses of velt-script.
    enum Status { Finished = 0, UncaughtException = 1, BadUsage = 2 };

    ScriptHost();
    ~ScriptHost();

    // Evaluates the script; an uncaught exception is reported on stderr as
    // "FILE:LINE: MESSAGE". Returns Finished or UncaughtException.
    Status evaluate(const QString& source, const QString& fileName);

    // The engine, for embedders and tests that add globals of their own.
    QJSEngine& engine();

    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

private:
    Status report(const QJSValue& error, const QStringList& trace, const QString& fileName);

    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace VeltScript
