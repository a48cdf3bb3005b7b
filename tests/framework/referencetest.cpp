// The reference view against real symbol tables: resolution, messages, its lines and their choices.
#include "columns.h"
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "qtstrings.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QTest>

using VeltTest::CoreBuilder;

namespace {
const QString Circular = QStringLiteral("Symbol reference is circular - references itself.");
const QString Empty = QStringLiteral("Symbol reference is empty.  It must be non-blank.");
const QString WrongType = QStringLiteral("Data type of symbol referenced does not match");

QStringList choicesOf(XCStructEditField* field)
{
    QStringList listed;
    for (int i = 1; i <= field->Enumeration()->Count(); ++i)
        listed << field->Enumeration()->Text(i);
    return listed;
}
} // namespace

class ReferenceTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    VeltTest::FakeTypeEditor* type = nullptr;
    CoreBuilder core;
    QuenHandle reference = 0; // the parameter the view is bound to
    XCStructEditFields fields;

    static void addReference(QuenHandle table, const char* name, const char* toTable, const char* to)
    {
        CoreBuilder::reference(table, name, "CQuenInt32", to, toTable);
    }
    void bindTo(const QByteArray& table, const QByteArray& symbol, bool readOnly = false)
    {
        QuenParmSetReference(reference, symbol.constData(), -1, table.constData(), -1);
        fields.AttachParameter(reference, 0, 0, false, readOnly, false);
    }

