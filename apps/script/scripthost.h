// ScriptHost: one QJSEngine with the globals of velt-script (`Velt`, `Quen`, `print`) and the
// running of a script file. Owns the engine and the objects behind the globals.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

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

    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

private:
    Status report(const QJSValue& error, const QStringList& trace, const QString& fileName);

    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace VeltScript
