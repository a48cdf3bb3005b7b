// The reference view against real symbol tables: resolution of references and chains, the
// messages, the "Table", "Symbol" and "Value" lines, their choices, and changing a reference.
#include "testeditors.h"

#include <QTest>

#include <memory>

namespace {
const QString Circular = QStringLiteral("Symbol reference is circular - references itself.");
const QString Empty = QStringLiteral("Symbol reference is empty.  It must be non-blank.");
const QString WrongType = QStringLiteral("Data type of symbol referenced does not match");
} // namespace

class ReferenceTest : public QObject
{
    Q_OBJECT

private:
    TestEditors editors;
    int liveObjects = 0;
    QVector<QuenHandle> tables;
    QuenHandle reference = 0; // the parameter the view is bound to
    std::unique_ptr<XCStructEditFields> fields;

    QuenHandle addTable(const char* name, bool isPublic)
    {
        const QuenHandle table = QuenTableCreate(name);
        QuenTableRegAddTable(table, isPublic ? QUEN_TRUE : QUEN_FALSE);
        tables.append(table);
        return table;
    }
    static QuenHandle addSymbol(QuenHandle table, QuenHandle parm)
    {
        QuenPbDefAddParm(table, parm);
        return parm;
    }
    static void addReference(QuenHandle table, const char* name, const char* toTable, const char* to)
    {
        makeReference(addSymbol(table, makeIntParm(name, 0)), toTable, to);
    }
    void bindTo(const QByteArray& table, const QByteArray& symbol, bool readOnly = false)
    {
        makeReference(reference, table, symbol);
        fields->AttachParameter(reference, 0, 0, false, readOnly, false);
    }

private Q_SLOTS:
    void initTestCase()
    {
        liveObjects = QuenCoreGetLiveObjectCount();
        editors = installTestEditors();
        QuenTableRegClear();

        const QuenHandle bench = addTable("Bench", true);
        addSymbol(bench, makeIntParm("A", 5));
        addSymbol(bench, QuenParmCreate("Real", UnservedDataClass.toLatin1().constData()));
        QuenParmSetHidden(addSymbol(bench, makeIntParm("Hidden", 6)), QUEN_TRUE);
        addReference(bench, "Chain1", "Bench", "A");
        addReference(bench, "Loop1", "", "Loop2");
        addReference(bench, "Loop2", "Bench", "Loop1");
        const QuenHandle extra = addTable("Extra", true);
        addSymbol(extra, makeIntParm("a", 50)); // the same name as Bench's A
        addSymbol(extra, makeIntParm("B", 51));
        const QuenHandle hidden = addTable("Private", false);
        addSymbol(hidden, makeIntParm("P", 9));
        addSymbol(hidden, makeIntParm("A", 7));
        const QuenHandle unnamed = addTable("", true);
        addSymbol(unnamed, makeIntParm("E", 8));

        // A chain of 49 references ends on a value; one of 50 does not.
        const QuenHandle chains = addTable("Chains", false);
        for (int i = 0; i < 50; ++i)
            addReference(chains, QByteArray("S" + QByteArray::number(i)), "Chains",
                         QByteArray("S" + QByteArray::number(i + 1)));
        addSymbol(chains, makeIntParm("S50", 99));

        reference = makeIntParm("Ref", 0);
        fields = std::make_unique<XCStructEditFields>();
    }
    void init() { editors.type->reset(); }
    void cleanup() { QVERIFY(!QuenExcRegIsError(0)); }
    void cleanupTestCase()
    {
        fields.reset();
        QuenParmRelease(reference);
        QuenTableRegClear();
        for (const QuenHandle table : std::as_const(tables))
            QuenPbDefRelease(table);
        QCOMPARE(QuenCoreGetLiveObjectCount(), liveObjects);
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("value"); // of the parameter found; -1 when none
        QTest::newRow("public symbol") << "" << "A" << "" << 5;
        QTest::newRow("named table") << "Bench" << "A" << "" << 5;
        QTest::newRow("named private table") << "Private" << "A" << "" << 7;
        QTest::newRow("private not public") << "" << "P"
                                            << "Cannot find the symbol 'P' in the 'All Public' list" << -1;
        QTest::newRow("empty symbol") << "Bench" << "" << Empty << -1;
        QTest::newRow("blank symbol") << "" << "   " << Empty << -1;
        QTest::newRow("missing table") << "Nowhere" << "A"
                                       << "Cannot find the table referenced 'Nowhere'" << -1;
        QTest::newRow("missing symbol") << "Bench" << "Missing"
                                        << "Cannot find the symbol 'Missing' in the table 'Bench'" << -1;
        QTest::newRow("missing public symbol") << "" << "Missing"
                                               << "Cannot find the symbol 'Missing' in the 'All Public' list" << -1;
        QTest::newRow("chain") << "Bench" << "Chain1" << "" << 5;
        QTest::newRow("49 hops") << "Chains" << "S1" << "" << 99;
        QTest::newRow("50 hops") << "Chains" << "S0" << Circular << -1;
        QTest::newRow("loop") << "" << "Loop1" << Circular << -1;
        QTest::newRow("broken link") << "Chains" << "S51"
                                     << "Cannot find the symbol 'S51' in the table 'Chains'" << -1;
    }
    void resolve()
    {
        QFETCH(QString, table);
        QFETCH(QString, symbol);
        QFETCH(QString, message);
        QFETCH(int, value);
        QString said = QStringLiteral("stale");
        const int found = fields->ResolveReference(table, symbol, said);
        QCOMPARE(said, message);
        QCOMPARE(found != 0, value >= 0);
        if (found)
            QCOMPARE(QuenInt32GetValue(QuenParmGetData(found)), value);
        const QVariantMap late = fields->ResolveReference(table, symbol);
        QCOMPARE(late.value(QStringLiteral("Message")).toString(), message);
        QCOMPARE(late.value(QStringLiteral("result")).toInt(), found);
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QByteArray>("symbol");
        QTest::addColumn<QStringList>("texts");  // root, Table, Symbol, Value
        QTest::addColumn<QStringList>("errors"); // root, Table, Symbol
        QTest::newRow("named table") << QByteArray("Bench") << QByteArray("A")
                                     << QStringList{"Bench.A", "Bench", "A", "5"}
                                     << QStringList{"", "", ""};
        QTest::newRow("all public") << QByteArray() << QByteArray("B")
                                    << QStringList{"B", "All Public", "B", "51"}
                                    << QStringList{"", "", ""};
        QTest::newRow("chain") << QByteArray("Bench") << QByteArray("Chain1")
                               << QStringList{"Bench.Chain1", "Bench", "Chain1", "5"}
                               << QStringList{"", "", ""};
        const QString noTable = QStringLiteral("Cannot find the table referenced 'Nowhere'");
        QTest::newRow("missing table") << QByteArray("Nowhere") << QByteArray("A")
                                       << QStringList{"Nowhere.A", "Nowhere", "A", "<Unknown>"}
                                       << QStringList{noTable, noTable, noTable};
        QTest::newRow("wrong type") << QByteArray("Bench") << QByteArray("Real")
                                    << QStringList{"Bench.Real", "Bench", "Real", "<Wrong Type>"}
                                    << QStringList{WrongType, "", WrongType};
        QTest::newRow("circular") << QByteArray() << QByteArray("Loop1")
                                  << QStringList{"Loop1", "All Public", "Loop1", "<Unknown>"}
                                  << QStringList{Circular, "", Circular};
        QTest::newRow("empty symbol") << QByteArray("Bench") << QByteArray()
                                      << QStringList{"Bench.", "Bench", "", "<Unknown>"}
                                      << QStringList{Empty, "", Empty};
    }
    void lines()
    {
        QFETCH(QByteArray, table);
        QFETCH(QByteArray, symbol);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, errors);
        bindTo(table, symbol);
        QVERIFY(fields->IsReference());
        QCOMPARE(fields->ParameterHandle(), reference);
        QCOMPARE(fields->Handle(), 0);
        QCOMPARE(fields->DirectEditor(), static_cast<XCStructEditing*>(fields.get()));
        QCOMPARE(fields->Count(), 4);
        QStringList captions;
        QStringList shown;
        QStringList said;
        for (int i = 0; i < 4; ++i) {
            captions << fields->Item(i)->Caption();
            shown << fields->Item(i)->Text();
            if (i < 3)
                said << fields->Item(i)->ErrorMessage();
        }
        QCOMPARE(captions, (QStringList{"Ref", "Table", "Symbol", "Value"}));
        QCOMPARE(shown, texts);
        QCOMPARE(said, errors);
        QCOMPARE(fields->Item(0)->BitmapName(), errors.first().isEmpty() ? "Reference" : "Error");
        QCOMPARE(fields->Item(1)->Indentation(), 1);
        QCOMPARE(fields->Item(3)->Indentation(), 1);
    }

    void locksAndPictures()
    {
        bindTo("Bench", "A");
        const QVector<bool> locked{true, false, false, true};
        const QStringList pictures{"Reference", "Enumeration", "Enumeration", TestDataClass};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(fields->Item(i)->Locked(), locked.at(i));
            QCOMPARE(fields->Item(i)->BitmapName(), pictures.at(i));
        }
        QVERIFY(fields->Item(0)->HasEditor());
        QVERIFY(!fields->Item(1)->HasEditor());
        QVERIFY(!fields->Item(3)->HasEnumeration());
    }

    void readOnlyReferenceOffersNoEditor()
    {
        bindTo("Bench", "A", true);
        QVERIFY(!fields->HasEditor());
        QVERIFY(!fields->Item(0)->HasEditor());
        QVERIFY(fields->Item(1)->Locked());
        fields->Item(1)->setText(QStringLiteral("Extra"));
        QCOMPARE(QuenParmGetRefTableName(reference), "Bench");
    }

    void tableChoices()
    {
        bindTo("Bench", "A");
        XCStructEditFieldEnums* choices = fields->Item(1)->Enumeration();
        QStringList listed;
        for (int i = 1; i <= choices->Count(); ++i)
            listed << choices->Text(i);
        QCOMPARE(listed, (QStringList{"All Public", "Bench", "Extra", "Private", "", "Chains"}));
    }

    void symbolChoices_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("expected");
        // Public tables in registry order, each name once, hidden and other classes left out,
        // the unnamed table skipped.
        QTest::newRow("all public") << QByteArray()
                                    << QStringList{"A", "Chain1", "Loop1", "Loop2", "B"};
        QTest::newRow("named private table") << QByteArray("Private") << QStringList{"P", "A"};
        QTest::newRow("missing table") << QByteArray("Nowhere") << QStringList();
    }
    void symbolChoices()
    {
        QFETCH(QByteArray, table);
        QFETCH(QStringList, expected);
        bindTo(table, "A");
        XCStructEditFieldEnums* choices = fields->Item(2)->Enumeration();
        QStringList listed;
        for (int i = 1; i <= choices->Count(); ++i)
            listed << choices->Text(i);
        QCOMPARE(listed, expected);
    }

    void changeReference_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<int>("age");
        QTest::newRow("choose All Public") << 1 << "All Public" << "" << "A" << 1;
        QTest::newRow("choose a table") << 1 << " Private " << "Private" << "A" << 1;
        QTest::newRow("blank table") << 1 << "  " << "" << "A" << 1;
        QTest::newRow("choose a symbol") << 2 << " Chain1" << "Bench" << "Chain1" << 1;
        QTest::newRow("root is locked") << 0 << "Extra.B" << "Bench" << "A" << 0;
        QTest::newRow("value is locked") << 3 << "12" << "Bench" << "A" << 0;
    }
    void changeReference()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, table);
        QFETCH(QString, symbol);
        QFETCH(int, age);
        bindTo("Bench", "A");
        fields->Item(line)->setText(text);
        QCOMPARE(quen::toQString(QuenParmGetRefTableName(reference)), table);
        QCOMPARE(quen::toQString(QuenParmGetRefName(reference)), symbol);
        QCOMPARE(fields->Age(), age);
        QCOMPARE(fields->Item(1)->Text(), table.isEmpty() ? QStringLiteral("All Public") : table);
    }

    void valueLinesReuseTheirFields()
    {
        bindTo("", "A");
        QCOMPARE(fields->Item(3)->Text(), QStringLiteral("5"));
        const quint64 created = XCStructEditFields::fieldObjectsCreated();
        for (int i = 0; i < 20; ++i)
            QCOMPARE(fields->Item(3)->Text(), QStringLiteral("5"));
        QCOMPARE(XCStructEditFields::fieldObjectsCreated(), created);
        QCOMPARE(editors.type->log.count(QStringLiteral("GetField 0")), 21);
    }

    void lateBoundFieldChanged()
    {
        bindTo("Bench", "A");
        XCStructEditField* symbolLine = fields->Item(2);
        symbolLine->setText(QStringLiteral("B")); // through FieldChanged: now Bench.B
        const QVariantMap result = fields->FieldChanged(reference, symbolLine, true, false);
        QCOMPARE(result.value(QStringLiteral("Refresh")).toBool(), true);
        QVERIFY(result.contains(QStringLiteral("result")));
    }
};

QTEST_MAIN(ReferenceTest)
#include "referencetest.moc"
