// Parameters: creation, deep copies, data ownership, references and flags.
#include "coretesting.h"

#include <QObject>

using namespace VeltTest;

namespace {

struct Flag
{
    const char* name;
    QuenBool (*get)(QuenHandle);
    QuenBool (*set)(QuenHandle, bool);
    bool initial;
};

const Flag kFlags[] = {
    { "output", QuenParmIsOutput, [](QuenHandle p, bool on) { return on ? QuenParmSetOutput(p) : QuenParmClearOutput(p); }, false },
    { "hidden", QuenParmIsHidden, [](QuenHandle p, bool on) { return QuenParmSetHidden(p, on ? QUEN_TRUE : QUEN_FALSE); }, false },
    { "development editable", QuenParmIsDevelopmentEditable,
      [](QuenHandle p, bool on) { return QuenParmSetDevelopmentEditable(p, on ? QUEN_TRUE : QUEN_FALSE); }, true },
    { "reference editable", QuenParmIsReferenceEditable,
      [](QuenHandle p, bool on) { return QuenParmSetReferenceEditable(p, on ? QUEN_TRUE : QUEN_FALSE); }, true },
};

} // namespace

class ParmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QCOMPARE(QuenCoreGetLiveObjectCount(), m_live); }

    void create_data()
    {
        QTest::addColumn<QString>("cls");
        for (const char* cls : { "CQuenInt32", "CQuenReal64", "CQuenString", "CQuenRange",
                                 "CQuenPointArray", "CQuenWaveform", "CQuenObjectLifetime" })
            QTest::newRow(cls) << QString::fromLatin1(cls);
        QTest::newRow("unknown class") << QStringLiteral("CQuenInt64");
    }
    void create()
    {
        QFETCH(QString, cls);
        const QuenHandle parm = QuenParmCreate("Gain", cls.toUtf8().constData());
        if (cls == QLatin1String("CQuenInt64")) {
            QCOMPARE(parm, 0);
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenParmCreate");
            return;
        }
        QCOMPARE(text(QuenParmGetType(parm)), cls);
        const QuenHandle data = QuenParmGetData(parm);
        QCOMPARE(text(QuenDataGetType(data)), cls);
        QVERIFY(QuenParmGetDesc(parm) != 0);
        QCOMPARE(QuenParmGetOwner(parm), 0);
        // The parameter owns its data: only the parameter releases it.
        QVERIFY(!QuenDataRelease(data));
        const QList<Raised> raised = takeErrors();
        QCOMPARE(raised.size(), 1);
        QCOMPARE(raised.first().code, int32_t(QUEN_ERR_INVALID_ARGUMENT));
        QVERIFY2(raised.first().message.contains(QLatin1String("parameter")), qPrintable(raised.first().message));
        QVERIFY(QuenParmRelease(parm));
        QVERIFY(!QuenDataIsValid(data));
        EXPECT_NO_ERROR();
    }

    void copyIsDeep()
    {
        const QuenHandle parm = QuenParmCreate("Limit", "CQuenInt32");
        QuenInt32SetValue(QuenParmGetData(parm), 42);
        CoreBuilder::setString(QuenParmGetData(parm), "Units", "mV");
        QuenDescSetText(QuenParmGetDesc(parm), "Upper limit");
        QuenDescAddKeyword(QuenParmGetDesc(parm), "limits");
        QuenParmSetOutput(parm);
        QuenParmSetHidden(parm, QUEN_TRUE);
        QuenParmSetDevelopmentEditable(parm, QUEN_FALSE);
        QuenParmSetReferenceEditable(parm, QUEN_FALSE);

        const QuenHandle copy = QuenParmCopy(parm);
        QVERIFY(copy && copy != parm);
        QCOMPARE(text(QuenParmGetName(copy)), QStringLiteral("Limit"));
        QVERIFY(QuenParmGetData(copy) != QuenParmGetData(parm));
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(copy)), 42);
        const QuenHandle copiedUnits = QuenDataExGetProperty(QuenParmGetData(copy), "Units");
        QCOMPARE(text(QuenStringGetValue(copiedUnits)), QStringLiteral("mV"));
        QVERIFY(QuenParmGetDesc(copy) != QuenParmGetDesc(parm));
        QCOMPARE(text(QuenDescGetText(QuenParmGetDesc(copy))), QStringLiteral("Upper limit"));
        QCOMPARE(QuenDescGetKeywordCount(QuenParmGetDesc(copy)), 1);
        QVERIFY(QuenParmIsOutput(copy) && QuenParmIsHidden(copy));
        QVERIFY(!QuenParmIsDevelopmentEditable(copy) && !QuenParmIsReferenceEditable(copy));

        // Changing the copy leaves the original alone.
        QuenInt32SetValue(QuenParmGetData(copy), 7);
        QuenDescSetText(QuenParmGetDesc(copy), "changed");
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 42);
        QCOMPARE(text(QuenDescGetText(QuenParmGetDesc(parm))), QStringLiteral("Upper limit"));
        QVERIFY(QuenParmRelease(copy));
        QVERIFY(QuenParmRelease(parm));
        EXPECT_NO_ERROR();
    }

    void setDataTakesOwnershipAndRefusesOwnedItems()
    {
        const QuenHandle parm = QuenParmCreate("P", "CQuenInt32");
        const QuenHandle old = QuenParmGetData(parm);
        const QuenHandle real = QuenReal64Create(2.5);
        QVERIFY(QuenParmSetData(parm, real));
        QVERIFY(!QuenDataIsValid(old));
        QCOMPARE(QuenParmGetData(parm), real);
        QCOMPARE(text(QuenParmGetType(parm)), QStringLiteral("CQuenReal64"));
        QVERIFY(QuenParmSetData(parm, real)); // its own item again: nothing changes
        QVERIFY(QuenDataIsValid(real));
        // Another parameter's item is refused.
        const QuenHandle other = QuenParmCreate("B", "CQuenInt32");
        QVERIFY(!QuenParmSetData(other, real));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenParmSetData");
        QCOMPARE(QuenParmGetData(parm), real);
        QuenParmRelease(other);
        QuenParmRelease(parm);
        EXPECT_NO_ERROR();
    }

    void setReferenceHandsTheValueToTheCaller()
    {
        const QuenHandle parm = QuenParmCreate("Supply", "CQuenReal64");
        const QuenHandle value = QuenParmGetData(parm);
        QVERIFY(QuenParmSetReference(parm, "SupplyVoltageXX", 13, "StationXX", 7));
        QVERIFY(QuenParmIsReference(parm));
        QCOMPARE(text(QuenParmGetRefName(parm)), QStringLiteral("SupplyVoltage"));
        QCOMPARE(text(QuenParmGetRefTableName(parm)), QStringLiteral("Station"));
        QCOMPARE(text(QuenParmGetType(parm)), QStringLiteral("CQuenReal64"));
        QCOMPARE(QuenParmGetData(parm), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_NO_DATA, "QuenParmGetData");
        // The item survives, unowned: the caller releases it.
        QVERIFY(QuenDataIsValid(value));
        QVERIFY(QuenDataRelease(value));
        const QuenHandle copy = QuenParmCopy(parm); // a copy refers to the same symbol
        QVERIFY(QuenParmIsReference(copy));
        QCOMPARE(text(QuenParmGetRefName(copy)), QStringLiteral("SupplyVoltage"));
        QCOMPARE(text(QuenParmGetRefTableName(copy)), QStringLiteral("Station"));
        QuenParmRelease(copy);

        // Giving a value ends the reference.
        QVERIFY(QuenParmSetData(parm, QuenInt32Create(3)));
        QVERIFY(!QuenParmIsReference(parm));
        QCOMPARE(text(QuenParmGetRefName(parm)), QString());
        QCOMPARE(text(QuenParmGetType(parm)), QStringLiteral("CQuenInt32"));
        QuenParmRelease(parm);
        EXPECT_NO_ERROR();
    }

    void flags_data()
    {
        QTest::addColumn<int>("flag");
        for (int f = 0; f < 4; ++f)
            QTest::newRow(kFlags[f].name) << f;
    }
    void flags()
    {
        QFETCH(int, flag);
        const Flag& f = kFlags[flag];
        const QuenHandle parm = QuenParmCreate("P", "CQuenInt32");
        QCOMPARE(f.get(parm), f.initial ? QUEN_TRUE : QUEN_FALSE);
        for (const bool on : { !f.initial, f.initial }) {
            QCOMPARE(f.set(parm, on), QUEN_TRUE);
            QCOMPARE(f.get(parm), on ? QUEN_TRUE : QUEN_FALSE);
        }
        QuenParmRelease(parm);
        EXPECT_NO_ERROR();
    }

    void ownedParameterIsReleasedByItsBlock()
    {
        const QuenHandle block = QuenPbDefCreate();
        const QuenHandle parm = QuenParmCreate("P", "CQuenInt32");
        QVERIFY(QuenPbDefAddParm(block, parm));
        QCOMPARE(QuenParmGetOwner(parm), block);
        QVERIFY(!QuenParmRelease(parm));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenParmRelease");
        QVERIFY(QuenPbDefRelease(block));
        QVERIFY(!QuenParmGetName(parm)[0]); // released with its block
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_HANDLE, "QuenParmGetName");
    }

    void renameToANameTakenInTheBlockFails()
    {
        const QuenHandle block = QuenPbDefCreate();
        const QuenHandle a = QuenParmCreate("Alpha", "CQuenInt32");
        const QuenHandle b = QuenParmCreate("Beta", "CQuenInt32");
        QuenPbDefAddParm(block, a);
        QuenPbDefAddParm(block, b);
        QVERIFY(!QuenParmSetName(b, "ALPHA"));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenParmSetName");
        QCOMPARE(text(QuenParmGetName(b)), QStringLiteral("Beta"));
        QVERIFY(QuenParmSetName(a, "ALPHA")); // its own name in another case
        QCOMPARE(text(QuenParmGetName(a)), QStringLiteral("ALPHA"));
        QuenPbDefRelease(block);
        EXPECT_NO_ERROR();
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(ParmTest)
#include "parmtest.moc"
