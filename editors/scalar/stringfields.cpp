#include "stringfields_p.h"

#include "itemproperties_p.h"
#include "stringitem_p.h"
#include "stringrules.h"

namespace Velt::StringFields {

namespace {

namespace P = ItemProperties;
namespace R = StringRules;
namespace S = StringItem;
using Row = FieldTable::Row;

bool hasOperation(const FieldCall& call) { return S::operation(call.item) != R::OperationNone; }
bool formatLocked(const FieldCall& call) { return S::locked(call.item); }

// A choice line that shows the stored name and offers the names.
Row choiceRow(const QString& caption, QStringList (*names)(), QString (*stored)(int32_t))
{
    return {
        .caption = caption,
        .picture = QStringLiteral("Enumeration"),
        .choices = [names](const FieldCall&) { return FieldChoices{names()}; },
        .read = [stored](const FieldCall& call) { return FieldText{stored(call.item)}; },
    };
}

FieldText readValue(const FieldCall& call)
{
    const QString operation = S::operation(call.item);
    QString error;
    if (operation != R::OperationNone) {
        const QString pattern = S::pattern(call.item).value_or(QString());
        error = S::validate(pattern, operation, call.locals);
        if (error.isEmpty() && operation == R::OperationEvaluate) {
            const Parsed<QString> built = S::stringValue(pattern, call.locals);
            if (built.ok())
                S::setValue(call.item, built.value);
            error = built.error;
        }
    }
    return {R::render(S::value(call.item), S::view(call.item)), error};
}

FieldChange applyValue(const FieldCall& call, const QString& text)
{
    const Parsed<QString> typed = R::readBack(text, S::view(call.item));
    if (!typed.ok())
        return FieldChange::failed(typed.error);
    S::setValue(call.item, typed.value);
    return FieldChange::done();
}

FieldChange applyView(const FieldCall& call, const QString& text)
{
    const QString view = text.trimmed();
    if (!R::viewNames().contains(view))
        return FieldChange::failed(QStringLiteral("\"%1\" is not a view: %2").arg(view, R::viewNames().join(QLatin1String(", "))));
    if (view == R::Characters)
        P::removeProperty(call.item, P::ViewAs);
    else
        P::setStringProperty(call.item, P::ViewAs, view);
    return FieldChange::done(true);
}

FieldChange applyOperation(const FieldCall& call, const QString& text)
{
    const QString operation = text.trimmed();
    if (!R::isOperation(operation))
        return FieldChange::failed(R::unknownOperationMessage());
    const QString value = S::value(call.item);
    if (S::operation(call.item) == R::OperationNone && !value.isEmpty())
        P::setTextProperty(call.item, P::Format, value);
    P::setStringProperty(call.item, P::FormatOperation, operation);
    S::setRuntimeHooks(call.item, operation);
    return FieldChange::done(true);
}

FieldChange applyFormat(const FieldCall& call, const QString& text)
{
    const Parsed<QString> pattern = R::readBack(text, S::view(call.item));
    if (!pattern.ok())
        return FieldChange::failed(pattern.error);
    const QString error = S::validate(pattern.value, S::operation(call.item), call.locals);
    if (!error.isEmpty())
        return FieldChange::failed(error);
    P::setTextProperty(call.item, P::Format, pattern.value);
    return FieldChange::done(true);
}

} // namespace

FieldTable table()
{
    Row root{
        .caption = QStringLiteral("Value"),
        .picture = QStringLiteral("Text"),
        .locked = FieldTable::never,
        .read = readValue,
        .apply = applyValue,
    };
    Row view = choiceRow(QStringLiteral("View As"), R::viewNames, S::view);
    view.locked = FieldTable::never;
    view.apply = applyView;
    Row operation = choiceRow(QStringLiteral("Format Operation"), R::operationNames, S::operation);
    operation.locked = formatLocked;
    operation.apply = applyOperation;
    Row format{
        .caption = QStringLiteral("Format"),
        // Declaring the lines is where a stale pattern and lock of a plain string go.
        .shown =
            [](const FieldCall& call) {
                if (hasOperation(call))
                    return true;
                P::removeProperty(call.item, P::Format);
                P::removeProperty(call.item, P::FormatLock);
                return false;
            },
        .locked = formatLocked,
        .read =
            [](const FieldCall& call) {
                const QString pattern = S::pattern(call.item).value_or(QString());
                return FieldText{R::render(pattern, S::view(call.item)),
                                 S::validate(pattern, S::operation(call.item), call.locals)};
            },
        .apply = applyFormat,
    };
    Row lock{
        .caption = QStringLiteral("Locked"),
        .shown = hasOperation,
        .locked = [](const FieldCall& call) { return formatLocked(call) && !call.designTime; },
        .choices = [](const FieldCall&) { return FieldChoices{R::lockNames()}; },
        .read =
            [](const FieldCall& call) {
                return FieldText{formatLocked(call) ? R::Locked : R::Changeable};
            },
        .apply =
            [](const FieldCall& call, const QString& text) {
                P::setInt32Property(call.item, P::FormatLock, text.trimmed() == R::Locked ? 1 : 0);
                return FieldChange::done(true);
            },
    };
    return FieldTable(std::move(root), {std::move(view), std::move(operation), std::move(format), std::move(lock)});
}

} // namespace Velt::StringFields
