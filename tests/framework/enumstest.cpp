// XCStructEditFieldEnums: 1-based insertion, appending, out-of-range reads and the growth of the storage.
#include "columns.h"
#include "callfailurescope.h"
#include "xcstructeditfieldenums.h"

#include <QTest>

#include <algorithm>

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
        VeltTest::columns<QString, int, QStringList>({"text", "index", "expected"});
        const QString x = QStringLiteral("x");
        QTest::newRow("insert between") << x << 2 << QStringList{"a", "x", "b"};
        QTest::newRow("insert after last") << x << 3 << QStringList{"a", "b", "x"};
        QTest::newRow("any negative appends") << x << -20 << QStringList{"a", "b", "x"};
        QTest::newRow("trimmed") << QStringLiteral("  x \t") << 1 << QStringList{"x", "a", "b"};
    }
    void add()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        XCStructEditFieldEnums list;
        list.Add(QStringLiteral("a"));
        list.Add(QStringLiteral("b"));
        list.Add(text, index);
        QTEST(entries(list), "expected");
    }
    // With two entries: reads at 0 and count + 1 give "", insertions at 0 and count + 2 fail.
    void outOfRange()
    {
        XCStructEditFieldEnums list;
        list.Add(QStringLiteral("a"));
        list.Add(QStringLiteral("b"));
        for (const auto& [read, insert] : {std::pair{0, 0}, std::pair{3, 4}}) {
            QCOMPARE(list.Text(read), QString(""));
            QVERIFY_THROWS_EXCEPTION(Velt::CallFailed, Velt::checkedCall([&] { list.Add(QStringLiteral("x"), insert); }));
        }
        QCOMPARE(entries(list), (QStringList{"a", "b"}));
    }

    void capacity_data()
    {
        VeltTest::columns<int, int>({"entries", "capacity"});
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("full at 4") << 4 << 4;
        QTest::newRow("fifth doubles") << 5 << 8;
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
        QCOMPARE(list.Text(1), entries > 0 ? QString::number(entries - 1) : QString());
        list.Clear(); // empties the list, keeps the storage
        list.Add(QStringLiteral("again"));
        QCOMPARE(::entries(list), QStringList{QStringLiteral("again")});
        QCOMPARE(list.capacity(), std::max(capacity, 4));
    }
};

QTEST_MAIN(EnumsTest)
#include "enumstest.moc"
