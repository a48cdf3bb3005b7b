#include "localeseparators.h"

#include <QLocale>

namespace Velt {

namespace {

// The innermost override of this thread, or null.
thread_local const LocaleSeparators* activeOverride = nullptr;

// The separators of the last default locale seen, so that conversions in a loop do not ask
// QLocale for its texts every time. Comparing two QLocale objects is cheap.
struct LocaleCache
{
    QLocale locale;
    LocaleSeparators separators = LocaleSeparators::fromLocale(locale);
};

// A separator may itself be a blank (U+00A0, U+202F), so a single unit is taken as it is.
QChar singleUnit(const QString& text, QChar fallback)
{
    if (text.size() == 1)
        return text.front();
    const QString trimmed = text.trimmed();
    return trimmed.size() == 1 ? trimmed.front() : fallback;
}

} // namespace

LocaleSeparators LocaleSeparators::current()
{
    if (activeOverride)
        return *activeOverride;
    thread_local LocaleCache cache;
    const QLocale locale;
    if (!(locale == cache.locale)) {
        cache.locale = locale;
        cache.separators = fromLocale(locale);
    }
    return cache.separators;
}

LocaleSeparators LocaleSeparators::fromLocale(const QLocale& locale)
{
    LocaleSeparators result;
    result.decimal = singleUnit(locale.decimalPoint(), u'.');
    result.group = singleUnit(locale.groupSeparator(), derivedGroupSeparator(result.decimal));
    if (result.group == result.decimal)
        result.group = derivedGroupSeparator(result.decimal);
    result.list = derivedListSeparator(result.decimal);
    return result;
}

LocaleSeparators LocaleSeparators::withDecimalAndList(QChar decimal, QChar list)
{
    LocaleSeparators result;
    result.decimal = decimal.isNull() ? QChar(u'.') : decimal;
    result.group = derivedGroupSeparator(result.decimal);
    result.list = list.isNull() ? derivedListSeparator(result.decimal) : list;
    return result;
}

QChar LocaleSeparators::derivedListSeparator(QChar decimal)
{
    return decimal == u',' ? QChar(u';') : QChar(u',');
}

QChar LocaleSeparators::derivedGroupSeparator(QChar decimal)
{
    return decimal == u',' ? QChar(u'.') : QChar(u',');
}

struct LocaleSeparators::Override::Private
{
    LocaleSeparators separators;
    const LocaleSeparators* previous = nullptr;
};

LocaleSeparators::Override::Override(const LocaleSeparators& separators)
    : d(new Private{separators, activeOverride})
{
    activeOverride = &d->separators;
}

LocaleSeparators::Override::Override(QChar decimal, QChar list)
    : Override(LocaleSeparators::withDecimalAndList(decimal, list))
{
}

LocaleSeparators::Override::~Override()
{
    activeOverride = d->previous;
}

} // namespace Velt
