// The numeric arrays over real core items: what the edit buffer's OK writes and in which order,
// and the structured face (the lines an array declares, their texts, what a typed text writes
// or why it is refused) served by the shared fake type editor.
#include "columns.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "arrayitem_p.h"
#include "componentregistry.h"
#include "dataeditorregistry.h"
#include "numericarrayfields_p.h"
#include "numericarraytesting.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QTest>

using namespace Velt;
using namespace NumericArrayTest;
using VeltTest::CoreBuilder;
using Copy = NumericArrayCopy<Real64ArrayTraits>;

Q_DECLARE_METATYPE(Velt::ArrayShape)

class NumericArrayItemTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    FieldTable int32Table = NumericArrayFields::int32Table();
    FieldTable real64Table = NumericArrayFields::real64Table();
    XCStructEditFields* fields = nullptr;

    // A parameter of the family whose item has the shape; element k (in copy order) holds k.
    static QuenHandle parameter(CoreBuilder& core, const QString& family, const ArrayShape& s)
    {
        const QuenHandle parm = CoreBuilder::parm(core.block(), "Samples",
                                                  family == u"integer" ? "CQuenInt32Array" : "CQuenReal64Array");
        QuenParmSetData(parm, QuenDataExDeepCopy(numbered(core, family, s)));
        return parm;
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char* id : {"VeltEditors.Int32ArrayEditor", "VeltEditors.Real64ArrayEditor"})
            ComponentRegistry::instance().unregisterClass(QString::fromLatin1(id));
        DataEditorRegistry::unload();
        for (const bool integer : {true, false}) {
            const QString dataClass = integer ? "CQuenInt32Array" : "CQuenReal64Array";
            auto* editor = new VeltTest::FakeTypeEditor({dataClass, VeltTest::HostFace | VeltTest::StructuredFace});
            editor->table = integer ? &int32Table : &real64Table;
            QVERIFY(DataEditorRegistry::instance()->AddDataEditorIfAbsent(dataClass, editor->editor())
                    && DataEditorRegistry::instance()->AddStructuredDataEditorIfAbsent(dataClass, editor));
        }
    }
    void init()
    {
        fixture.begin();
        fields = new XCStructEditFields;
    }
    void cleanup()
    {
        delete fields;
        fixture.end();
    }

    // OK writes shape and values, units, the restriction (stored and clamped to only when it
    // bounds a side; crossed bounds close to low), then the locks, then the chart's option.
    void accept_data()
    {
        VeltTest::columns<QString, bool, double, double, QString>({"units", "restricted", "low", "high", "written"});
        const double big = NumericConversion::RealUnbounded;
        QTest::newRow("clamped into 0..10") << "V" << true << 0.0 << 10.0 << "2 1..2 1..3: 0 10 0 10 7 10|Graphical View As,Locks,Restriction,Units";
        QTest::newRow("crossed closes to low") << "" << true << 5.0 << 1.0 << "2 1..2 1..3: 5 5 5 5 5 5|Graphical View As,Locks,Restriction";
        QTest::newRow("unbounded pair removed") << "" << true << -big << big << "2 1..2 1..3: -1 11 0 12 7 13|Graphical View As,Locks";
        QTest::newRow("not ticked") << "A" << false << 0.0 << 10.0 << "2 1..2 1..3: -1 11 0 12 7 13|Graphical View As,Locks,Units";
    }
    void accept()
    {
        QFETCH(QString, units);
        QFETCH(bool, restricted);
        QFETCH(double, low);
        QFETCH(double, high);
        CoreBuilder core;
        const QuenHandle item = (core << QuenR64ArrCreate(-5, 5));
        CoreBuilder::setString(item, "Units", "old");
        CoreBuilder::attach(item, "Restriction", QuenR64ArrCreate(1, 2));
        Copy copy;
        copy.begin(item);
        copy.redimension(shape({1, 2, 1, 3}));
        const double values[] = {-1, 11, 0, 12, 7, 13};
        int n = 0;
        Copy::forEachCell(copy.shape(), [&](ArrayCell i) { copy.set(i, values[n++]); });
        const QuenHandle work = copy.handle();
        NumericArrayAttributes<Real64ArrayTraits> attributes{units, std::nullopt, true};
        if (restricted)
            attributes.restriction = Bounds<double>{low, high};
        QString locksSaw;
        copy.accept(item, attributes, [&](QuenHandle written) {
            locksSaw = snapshot(written);
            CoreBuilder::setString(written, "Locks", "None");
        });
        QTEST(snapshot(item), "written");
        QCOMPARE(locksSaw.section(u'|', 0, 0), snapshot(item).section(u'|', 0, 0)); // values final before the locks
        QVERIFY(!locksSaw.contains(QStringLiteral("Graphical View As")) && !copy.active() && !QuenDataIsValid(work));
        QCOMPARE(CoreBuilder::string(item, "Graphical View As"), QStringLiteral("By row"));
        QuenExcRegClearError(0);
    }
    // Stored locks that do not reach every dimension: the others are the default, and reading
    // them leaves no error behind.
    void locksShorterThanTheDimensions()
    {
        CoreBuilder core;
        const QuenHandle item = core << QuenR64ArrCreate(0, 1);
        const QuenHandle locks = QuenStrArrCreate(1, 1);
        QuenStrArrSetAt1(locks, 1, "Upper");
        CoreBuilder::attach(item, "Locks", locks);
        QCOMPARE(ArrayItem::locks(item, 3), (QList<BoundLock>{BoundLock::Lower, BoundLock::Upper, BoundLock::Lower}));
        EXPECT_NO_ERROR();
    }
    void lines_data()
    {
        VeltTest::columns<QString, ArrayShape, QString, QString, QStringList>({"family", "shape", "view", "root", "lines"});
        QTest::newRow("real table: rows with their columns") << "real" << shape({1, 2, 1, 3}) << ""
            << "6 values in  (1 to 2) rows,  (1 to 3) columns"
            << QStringList{"Row (1)/1/NumberList=1.0 3.0 5.0", "Column (1)/2/Number=1.0", "Column (2)/2/Number=3.0", "Column (3)/2/Number=5.0",
                           "Row (2)/1/NumberList=2.0 4.0 6.0", "Column (1)/2/Number=2.0", "Column (2)/2/Number=4.0", "Column (3)/2/Number=6.0"};
        QTest::newRow("integer hex vector with units") << "integer" << shape({-1, 0}) << "Hexadecimal" << "2 Hex values indexed from -1 to 0 in mV" << QStringList{"Row (-1)/1/Number=0x1 mV", "Row (0)/1/Number=0x2 mV", "View As/1/Enumeration=Hexadecimal"};
        QTest::newRow("50 elements") << "real" << shape({1, 50}) << "" << "50 values indexed from 1 to 50" << QStringList{"50"};
        QTest::newRow("51 elements, none") << "integer" << shape({1, 51}) << "" << "Click here and then press '...' to edit" << QStringList();
        QTest::newRow("planes, none") << "real" << shape({0, 1, 0, 1, 0, 1}) << "" << "8 values in  (0 to 1) rows,  (0 to 1) columns,  (0 to 1) planes" << QStringList();
    }
    void lines()
    {
        QFETCH(QString, family);
        QFETCH(ArrayShape, shape);
        QFETCH(QString, view);
        CoreBuilder core;
        const QuenHandle parm = parameter(core, family, shape);
        if (!view.isEmpty()) {
            CoreBuilder::setString(QuenParmGetData(parm), "View As", view.toUtf8().constData());
            CoreBuilder::setString(QuenParmGetData(parm), "Units", "mV");
        }
        fields->AttachParameter(parm, 0, 0, true, false, false);
        QTEST(fields->Item(0)->Text(), "root");
        QStringList declared; // "caption/indentation/picture=text" below the root
        for (int i = 1; i < fields->Count(); ++i) {
            XCStructEditField* f = fields->Item(i);
            declared << QStringLiteral("%1/%2/%3=%4").arg(f->Caption()).arg(f->Indentation()).arg(f->BitmapName(), f->Text());
        }
        QTEST(shape.count() == 50 ? QStringList{QString::number(declared.size())} : declared, "lines"); // 50: only how many
        fields->Detach();
    }

    // A text typed into line `line`: the error it gets, and the values the item holds after.
    void changes_data()
    {
        VeltTest::columns<QString, ArrayShape, bool, int, QString, QString, QString>({"family", "shape", "restricted", "line", "text", "error", "values"});
        QTest::newRow("vector element") << "real" << shape({1, 3}) << false << 2 << " 2.5 V " << "" << "1 2.5 3";
        QTest::newRow("vector element above the restriction") << "real" << shape({1, 3}) << true << 2 << "11" << "Value 11.0 must be less or equal to  10.0" << "1 2 3";
        QTest::newRow("table row") << "real" << shape({1, 2, 1, 3}) << false << 5 << "7 8 9" << "" << "1 7 3 8 5 9";
        QTest::newRow("table row, a bad value writes none") << "real" << shape({1, 2, 1, 3}) << false << 1 << "7 8 x" << "The value \"x\" at position 3 is not a legal numeric value: Type mismatch" << "1 2 3 4 5 6";
        QTest::newRow("table column") << "integer" << shape({1, 2, 1, 3}) << false << 7 << "40" << "" << "1 2 3 40 5 6";
        QTest::newRow("table column, not legal") << "real" << shape({1, 2, 1, 3}) << false << 2 << "abc" << "The Element is not a legal numeric value: Type mismatch" << "1 2 3 4 5 6";
        QTest::newRow("root") << "real" << shape({1, 3}) << false << 0 << "5" << "This field is not editable." << "1 2 3";
    }
    void changes()
    {
        QFETCH(QString, family);
        QFETCH(ArrayShape, shape);
        QFETCH(bool, restricted);
        QFETCH(int, line);
        QFETCH(QString, text);
        CoreBuilder core;
        const QuenHandle parm = parameter(core, family, shape);
        const QuenHandle item = QuenParmGetData(parm);
        CoreBuilder::setString(item, "Units", "V");
        if (restricted) {
            const QuenHandle bounds = QuenR64ArrCreate(1, 2);
            QuenR64ArrSetAt1(bounds, 2, 10.0);
            CoreBuilder::attach(item, "Restriction", bounds);
        }
        fields->AttachParameter(parm, 0, 0, true, false, false);
        XCStructEditField* field = fields->Item(line);
        field->setText(text);
        QTEST(field->ErrorMessage(), "error");
        QTEST(values(item), "values");
        fields->Detach();
    }

    // The integer view's line offers the three views; "Decimal" removes the stored one, and in
    // the octal view a typed element reads in octal.
    void integerView()
    {
        CoreBuilder core;
        const QuenHandle parm = parameter(core, "integer", shape({1, 2}));
        const QuenHandle item = QuenParmGetData(parm);
        CoreBuilder::setString(item, "View As", "Octal");
        fields->AttachParameter(parm, 0, 0, true, false, false);
        fields->Item(2)->setText("17");
        QCOMPARE(QStringLiteral("%1 %2").arg(QuenI32ArrGetAt1(item, 2)).arg(fields->Item(3)->Enumeration()->Count()), QStringLiteral("15 3"));
        fields->Item(3)->setText("Decimal");
        QCOMPARE(CoreBuilder::string(item, "View As") + ' ' + fields->Item(2)->Text(), QStringLiteral("<absent> 15"));
        fields->Detach();
    }
};

QTEST_MAIN(NumericArrayItemTest)
#include "numericarrayitemtest.moc"
