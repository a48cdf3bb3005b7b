// Tests of LocaleSeparators: separators taken from Qt locales, the derived list and group
// separators, following the default locale, and nested overrides.
#include "localeseparators.h"
#include "numericconversion.h"

#include <QLocale>
#include <QTest>

using namespace Velt;

class LocaleSeparatorsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromLocale_data();
    void fromLocale();
    void withDecimalAndList_data();
    void withDecimalAndList();
    void followsDefaultLocale();
    void overridesNest();
};

void LocaleSeparatorsTest::fromLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("list");

    QTest::newRow("C") << QLocale::c() << QChar(u'.') << QChar(u',');
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QChar(u'.') << QChar(u',');
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QChar(u',') << QChar(u';');
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << QChar(u',') << QChar(u';');
    QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland) << QChar(u'.') << QChar(u',');
}

void LocaleSeparatorsTest::fromLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, decimal);
    QFETCH(QChar, list);
    const LocaleSeparators separators = LocaleSeparators::fromLocale(locale);
    QCOMPARE(separators.decimal, decimal);
    QCOMPARE(separators.list, list);
    QCOMPARE(separators.group, locale.groupSeparator().front());
    QVERIFY(separators.group != separators.decimal);

    // A number written by Qt in that locale, with group separators, reads back.
    const double value = 1234567.25;
    const RealResult back = NumericConversion::toReal(locale.toString(value, 'f', 2), separators);
    QVERIFY2(back.ok(), qPrintable(locale.toString(value, 'f', 2)));
    QCOMPARE(back.value, value);
}

void LocaleSeparatorsTest::withDecimalAndList_data()
{
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("list");
    QTest::addColumn<QChar>("expectedDecimal");
    QTest::addColumn<QChar>("expectedGroup");
    QTest::addColumn<QChar>("expectedList");

    QTest::newRow("point") << QChar(u'.') << QChar(u',') << QChar(u'.') << QChar(u',') << QChar(u',');
    QTest::newRow("comma") << QChar(u',') << QChar(u';') << QChar(u',') << QChar(u'.') << QChar(u';');
    QTest::newRow("comma, list derived") << QChar(u',') << QChar() << QChar(u',') << QChar(u'.') << QChar(u';');
    QTest::newRow("nothing given") << QChar() << QChar() << QChar(u'.') << QChar(u',') << QChar(u',');
    QTest::newRow("list kept as given") << QChar(u'.') << QChar(u';') << QChar(u'.') << QChar(u',') << QChar(u';');
}

void LocaleSeparatorsTest::withDecimalAndList()
{
    QFETCH(QChar, decimal);
    QFETCH(QChar, list);
    QFETCH(QChar, expectedDecimal);
    QFETCH(QChar, expectedGroup);
    QFETCH(QChar, expectedList);
    const LocaleSeparators separators = LocaleSeparators::withDecimalAndList(decimal, list);
    QCOMPARE(separators.decimal, expectedDecimal);
    QCOMPARE(separators.group, expectedGroup);
    QCOMPARE(separators.list, expectedList);
}

void LocaleSeparatorsTest::followsDefaultLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const LocaleSeparators german = LocaleSeparators::current();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const LocaleSeparators english = LocaleSeparators::current();
    QLocale::setDefault(saved);

    QCOMPARE(german.decimal, QChar(u','));
    QCOMPARE(german.list, QChar(u';'));
    QCOMPARE(english.decimal, QChar(u'.'));
    QCOMPARE(english.list, QChar(u','));
    QCOMPARE(LocaleSeparators::current(), LocaleSeparators::fromLocale(saved));
}

void LocaleSeparatorsTest::overridesNest()
{
    const LocaleSeparators system = LocaleSeparators::current();
    {
        const LocaleSeparators::Override comma(u',', u';');
        QCOMPARE(LocaleSeparators::current(), LocaleSeparators::withDecimalAndList(u',', u';'));
        QCOMPARE(NumericConversion::toReal(u"2,5").value, 2.5);
        {
            const LocaleSeparators::Override point(u'.', u',');
            QCOMPARE(LocaleSeparators::current().decimal, QChar(u'.'));
            QCOMPARE(NumericConversion::toReal(u"2,5").value, 25.0);
        }
        QCOMPARE(LocaleSeparators::current().decimal, QChar(u','));
        QCOMPARE(NumericConversion::formatReal(3.0, 0), QStringLiteral("3,0"));
    }
    QCOMPARE(LocaleSeparators::current(), system);
}

QTEST_GUILESS_MAIN(LocaleSeparatorsTest)
#include "localeseparatorstest.moc"
