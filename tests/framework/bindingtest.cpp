// XCStructEditFields bindings: parameters, defaults, data items, Unbound, the locals block and pooling.
#include "columns.h"
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "callfailure.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QTest>

#include <memory>

using VeltTest::CoreBuilder;
using VeltTest::FakeTypeEditor;

class BindingTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    FakeTypeEditor* type = nullptr;
    std::unique_ptr<CoreBuilder> core;
    QuenHandle block = 0;
    QuenHandle primary = 0;
    QuenHandle fallback = 0;

private Q_SLOTS:
    void initTestCase() { type = &FakeTypeEditor::served(); }
    void init()
    {
        fixture.begin();
        type->reset();
        core = std::make_unique<CoreBuilder>();
        block = core->block();
        primary = CoreBuilder::intParm(block, "  Primary ", 1, "primary text");
        fallback = CoreBuilder::intParm(core->block(), "Default", 2, "default text");
        QuenParmSetOutput(fallback);
    }
    void cleanup()
    {
        EXPECT_NO_ERROR();
        core.reset();
        fixture.end();
    }

    void attachParameter_data()
    {
        // shape: "bound defaulted readOnly output|caption|description|comment"
        VeltTest::columns<bool, bool, bool, QString>({"withPrimary", "withDefault", "designTime", "shape"});
        QTest::newRow("primary") << true << false << false << "1 0 0 0|Primary|primary text|";
        QTest::newRow("primary and default") << true << true << false << "1 0 0 1|Default|default text|primary text";
        QTest::newRow("default only") << false << true << false << "1 1 1 1|Default|default text|";
        QTest::newRow("primary at design time") << true << false << true << "1 0 0 0|Primary|primary text|";
        QTest::newRow("both at design time") << true << true << true << "0 0 0 0|||";
        QTest::newRow("neither") << false << false << false << "0 0 0 0|||";
    }
    void attachParameter()
    {
        QFETCH(bool, withPrimary);
        QFETCH(bool, withDefault);
        QFETCH(bool, designTime);
        XCStructEditFields fields;
        fields.AttachParameter(withPrimary ? primary : 0, withDefault ? fallback : 0, 0, designTime, false, false);
        const bool bound = fields.state() == XCStructEditFields::State::Ready;
        QTEST(QStringLiteral("%1 %2 %3 %4|%5|%6|%7").arg(int(bound)).arg(int(fields.IsDefaulted())).arg(int(bound && fields.ReadOnly()))
                  .arg(int(fields.IsOutput())).arg(fields.Caption(), fields.Description(), fields.Comment()), "shape");
        QCOMPARE(fields.Count(), bound ? 1 : 0);
        if (!bound) {
            QCOMPARE(fields.state(), XCStructEditFields::State::Unbound);
            QCOMPARE(fields.DirectEditorObject(), nullptr);
            return;
        }
        QCOMPARE(fields.DesignTime(), designTime);
        QCOMPARE(fields.Handle(), QuenParmGetData(withPrimary ? primary : fallback));
        QCOMPARE(fields.DirectEditor(), static_cast<XCStructEditing*>(type));
        QCOMPARE(fields.Item(0)->Caption() + u'=' + fields.Item(0)->Text(), fields.Caption() + u'=' + QString::number(withPrimary ? 1 : 2));
        QCOMPARE(type->log.first(), QStringLiteral("DeclareFields %1").arg(fields.Handle()));
    }

    // Data is only shown; without it the default is.
    void attachData()
    {
        const QuenHandle def = QuenParmGetData(fallback);
        for (const bool withData : {true, false}) {
            const QuenHandle data = withData ? QuenParmGetData(primary) : 0;
            XCStructEditFields fields;
            fields.AttachData(data, def, false, false, false, QStringLiteral(" Caption "));
            QCOMPARE(fields.Caption(), QStringLiteral(" Caption "));
            QCOMPARE(fields.Handle(), withData ? data : def);
            QCOMPARE(QList<bool>({fields.ReadOnly(), fields.IsDefaulted(), fields.IsOutput(), fields.Item(0)->Locked()}),
                     QList<bool>({true, !withData, false, true}));
        }
    }

    // A released parameter and a class without editor leave the collection Unbound, quietly.
    void unboundWithoutError()
    {
        const QuenHandle released = QuenParmCreate("Gone", "CQuenInt32");
        QuenParmRelease(released);
        for (const QuenHandle parm : {released, CoreBuilder::parm(block, "Real", "CQuenReal64")}) {
            XCStructEditFields fields;
            fields.AttachParameter(primary, 0, 0, false, false, false);
            fields.AttachParameter(parm, 0, 0, false, false, false);
            QCOMPARE(fields.state(), XCStructEditFields::State::Unbound);
            QVERIFY(fields.Count() == 0 && fields.DataClass().isEmpty() && !fields.HasEditor());
        }
    }

    void failingTypeEditorIsIgnoredWhileDeclaring()
    {
        type->onDeclareFields = [](XCStructEditFields& fields) {
            Velt::reportCallFailed(&fields, QStringLiteral("editor under construction"));
        };
        int reported = 0;
        auto host = Velt::setCallFailureHandler([&](const QObject*, const QString&) { ++reported; });
        XCStructEditFields fields;
        fields.AttachParameter(primary, 0, 0, false, false, false);
        Velt::setCallFailureHandler(std::move(host));
        QCOMPARE(reported, 0);
        QCOMPARE(fields.Item(0)->Text(), QStringLiteral("1"));
    }

    void localsBlockIsHeldWhileBound()
    {
        const QuenHandle locals = QuenPbDefCreate();
        const QuenHandle other = core->block();
        const QuenHandle member = CoreBuilder::intParm(other, "Member", 4);
        {
            XCStructEditFields fields;
            fields.AttachParameter(primary, 0, locals, false, false, false);
            QCOMPARE(fields.LocalsHandle(), locals);
            QuenPbDefRelease(locals); // the collection's reference keeps it alive
            QuenPbDefGetSize(locals);
            EXPECT_NO_ERROR();

            fields.AttachParameter(member, 0, 0, false, false, false); // releases it
            QCOMPARE(fields.LocalsHandle(), other); // the value's own block
            fields.AttachParameter(primary, 0, 0, false, false, false);
            QCOMPARE(fields.LocalsHandle(), block);
        }
        QCOMPARE(QuenPbDefGetSize(locals), 0);
        QVERIFY(QuenExcRegIsError(0)); // released by the rebinding: the handle is stale
        QuenExcRegClearError(0);
    }

    void fieldObjectsArePooled()
    {
        XCStructEditFields fields;
        const auto bindWith = [&](int children, QuenHandle parm) {
            type->fields = QVector<FakeTypeEditor::Line>(children, {QStringLiteral("line")});
            fields.AttachParameter(parm, 0, 0, false, false, false);
        };
        const quint64 before = XCStructEditFields::fieldObjectsCreated();
        // Capacity starts at 8 and doubles: 9 fields make 16, 41 make 64.
        for (const auto& [children, capacity] : {std::pair{2, 8}, {8, 16}, {40, 64}}) {
            bindWith(children, primary);
            QCOMPARE(fields.Count(), children + 1);
            QCOMPARE(fields.fieldCapacity(), capacity);
            QCOMPARE(XCStructEditFields::fieldObjectsCreated() - before, quint64(capacity));
        }
        const quint64 afterLargest = XCStructEditFields::fieldObjectsCreated();
        for (int i = 0; i < 100; ++i)
            bindWith(i % 41, i % 2 ? primary : fallback);
        QCOMPARE(fields.Count(), 99 % 41 + 1);
        QCOMPARE(XCStructEditFields::fieldObjectsCreated(), afterLargest);
        QCOMPARE(fields.findChildren<XCStructEditField*>().size(), 64);
    }
};

QTEST_MAIN(BindingTest)
#include "bindingtest.moc"
