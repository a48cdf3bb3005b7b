#include "columns.h"
#include "faketypeeditor.h"
#include "qtstrings.h"
#include "runtimeevaluation.h"

#include "quen/quencore.h"

#include <QPointer>
#include <QtTest>

using Velt::RuntimeEvaluation;
using VeltTest::FakeTypeEditor;
using Callback = void (*)(int16_t, QuenHandle, QuenHandle);
using Run = int32_t (*)(QuenHandle);
Q_DECLARE_METATYPE(Callback)
Q_DECLARE_METATYPE(Run)

namespace {

// Takes every message out of the core's register.
QStringList takeErrors()
{
    QStringList messages;
    int32_t code = 0;
    const char* message = nullptr;
    while (QuenExcRegReceiveError(&code, &message))
        messages.append(quen::toQString(message));
    return messages;
}

// An evaluator with its run-time side only.
const FakeTypeEditor::Options Evaluator{QStringLiteral("CQuenString"), VeltTest::RuntimeFace};

QString call(const QString& member, int data, int block)
{
    return QStringLiteral("%1 %2 %3").arg(member).arg(data).arg(block);
}

} // namespace

// An evaluator reached by member name only (no XCRuntimeDataEvaluation): Bind reports through
// its result, Evaluate returns nothing, Scan and Unbind do not exist.
class LateBoundEvaluator : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE bool Bind(int, int) { return accept; }
    Q_INVOKABLE void Evaluate(int, int) { }
    bool accept = true;
};

class RuntimeEvaluationTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeTypeEditor> m_editor;

