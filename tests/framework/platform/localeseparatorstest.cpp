// LocaleSeparators: from Qt locales, derived separators, the default locale, nested overrides.
#include "columns.h"
#include "localeseparators.h"
#include "numericconversion.h"

#include <QLocale>
#include <QTest>

using namespace Velt;

class LocaleSeparatorsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromLocale_data()
    {
        VeltTest::columns<QLocale, QChar, QChar>({"locale", "decimal", "list"});
        QTest::newRow("C") << QLocale::c() << QChar(u'.') << QChar(u',');
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QChar(u',') << QChar(u';');
        QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland) << QChar(u'.') << QChar(u',');
    }

    void fromLocale()
    {
        QFETCH(QLocale, locale);
        const LocaleSeparators separators = LocaleSeparators::fromLocale(locale);
        QTEST(separators.decimal, "decimal");
        QTEST(separators.list, "list");
        QCOMPARE(separators.group, locale.groupSeparator().front());
        QVERIFY(separators.group != separators.decimal);

        // A number written by Qt in that locale, with group separators, reads back.
        const double value = 1234567.25;
        const RealResult back = NumericConversion::toReal(locale.toString(value, 'f', 2), separators);
        QVERIFY2(back.ok(), qPrintable(locale.toString(value, 'f', 2)));
        QCOMPARE(back.value, value);
    }

    // Without a list separator it follows from the decimal one, as does the group separator.
    void withDecimalAndList()
    {
        const auto chars = [](QChar decimal) {
            const LocaleSeparators s = LocaleSeparators::withDecimalAndList(decimal, QChar());
            return QString(s.decimal) + s.group + s.list;
        };
        QCOMPARE(chars(u',') + u'|' + chars(QChar()), QStringLiteral(",.;|.,,"));
    }

    void followsDefaultLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const LocaleSeparators german = LocaleSeparators::current();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const LocaleSeparators english = LocaleSeparators::current();
        QLocale::setDefault(saved);

        QCOMPARE(QStringList({german.decimal, german.list, english.decimal, english.list}), QStringList({",", ";", ".", ","}));
        QCOMPARE(LocaleSeparators::current(), LocaleSeparators::fromLocale(saved));
    }

    void overridesNest()
    {
        const LocaleSeparators system = LocaleSeparators::current();
        {
            const LocaleSeparators::Override comma(u',', u';');
            QCOMPARE(LocaleSeparators::current(), LocaleSeparators::withDecimalAndList(u',', u';'));
            {
                const LocaleSeparators::Override point(u'.', u',');
                QCOMPARE(NumericConversion::toReal(u"2,5").value, 25.0);
            }
            QCOMPARE(NumericConversion::toReal(u"2,5").value, 2.5);
        }
        QCOMPARE(LocaleSeparators::current(), system);
    }
};

QTEST_GUILESS_MAIN(LocaleSeparatorsTest)
#include "localeseparatorstest.moc"
