// Failure reporting: scopes, the host handler, the last failure and checkedCall.
#include "columns.h"
#include "callfailure.h"
#include "callfailurescope.h"

#include <QTimer>
#include <QtTest>

#include <optional>

using Velt::CallFailureScope;

class CallFailureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Velt::setCallFailureHandler({}); }

    void routing_data()
    {
        // scopes: open around the report: none, one, or two nested; received: by whom, and what
        VeltTest::columns<int, bool, QStringList>({"scopes", "handler", "received"});
        QTest::newRow("handler") << 0 << true << QStringList{"handler QTimer Overflow"};
        QTest::newRow("no handler") << 0 << false << QStringList();
        QTest::newRow("the innermost scope only") << 2 << true << QStringList{"inner Overflow"};
    }
    void routing()
    {
        QFETCH(int, scopes);
        QFETCH(bool, handler);

        QStringList got;
        if (handler) {
            Velt::setCallFailureHandler([&](const QObject* object, const QString& message) {
                got << QStringLiteral("handler %1 %2").arg(object->metaObject()->className(), message);
            });
        }
        const quint64 serial = Velt::lastCallFailure().serial;
        QTimer object;
        {
            std::optional<CallFailureScope> outer, inner;
            if (scopes >= 2)
                outer.emplace();
            if (scopes >= 1)
                inner.emplace();
            Velt::reportCallFailed(&object, QStringLiteral("Overflow"));
            if (outer && outer->failed())
                got << "outer " + outer->message();
            if (inner && inner->failed())
                got << "inner " + inner->message();
        }
        QTEST(got, "received");
        const Velt::CallFailure last = Velt::lastCallFailure();
        QCOMPARE(last.serial, serial + 1);
        QCOMPARE(last.message + ' ' + last.className, QStringLiteral("Overflow QTimer"));
    }

    // A scope keeps the first failure until it ends; a handler put in place hands back the one it
    // replaced.
    void scopeAndNestedHandler()
    {
        QStringList handled;
        Velt::setCallFailureHandler([&](const QObject*, const QString& m) { handled << "host " + m; });
        Velt::CallFailureHandler host = Velt::setCallFailureHandler([&](const QObject*, const QString& m) { handled << "nested " + m; });
        {
            CallFailureScope scope;
            Velt::reportCallFailed(nullptr, QStringLiteral("first"));
            Velt::reportCallFailed(nullptr, QStringLiteral("second"));
            QCOMPARE(scope.message() + ' ' + Velt::lastCallFailure().message, QStringLiteral("first second"));
        }
        Velt::reportCallFailed(nullptr, QStringLiteral("after"));
        Velt::setCallFailureHandler(std::move(host));
        Velt::reportCallFailed(nullptr, QStringLiteral("b"));
        QCOMPARE(handled, (QStringList{"nested after", "host b"}));
    }

    void checkedCall()
    {
        QCOMPARE(Velt::checkedCall([] { return 7; }), 7);
        QVERIFY_THROWS_EXCEPTION(Velt::CallFailed, Velt::checkedCall([] { Velt::reportCallFailed(nullptr, QStringLiteral("why")); }));
        // A failure the callee ignored in a scope of its own is no failure of the call.
        Velt::checkedCall([] {
            const CallFailureScope ignored;
            Velt::reportCallFailed(nullptr, QStringLiteral("ignored"));
        });
    }
};

QTEST_GUILESS_MAIN(CallFailureTest)
#include "callfailuretest.moc"