private Q_SLOTS:
    void initTestCase()
    {
        type = &VeltTest::FakeTypeEditor::served();
        QuenTableRegClear();

        const QuenHandle bench = core.table("Bench");
        CoreBuilder::intParm(bench, "A", 5);
        CoreBuilder::parm(bench, "Real", "CQuenReal64");
        QuenParmSetHidden(CoreBuilder::intParm(bench, "Hidden", 6), QUEN_TRUE);
        addReference(bench, "Chain1", "Bench", "A");
        addReference(bench, "Loop1", "", "Loop2");
        addReference(bench, "Loop2", "Bench", "Loop1");
        const QuenHandle extra = core.table("Extra");
        CoreBuilder::intParm(extra, "a", 50); // the same name as Bench's A
        CoreBuilder::intParm(extra, "B", 51);
        const QuenHandle hidden = core.table("Private", false);
        CoreBuilder::intParm(hidden, "P", 9);
        CoreBuilder::intParm(hidden, "A", 7);
        CoreBuilder::intParm(core.table(""), "E", 8);

        // A chain of 49 references ends on a value; one of 50 does not.
        const QuenHandle chains = core.table("Chains", false);
        for (int i = 0; i < 50; ++i)
            addReference(chains, QByteArray("S" + QByteArray::number(i)), "Chains", QByteArray("S" + QByteArray::number(i + 1)));
        CoreBuilder::intParm(chains, "S50", 99);

        reference = CoreBuilder::reference(core.block(), "Ref", "CQuenInt32", "A", "Bench");
    }
    void init()
    {
        fixture.begin();
        type->reset();
    }
    void cleanup() { fixture.end(); }
    void cleanupTestCase() { fields.Detach(); }

    void resolve_data()
    {
        // value: of the parameter found; -1 when none
        VeltTest::columns<QString, QString, QString, int>({"table", "symbol", "message", "value"});
        QTest::newRow("public symbol") << "" << "A" << "" << 5;
        QTest::newRow("named table") << "Bench" << "A" << "" << 5;
        QTest::newRow("named private table") << "Private" << "A" << "" << 7;
        QTest::newRow("private not public") << "" << "P" << "Cannot find the symbol 'P' in the 'All Public' list" << -1;
        QTest::newRow("blank symbol") << "" << "   " << Empty << -1;
        QTest::newRow("missing table") << "Nowhere" << "A" << "Cannot find the table referenced 'Nowhere'" << -1;
        QTest::newRow("missing symbol") << "Bench" << "Missing" << "Cannot find the symbol 'Missing' in the table 'Bench'" << -1;
        QTest::newRow("49 hops") << "Chains" << "S1" << "" << 99;
        QTest::newRow("50 hops") << "Chains" << "S0" << Circular << -1;
    }
    void resolve()
    {
        QFETCH(QString, table);
        QFETCH(QString, symbol);
        QFETCH(QString, message);
        QFETCH(int, value);
        QString said = QStringLiteral("stale");
        const int found = fields.ResolveReference(table, symbol, said);
        QCOMPARE(said, message);
        QCOMPARE(found ? QuenInt32GetValue(QuenParmGetData(found)) : -1, value);
        const QVariantMap late = fields.ResolveReference(table, symbol);
        QCOMPARE(late.value(QStringLiteral("Message")).toString() + late.value(QStringLiteral("result")).toString(), message + QString::number(found));
    }

    void lines_data()
    {
        // texts: root|Table|Symbol|Value; errors: root|Table|Symbol
        VeltTest::columns<QByteArray, QByteArray, QString, QString>({"table", "symbol", "texts", "errors"});
        const QString noTable = QStringLiteral("Cannot find the table referenced 'Nowhere'");
        QTest::newRow("named table") << QByteArray("Bench") << QByteArray("A") << "Bench.A|Bench|A|5" << "||";
        QTest::newRow("all public") << QByteArray() << QByteArray("B") << "B|All Public|B|51" << "||";
        QTest::newRow("missing table") << QByteArray("Nowhere") << QByteArray("A") << "Nowhere.A|Nowhere|A|<Unknown>" << QStringList(3, noTable).join(u'|');
        QTest::newRow("wrong type") << QByteArray("Bench") << QByteArray("Real") << "Bench.Real|Bench|Real|<Wrong Type>" << WrongType + "||" + WrongType;
        QTest::newRow("circular") << QByteArray() << QByteArray("Loop1") << "Loop1|All Public|Loop1|<Unknown>" << Circular + "||" + Circular;
        QTest::newRow("empty symbol") << QByteArray("Bench") << QByteArray() << "Bench.|Bench||<Unknown>" << Empty + "||" + Empty;
    }
    void lines()
    {
        QFETCH(QByteArray, table);
        QFETCH(QByteArray, symbol);
        QFETCH(QString, errors);
        bindTo(table, symbol);
        QVERIFY(fields.IsReference() && fields.Handle() == 0);
        QCOMPARE(fields.DirectEditor(), static_cast<XCStructEditing*>(&fields));
        QStringList captions;
        QStringList shown;
        QStringList said;
        for (int i = 0; i < 4; ++i) {
            captions << QStringLiteral("%1/%2").arg(fields.Item(i)->Caption()).arg(fields.Item(i)->Indentation());
            shown << fields.Item(i)->Text();
            said << fields.Item(i)->ErrorMessage();
        }
        QCOMPARE(captions, (QStringList{"Ref/0", "Table/1", "Symbol/1", "Value/1"}));
        QTEST(shown.join(u'|'), "texts");
        QCOMPARE(said.mid(0, 3).join(u'|'), errors);
        QCOMPARE(fields.Item(0)->BitmapName(), errors.startsWith(u'|') ? "Reference" : "Error");
    }

    void locksAndPictures()
    {
        bindTo("Bench", "A");
        QStringList shape;
        for (int i = 0; i < 4; ++i)
            shape << QStringLiteral("%1 %2 %3").arg(fields.Item(i)->BitmapName()).arg(fields.Item(i)->Locked()).arg(fields.Item(i)->HasEditor());
        QCOMPARE(shape, QStringList({"Reference 1 1", "Enumeration 0 0", "Enumeration 0 0", "CQuenInt32 1 0"}));
        QVERIFY(!fields.Item(3)->HasEnumeration());
        bindTo("Bench", "A", true); // read-only: no editor, and the table line stays
        QVERIFY(!fields.HasEditor() && fields.Item(1)->Locked());
        fields.Item(1)->setText(QStringLiteral("Extra"));
        QCOMPARE(QuenParmGetRefTableName(reference), "Bench");
    }

    void choices_data()
    {
        VeltTest::columns<int, QByteArray, QStringList>({"line", "table", "expected"});
        QTest::newRow("tables") << 1 << QByteArray("Bench") << QStringList{"All Public", "Bench", "Extra", "Private", "", "Chains"};
        // Symbols: public tables in registry order, each name once, hidden and other classes
        // left out, the unnamed table skipped.
        QTest::newRow("all public") << 2 << QByteArray() << QStringList{"A", "Chain1", "Loop1", "Loop2", "B"};
        QTest::newRow("named private table") << 2 << QByteArray("Private") << QStringList{"P", "A"};
        QTest::newRow("missing table") << 2 << QByteArray("Nowhere") << QStringList();
    }
    void choices()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, table);
        bindTo(table, "A");
        QTEST(choicesOf(fields.Item(line)), "expected");
    }

    void changeReference_data()
    {
        // outcome: the reference's table and symbol, Age, and the table line's text
        VeltTest::columns<int, QString, QString>({"line", "text", "outcome"});
        QTest::newRow("choose All Public") << 1 << "All Public" << ".A 1 All Public";
        QTest::newRow("choose a table") << 1 << " Private " << "Private.A 1 Private";
        QTest::newRow("blank table") << 1 << "  " << ".A 1 All Public";
        QTest::newRow("choose a symbol") << 2 << " Chain1" << "Bench.Chain1 1 Bench";
        QTest::newRow("root is locked") << 0 << "Extra.B" << "Bench.A 0 Bench";
        QTest::newRow("value is locked") << 3 << "12" << "Bench.A 0 Bench";
    }
    void changeReference()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        bindTo("Bench", "A");
        fields.Item(line)->setText(text);
        QTEST(QStringLiteral("%1.%2 %3 %4").arg(quen::toQString(QuenParmGetRefTableName(reference)), quen::toQString(QuenParmGetRefName(reference)))
                  .arg(fields.Age()).arg(fields.Item(1)->Text()), "outcome");
    }

    // Reading the value line reuses its field object; a late-bound FieldChanged asks for a refresh.
    void valueLinesAndLateBoundChange()
    {
        bindTo("", "A");
        QCOMPARE(fields.Item(3)->Text(), QStringLiteral("5"));
        const quint64 created = XCStructEditFields::fieldObjectsCreated();
        for (int i = 0; i < 20; ++i)
            fields.Item(3)->Text();
        QCOMPARE(XCStructEditFields::fieldObjectsCreated(), created);
        QCOMPARE(type->log.count(QStringLiteral("GetField 0")), 21);
        XCStructEditField* symbolLine = fields.Item(2);
        symbolLine->setText(QStringLiteral("B")); // through FieldChanged: now B in All Public
        const QVariantMap result = fields.FieldChanged(reference, symbolLine, true, false);
        QVERIFY(result.value(QStringLiteral("Refresh")).toBool() && result.contains(QStringLiteral("result")));
    }
};

QTEST_MAIN(ReferenceTest)
#include "referencetest.moc"
