#include "columns.h"
#include "keyedcollection.h"

#include <QtTest>

using Collection = Velt::KeyedCollection<QString>;

class KeyedCollectionTest : public QObject
{
    Q_OBJECT

private:
    static Collection abc()
    {
        Collection c;
        c.add("Alpha", "a");
        c.add("Beta", "b");
        c.add("Gamma", "c");
        return c;
    }

private Q_SLOTS:
    void lookup_data()
    {
        // item: empty: nothing
        VeltTest::columns<QVariant, QString>({"key", "item"});
        QTest::newRow("key, other case") << QVariant("gAMMA") << "c";
        QTest::newRow("last position") << QVariant(3) << "c";
        QTest::newRow("position 0") << QVariant(0) << "";
        QTest::newRow("past the end") << QVariant(4) << "";
        QTest::newRow("64-bit") << QVariant(qlonglong(1) << 33) << "";
        QTest::newRow("unsigned") << QVariant(2u) << "b";
        QTest::newRow("real rounds half to even down") << QVariant(2.5) << "b";
        QTest::newRow("real below one half") << QVariant(0.4) << "";
        QTest::newRow("not a number") << QVariant(std::nan("")) << "";
        QTest::newRow("digits as text are a key") << QVariant("2") << "";
        QTest::newRow("nothing") << QVariant() << "";
    }
    void lookup()
    {
        QFETCH(QVariant, key);
        const Collection c = abc();
        QTEST(c.lookup(key).value_or(QString()), "item");
    }

    void keysAreUniqueAndKeepOrder()
    {
        Collection c = abc();
        QVERIFY(!c.add("ALPHA", "x"));
        QCOMPARE(c.item("alpha").value_or(QString()) + QString::number(c.count()), QStringLiteral("a3"));
        QCOMPARE(c.keyAt(1) + c.keyAt(4), QStringLiteral("Alpha")); // spelling kept, nothing past the end
        QCOMPARE(QList<int>({c.positionOf("GAMMA"), c.positionOf("Delta")}), QList<int>({3, 0}));
        QVERIFY(c.add("Delta", "d"));
        QCOMPARE(c.at(4).value_or(QString()), QStringLiteral("d"));
        QVERIFY(c.containsItem([](const QString& s) { return s == u"d"; }) && !c.containsItem([](const QString& s) { return s == u"z"; }));
        c.clear();
        QVERIFY(c.isEmpty() && !c.lookup(1));
        QVERIFY(c.add("Alpha", "again"));
    }
};

QTEST_MAIN(KeyedCollectionTest)
#include "keyedcollectiontest.moc"
