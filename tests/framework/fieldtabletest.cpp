// FieldTable: the rows a binding declares, the calls each row receives, and what a change reports.
#include "columns.h"
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "fieldtable.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QTest>

using Velt::FieldCall;
using Velt::FieldChange;
using Velt::FieldTable;
using Velt::FieldText;

class FieldTableTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    VeltTest::FakeTypeEditor* editor = nullptr;
    FieldTable table;
    VeltTest::CoreBuilder core;
    QuenHandle parm = 0;
    XCStructEditFields fields;
    QStringList calls; // "what caption[value]" per row call, and the texts applied

    // A row that logs its calls; the item's value picks the repeated row's range (1..value).
    FieldTable::Row row(const QString& caption)
    {
        return {
            .caption = caption,
            .picture = QStringLiteral("Number"),
            .locked = [this, caption](const FieldCall&) {
                calls << "declare " + caption;
                return false;
            },
            .read = [this, caption](const FieldCall&) {
                calls << "read " + caption;
                return FieldText{caption.toLower()};
            },
            .apply = [this, caption](const FieldCall& call, const QString& text) {
                calls << QStringLiteral("apply %1 %2%3").arg(caption, text, call.postEdits ? "" : " unposted");
                QuenInt32GetValue(0); // leaves an error in the core's register
                return text == "bad" ? FieldChange::failed("no good") : FieldChange::done(text == "refresh");
            },
        };
    }

    // With ownLines, the repeated row gives each line its own indentation and picture.
    void buildTable(bool ownLines = false)
    {
        FieldTable::Row root = row("Root");
        root.read = [](const FieldCall& call) {
            const int32_t value = QuenInt32GetValue(call.item);
            return FieldText{QString::number(value), value > 2 ? "too many" : ""};
        };
        FieldTable::Row always = row("Always");
        always.picture = "Text";
        always.runTimePicture = "ReadOnlyText";
        FieldTable::Row design = row("Design");
        design.shown = FieldTable::atDesignTime;
        design.locked = nullptr;
        design.choices = [](const FieldCall&) { return Velt::FieldChoices{{"a", "b"}, QStringLiteral("pick one")}; };
        FieldTable::Row items = row("Item");
        items.indentation = 2;
        items.repeat = [](const FieldCall& call) { return Velt::FieldRange{1, QuenInt32GetValue(call.item)}; };
        items.repeatCaption = [](int32_t value) { return QStringLiteral("Item %1").arg(value); };
        if (ownLines) {
            items.repeatLine = [](const FieldCall&, int32_t value) {
                return Velt::FieldLine{QStringLiteral("Item %1").arg(value), value % 2 ? 2 : 3, value % 2 ? "Number" : "NumberList"};
            };
        }
        items.read = [this](const FieldCall& call) {
            calls << QStringLiteral("read Item %1").arg(call.value);
            return FieldText{QString::number(call.value)};
        };
        FieldTable::Row shown = row("Shown");
        shown.apply = nullptr;
        table = FieldTable(root, {always, design, items, shown});
    }

    void bind(int value, bool designTime)
    {
        QuenInt32SetValue(QuenParmGetData(parm), value);
        fields.AttachParameter(parm, 0, 0, designTime, false, false);
        calls.clear();
    }
    XCStructEditField* field(const QString& caption)
    {
        for (int i = 0; i < fields.Count(); ++i) {
            if (fields.Item(i)->Caption() == caption)
                return fields.Item(i);
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        editor = &VeltTest::FakeTypeEditor::served();
        buildTable();
        parm = VeltTest::CoreBuilder::intParm(core.block(), "Count", 0);
    }
    void cleanupTestCase() { fields.Detach(); }
    void init()
    {
        fixture.begin();
        editor->reset();
        editor->table = &table;
    }
    void cleanup() { fixture.end(); }

    void declares_data()
    {
        // lines: caption/indentation/picture below the root
        VeltTest::columns<bool, int, bool, QStringList>({"designTime", "value", "ownLines", "lines"});
        QTest::newRow("design, two items") << true << 2 << false << QStringList{"Always/1/Text", "Design/1/Number", "Item 1/2/Number", "Item 2/2/Number", "Shown/1/Number"};
        QTest::newRow("run time, no items") << false << 0 << false << QStringList{"Always/1/ReadOnlyText", "Shown/1/Number"};
        QTest::newRow("items with lines of their own") << true << 2 << true << QStringList{"Always/1/Text", "Design/1/Number", "Item 1/2/Number", "Item 2/3/NumberList", "Shown/1/Number"};
    }
    void declares()
    {
        QFETCH(bool, designTime);
        QFETCH(int, value);
        QFETCH(bool, ownLines);
        buildTable(ownLines);
        bind(value, designTime);
        QStringList declared;
        for (int i = 1; i < fields.Count(); ++i)
            declared << QStringLiteral("%1/%2/%3").arg(fields.Item(i)->Caption()).arg(fields.Item(i)->Indentation()).arg(fields.Item(i)->BitmapName());
        QTEST(declared, "lines");
        QVERIFY(calls.isEmpty()); // declaring reads nothing per line

        XCStructEditField* last = fields.Item(fields.Count() - 1);
        fields.Detach();
        buildTable();
        QCOMPARE(last->declaringRow(), -1); // a pooled field forgets its row
    }

    void eachCallReachesOnlyItsRow()
    {
        bind(3, true);
        const QStringList expected{"read Always", "read Design", "read Item 1", "read Item 2", "read Item 3", "read Shown"};
        for (int i = 1; i < fields.Count(); ++i) {
            calls.clear();
            const QString text = fields.Item(i)->Text();
            QCOMPARE(calls, QStringList{expected.at(i - 1)});
            QCOMPARE(text, i >= 3 && i <= 5 ? QString::number(i - 2) : fields.Item(i)->Caption().toLower());
        }
        calls.clear();
        QCOMPARE(field("Item 2")->Locked(), false);
        QCOMPARE(calls, QStringList{"declare Item"});
        // A row without a lock stays locked, and offers its choices with their note.
        XCStructEditField* design = field("Design");
        QCOMPARE(QStringList({QString::number(design->Locked()), design->Enumeration()->Text(1), design->Enumeration()->Text(2),
                              QString::number(design->Enumeration()->Count()), design->ErrorMessage()}), QStringList({"1", "a", "b", "2", "pick one"}));
        QCOMPARE(field("Always")->ErrorMessage(), QString());
        QCOMPARE(fields.Item(0)->Text(), "3"); // the read sets the error
        QCOMPARE(fields.Item(0)->ErrorMessage(), "too many");
    }

    void changes_data()
    {
        // outcome: the calls, the error shown on the line, Age and the errors displayed
        VeltTest::columns<QString, QString, bool, QString>({"caption", "text", "posted", "outcome"});
        QTest::newRow("refresh") << "Always" << "refresh" << true << "apply Always refresh|| 1 1";
        QTest::newRow("unposted") << "Item 1" << "x" << false << "apply Item x unposted|| 0 1";
        // A refused change keeps the core's errors to itself and asks for nothing.
        QTest::newRow("refused") << "Root" << "bad" << true << "apply Root bad|no good| 0 0";
        QTest::newRow("no apply: ignored") << "Shown" << "x" << true << "|| 0 0";
    }
    void changes()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(bool, posted);
        bind(1, true);
        XCStructEditField* line = caption == "Root" ? fields.Item(0) : field(caption);
        line->Locked(); // declared before the change, so only the change is logged
        calls.clear();
        if (posted)
            line->setText(text);
        else
            line->SetTextUnposted(text);
        QTEST(QStringLiteral("%1|%2| %3 %4").arg(calls.join(u';'), line->ErrorMessage()).arg(fields.Age()).arg(fixture.services.shownErrors().size()), "outcome");
        QCOMPARE(bool(QuenExcRegIsError(0)), !line->ErrorMessage().isEmpty()); // a refusal keeps them
        QuenExcRegClearError(0);
    }
};

QTEST_MAIN(FieldTableTest)
#include "fieldtabletest.moc"
