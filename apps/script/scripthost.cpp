#include "scripthost.h"

#include "callfailure.h"
#include "quenbindings.h"
#include "veltapi.h"

#include <QFileInfo>
#include <QJSEngine>
#include <QRegularExpression>
#include <QUrl>

#include <cstdio>
#include <utility>

namespace VeltScript {

namespace {

// print(...): texts as they are, objects and arrays as JSON, like a shell's echo of values.
const char* const kPrintSource =
    "(function (velt) {\n"
    "  return function print() {\n"
    "    var parts = [];\n"
    "    for (var i = 0; i < arguments.length; ++i) {\n"
    "      var v = arguments[i];\n"
    "      var plain = v !== null && typeof v === 'object'\n"
    "          && (Array.isArray(v) || Object.getPrototypeOf(v) === Object.prototype);\n"
    "      parts.push(plain ? JSON.stringify(v) : String(v));\n"
    "    }\n"
    "    velt.print(parts.join(' '));\n"
    "  };\n"
    "})";

void writeError(const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// The line of the script where the exception arose: the innermost frame in the script's own
// file (an error raised inside a binding reports the binding's frame first). Frames read
// "function:line:column:url".
int scriptLine(const QJSValue& error, const QStringList& trace, const QString& fileName)
{
    static const QRegularExpression frame(QStringLiteral("^([^:]*):(-?\\d+):(-?\\d+):(.*)$"));
    const QString wanted = QFileInfo(fileName).absoluteFilePath();
    for (const QString& entry : trace) {
        const auto m = frame.match(entry);
        if (!m.hasMatch())
            continue;
        const QUrl url(m.captured(4));
        const QString file = url.isLocalFile() ? url.toLocalFile() : m.captured(4);
        if (QFileInfo(file).absoluteFilePath() == wanted)
            return m.captured(2).toInt();
    }
    if (error.hasProperty(QStringLiteral("lineNumber")))
        return error.property(QStringLiteral("lineNumber")).toInt();
    return 0;
}

} // namespace

struct ScriptHost::Private
{
    QJSEngine engine;
    QuenBindings* quen = nullptr;
    VeltApi* velt = nullptr;
    int running = 0; // evaluate() calls in progress
    Velt::CallFailureHandler previousHandler;
};

ScriptHost::ScriptHost() : d(new Private)
{
    // An Error thrown from inside the member's call surfaces at the script's call, for methods
    // and property reads and writes alike. Outside a script the engine must not be left with a
    // pending exception, which would fail the next evaluation before it starts.
    d->previousHandler = Velt::setCallFailureHandler([this](const QObject*, const QString& why) {
        if (d->running > 0)
            d->engine.throwError(QJSValue::GenericError, why);
        else
            writeError(QStringLiteral("velt-script: a call failed outside the script: ") + why);
    });
    d->quen = new QuenBindings(&d->engine, &d->engine);
    d->velt = new VeltApi(&d->engine, &d->engine);
    QJSEngine::setObjectOwnership(d->velt, QJSEngine::CppOwnership);

    QJSValue global = d->engine.globalObject();
    const QJSValue velt = d->engine.newQObject(d->velt);
    global.setProperty(QStringLiteral("Velt"), velt);
    global.setProperty(QStringLiteral("Quen"), d->quen->createGlobal());
    global.setProperty(QStringLiteral("print"),
                       d->engine.evaluate(QString::fromLatin1(kPrintSource),
                                          QStringLiteral("velt-print.js"))
                           .call({velt}));
}

ScriptHost::~ScriptHost()
{
    Velt::setCallFailureHandler(std::move(d->previousHandler));
    // The objects behind the globals hold script values: they go before the engine does.
    delete d->velt;
    delete d->quen;
}

ScriptHost::Status ScriptHost::evaluate(const QString& source, const QString& fileName)
{
    QStringList trace;
    ++d->running;
    const QJSValue result =
        d->engine.evaluate(source, QFileInfo(fileName).absoluteFilePath(), 1, &trace);
    --d->running;
    if (trace.isEmpty() && !result.isError()) {
        // A modal callback's error that no call rethrew still fails the script.
        const QJSValue modalError = d->velt->takeModalError();
        if (modalError.isUndefined())
            return Finished;
        return report(modalError, {}, fileName);
    }
    return report(result, trace, fileName);
}

QJSEngine& ScriptHost::engine() { return d->engine; }

ScriptHost::Status ScriptHost::report(const QJSValue& result, const QStringList& trace,
                                      const QString& fileName)
{
    QString message;
    if (result.isError())
        message = result.property(QStringLiteral("name")).toString() + QLatin1String(": ")
            + result.property(QStringLiteral("message")).toString();
    else
        message = QLatin1String("uncaught exception: ") + result.toString();
    writeError(QStringLiteral("%1:%2: %3")
                   .arg(fileName)
                   .arg(scriptLine(result, trace, fileName))
                   .arg(message));
    return UncaughtException;
}

} // namespace VeltScript
