// The separators of the user's locale that number entry and rendering depend on: the decimal
// separator, the group (thousands) separator accepted in integer parts, and the list separator
// used between the numbers of a pair or a range. Qt has no list separator, so it is derived:
// ";" when the decimal separator is ",", else ",". Every numeric conversion reads current().
// Tests (and hosts that want fixed separators) install an Override for a scope; overrides
// nest and are per thread. A plain value type: copy it freely.
#pragma once

#include "velt_export.h"

#include <QChar>
#include <QString>

#include <memory>

class QLocale;

namespace Velt {

struct VELT_EXPORT LocaleSeparators
{
    QChar decimal = u'.';
    QChar group = u',';
    QChar list = u',';

    // The separators of the active override, else of QLocale() (the default locale).
    static LocaleSeparators current();
    // The separators of a given locale. A locale whose separator is not exactly one UTF-16
    // unit falls back to "." (decimal) and to the derived group separator.
    static LocaleSeparators fromLocale(const QLocale& locale);
    // Separators built from a decimal and a list separator; the group separator is "." when
    // the decimal separator is ",", else ",".
    static LocaleSeparators withDecimalAndList(QChar decimal, QChar list);
    // The list separator that goes with a decimal separator where the platform gives none.
    static QChar derivedListSeparator(QChar decimal);
    static QChar derivedGroupSeparator(QChar decimal);

    QString decimalText() const { return QString(decimal); }
    QString listText() const { return QString(list); }

    friend bool operator==(const LocaleSeparators&, const LocaleSeparators&) = default;

    // While alive, current() returns the given separators on this thread.
    class VELT_EXPORT Override
    {
    public:
        explicit Override(const LocaleSeparators& separators);
        Override(QChar decimal, QChar list);
        ~Override();

        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        struct Private;
        std::unique_ptr<Private> const d;
    };
};

} // namespace Velt
