// Parameters and descriptions: creation, deep copies, ownership, references, flags and keywords.
#include "columns.h"
#include "coretesting.h"

using namespace VeltTest;

namespace {

struct Flag { const char* name; QuenBool (*get)(QuenHandle); QuenBool (*set)(QuenHandle, bool); bool initial; };

const Flag kFlags[] = {
    { "output", QuenParmIsOutput, [](QuenHandle p, bool on) { return on ? QuenParmSetOutput(p) : QuenParmClearOutput(p); }, false },
    { "hidden", QuenParmIsHidden, [](QuenHandle p, bool on) { return QuenParmSetHidden(p, on ? QUEN_TRUE : QUEN_FALSE); }, false },
    { "development editable", QuenParmIsDevelopmentEditable, [](QuenHandle p, bool on) { return QuenParmSetDevelopmentEditable(p, on ? QUEN_TRUE : QUEN_FALSE); }, true },
    { "reference editable", QuenParmIsReferenceEditable, [](QuenHandle p, bool on) { return QuenParmSetReferenceEditable(p, on ? QUEN_TRUE : QUEN_FALSE); }, true },
};

// "table:symbol class" of a parameter.
QString refOf(QuenHandle parm) { return text(QuenParmGetRefTableName(parm)) + u':' + text(QuenParmGetRefName(parm)) + u' ' + text(QuenParmGetType(parm)); }

QStringList keywordsOf(QuenHandle desc)
{
    QStringList list;
    for (int32_t i = 1; i <= QuenDescGetKeywordCount(desc); ++i)
        list << text(QuenDescGetKeywordAt(desc, i));
    return list;
}

} // namespace

class ParmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    void create_data()
    {
        QTest::addColumn<QString>("cls");
        for (const char* cls : { "CQuenInt32", "CQuenPointArray", "CQuenObjectLifetime" })
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
        const QuenHandle data = QuenParmGetData(parm);
        QCOMPARE(text(QuenParmGetType(parm)) + u' ' + text(QuenDataGetType(data)), cls + u' ' + cls);
        QVERIFY(QuenParmGetDesc(parm) && !QuenParmGetOwner(parm));
        // The parameter owns its data: only the parameter releases it.
        QVERIFY(!QuenDataRelease(data));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataRelease");
        QVERIFY(QuenParmRelease(parm) && !QuenDataIsValid(data));
    }

    // Flags start at their defaults and each one set shows on the copy; a description's text is kept as given, blanks included.
    void copyIsDeep()
    {
        const QuenHandle parm = QuenParmCreate("Limit", "CQuenInt32");
        const QString description = QStringLiteral("  Strom in \u00b5A\nzweite Zeile  ");
        QuenInt32SetValue(QuenParmGetData(parm), 42);
        CoreBuilder::setString(QuenParmGetData(parm), "Units", "mV");
        QVERIFY(QuenDescSetText(QuenParmGetDesc(parm), description.toUtf8().constData()));
        QuenDescAddKeyword(QuenParmGetDesc(parm), "limits");
        for (const Flag& f : kFlags) {
            QVERIFY2(f.get(parm) == (f.initial ? QUEN_TRUE : QUEN_FALSE), f.name);
            QVERIFY(f.set(parm, !f.initial));
        }
        const QuenHandle copy = QuenParmCopy(parm);
        QVERIFY(copy && copy != parm && QuenParmGetData(copy) != QuenParmGetData(parm) && QuenParmGetDesc(copy) != QuenParmGetDesc(parm));
        QCOMPARE(QStringList({ text(QuenParmGetName(copy)), QString::number(QuenInt32GetValue(QuenParmGetData(copy))), CoreBuilder::string(QuenParmGetData(copy), "Units"),
                               text(QuenDescGetText(QuenParmGetDesc(copy))), text(QuenDescGetKeywordAt(QuenParmGetDesc(copy), 1)) }),
                 QStringList({ "Limit", "42", "mV", description, "limits" }));
        // Changing the original leaves the copy alone.
        QuenInt32SetValue(QuenParmGetData(parm), 7);
        QuenDescSetText(QuenParmGetDesc(parm), nullptr);
        for (const Flag& f : kFlags) {
            QVERIFY(f.set(parm, f.initial));
            QVERIFY2(f.get(parm) == (f.initial ? QUEN_TRUE : QUEN_FALSE) && f.get(copy) == (f.initial ? QUEN_FALSE : QUEN_TRUE), f.name);
        }
        QCOMPARE(QStringList({ QString::number(QuenInt32GetValue(QuenParmGetData(copy))), text(QuenDescGetText(QuenParmGetDesc(parm))), text(QuenDescGetText(QuenParmGetDesc(copy))) }),
                 QStringList({ "42", "", description }));
        QVERIFY(QuenParmRelease(copy) && QuenParmRelease(parm));
    }

    // A parameter owns the item it is given and refuses another's; a reference hands the value to the caller.
    void setDataAndReference()
    {
        const QuenHandle parm = QuenParmCreate("P", "CQuenInt32"), other = QuenParmCreate("B", "CQuenInt32");
        const QuenHandle old = QuenParmGetData(parm), real = QuenReal64Create(2.5);
        QVERIFY(QuenParmSetData(parm, real) && !QuenDataIsValid(old) && QuenParmGetData(parm) == real);
        QCOMPARE(text(QuenParmGetType(parm)), QStringLiteral("CQuenReal64"));
        QVERIFY(QuenParmSetData(parm, real) && QuenDataIsValid(real)); // its own item again: nothing changes
        QVERIFY(!QuenParmSetData(other, real) && QuenParmGetData(parm) == real && QuenParmRelease(other));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenParmSetData");

        QVERIFY(QuenParmSetReference(parm, "SupplyVoltageXX", 13, "StationXX", 7) && QuenParmIsReference(parm));
        QCOMPARE(refOf(parm), QStringLiteral("Station:SupplyVoltage CQuenReal64"));
        QCOMPARE(QuenParmGetData(parm), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_NO_DATA, "QuenParmGetData");
        QVERIFY(QuenDataRelease(real)); // the item survives, unowned: the caller releases it
        const QuenHandle copy = QuenParmCopy(parm); // a copy refers to the same symbol
        QVERIFY(QuenParmIsReference(copy) && refOf(copy) == QStringLiteral("Station:SupplyVoltage CQuenReal64") && QuenParmRelease(copy));
        QVERIFY(QuenParmSetData(parm, QuenInt32Create(3)) && !QuenParmIsReference(parm)); // a value ends the reference
        QCOMPARE(refOf(parm), QStringLiteral(": CQuenInt32"));
        QVERIFY(QuenParmRelease(parm));
    }

    void addKeywords_data()
    {
        VeltTest::columns<QStringList, QStringList>({"added", "kept"});
        QTest::newRow("in order, trimmed") << QStringList { "b", "  volt ", "\tamp\n" } << QStringList { "b", "volt", "amp" };
        QTest::newRow("case, trimmed") << QStringList { "Volt", "VOLT", " volt " } << QStringList { "Volt" };
        QTest::newRow("non-ascii case") << QStringList { "\u00c4rger", "\u00e4RGER" } << QStringList { "\u00c4rger" };
        QTest::newRow("inner blanks kept") << QStringList { "power supply", "power  supply" } << QStringList { "power supply", "power  supply" };
    }

    void addKeywords()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, kept);
        const QuenHandle d = QuenDescCreate("");
        for (const QString& k : added)
            QVERIFY(QuenDescAddKeyword(d, k.toUtf8().constData()));
        EXPECT_NO_ERROR();
        QCOMPARE(keywordsOf(d), kept);
        for (const char* blank : { "", "   ", static_cast<const char*>(nullptr) }) {
            QVERIFY(!QuenDescAddKeyword(d, blank));
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDescAddKeyword");
        }
        QCOMPARE(keywordsOf(d), kept);
        for (const int position : { 0, int(kept.size()) + 1 }) { // positions count from 1
            QCOMPARE(text(QuenDescGetKeywordAt(d, position)), QString());
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenDescGetKeywordAt");
        }
        QVERIFY(QuenDescRelease(d));
    }

    // Another description's keywords join in order, once whatever the case; the source and a self-merge stay.
    void mergeKeywords()
    {
        const QuenHandle a = QuenDescCreate("a"), b = QuenDescCreate("b");
        for (const char* k : { "Volt", "x" })
            QuenDescAddKeyword(a, k);
        for (const char* k : { "volt", "amp" })
            QuenDescAddKeyword(b, k);
        QVERIFY(QuenDescMergeKeywords(a, b) && QuenDescMergeKeywords(a, a));
        QCOMPARE(keywordsOf(a) + keywordsOf(b), (QStringList { "Volt", "x", "amp", "volt", "amp" }));
        EXPECT_NO_ERROR();
        QVERIFY(QuenDescRelease(a) && QuenDescRelease(b));
    }

    // Owned parameters and descriptions are released by their owners only; a taken name is refused.
    void ownedObjects()
    {
        const QuenHandle block = QuenPbDefCreate();
        CoreBuilder::parm(block, "Alpha", "CQuenInt32");
        const QuenHandle parm = CoreBuilder::parm(block, "Beta", "CQuenReal64");
        QVERIFY(QuenParmGetOwner(parm) == block && !QuenParmRelease(parm));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenParmRelease");
        QVERIFY(!QuenParmSetName(parm, "ALPHA") && text(QuenParmGetName(parm)) == QStringLiteral("Beta"));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenParmSetName");
        for (const QuenHandle desc : { QuenParmGetDesc(parm), QuenPbDefGetDesc(block) }) {
            QVERIFY(desc && !QuenDescRelease(desc));
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDescRelease");
        }
        QVERIFY(QuenDescSetText(QuenParmGetDesc(parm), "still usable"));
        const int32_t age = QuenPbDefGetAge(block);
        QVERIFY(QuenDescAddKeyword(QuenPbDefGetDesc(block), "new") && QuenPbDefGetAge(block) != age);
        QVERIFY(QuenPbDefRelease(block));
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(ParmTest)
#include "parmtest.moc"
