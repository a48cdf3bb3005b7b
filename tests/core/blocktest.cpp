// Parameter blocks: membership, positions, finds, ages, reference counts and value blocks.
#include "columns.h"
#include "coretesting.h"

#include <algorithm>
#include <functional>

using namespace VeltTest;

namespace {

using Change = std::function<void(QuenHandle block, QuenHandle parm)>;
using Edit = std::function<QuenHandle(QuenHandle block)>; // gives the block to look at

QuenHandle blockOf(std::initializer_list<const char*> names)
{
    const QuenHandle block = QuenPbDefCreate();
    for (const char* name : names)
        QuenPbDefAddParm(block, QuenParmCreate(name, "CQuenInt32"));
    return block;
}

} // namespace

class BlockTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    // Every change of names or membership keeps the finds in step: each name is found at its position in any
    // case, a name taken is refused, and a name gone finds nothing and may be used again.
    void findsFollowEveryChange_data()
    {
        VeltTest::columns<Edit, QStringList, QStringList>({"edit", "names", "gone"});
        auto parm = [](const char* name) { return QuenParmCreate(name, "CQuenInt32"); };
        QTest::newRow("insert first, middle, last") << Edit([=](QuenHandle b) { QuenPbDefInsertParmAt(b, parm("First"), 1); QuenPbDefInsertParmAt(b, parm("Last"), 5); QuenPbDefInsertParmAt(b, parm("Mid"), 3); return b; }) << QStringList { "First", "Alpha", "Mid", "Beta", "Gamma", "Last" } << QStringList {};
        QTest::newRow("remove") << Edit([](QuenHandle b) { QuenParmRelease(QuenPbDefRemoveParmId(b, 2)); return b; }) << QStringList { "Alpha", "Gamma" } << QStringList { "Beta" };
        QTest::newRow("release by name in another case") << Edit([](QuenHandle b) { QuenPbDefReleaseParm(b, "aLPHA"); return b; }) << QStringList { "Beta", "Gamma" } << QStringList { "Alpha" };
        QTest::newRow("rename") << Edit([](QuenHandle b) { QuenParmSetName(QuenPbDefGetParm(b, 2), "Delta"); return b; }) << QStringList { "Alpha", "Delta", "Gamma" } << QStringList { "Beta" };
        QTest::newRow("rename, non-ASCII") << Edit([](QuenHandle b) { QuenParmSetName(QuenPbDefGetParm(b, 1), "Ström"); return b; }) << QStringList { "Ström", "Beta", "Gamma" } << QStringList { "Alpha" };
        QTest::newRow("rename to another case") << Edit([](QuenHandle b) { QuenParmSetName(QuenPbDefGetParm(b, 3), "GAMMA"); return b; }) << QStringList { "Alpha", "Beta", "GAMMA" } << QStringList {};
        QTest::newRow("a renamed stand-alone parameter added") << Edit([=](QuenHandle b) { const QuenHandle p = QuenPbDefRemoveParmId(b, 1); QuenParmSetName(p, "Omega"); QuenPbDefAddParm(b, p); return b; }) << QStringList { "Beta", "Gamma", "Omega" } << QStringList { "Alpha" };
        QTest::newRow("value block") << Edit([](QuenHandle b) { return QuenPbDefCreateParameterBlock(b); }) << QStringList { "Alpha", "Beta", "Gamma" } << QStringList {};
        QTest::newRow("clipboard") << Edit([](QuenHandle b) { QuenPbDefCopyToClipboard(b); return QuenPbDefCreateFromClipboard(); }) << QStringList { "Alpha", "Beta", "Gamma" } << QStringList {};
    }
    void findsFollowEveryChange()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, names);
        QFETCH(QStringList, gone);
        const QuenHandle block = blockOf({ "Alpha", "Beta", "Gamma" });
        const QuenHandle edited = edit(block);
        QCOMPARE(VeltTest::parameterNames(edited), names);
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(QuenPbDefFindId(edited, names[i].toUpper().toUtf8().constData()), i + 1);
            QCOMPARE(QuenPbDefFindParm(edited, names[i].toLower().toUtf8().constData()), QuenPbDefGetParm(edited, i + 1));
            const QuenHandle twin = QuenParmCreate(names[i].toLower().toUtf8().constData(), "CQuenInt32");
            QVERIFY(!QuenPbDefAddParm(edited, twin));
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenPbDefAddParm");
            QuenParmRelease(twin);
        }
        QVERIFY(!QuenPbDefFindId(edited, "") && !QuenPbDefFindParm(edited, names[0].left(names[0].size() - 1).toUtf8().constData()));
        for (const QString& name : gone) {
            QCOMPARE(QuenPbDefFindParm(edited, name.toUtf8().constData()), 0);
            QVERIFY(QuenPbDefAddParm(edited, QuenParmCreate(name.toUtf8().constData(), "CQuenInt32")));
        }
        if (edited != block)
            QuenPbDefRelease(edited);
        QuenPbDefRelease(block);
    }

    // Enough names to share slots of the block's index, removed and renamed out of order: each left is found, no other.
    void findsAfterManyRemovalsAndRenames()
    {
        constexpr int kCount = 3000;
        auto name = [](const char* prefix, int i) { return QByteArray(prefix) + QByteArray::number(i); };
        const QuenHandle block = QuenPbDefCreate();
        for (int i = 0; i < kCount; ++i)
            QVERIFY(QuenPbDefAddParm(block, QuenParmCreate(name("P", i).constData(), "CQuenInt32")));
        for (int i = kCount - 3; i >= 0; i -= 3)
            QVERIFY(QuenPbDefReleaseParm(block, name("p", i).constData()));
        for (int i = 1; i < kCount; i += 3)
            QVERIFY(QuenParmSetName(QuenPbDefFindParm(block, name("P", i).constData()), name("Q", i).constData()));
        QCOMPARE(QuenPbDefGetSize(block), kCount - kCount / 3);
        for (int i = 0; i < kCount; ++i) {
            const QByteArray kept = i % 3 == 1 ? name("q", i) : name("p", i);
            const QByteArray gone = i % 3 == 1 ? name("P", i) : name("Q", i);
            const int32_t position = QuenPbDefFindId(block, kept.constData());
            QVERIFY2((position ? QuenPbDefGetParm(block, position) : 0) == QuenPbDefFindParm(block, kept.constData()) && (position != 0) == (i % 3 != 0)
                             && !QuenPbDefFindParm(block, gone.constData()), kept.constData());
        }
        QuenPbDefRelease(block);
    }

    void positionsOutsideAndOwnedParametersFail()
    {
        const QuenHandle block = blockOf({ "A", "B" }), parm = QuenParmCreate("C", "CQuenInt32");
        for (const int position : { 0, 3 }) {
            QVERIFY(!QuenPbDefGetParm(block, position) && !QuenPbDefRemoveParmId(block, position) && !*QuenPbGetParmName(block, position));
            const QList<Raised> raised = takeErrors();
            QVERIFY(raised.size() == 3 && std::all_of(raised.begin(), raised.end(), [](const Raised& r) { return r.code == QUEN_ERR_OUT_OF_RANGE; }));
        }
        for (const int position : { 0, 4 }) { // size + 1 is a valid insert position
            QCOMPARE(QuenPbDefInsertParmAt(block, parm, position), QUEN_FALSE);
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenPbDefInsertParmAt");
        }
        const QuenHandle other = blockOf({ "Offset" });
        QVERIFY(!QuenParmGetOwner(parm) && !QuenPbDefInsertParmAt(block, QuenPbDefGetParm(other, 1), 1));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenPbDefInsertParmAt");
        QVERIFY(QuenParmGetOwner(QuenPbDefGetParm(other, 1)) == other && !QuenPbDefReleaseParm(block, "Nothing"));
        EXPECT_ONE_ERROR(QUEN_ERR_NOT_FOUND, "QuenPbDefReleaseParm");
        QCOMPARE(VeltTest::parameterNames(block), (QStringList { "A", "B" }));
        QVERIFY(QuenParmRelease(parm) && QuenPbDefRelease(block) && QuenPbDefRelease(other));
    }

    void ageChangesOnEveryChange_data()
    {
        VeltTest::columns<Change, bool>({"change", "ages"});
        QTest::newRow("reads") << Change([](QuenHandle b, QuenHandle p) { QuenPbDefFindParm(b, "Gain"); QuenParmSetName(p, "Gain"); }) << false;
        QTest::newRow("add") << Change([](QuenHandle b, QuenHandle) { QuenPbDefAddParm(b, QuenParmCreate("New", "CQuenInt32")); }) << true;
        QTest::newRow("remove") << Change([](QuenHandle b, QuenHandle) { QuenParmRelease(QuenPbDefRemoveParmId(b, 2)); }) << true;
        QTest::newRow("block name") << Change([](QuenHandle b, QuenHandle) { QuenPbDefSetName(b, "Renamed"); }) << true;
        QTest::newRow("parm name") << Change([](QuenHandle, QuenHandle p) { QuenParmSetName(p, "Renamed"); }) << true;
        QTest::newRow("output") << Change([](QuenHandle, QuenHandle p) { QuenParmSetOutput(p); }) << true;
        QTest::newRow("hidden") << Change([](QuenHandle, QuenHandle p) { QuenParmSetHidden(p, QUEN_TRUE); }) << true;
        QTest::newRow("reference") << Change([](QuenHandle, QuenHandle p) { const QuenHandle v = QuenParmGetData(p); QuenParmSetReference(p, "S", -1, "", -1); QuenDataRelease(v); }) << true;
        QTest::newRow("set data") << Change([](QuenHandle, QuenHandle p) { QuenParmSetData(p, QuenReal64Create(1)); }) << true;
        QTest::newRow("value") << Change([](QuenHandle, QuenHandle p) { QuenInt32SetValue(QuenParmGetData(p), 99); }) << true;
        QTest::newRow("property") << Change([](QuenHandle, QuenHandle p) { CoreBuilder::setString(QuenParmGetData(p), "View As", "Hex"); }) << true;
        QTest::newRow("a property's value in place") << Change([](QuenHandle, QuenHandle p) { QuenStringSetValue(QuenDataExGetProperty(QuenParmGetData(p), "Units"), "mV"); }) << true;
        QTest::newRow("runtime mark") << Change([](QuenHandle, QuenHandle p) { QuenDataExSetRuntimeScan(QuenParmGetData(p)); }) << true;
    }
    void ageChangesOnEveryChange()
    {
        QFETCH(Change, change);
        const QuenHandle block = blockOf({ "Gain", "Other" });
        const QuenHandle parm = QuenPbDefGetParm(block, 1);
        CoreBuilder::setString(QuenParmGetData(parm), "Units", "V");
        const int32_t before = QuenPbDefGetAge(block);
        change(block, parm);
        QTEST(QuenPbDefGetAge(block) != before, "ages");
        QuenPbDefRelease(block);
    }

    void parameterBlockIsADeepBoundCopy()
    {
        const QuenHandle definition = blockOf({ "Channel" });
        QuenDescSetText(QuenPbDefGetDesc(definition), "Measures");
        QuenInt32SetValue(QuenParmGetData(QuenPbDefGetParm(definition, 1)), 5);
        CoreBuilder::reference(definition, "Range", "CQuenInt32", "Vdd", "Station");
        const QuenHandle values = QuenPbDefCreateParameterBlock(definition);
        QVERIFY(QuenPbIsBoundPb(values) && !QuenPbIsBoundPb(definition));
        const QuenHandle channel = QuenPbDefGetParm(values, 1);
        QCOMPARE(QStringList({ text(QuenPbGetParmType(values, 1)), text(QuenPbGetParmType(values, 2)), text(QuenDescGetText(QuenPbDefGetDesc(values))),
                               QString::number(QuenInt32GetValue(QuenParmGetData(channel))) }),
                 QStringList({ "CQuenInt32", "CQuenInt32", "Measures", "5" }));
        QVERIFY(channel != QuenPbDefGetParm(definition, 1) && QuenParmGetOwner(channel) == values && QuenParmIsReference(QuenPbDefGetParm(values, 2)));
        // Changing the values leaves the definition and its age alone.
        const int32_t age = QuenPbDefGetAge(definition);
        QuenInt32SetValue(QuenParmGetData(channel), 8);
        QVERIFY(QuenInt32GetValue(QuenParmGetData(QuenPbDefGetParm(definition, 1))) == 5 && QuenPbDefGetAge(definition) == age);
        QVERIFY(QuenPbDefAddRef(values) && QuenPbAddRef(values) && QuenPbDefRelease(values) && QuenPbRelease(values));
        QVERIFY(QuenPbGetSize(values) == 2 && QuenPbRelease(values) && QuenPbDefRelease(definition)); // the last reference ends it
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(BlockTest)
#include "blocktest.moc"
