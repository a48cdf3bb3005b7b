// Runtime callbacks: slots per data class, and the walks that call them over a block.
#include "columns.h"
#include "coretesting.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

using namespace VeltTest;

namespace {

struct Call
{
    char phase;
    int16_t slot;
    QuenHandle data, block;
    bool operator==(const Call&) const = default;
};

std::vector<Call> g_calls;
QuenHandle g_failOn = 0; // the item whose callback leaves an error

template <char Phase>
void record(int16_t slot, QuenHandle data, QuenHandle block)
{
    g_calls.push_back({ Phase, slot, data, block });
    if (data == g_failOn)
        QuenExcRaiseUserError("the evaluator failed");
}

// Distinct functions, to start new slots of one class.
int g_touched = 0;
template <int N>
void distinct(int16_t, QuenHandle, QuenHandle) { g_touched = N; }
template <int... N>
constexpr std::array<QuenRuntimeCallback, sizeof...(N)> distinctFunctions(std::integer_sequence<int, N...>) { return { &distinct<N>... }; }

int16_t registerAll(const char* cls)
{
    const int16_t slots[] = { QuenDataRegisterBindFunction(cls, record<'B'>), QuenDataRegisterEvaluateFunction(cls, record<'E'>),
                              QuenDataRegisterScanFunction(cls, record<'S'>), QuenDataRegisterUnbindFunction(cls, record<'U'>) };
    return std::count(std::begin(slots), std::end(slots), slots[0]) == 4 ? slots[0] : int16_t(-1);
}

QuenHandle addValue(QuenHandle block, const char* name, const char* cls, bool evaluate, bool scan)
{
    const QuenHandle parm = QuenParmCreate(name, cls);
    QuenPbDefAddParm(block, parm);
    const QuenHandle data = QuenParmGetData(parm);
    if (evaluate) QuenDataExSetRuntimeEvaluation(data);
    if (scan) QuenDataExSetRuntimeScan(data);
    return data;
}

} // namespace

class RuntimeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); g_calls.clear(); g_failOn = 0; }
    void cleanup() { QVERIFY2(!QuenExcRegIsError(0), "an error was left in the register"); }

    void oneSlotPerClass()
    {
        const int16_t strings = registerAll("CQuenString"), reals = registerAll("CQuenReal64");
        QVERIFY(strings >= 1 && strings <= 100 && reals >= 1 && reals <= 100 && reals != strings);
        QCOMPARE(registerAll("CQuenString"), strings); // the same functions again: the same slot
        EXPECT_NO_ERROR();
        QCOMPARE(QuenDataRegisterBindFunction("CQuenNothing", record<'B'>), int16_t(0));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataRegisterBindFunction");
        QCOMPARE(QuenDataRegisterScanFunction("CQuenInt32", nullptr), int16_t(0));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataRegisterScanFunction");
    }

    void walksCallTheMarkedItems_data()
    {
        // called: the parameters whose items are called back, in order
        VeltTest::columns<char, QString>({"phase", "called"});
        QTest::newRow("bind") << 'B' << "A B D";
        QTest::newRow("evaluate") << 'E' << "A D";
        QTest::newRow("scan") << 'S' << "B D";
        QTest::newRow("unbind") << 'U' << "A B D";
    }
    void walksCallTheMarkedItems()
    {
        QFETCH(char, phase);
        QFETCH(QString, called);
        const int16_t strings = registerAll("CQuenString"), reals = registerAll("CQuenReal64");
        const QuenHandle block = QuenPbDefCreate();
        QMap<QString, QuenHandle> items; // E: a class without callbacks, unmarked
        for (const auto& [n, cls, evaluate, scan] : { std::tuple("A", "CQuenString", true, false), std::tuple("B", "CQuenString", false, true),
                                                       std::tuple("C", "CQuenString", false, false), std::tuple("D", "CQuenReal64", true, true), std::tuple("E", "CQuenInt32", false, false) })
            items[n] = addValue(block, n, cls, evaluate, scan);
        CoreBuilder::reference(block, "R", "CQuenString", "A", ""); // a reference has no item of its own to call

        std::vector<Call> expected;
        for (const QString& name : called.split(' '))
            expected.push_back({ phase, name == "D" ? reals : strings, items[name], block });
        const int32_t count = (phase == 'B' ? QuenDataRunBind : phase == 'E' ? QuenDataRunEvaluate : phase == 'S' ? QuenDataRunScan : QuenDataRunUnbind)(block);
        EXPECT_NO_ERROR();
        QVERIFY(count == int32_t(expected.size()) && g_calls == expected);
        QuenPbDefRelease(block);
    }

    // A failing callback stops the walk; an item marked for a class without a callback fails it.
    void failingOrMissingCallbackStops()
    {
        registerAll("CQuenString");
        const QuenHandle block = QuenPbDefCreate();
        g_failOn = addValue(block, "First", "CQuenString", true, false);
        addValue(block, "Second", "CQuenString", true, false);
        addValue(block, "Count", "CQuenComplex", false, true);
        QVERIFY(QuenDataRunEvaluate(block) == -1 && g_calls.size() == 1);
        const QList<Raised> errors = takeErrors();
        QVERIFY(errors.size() == 2 && errors[0].code == QUEN_ERR_USER && errors[1].code == QUEN_ERR_CALLBACK && errors[1].message.contains("'First'"));
        QCOMPARE(QuenDataRunScan(block), -1);
        EXPECT_ONE_ERROR(QUEN_ERR_CALLBACK, "QuenDataRunScan");
        g_failOn = 0;
        QCOMPARE(QuenDataRunEvaluate(block), 2); // the complex is not marked for evaluation
        EXPECT_NO_ERROR();
        QuenPbDefRelease(block);
    }

    // Fills the table, so it runs last: slots are never freed.
    void hundredSlots()
    {
        constexpr auto functions = distinctFunctions(std::make_integer_sequence<int, 101>());
        int16_t last = 0;
        std::size_t i = 0;
        for (int16_t slot; i < functions.size() && (slot = QuenDataRegisterBindFunction("CQuenPoint", functions[i])) != 0; ++i, last = slot)
            QVERIFY(slot > last); // each new evaluator of the class takes a new slot
        QVERIFY(last == 100 && i < functions.size());
        EXPECT_ONE_ERROR(QUEN_ERR_OVERFLOW, "QuenDataRegisterBindFunction");
        // The class's last slot still takes its other registrations, and the full table
        // leaves earlier slots working.
        QCOMPARE(QuenDataRegisterUnbindFunction("CQuenPoint", record<'U'>), int16_t(100));
        QCOMPARE(QuenDataRegisterEvaluateFunction("CQuenRange", record<'E'>), int16_t(0));
        EXPECT_ONE_ERROR(QUEN_ERR_OVERFLOW, "QuenDataRegisterEvaluateFunction");
        QVERIFY(registerAll("CQuenString") > 0);
    }
};

QTEST_GUILESS_MAIN(RuntimeTest)
#include "runtimetest.moc"
