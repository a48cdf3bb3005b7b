// XCStructEditFields bindings: primary and default parameters, design time, data items, what
// leaves a collection Unbound, the locals block reference, Tag and the pooled field objects.
#include "testeditors.h"

#include "callfailure.h"

#include <QTest>

#include <memory>

class BindingTest : public QObject
{
    Q_OBJECT

private:
    TestEditors editors;
    int liveObjects = 0;
    QuenHandle primary = 0;
    QuenHandle fallback = 0;

    static QuenHandle withDescription(QuenHandle parm, const char* text)
    {
        QuenDescSetText(QuenParmGetDesc(parm), text);
        return parm;
    }

private Q_SLOTS:
    void initTestCase()
    {
        liveObjects = QuenCoreGetLiveObjectCount();
        editors = installTestEditors();
    }
    void init()
    {
        editors.type->reset();
        primary = withDescription(makeIntParm("  Primary ", 1), "primary text");
        fallback = withDescription(makeIntParm("Default", 2), "default text");
        QuenParmSetOutput(fallback);
    }
    void cleanup()
    {
        QuenParmRelease(primary);
        QuenParmRelease(fallback);
        QVERIFY(!QuenExcRegIsError(0));
    }
    void cleanupTestCase() { QCOMPARE(QuenCoreGetLiveObjectCount(), liveObjects); }

    void attachParameter_data()
    {
        QTest::addColumn<bool>("withPrimary");
        QTest::addColumn<bool>("withDefault");
        QTest::addColumn<bool>("designTime");
        QTest::addColumn<bool>("bound");
        QTest::addColumn<bool>("defaulted");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<bool>("output");
        QTest::newRow("primary") << true << false << false << true << false << false
                                 << "Primary" << "primary text" << "" << false;
        QTest::newRow("primary and default") << true << true << false << true << false << false
                                             << "Default" << "default text" << "primary text" << true;
        QTest::newRow("default only") << false << true << false << true << true << true
                                      << "Default" << "default text" << "" << true;
        QTest::newRow("primary at design time") << true << false << true << true << false << false
                                                << "Primary" << "primary text" << "" << false;
        QTest::newRow("default at design time") << false << true << true << false << false << false
                                                << "" << "" << "" << false;
        QTest::newRow("both at design time") << true << true << true << false << false << false
                                             << "" << "" << "" << false;
        QTest::newRow("neither") << false << false << false << false << false << false
                                 << "" << "" << "" << false;
    }
    void attachParameter()
    {
        QFETCH(bool, withPrimary);
        QFETCH(bool, withDefault);
        QFETCH(bool, designTime);
        QFETCH(bool, bound);
        QFETCH(bool, defaulted);
        QFETCH(bool, readOnly);
        QFETCH(QString, caption);
        QFETCH(QString, description);
        QFETCH(QString, comment);
        QFETCH(bool, output);
        XCStructEditFields fields;
        fields.AttachParameter(withPrimary ? primary : 0, withDefault ? fallback : 0, 0,
                               designTime, false, false);
        QCOMPARE(fields.state(), bound ? XCStructEditFields::State::Ready
                                       : XCStructEditFields::State::Unbound);
        QCOMPARE(fields.Count(), bound ? 1 : 0);
        QCOMPARE(fields.Item(0) != nullptr, bound);
        QCOMPARE(fields.IsDefaulted(), defaulted);
        QCOMPARE(fields.Caption(), caption);
        QCOMPARE(fields.Description(), description);
        QCOMPARE(fields.Comment(), comment);
        QCOMPARE(fields.IsOutput(), output);
        if (!bound) {
            QCOMPARE(fields.Handle(), 0);
            QCOMPARE(fields.DirectEditorObject(), nullptr);
            return;
        }
        QCOMPARE(fields.ReadOnly(), readOnly);
        QCOMPARE(fields.DesignTime(), designTime);
        QCOMPARE(fields.Handle(), QuenParmGetData(withPrimary ? primary : fallback));
        QCOMPARE(fields.ParameterHandle(), 0);
        QCOMPARE(fields.DataClass(), TestDataClass);
        QCOMPARE(fields.DataType(), TestDataType);
        QCOMPARE(fields.DialogEditor(), static_cast<QObject*>(editors.type));
        QCOMPARE(fields.DirectEditor(), static_cast<XCStructEditing*>(editors.type));
        QCOMPARE(fields.Item(0)->Caption(), caption);
        QCOMPARE(fields.Item(0)->Text(), QString::number(withPrimary ? 1 : 2));
        QCOMPARE(editors.type->log.first(),
                 QStringLiteral("DeclareFields %1").arg(fields.Handle()));
    }

    void attachData_data()
    {
        QTest::addColumn<bool>("withData");
        QTest::addColumn<bool>("withDefault");
        QTest::addColumn<bool>("defaulted");
        QTest::newRow("data") << true << false << false;
        QTest::newRow("data and default") << true << true << false;
        QTest::newRow("default only") << false << true << true;
    }
    void attachData()
    {
        QFETCH(bool, withData);
        QFETCH(bool, withDefault);
        QFETCH(bool, defaulted);
        const QuenHandle data = withData ? QuenParmGetData(primary) : 0;
        const QuenHandle def = withDefault ? QuenParmGetData(fallback) : 0;
        XCStructEditFields fields;
        fields.AttachData(data, def, false, false, false, QStringLiteral(" Caption "));
        QCOMPARE(fields.state(), XCStructEditFields::State::Ready);
        QVERIFY(fields.ReadOnly()); // data is only shown
        QCOMPARE(fields.IsDefaulted(), defaulted);
        QCOMPARE(fields.Caption(), QStringLiteral(" Caption "));
        QCOMPARE(fields.Handle(), withData ? data : def);
        QVERIFY(!fields.IsOutput());
        QVERIFY(fields.Item(0)->Locked());
    }

