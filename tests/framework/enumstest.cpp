// XCStructEditFieldEnums: insertion at 1-based positions, appending, out-of-range reads and the
// growth of the storage.
#include "callfailurescope.h"
#include "xcstructeditfieldenums.h"

#include <QTest>

namespace {
QStringList entries(const XCStructEditFieldEnums& list)
{
    QStringList out;
    for (int i = 1; i <= list.Count(); ++i)
        out << list.Text(i);
    return out;
}
} // namespace

class EnumsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void add_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("expected");
        const QString x = QStringLiteral("x");
        QTest::newRow("insert first") << x << 1 << QStringList{"x", "a", "b"};
        QTest::newRow("insert between") << x << 2 << QStringList{"a", "x", "b"};
        QTest::newRow("insert after last") << x << 3 << QStringList{"a", "b", "x"};
        QTest::newRow("append with -1") << x << -1 << QStringList{"a", "b", "x"};
        QTest::newRow("any negative appends") << x << -20 << QStringList{"a", "b", "x"};
        QTest::newRow("trimmed") << QStringLiteral("  x \t") << 1 << QStringList{"x", "a", "b"};
    }
    void add()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(QStringList, expected);
        XCStructEditFieldEnums list;
        list.Add(QStringLiteral("a"));
        list.Add(QStringLiteral("b"));
        list.Add(text, index);
        QCOMPARE(entries(list), expected);
    }

    void addOutsideThePositions_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("zero") << 0;
        QTest::newRow("two past the end") << 4;
    }
    void addOutsideThePositions()
    {
        QFETCH(int, index);
        XCStructEditFieldEnums list;
        list.Add(QStringLiteral("a"));
        list.Add(QStringLiteral("b"));
        QVERIFY_THROWS_EXCEPTION(Velt::CallFailed,
                                 Velt::checkedCall([&] { list.Add(QStringLiteral("x"), index); }));
        QCOMPARE(entries(list), (QStringList{"a", "b"}));
    }

    void textOutOfRange_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("0") << 0;
        QTest::newRow("-1") << -1;
        QTest::newRow("count + 1") << 4;
    }
    void textOutOfRange()
    {
        QFETCH(int, index);
        XCStructEditFieldEnums list;
        for (const char* t : {"x", "a", "b"})
            list.Add(QString::fromLatin1(t));
        QCOMPARE(list.Text(index), QString(""));
    }

    void capacity_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("capacity");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("first") << 1 << 4;
        QTest::newRow("full at 4") << 4 << 4;
        QTest::newRow("fifth doubles") << 5 << 8;
        QTest::newRow("ninth doubles again") << 9 << 16;
        QTest::newRow("33") << 33 << 64;
    }
    void capacity()
    {
        QFETCH(int, entries);
        QFETCH(int, capacity);
        XCStructEditFieldEnums list;
        for (int i = 0; i < entries; ++i)
            list.Add(QString::number(i), 1);
        QCOMPARE(list.capacity(), capacity);
        QCOMPARE(list.Count(), entries);
        if (entries > 0)
            QCOMPARE(list.Text(1), QString::number(entries - 1));
    }

    void clearKeepsStorage()
    {
        XCStructEditFieldEnums list;
        for (int i = 0; i < 5; ++i)
            list.Add(QStringLiteral("e"));
        list.Clear();
        QCOMPARE(list.Count(), 0);
        QCOMPARE(list.capacity(), 8);
        QCOMPARE(list.Text(1), QString());
        list.Add(QStringLiteral("again"));
        QCOMPARE(entries(list), QStringList{QStringLiteral("again")});
    }
};

QTEST_MAIN(EnumsTest)
#include "enumstest.moc"
