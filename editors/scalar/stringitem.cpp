#include "stringitem_p.h"

#include "itemproperties_p.h"
#include "qtstrings.h"
#include "stringrules.h"

#include "quen/quencore.h"

namespace Velt::StringItem {

namespace P = ItemProperties;
namespace R = StringRules;

QString value(int32_t item) { return quen::toQString(QuenStringGetValue(item)); }

void setValue(int32_t item, const QString& value)
{
    QuenStringSetValue(item, quen::toUtf8(value).constData());
}

QString view(int32_t item)
{
    const QString name = P::stringProperty(item, P::ViewAs);
    return name.isEmpty() ? R::Characters : name;
}

QString operation(int32_t item)
{
    const QString name = P::stringProperty(item, P::FormatOperation);
    return name.isEmpty() ? R::OperationNone : name;
}

std::optional<QString> pattern(int32_t item) { return P::textProperty(item, P::Format); }

bool locked(int32_t item) { return P::int32Property(item, P::FormatLock).value_or(0) != 0; }

void setRuntimeHooks(int32_t item, const QString& operation)
{
    if (operation == R::OperationEvaluate)
        QuenDataExSetRuntimeEvaluation(item);
    else
        QuenDataExClearRuntimeEvaluation(item);
    if (operation == R::OperationScan)
        QuenDataExSetRuntimeScan(item);
    else
        QuenDataExClearRuntimeScan(item);
}

QString takeCoreError()
{
    QStringList messages;
    int32_t code = 0;
    const char* message = nullptr;
    while (QuenExcRegReceiveError(&code, &message)) {
        QString text = quen::toQString(message);
        // The core names its function first ("QuenStrFmtValidate: ..."); the user called none.
        const qsizetype colon = text.indexOf(QLatin1String(": "));
        if (text.startsWith(QLatin1String("Quen")) && colon > 0)
            text.remove(0, colon + 2);
        messages << text;
    }
    QuenExcRegClearError(0);
    return messages.join(u'\n');
}

QString tokenizeText(const QString& text)
{
    return quen::toQString(QuenStrFmtTokenizeText(quen::toUtf8(text).constData(), 1));
}

QString tokenizeSymbol(const QString& symbol, const QString& table)
{
    return quen::toQString(
        QuenStrFmtTokenizeSymbol(quen::toUtf8(symbol).constData(), quen::toUtf8(table).constData()));
}

Parsed<QString> stringValue(const QString& pattern, int32_t locals)
{
    const QString result = quen::toQString(QuenStrFmtGetStringValue(quen::toUtf8(pattern).constData(), locals));
    const QString error = takeCoreError();
    return {error.isEmpty() ? result : QString(), error};
}

QString validate(const QString& pattern, const QString& operation, int32_t locals)
{
    const QString message = quen::toQString(QuenStrFmtValidate(
        quen::toUtf8(pattern).constData(), 1, operation == R::OperationScan ? 1 : 0, locals));
    const QString error = takeCoreError();
    return error.isEmpty() ? message : error;
}

} // namespace Velt::StringItem
