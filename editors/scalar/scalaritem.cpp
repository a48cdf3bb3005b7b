#include "scalaritem_p.h"

#include "qtstrings.h"

#include "quen/quencore.h"

namespace Velt::ScalarItem {

namespace {

// Hands a freshly created value to the item and releases the caller's copy.
void storeCreated(int32_t item, const char* name, int32_t created)
{
    if (!created)
        return;
    QuenDataExSetProperty(item, name, created);
    QuenDataRelease(created);
}

} // namespace

int32_t property(int32_t item, const char* name) { return QuenDataExGetProperty(item, name); }

bool hasProperty(int32_t item, const char* name) { return property(item, name) != 0; }

void removeProperty(int32_t item, const char* name) { QuenDataExSetProperty(item, name, 0); }

QString stringProperty(int32_t item, const char* name)
{
    const int32_t value = property(item, name);
    return value ? quen::toQString(QuenStringGetValue(value)).trimmed() : QString();
}

void setStringProperty(int32_t item, const char* name, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        removeProperty(item, name);
    else
        storeCreated(item, name, QuenStringCreate(quen::toUtf8(trimmed).constData()));
}

std::optional<int32_t> int32Property(int32_t item, const char* name)
{
    const int32_t value = property(item, name);
    if (!value)
        return std::nullopt;
    return QuenInt32GetValue(value);
}

void setInt32PropertyOrRemove(int32_t item, const char* name, int32_t value)
{
    if (value == 0)
        removeProperty(item, name);
    else
        storeCreated(item, name, QuenInt32Create(value));
}

std::optional<Bounds<int32_t>> int32Restriction(int32_t item)
{
    const int32_t array = property(item, Restriction);
    if (!array)
        return std::nullopt;
    return Bounds<int32_t>{QuenI32ArrGetAt1(array, 1), QuenI32ArrGetAt1(array, 2)};
}

void setInt32Restriction(int32_t item, Bounds<int32_t> bounds)
{
    const int32_t array = QuenI32ArrCreate(1, 2);
    QuenI32ArrSetAt1(array, 1, bounds.low);
    QuenI32ArrSetAt1(array, 2, bounds.high);
    storeCreated(item, Restriction, array);
}

std::optional<Bounds<double>> realRestriction(int32_t item)
{
    const int32_t array = property(item, Restriction);
    if (!array)
        return std::nullopt;
    return Bounds<double>{QuenR64ArrGetAt1(array, 1), QuenR64ArrGetAt1(array, 2)};
}

void setRealRestriction(int32_t item, Bounds<double> bounds)
{
    const int32_t array = QuenR64ArrCreate(1, 2);
    QuenR64ArrSetAt1(array, 1, bounds.low);
    QuenR64ArrSetAt1(array, 2, bounds.high);
    storeCreated(item, Restriction, array);
}

QString ChoiceList::label(int32_t value) const
{
    const int64_t at = int64_t(value) - begin;
    return at >= 0 && at < labels.size() ? labels.at(qsizetype(at)) : QString();
}

std::optional<ChoiceList> choiceList(int32_t item)
{
    const int32_t array = property(item, Enumeration);
    if (!array)
        return std::nullopt;
    ChoiceList list;
    list.begin = QuenArrayGetLowerBound(array, 0);
    list.end = QuenArrayGetUpperBound(array, 0);
    // Bounds are 16-bit, so the count always fits; a broken array reads as empty.
    for (int64_t i = list.begin; i <= list.end; ++i)
        list.labels << quen::toQString(QuenStrArrGetAt1(array, int32_t(i)));
    return list;
}

void setChoiceList(int32_t item, const ChoiceList& list)
{
    const int32_t array = QuenStrArrCreate(list.begin, list.end);
    for (int64_t i = list.begin; i <= list.end; ++i) {
        const QString text = list.label(int32_t(i));
        if (!text.isEmpty())
            QuenStrArrSetAt1(array, int32_t(i), quen::toUtf8(text).constData());
    }
    storeCreated(item, Enumeration, array);
}

void setChoiceLabel(int32_t item, int32_t value, const QString& label)
{
    if (const int32_t array = property(item, Enumeration))
        QuenStrArrSetAt1(array, value, quen::toUtf8(label).constData());
}

void displayCoreErrors()
{
    if (QuenExcRegIsError(0))
        QuenExcRegDisplayErrors();
}

} // namespace Velt::ScalarItem
