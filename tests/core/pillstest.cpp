// Problem lists and problems (references, withdrawal, locations, severities), and tests with their limits.
#include "columns.h"
#include "coretesting.h"

#include <QHash>
#include <QScopeGuard>

using namespace VeltTest;

namespace {

QString locationOf(QuenHandle pill, const char* separator) { return text(QuenPillGetLocationText(pill, separator)); }

} // namespace

class PillsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenWorkspaceClear(); QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QuenWorkspaceClear(); QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    void addSizeGet()
    {
        const QuenHandle list = QuenPillsCreate();
        const auto release = qScopeGuard([list] { QuenPillsRelease(list); });
        QList<QuenHandle> made;
        for (const char* tag : { "1", "2", "3" }) {
            made << QuenPillCreate(3, "bad value", 0, tag);
            QVERIFY(QuenPillsAdd(list, made.last()) && QuenPillRelease(made.last())); // the list keeps it
        }
        QVERIFY(!QuenPillsAdd(list, made[1]) && QuenPillsGetSize(list) == 3);
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenPillsAdd");
        for (int32_t i = 1; i <= 3; ++i) {
            const QuenHandle got = QuenPillsGetPill(list, i);
            QVERIFY(got == made[i - 1] && text(QuenPillGetTag(got)) == QString::number(i) && QuenPillRelease(got));
        }
        for (const int32_t outside : { 0, 4 }) {
            QVERIFY(!QuenPillsGetPill(list, outside));
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenPillsGetPill");
        }
    }

    // A problem lives while a reference is left; a withdrawn one stays in its list. The list's other problem
    // is withdrawn only with the whole list.
    void lifecycle_data()
    {
        // steps: c create, + add ref, - release, a add to the list, g get from the list, L release the list, w withdraw it, W withdraw
        // the list's; state: the problem's state and the list's size
        VeltTest::columns<QString, QString>({"steps", "state"});
        QTest::newRow("create, release") << "c-" << "gone 1";
        QTest::newRow("an extra reference keeps it") << "c+-" << "valid 1";
        QTest::newRow("two references, two releases") << "c+--" << "gone 1";
        QTest::newRow("the list keeps it") << "ca-" << "valid 2";
        QTest::newRow("the list's release ends it") << "ca-L" << "gone -";
        QTest::newRow("a reference got from the list outlives the list") << "ca-gL" << "valid -";
        QTest::newRow("the list released first") << "caL" << "valid -";
        QTest::newRow("withdrawn, it stays in the list") << "caw" << "withdrawn 2";
        QTest::newRow("the list's problems withdrawn") << "caW" << "withdrawn 2";
        QTest::newRow("withdrawn outside the list") << "cw" << "withdrawn 1";
    }
    void lifecycle()
    {
        QFETCH(QString, steps);
        QFETCH(QString, state);
        QuenHandle list = QuenPillsCreate();
        const QuenHandle other = QuenPillCreate(2, "other", 0, "2");
        QVERIFY(QuenPillsAdd(list, other) && QuenPillRelease(other));
        QuenHandle pill = 0;
        for (const QChar step : steps) {
            switch (step.toLatin1()) {
            case 'c': pill = QuenPillCreate(1, "note", 0, "1"); break;
            case '+': QVERIFY(QuenPillAddRef(pill)); break;
            case '-': QVERIFY(QuenPillRelease(pill)); break;
            case 'a': QVERIFY(QuenPillsAdd(list, pill)); break;
            case 'g': QCOMPARE(QuenPillsGetPill(list, 2), pill); break;
            case 'L': QVERIFY(QuenPillsRelease(list)); list = 0; break;
            case 'w': QVERIFY(QuenPillInvalidate(pill)); break;
            case 'W': QVERIFY(QuenPillsInvalidateAll(list)); break;
            }
        }
        EXPECT_NO_ERROR();
        const int32_t severity = QuenPillGetSeverity(pill);
        QuenExcRegClearError(0);
        const QString now = severity != 1 ? QStringLiteral("gone") : QuenPillIsValid(pill) ? QStringLiteral("valid") : QStringLiteral("withdrawn");
        QCOMPARE(now + (list ? QStringLiteral(" %1").arg(QuenPillsGetSize(list)) : QStringLiteral(" -")), state);
        if (list)
            QVERIFY(QuenPillIsValid(QuenPillsGetPill(list, 1)) == (steps.contains('W') ? 0 : -1) && QuenPillRelease(other));
        if (severity == 1)
            QVERIFY(QuenPillRelease(pill)); // the last reference but the list's: cleanup() counts what is left
        if (list)
            QuenPillsRelease(list);
    }

    void severity()
    {
        for (const int32_t severity : { 0, 1, 3, 4 }) {
            const QuenHandle pill = QuenPillCreate(severity, "p", 0, "t");
            QCOMPARE(pill ? QuenPillGetSeverity(pill) : -1, severity >= 1 && severity <= 3 ? severity : -1);
            EXPECT_ERRORS_(pill ? 0 : QUEN_ERR_OUT_OF_RANGE, pill ? QString() : QStringLiteral("QuenPillCreate"));
            if (pill)
                QuenPillRelease(pill);
        }
    }

    // The tag, then the names of the object and its owners from the outside in.
    void locationText_data()
    {
        VeltTest::columns<QString, QByteArray, QString>({"object", "separator", "location"}); // object: what the problem points at
        QTest::newRow("no object") << "none" << QByteArray("|") << "7";
        QTest::newRow("symbol of a table") << "symbol" << QByteArray("|") << "7|Station|Vcc";
        QTest::newRow("its value") << "value" << QByteArray("|") << "7|Station|Vcc";
        QTest::newRow("the table") << "table" << QByteArray("|") << "7|Station";
        QTest::newRow("parameter of an unnamed block") << "parameter" << QByteArray("|") << "7|Gain";
        QTest::newRow("limit of a test") << "limit" << QByteArray("|") << "7|Supply Current|Low";
        QTest::newRow("the test") << "test" << QByteArray("|") << "7|Supply Current";
        QTest::newRow("another separator") << "symbol" << QByteArray(" / ") << "7 / Station / Vcc";
        QTest::newRow("empty separator") << "symbol" << QByteArray("") << "7|Station|Vcc";
        QTest::newRow("null separator") << "symbol" << QByteArray() << "7|Station|Vcc";
    }
    void locationText()
    {
        QFETCH(QString, object);
        QFETCH(QByteArray, separator);
        QFETCH(QString, location);
        CoreBuilder core;
        const QuenHandle table = core.table("Station");
        const QuenHandle symbol = CoreBuilder::realParm(table, "Vcc", 5);
        const QuenHandle parameter = CoreBuilder::intParm(core.block(), "Gain", 2);
        const QuenHandle test = QuenTestCreate("Supply Current");
        const auto release = qScopeGuard([test] { QuenTestRelease(test); });
        const QuenHandle limit = CoreBuilder::realParm(QuenTestGetLimits(test, 0), "Low", 0.01);
        const QHash<QString, QuenHandle> objects { { "none", 0 }, { "symbol", symbol }, { "value", QuenParmGetData(symbol) }, { "table", table },
                                                   { "parameter", parameter }, { "limit", limit }, { "test", test } };
        const QuenHandle pill = QuenPillCreate(3, "p", objects.value(object), "7");
        QCOMPARE(locationOf(pill, separator.isNull() ? nullptr : separator.constData()), location);
        QVERIFY(QuenPillGetObject(pill) == objects.value(object) && QuenPillRelease(pill));
        EXPECT_NO_ERROR();
    }

    // A problem outlives the object it names: it then names none, and its location is its tag.
    void objectGone()
    {
        const QuenHandle block = QuenPbDefCreate();
        const QuenHandle pill = QuenPillCreate(3, "p", CoreBuilder::intParm(block, "Channel", 1), "2");
        QVERIFY(QuenPbDefSetName(block, "Measure") && locationOf(pill, "|") == QStringLiteral("2|Measure|Channel") && QuenPbDefReleaseParm(block, "Channel"));
        QCOMPARE(QStringLiteral("%1 %2").arg(QuenPillGetObject(pill)).arg(locationOf(pill, "|")), QStringLiteral("0 2"));
        QVERIFY(QuenPbDefRelease(block) && QuenPillRelease(pill));
        const QuenHandle dead = QuenInt32Create(1);
        QuenDataRelease(dead);
        QVERIFY(!QuenPillCreate(3, "p", dead, "1"));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_HANDLE, "QuenPillCreate");
    }

    void testsAndTheirLimits()
    {
        const QuenHandle test = QuenTestCreate("Ripple");
        const QuenHandle limits = QuenTestGetLimits(test, 0);
        QVERIFY(limits && QuenPbDefGetSize(limits) == 0 && !*QuenPbDefGetName(limits));
        CoreBuilder::realParm(limits, "Max", 0.05);
        QVERIFY(QuenTestSetName(test, "Ripple 2") && text(QuenTestGetName(test)) == QStringLiteral("Ripple 2"));
        // Selectors are reserved: a live one gives the same block, a dead one fails.
        const QuenHandle selector = QuenPillsCreate();
        QVERIFY(QuenTestGetLimits(test, selector) == limits && QuenPillsRelease(selector) && !QuenTestGetLimits(test, selector));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_HANDLE, "QuenTestGetLimits");
        // An editor's reference keeps the block after the test is gone.
        QVERIFY(QuenPbDefAddRef(limits) && QuenTestRelease(test));
        QCOMPARE(parameterNames(limits), QStringList { "Max" });
        QuenPbDefRelease(limits);

        // The workspace's tests: names unique whatever the case.
        const QuenHandle first = QuenTestCreate("Supply Current"), second = QuenTestCreate("SUPPLY current");
        const auto release = qScopeGuard([=] { QuenTestRelease(first); QuenTestRelease(second); });
        QVERIFY(QuenWorkspaceAddTest(first));
        for (const QuenHandle again : { first, second }) {
            QVERIFY(!QuenWorkspaceAddTest(again));
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenWorkspaceAddTest");
        }
        QVERIFY(QuenTestSetName(second, "Ripple") && QuenWorkspaceAddTest(second));
        QVERIFY(!QuenTestSetName(second, "supply current"));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenTestSetName");
        QVERIFY(QuenTestSetName(second, "RIPPLE")); // its own name, in other letters
        QVERIFY(QuenWorkspaceGetTestCount() == 2 && QuenWorkspaceGetTest(1) == first && QuenWorkspaceGetTest(2) == second && !QuenWorkspaceGetTest(3));
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenWorkspaceGetTest");
        // The workspace's references go with a clear; the creator's stay.
        QuenWorkspaceClear();
        QVERIFY(QuenWorkspaceGetTestCount() == 0 && QuenTestSetName(first, "Ripple") && text(QuenTestGetName(second)) == QStringLiteral("RIPPLE"));
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(PillsTest)
#include "pillstest.moc"
