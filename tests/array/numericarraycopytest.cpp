// NumericArrayCopy over real core items: what begin takes, redimensions that keep values by
// index, and what OK writes into the item (shape, values, units, restriction with the clamp,
// the family's option, the locks hook) or cancel leaves alone.
#include "columns.h"
#include "coretesting.h"
#include "fixture.h"
#include "numericarraytesting.h"

#include <QTest>

using namespace Velt;
using namespace NumericArrayTest;
using VeltTest::CoreBuilder;

Q_DECLARE_METATYPE(Velt::ArrayShape)

class NumericArrayCopyTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;

private Q_SLOTS:
    void init() { fixture.begin(); }
    void cleanup() { fixture.end(); }

    void begin_data()
    {
        VeltTest::columns<ArrayShape, bool, ArrayShape>({"stored", "hadElements", "copied"});
        QTest::newRow("empty vector gets 0..0") << shape({0, -1}) << false << shape({0, 0});
        QTest::newRow("empty table becomes a 0..0 vector") << shape({1, 2, 1, 0}) << false << shape({0, 0});
        QTest::newRow("table") << shape({1, 2, -1, 3}) << true << shape({1, 2, -1, 3});
        QTest::newRow("planes") << shape({1, 2, 1, 3, 5, 5}) << true << shape({1, 2, 1, 3, 5, 5});
    }
    void begin()
    {
        QFETCH(ArrayShape, stored);
        CoreBuilder core;
        const QuenHandle item = numbered(core, "real", stored);
        const QString before = snapshot(item);
        {
            NumericArrayCopy<Real64ArrayTraits> copy;
            QTEST(copy.begin(item), "hadElements");
            QFETCH(ArrayShape, copied);
            QCOMPARE(copy.shape(), copied);
            QVERIFY(copy.handle() != item);
            QCOMPARE(copy.maximumCount(), 65535);
            if (stored.count() > 0)
                QCOMPARE(copy.at({2, 3, 5}), get(item, {2, 3, 5}));
            const auto& spans = copy.shape().spans;
            copy.set({spans[0].upper, spans[1].upper, spans[2].upper}, -7);
        }
        QCOMPARE(snapshot(item), before); // the item is untouched; the copy went with its owner
    }

    void beginRefusesAnotherFamily()
    {
        CoreBuilder core;
        const QuenHandle reals = (core << QuenR64ArrCreate(1, 3));
        NumericArrayCopy<Int32ArrayTraits> copy;
        QVERIFY(!copy.begin(reals));
        QVERIFY(!copy.active());
    }

    // Values stay with their indices; new elements hold 0; a shape the core refuses (over the
    // maximum) leaves the copy as it was and the register empty.
    void redimension_data()
    {
        VeltTest::columns<ArrayShape, int, QString>({"to", "maximum", "cells"});
        QTest::newRow("to a vector, grown both ends") << shape({0, 3}) << 100 << "1 0..3: 0 1 2 0|";
        QTest::newRow("lower moved up") << shape({2, 3, 1, 1}) << 100 << "2 2..3 1..1: 2 0|";
        QTest::newRow("over the maximum") << shape({1, 10, 1, 11}) << 100 << "2 1..2 1..1: 1 2|";
        QTest::newRow("exactly the maximum") << shape({1, 10, 1, 10}) << 100 << "100";
    }
    void redimension()
    {
        QFETCH(ArrayShape, to);
        QFETCH(int, maximum);
        QFETCH(QString, cells);
        const int32_t oldMaximum = QuenArrayGetDefaultMaxSize();
        QuenArraySetDefaultMaxSize(maximum);
        CoreBuilder core;
        const QuenHandle item = numbered(core, "real", shape({1, 2, 1, 1}));
        NumericArrayCopy<Real64ArrayTraits> copy;
        copy.begin(item);
        QCOMPARE(copy.maximumCount(), maximum);
        const bool fits = to.count() <= maximum;
        QCOMPARE(copy.redimension(to), fits);
        QVERIFY(!QuenExcRegIsError(0));
        QuenArraySetDefaultMaxSize(oldMaximum);
        if (cells.contains(u'|'))
            QCOMPARE(snapshot(copy.handle()), cells);
        else
            QCOMPARE(QString::number(QuenArrayGetSize(copy.handle())), cells);
    }

    // OK: the item takes the copy's shape and values, then units, restriction (stored and
    // clamped only when it bounds a side, crossed bounds closed to low), the locks hook, the
    // option; the copy is gone afterwards.
    void accept_data()
    {
        VeltTest::columns<QString, bool, double, double, QString>({"units", "restricted", "low", "high", "written"});
        const double big = NumericConversion::RealUnbounded;
        QTest::newRow("clamped into 0..10") << "V" << true << 0.0 << 10.0 << "2 1..2 1..3: 0 10 0 10 7 10|Graphical View As,Locks,Restriction,Units";
        QTest::newRow("crossed closes to low") << "" << true << 5.0 << 1.0 << "2 1..2 1..3: 5 5 5 5 5 5|Graphical View As,Locks,Restriction";
        QTest::newRow("unbounded pair removed") << "" << true << -big << big << "2 1..2 1..3: -1 11 0 12 7 13|Graphical View As,Locks";
        QTest::newRow("not ticked") << "A" << false << 0.0 << 10.0 << "2 1..2 1..3: -1 11 0 12 7 13|Graphical View As,Locks,Units";
    }
    void accept()
    {
        QFETCH(QString, units);
        QFETCH(bool, restricted);
        QFETCH(double, low);
        QFETCH(double, high);
        CoreBuilder core;
        const QuenHandle item = (core << QuenR64ArrCreate(-5, 5));
        CoreBuilder::setString(item, "Units", "old");
        {
            const QuenHandle restriction = QuenR64ArrCreate(1, 2);
            QuenR64ArrSetAt1(restriction, 2, 1.0);
            CoreBuilder::attach(item, "Restriction", restriction);
        }
        NumericArrayCopy<Real64ArrayTraits> copy;
        copy.begin(item);
        copy.redimension(shape({1, 2, 1, 3}));
        const double values[] = {-1, 11, 0, 12, 7, 13};
        int n = 0;
        NumericArrayCopy<Real64ArrayTraits>::forEachCell(copy.shape(), [&](ArrayCell i) { copy.set(i, values[n++]); });
        const QuenHandle work = copy.handle();

        QString locksSaw;
        NumericArrayAttributes<Real64ArrayTraits> attributes{units, std::nullopt, true};
        if (restricted)
            attributes.restriction = Bounds<double>{low, high};
        copy.accept(item, attributes, [&](QuenHandle written) {
            locksSaw = snapshot(written); // the locks are written after the values are final
            CoreBuilder::setString(written, "Locks", "None");
        });
        QFETCH(QString, written);
        QCOMPARE(snapshot(item), written);
        // The locks come after the values, units and restriction are final, before the option.
        QCOMPARE(locksSaw.section(u'|', 0, 0), written.section(u'|', 0, 0));
        QVERIFY(!locksSaw.contains(QStringLiteral("Graphical View As")));
        QCOMPARE(CoreBuilder::string(item, "Graphical View As"), QStringLiteral("By row"));
        QVERIFY(!copy.active());
        QVERIFY(!QuenDataIsValid(work));
        QuenExcRegClearError(0);
    }
};

QTEST_GUILESS_MAIN(NumericArrayCopyTest)
#include "numericarraycopytest.moc"