private Q_SLOTS:
    void init()
    {
        m_editor = std::make_unique<FakeTypeEditor>(Evaluator);
        QuenExcRegClearError(0);
    }
    void cleanup() { m_editor.reset(); }

    void slotRange_data()
    {
        VeltTest::columns<int, bool>({"slot", "inRange"});
        QTest::newRow("first") << 1 << true;
        QTest::newRow("last") << 100 << true;
        QTest::newRow("zero") << 0 << false;
        QTest::newRow("past the table") << 101 << false;
    }
    void slotRange()
    {
        QFETCH(int, slot);
        QFETCH(bool, inRange);
        QCOMPARE(RuntimeEvaluation::setEvaluator(slot, m_editor.get()), inRange);
        QCOMPARE(RuntimeEvaluation::evaluator(slot), inRange ? m_editor.get() : nullptr);

        RuntimeEvaluation::BindCallback(int16_t(slot), 5, 6);
        QCOMPARE(m_editor->log, inRange ? QStringList{"Bind 5 6"} : QStringList());
        QCOMPARE(takeErrors(), inRange ? QStringList() : QStringList(QStringLiteral("Runtime evaluation slot %1 is out of range: 1 to 100").arg(int16_t(slot))));
        RuntimeEvaluation::setEvaluator(slot, nullptr);
    }

    void callbacksReachTheirMember_data()
    {
        // run: the core's entry that calls back through the slot the registration took
        VeltTest::columns<Callback, Run, QString>({"callback", "run", "member"});
        QTest::newRow("bind") << &RuntimeEvaluation::BindCallback << &QuenDataRunBind << "Bind";
        QTest::newRow("evaluate") << &RuntimeEvaluation::EvaluateCallback << &QuenDataRunEvaluate << "Evaluate";
        QTest::newRow("scan") << &RuntimeEvaluation::ScanCallback << &QuenDataRunScan << "Scan";
        QTest::newRow("unbind") << &RuntimeEvaluation::UnbindCallback << &QuenDataRunUnbind << "Unbind";
    }
    void callbacksReachTheirMember()
    {
        QFETCH(Callback, callback);
        QFETCH(Run, run);
        QFETCH(QString, member);
        FakeTypeEditor other(Evaluator);
        RuntimeEvaluation::setEvaluator(7, m_editor.get());
        RuntimeEvaluation::setEvaluator(8, &other);
        callback(8, 11, 12);
        callback(7, 21, 22);
        QCOMPARE(other.log, QStringList{call(member, 11, 12)});
        QCOMPARE(m_editor->log, QStringList{call(member, 21, 22)});
        QVERIFY(QuenExcRegIsError(0) == QUEN_FALSE);

        // A failing evaluator is a failed call: the core finds an error in its register.
        m_editor->failing = true;
        callback(7, 21, 22);
        QCOMPARE(takeErrors(), QStringList(QStringLiteral("Runtime %1 failed for data item 21 in parameter block 22").arg(member)));
        RuntimeEvaluation::setEvaluator(8, nullptr);

        m_editor->log.clear();
        QVERIFY(RuntimeEvaluation::RegisterRuntime("CQuenString", m_editor.get()) > 0);
        const QuenHandle block = QuenPbDefCreate();
        const QuenHandle parm = QuenParmCreate("Pattern", "CQuenString");
        QVERIFY(QuenPbDefAddParm(block, parm));
        const QuenHandle item = QuenParmGetData(parm);
        QVERIFY(QuenDataExSetRuntimeEvaluation(item) && QuenDataExSetRuntimeScan(item));
        QCOMPARE(run(block), -1); // the evaluator still fails
        QVERIFY(!takeErrors().isEmpty());
        m_editor->failing = false;
        QCOMPARE(run(block), 1);
        QCOMPARE(m_editor->log, QStringList({call(member, item, block), call(member, item, block)}));
        QVERIFY(QuenExcRegIsError(0) == QUEN_FALSE);
        QuenPbDefRelease(block);
    }

    // An empty slot is reported; an evaluator that fails with an error of its own keeps it.
    void emptySlotsAndEvaluatorsOwnErrors()
    {
        auto* evaluator = new FakeTypeEditor(Evaluator);
        RuntimeEvaluation::setEvaluator(9, evaluator);
        delete evaluator;
        RuntimeEvaluation::EvaluateCallback(9, 1, 2);
        QCOMPARE(takeErrors(), QStringList("Runtime evaluation slot 9 is empty"));
        m_editor->failing = true;
        m_editor->onCall = [](const QString&) { QuenExcRaiseUserError("Symbol 'x' is not defined"); };
        RuntimeEvaluation::setEvaluator(10, m_editor.get());
        RuntimeEvaluation::EvaluateCallback(10, 1, 2);
        QCOMPARE(takeErrors(), QStringList("Symbol 'x' is not defined"));
        RuntimeEvaluation::setEvaluator(10, nullptr);
    }

    void lateBoundEvaluators_data()
    {
        VeltTest::columns<Callback, bool, bool>({"callback", "accept", "succeeds"});
        QTest::newRow("bool result true") << &RuntimeEvaluation::BindCallback << true << true;
        QTest::newRow("bool result false") << &RuntimeEvaluation::BindCallback << false << false;
        QTest::newRow("void result") << &RuntimeEvaluation::EvaluateCallback << false << true;
        QTest::newRow("missing member") << &RuntimeEvaluation::ScanCallback << true << false;
    }
    void lateBoundEvaluators()
    {
        QFETCH(Callback, callback);
        QFETCH(bool, accept);
        LateBoundEvaluator evaluator;
        evaluator.accept = accept;
        RuntimeEvaluation::setEvaluator(11, &evaluator);
        callback(11, 3, 4);
        QTEST(takeErrors().isEmpty(), "succeeds");
        RuntimeEvaluation::setEvaluator(11, nullptr);
    }

    void registrationWithTheCore()
    {
        const int slot = RuntimeEvaluation::RegisterRuntime("CQuenString", m_editor.get());
        QVERIFY(slot >= 1 && slot <= 100);
        QCOMPARE(RuntimeEvaluation::evaluator(slot), m_editor.get());
        // The same class again (a reloaded registry): the same slot, the new evaluator.
        FakeTypeEditor reloaded(Evaluator);
        QCOMPARE(RuntimeEvaluation::RegisterRuntime("CQuenString", &reloaded), slot);
        QCOMPARE(RuntimeEvaluation::evaluator(slot), &reloaded);
        QVERIFY(RuntimeEvaluation::RegisterRuntime("CQuenReal64", m_editor.get()) != slot);

        // Registration never reports an error, and leaves the register as it found it.
        QCOMPARE(RuntimeEvaluation::RegisterRuntime("NotAClass", m_editor.get()), 0);
        QCOMPARE(RuntimeEvaluation::RegisterRuntime("CQuenInt32", nullptr), 0);
        QVERIFY(QuenExcRegIsError(0) == QUEN_FALSE);
        QuenExcRaiseUserError("earlier");
        RuntimeEvaluation::RegisterRuntime("CQuenString", m_editor.get());
        QCOMPARE(takeErrors().first(), QStringLiteral("earlier"));
    }
};

QTEST_MAIN(RuntimeEvaluationTest)
#include "runtimeevaluationtest.moc"
