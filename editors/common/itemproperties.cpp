#include "itemproperties_p.h"

#include "qtstrings.h"

#include "quen/quencore.h"

namespace Velt::ItemProperties {

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

std::optional<QString> textProperty(int32_t item, const char* name)
{
    const int32_t value = property(item, name);
    return value ? std::optional(quen::toQString(QuenStringGetValue(value))) : std::nullopt;
}

void setTextProperty(int32_t item, const char* name, const QString& text)
{
    storeCreated(item, name, QuenStringCreate(quen::toUtf8(text).constData()));
}

std::optional<int32_t> int32Property(int32_t item, const char* name)
{
    const int32_t value = property(item, name);
    if (!value)
        return std::nullopt;
    return QuenInt32GetValue(value);
}

void setInt32Property(int32_t item, const char* name, int32_t value)
{
    storeCreated(item, name, QuenInt32Create(value));
}

void setInt32PropertyOrRemove(int32_t item, const char* name, int32_t value)
{
    if (value == 0)
        removeProperty(item, name);
    else
        setInt32Property(item, name, value);
}

namespace {

// The core's calls for items and arrays of each number type.
template <typename T>
struct Access;

template <>
struct Access<int32_t>
{
    static constexpr auto get = QuenInt32GetValue;
    static constexpr auto set = QuenInt32SetValue;
    static constexpr auto createArray = QuenI32ArrCreate;
    static constexpr auto getAt = QuenI32ArrGetAt1;
    static constexpr auto setAt = QuenI32ArrSetAt1;
};

template <>
struct Access<double>
{
    static constexpr auto get = QuenReal64GetValue;
    static constexpr auto set = QuenReal64SetValue;
    static constexpr auto createArray = QuenR64ArrCreate;
    static constexpr auto getAt = QuenR64ArrGetAt1;
    static constexpr auto setAt = QuenR64ArrSetAt1;
};

} // namespace

template <typename T>
T value(int32_t item)
{
    return Access<T>::get(item);
}

template <typename T>
void setValue(int32_t item, T value)
{
    Access<T>::set(item, value);
}

template <typename T>
std::optional<Bounds<T>> restriction(int32_t item)
{
    const int32_t array = property(item, Restriction);
    if (!array)
        return std::nullopt;
    return Bounds<T>{Access<T>::getAt(array, 1), Access<T>::getAt(array, 2)};
}

template <typename T>
void setRestriction(int32_t item, Bounds<T> bounds)
{
    const int32_t array = Access<T>::createArray(1, 2);
    Access<T>::setAt(array, 1, bounds.low);
    Access<T>::setAt(array, 2, bounds.high);
    storeCreated(item, Restriction, array);
}

template int32_t value<int32_t>(int32_t);
template double value<double>(int32_t);
template void setValue<int32_t>(int32_t, int32_t);
template void setValue<double>(int32_t, double);
template std::optional<Bounds<int32_t>> restriction<int32_t>(int32_t);
template std::optional<Bounds<double>> restriction<double>(int32_t);
template void setRestriction<int32_t>(int32_t, Bounds<int32_t>);
template void setRestriction<double>(int32_t, Bounds<double>);

QString ChoiceList::label(int32_t value) const
{
    const int64_t at = int64_t(value) - begin;
    return at >= 0 && at < labels.size() ? labels.at(qsizetype(at)) : QString();
}

ChoiceList defaultChoiceList()
{
    return {0, 1, {QStringLiteral("False"), QStringLiteral("True")}};
}

std::optional<ChoiceList> choiceList(int32_t item)
{
    const std::optional<Bounds<int32_t>> bounds = choiceBounds(item);
    if (!bounds)
        return std::nullopt;
    const int32_t array = property(item, Enumeration);
    ChoiceList list{bounds->low, bounds->high, {}};
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

std::optional<Bounds<int32_t>> choiceBounds(int32_t item)
{
    const int32_t array = property(item, Enumeration);
    if (!array)
        return std::nullopt;
    return Bounds<int32_t>{QuenArrayGetLowerBound(array, 0), QuenArrayGetUpperBound(array, 0)};
}

QString choiceLabel(int32_t item, int32_t value)
{
    const int32_t array = property(item, Enumeration);
    if (!array || value < QuenArrayGetLowerBound(array, 0)
        || value > QuenArrayGetUpperBound(array, 0))
        return QString();
    return quen::toQString(QuenStrArrGetAt1(array, value));
}

void setChoiceLabel(int32_t item, int32_t value, const QString& label)
{
    if (const int32_t array = property(item, Enumeration))
        QuenStrArrSetAt1(array, value, quen::toUtf8(label).constData());
}

} // namespace Velt::ItemProperties
