// The structured face of the integer and real array editors over real core items: which lines
// an array declares, what each shows, and what a typed text writes or why it is refused.
#include "columns.h"
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

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

Q_DECLARE_METATYPE(Velt::ArrayShape)

class NumericArrayFieldsTest : public QObject
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
    QStringList lines() const
    {
        QStringList declared;
        for (int i = 1; i < fields->Count(); ++i)
            declared << QStringLiteral("%1/%2/%3").arg(fields->Item(i)->Caption()).arg(fields->Item(i)->Indentation()).arg(fields->Item(i)->BitmapName());
        return declared;
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
            QVERIFY(DataEditorRegistry::instance()->AddDataEditorIfAbsent(dataClass, editor->editor()));
            QVERIFY(DataEditorRegistry::instance()->AddStructuredDataEditorIfAbsent(dataClass, editor));
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

    void declares_data()
    {
        VeltTest::columns<QString, ArrayShape, QStringList>({"family", "shape", "lines"});
        QTest::newRow("real vector") << "real" << shape({-1, 1}) << QStringList{"Row (-1)/1/Number", "Row (0)/1/Number", "Row (1)/1/Number"};
        QTest::newRow("real table: rows with their columns") << "real" << shape({1, 2, 5, 6})
            << QStringList{"Row (1)/1/NumberList", "Column (5)/2/Number", "Column (6)/2/Number", "Row (2)/1/NumberList", "Column (5)/2/Number", "Column (6)/2/Number"};
        QTest::newRow("integer vector and its view") << "integer" << shape({0, 1}) << QStringList{"Row (0)/1/Number", "Row (1)/1/Number", "View As/1/Enumeration"};
        QTest::newRow("50 elements") << "real" << shape({1, 50}) << QStringList();
        QTest::newRow("51 elements, none") << "integer" << shape({1, 51}) << QStringList();
        QTest::newRow("planes, none") << "real" << shape({1, 2, 1, 2, 1, 2}) << QStringList();
    }
    void declares()
    {
        QFETCH(QString, family);
        QFETCH(ArrayShape, shape);
        QFETCH(QStringList, lines);
        CoreBuilder core;
        fields->AttachParameter(parameter(core, family, shape), 0, 0, true, false, false);
        if (shape.count() == 50)
            QCOMPARE(fields->Count(), 51); // the root and one line per element
        else
            QCOMPARE(this->lines(), lines);
        fields->Detach();
    }

    void texts_data()
    {
        VeltTest::columns<QString, ArrayShape, QString, QString, QString, QStringList>({"family", "shape", "view", "units", "root", "lines"});
        QTest::newRow("real table") << "real" << shape({1, 2, 1, 3}) << "" << ""
            << "6 values in  (1 to 2) rows,  (1 to 3) columns" << QStringList{"1.0 3.0 5.0", "1.0", "3.0", "5.0", "2.0 4.0 6.0", "2.0", "4.0", "6.0"};
        QTest::newRow("integer hex vector with units") << "integer" << shape({1, 3}) << "Hexadecimal" << "mV"
            << "3 Hex values indexed from 1 to 3 in mV" << QStringList{"0x1 mV", "0x2 mV", "0x3 mV", "Hexadecimal"};
        QTest::newRow("integer, one element") << "integer" << shape({7, 7}) << "" << ""
            << "1 Decimal value indexed from 7 to 7" << QStringList{"1", "Decimal"};
        QTest::newRow("planes") << "real" << shape({0, 1, 0, 1, 0, 1}) << "" << "V"
            << "8 values in  (0 to 1) rows,  (0 to 1) columns,  (0 to 1) planes in V" << QStringList();
        QTest::newRow("51 elements") << "real" << shape({1, 51}) << "" << "" << "Click here and then press '...' to edit" << QStringList();
    }
    void texts()
    {
        QFETCH(QString, family);
        QFETCH(ArrayShape, shape);
        QFETCH(QString, view);
        QFETCH(QString, units);
        CoreBuilder core;
        const QuenHandle parm = parameter(core, family, shape);
        if (!view.isEmpty())
            CoreBuilder::setString(QuenParmGetData(parm), "View As", view.toUtf8().constData());
        if (!units.isEmpty())
            CoreBuilder::setString(QuenParmGetData(parm), "Units", units.toUtf8().constData());
        fields->AttachParameter(parm, 0, 0, true, false, false);
        QTEST(fields->Item(0)->Text(), "root");
        QStringList texts;
        for (int i = 1; i < fields->Count(); ++i)
            texts << fields->Item(i)->Text();
        QTEST(texts, "lines");
        fields->Detach();
    }

    // A text typed into line `line`: the error it gets, and the values the item holds after.
    void changes_data()
    {
        VeltTest::columns<QString, ArrayShape, bool, int, QString, QString, QString>({"family", "shape", "restricted", "line", "text", "error", "values"});
        QTest::newRow("vector element") << "real" << shape({1, 3}) << false << 2 << " 2.5 V " << "" << "1 2.5 3";
        QTest::newRow("vector element above the restriction") << "real" << shape({1, 3}) << true << 2 << "11" << "Value 11.0 must be less or equal to  10.0" << "1 2 3";
        QTest::newRow("vector element blank") << "integer" << shape({1, 3}) << false << 1 << "" << "The Value cannot be blank" << "1 2 3";
        QTest::newRow("integer element, not legal") << "integer" << shape({1, 3}) << false << 3 << "1.5.1" << "The Value is not a legal integer value: Type mismatch" << "1 2 3";
        QTest::newRow("table row") << "real" << shape({1, 2, 1, 3}) << false << 5 << "7 8 9" << "" << "1 7 3 8 5 9";
        QTest::newRow("table row, short") << "integer" << shape({1, 2, 1, 3}) << false << 1 << "7" << "" << "7 2 3 4 5 6";
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

    void integerView_data()
    {
        VeltTest::columns<QString, QString, QString>({"chosen", "stored", "element"});
        QTest::newRow("hexadecimal") << "Hexadecimal" << "Hexadecimal" << "0x1";
        QTest::newRow("decimal removes") << "Decimal" << "<absent>" << "1";
    }
    void integerView()
    {
        QFETCH(QString, chosen);
        CoreBuilder core;
        const QuenHandle parm = parameter(core, "integer", shape({1, 2}));
        CoreBuilder::setString(QuenParmGetData(parm), "View As", "Octal");
        fields->AttachParameter(parm, 0, 0, true, false, false);
        XCStructEditField* view = fields->Item(3);
        QCOMPARE(view->Enumeration()->Count(), 3);
        view->setText(chosen);
        QTEST(CoreBuilder::string(QuenParmGetData(parm), "View As"), "stored");
        QTEST(fields->Item(1)->Text(), "element");
        // In the octal view a typed element reads in octal.
        CoreBuilder::setString(QuenParmGetData(parm), "View As", "Octal");
        fields->Item(2)->setText("17");
        QCOMPARE(QuenI32ArrGetAt1(QuenParmGetData(parm), 2), 15);
        fields->Detach();
    }
};

QTEST_MAIN(NumericArrayFieldsTest)
#include "numericarrayfieldstest.moc"