    void releasedParameterLeavesUnboundWithoutError()
    {
        const QuenHandle gone = makeIntParm("Gone", 3);
        QuenParmRelease(gone);
        XCStructEditFields fields;
        fields.AttachParameter(gone, 0, 0, false, false, false);
        QCOMPARE(fields.state(), XCStructEditFields::State::Unbound);
        QCOMPARE(fields.Count(), 0);
        QVERIFY(!QuenExcRegIsError(0));
    }

    void classWithoutEditorLeavesUnbound()
    {
        const QuenHandle real = QuenParmCreate("Real", UnservedDataClass.toLatin1().constData());
        XCStructEditFields fields;
        fields.AttachParameter(primary, 0, 0, false, false, false);
        fields.AttachParameter(real, 0, 0, false, false, false);
        QCOMPARE(fields.state(), XCStructEditFields::State::Unbound);
        QCOMPARE(fields.Count(), 0);
        QCOMPARE(fields.DataClass(), QString());
        QVERIFY(!fields.HasEditor());
        QuenParmRelease(real);
    }

    void failingTypeEditorIsIgnoredWhileDeclaring()
    {
        editors.type->onDeclareFields = [](XCStructEditFields& fields) {
            Velt::reportCallFailed(&fields, QStringLiteral("editor under construction"));
        };
        int reported = 0;
        auto host =
            Velt::setCallFailureHandler([&](const QObject*, const QString&) { ++reported; });
        XCStructEditFields fields;
        fields.AttachParameter(primary, 0, 0, false, false, false);
        Velt::setCallFailureHandler(std::move(host));
        QCOMPARE(reported, 0);
        QCOMPARE(fields.state(), XCStructEditFields::State::Ready);
        QCOMPARE(fields.Item(0)->Text(), QStringLiteral("1"));
    }

    void localsBlockIsHeldWhileBound()
    {
        const QuenHandle locals = QuenPbDefCreate();
        const QuenHandle block = QuenPbDefCreate();
        const QuenHandle member = makeIntParm("Member", 4);
        QuenPbDefAddParm(block, member);
        {
            XCStructEditFields fields;
            fields.AttachParameter(primary, 0, locals, false, false, false);
            QCOMPARE(fields.LocalsHandle(), locals);
            QuenPbDefRelease(locals); // the collection's reference keeps it alive
            QCOMPARE(QuenPbDefGetSize(locals), 0);
            QVERIFY(!QuenExcRegIsError(0));

            fields.AttachParameter(member, 0, 0, false, false, false); // releases it
            QCOMPARE(fields.LocalsHandle(), block); // the value's own block
            fields.AttachParameter(primary, 0, 0, false, false, false);
            QCOMPARE(fields.LocalsHandle(), 0);
        }
        QCOMPARE(QuenPbDefGetSize(locals), 0);
        QVERIFY(QuenExcRegIsError(0)); // released by the rebinding: the handle is stale
        QuenExcRegClearError(0);
        QuenPbDefRelease(block);
    }

    void tag()
    {
        XCStructEditFields fields;
        QVERIFY(!fields.Tag().isValid());
        fields.setTag(17);
        QCOMPARE(fields.Tag(), QVariant(17));
        auto object = std::make_unique<QObject>();
        fields.setTag(QVariant::fromValue(object.get()));
        QCOMPARE(fields.Tag().value<QObject*>(), object.get());
        object.reset();
        QCOMPARE(fields.Tag().value<QObject*>(), nullptr); // a reference, not an owner
        fields.setTag(QStringLiteral("text"));
        QCOMPARE(fields.Tag(), QVariant(QStringLiteral("text")));
    }

    void fieldObjectsArePooled()
    {
        auto children = [](int n) {
            QVector<TestFieldLine> lines;
            for (int i = 0; i < n; ++i)
                lines.append({QStringLiteral("line"), 1, QString()});
            return lines;
        };
        XCStructEditFields fields;
        QCOMPARE(fields.fieldCapacity(), -1);
        const quint64 before = XCStructEditFields::fieldObjectsCreated();

        editors.type->fields = children(2);
        fields.AttachParameter(primary, 0, 0, false, false, false);
        QCOMPARE(fields.fieldCapacity(), 8);
        QCOMPARE(XCStructEditFields::fieldObjectsCreated() - before, 8u);

        editors.type->fields = children(8); // 9 fields: the first doubling
        fields.AttachParameter(primary, 0, 0, false, false, false);
        QCOMPARE(fields.Count(), 9);
        QCOMPARE(fields.fieldCapacity(), 16);
        QCOMPARE(XCStructEditFields::fieldObjectsCreated() - before, 16u);

        editors.type->fields = children(40);
        fields.AttachParameter(primary, 0, 0, false, false, false);
        QCOMPARE(fields.fieldCapacity(), 64);
        const quint64 afterLargest = XCStructEditFields::fieldObjectsCreated();

        for (int i = 0; i < 100; ++i) {
            editors.type->fields = children(i % 41);
            fields.AttachParameter(i % 2 ? primary : fallback, 0, 0, false, false, false);
            QCOMPARE(fields.Count(), i % 41 + 1);
        }
        QCOMPARE(XCStructEditFields::fieldObjectsCreated(), afterLargest);
        QCOMPARE(fields.findChildren<XCStructEditField*>().size(), 64);
    }
};

QTEST_MAIN(BindingTest)
#include "bindingtest.moc"
