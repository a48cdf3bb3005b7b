#include "columns.h"
#include "latebinding.h"

#include <QPointer>
#include <QtTest>

// An object with the kinds of members hosts reach by name.
class Target : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(QString Caption READ caption)

public:
    int height() const { return m_height; }
    void setHeight(int h) { m_height = h; }
    QString caption() const { return QStringLiteral("Value"); }

    Q_INVOKABLE int Add(int a, int b) { return a + b; }
    Q_INVOKABLE QString Add(const QString& a, const QString& b, const QString& c) { return a + b + c; }
    Q_INVOKABLE QVariant Echo(const QVariant& v) { return v; }
    Q_INVOKABLE void Touch() { ++touched; }
    Q_INVOKABLE QObject* GetEditor() { return child; }
    Q_INVOKABLE Target* GetSelf() { return this; }
    Q_INVOKABLE bool Accepts(QObject* object) { return object == child; }
    Q_INVOKABLE double Half(double x) { return x / 2; }

    int touched = 0;
    QObject* child = nullptr;

private:
    int m_height = 10;
};

class Derived : public Target
{
    Q_OBJECT
public:
    Q_INVOKABLE int Add(int a, int b) { return a * b; } // hides the base's
};

class LateBindingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void invoke_data()
    {
        VeltTest::columns<QByteArray, QVariantList, bool, QVariant>({"member", "args", "found", "result"});
        QTest::newRow("case-insensitive") << QByteArray("aDD") << QVariantList{2, 3} << true << QVariant(5);
        QTest::newRow("text converted to int") << QByteArray("Add") << QVariantList{"4", 3} << true << QVariant(7);
        QTest::newRow("overload by count") << QByteArray("Add") << QVariantList{"a", "b", "c"} << true << QVariant(QStringLiteral("abc"));
        QTest::newRow("nothing passes as default") << QByteArray("Half") << QVariantList{QVariant()} << true << QVariant(0.0);
        QTest::newRow("QVariant passes through") << QByteArray("Echo") << QVariantList{QVariant(1.5)} << true << QVariant(1.5);
        QTest::newRow("void member: found, nothing returned") << QByteArray("touch") << QVariantList{} << true << QVariant();
        QTest::newRow("missing member") << QByteArray("Subtract") << QVariantList{2, 3} << false << QVariant();
        QTest::newRow("wrong count") << QByteArray("Add") << QVariantList{2} << false << QVariant();
        QTest::newRow("not convertible") << QByteArray("Add") << QVariantList{"x", 3} << false << QVariant();
        QTest::newRow("property is not a method") << QByteArray("Height") << QVariantList{} << false << QVariant();
    }
    void invoke()
    {
        QFETCH(QByteArray, member);
        QFETCH(QVariantList, args);
        Target target;
        const std::optional<QVariant> got = Velt::invokeByName(&target, member.constData(), args);
        QTEST(got.has_value(), "found");
        QTEST(got.value_or(QVariant()), "result");
        QCOMPARE(target.touched, member == "touch" ? 1 : 0);
    }

    void objectsComeBackAsQObject()
    {
        Target target;
        QObject child;
        QCOMPARE(Velt::objectByName(&target, "GetEditor"), nullptr);
        target.child = &child;
        QCOMPARE(Velt::objectByName(&target, "GetEditor"), &child);
        QCOMPARE(Velt::objectByName(&target, "GetSelf"), &target); // a derived pointer type
        QCOMPARE(Velt::objectByName(&target, "Half", {2.0}), nullptr); // not an object
        QCOMPARE(Velt::invokeByName(&target, "Accepts", {QVariant::fromValue(&child)}), QVariant(true));
        QCOMPARE(Velt::toQObject(QVariant(3)), nullptr);
        QVERIFY(!Velt::invokeByName(nullptr, "Touch"));
    }

    void properties_data()
    {
        // found: readable, a member, written and read back
        VeltTest::columns<QByteArray, QVariant, QList<bool>>({"name", "value", "found"});
        QTest::newRow("read-write") << QByteArray("Height") << QVariant(25) << QList<bool>{true, true, true, true};
        QTest::newRow("converted") << QByteArray("Height") << QVariant("27") << QList<bool>{true, true, true, true};
        QTest::newRow("read-only") << QByteArray("Caption") << QVariant("x") << QList<bool>{true, true, false, false};
        QTest::newRow("dynamic") << QByteArray("Tag") << QVariant("t") << QList<bool>{true, true, true, true};
        QTest::newRow("missing") << QByteArray("Width") << QVariant(1) << QList<bool>{false, false, false, false};
    }
    void properties()
    {
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        Target target;
        target.setProperty("Tag", QStringLiteral("old"));
        const bool readable = Velt::propertyByName(&target, name.constData()).has_value();
        const bool member = Velt::hasMember(&target, name.constData());
        const bool written = Velt::setPropertyByName(&target, name.constData(), value);
        QTEST(QList<bool>({readable, member, written, Velt::propertyByName(&target, name.constData()).value_or(QVariant()).toString() == value.toString()}), "found");
    }

    void callByNameFallsBackToProperties()
    {
        Target target;
        QCOMPARE(Velt::callByName(&target, "Height"), QVariant(10));
        QVERIFY(Velt::callByName(&target, "Height", {42}));
        QCOMPARE(target.height(), 42);
        QCOMPARE(Velt::callByName(&target, "Add", {1, 1}), QVariant(2));
        QVERIFY(!Velt::callByName(&target, "Caption", {"x"}));
        QVERIFY(!Velt::callByName(&target, "Nothing"));
        Derived derived;
        QCOMPARE(Velt::callByName(&derived, "Add", {3, 4}), QVariant(12)); // the most derived member wins
    }
};

QTEST_MAIN(LateBindingTest)
#include "latebindingtest.moc"
