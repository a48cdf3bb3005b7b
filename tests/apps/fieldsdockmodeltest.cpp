// The workbench's Fields inspector model over the sample's integer symbol "OffsetLimit" (table
// "Station", restricted to -500..500 in mV): the model contract, which rows are editable, what
// an edit writes to the core, and the Type column's display names.
#include "fieldsdockmodel.h"
#include "valuesummary.h"

#include "dataeditorregistry.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using Workbench::FieldsDockModel;

namespace {

QuenHandle offsetLimit()
{
    const QuenHandle table = QuenTableRegGetTable(1);
    return QuenPbDefFindParm(table, "OffsetLimit");
}

int32_t coreValue(QuenHandle parm)
{
    return QuenInt32GetValue(QuenParmGetData(parm));
}

// The row whose caption (without its indentation) is `caption`; -1 when none.
int rowOf(const FieldsDockModel& model, const QString& caption)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, FieldsDockModel::CaptionColumn).data().toString().trimmed() == caption)
            return row;
    }
    return -1;
}

} // namespace

class FieldsDockModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void init()
    {
        QuenWorkspaceClear();
        QuenExcRegClearError(0);
        QVERIFY(QuenWorkspaceLoad(VELT_SOURCE_DIR "/examples/sample-workspace.json") != QUEN_FALSE);
        QVERIFY(offsetLimit() != 0);
    }

    void cleanup()
    {
        QuenWorkspaceClear();
        QuenExcRegClearError(0);
    }

    void boundToIntegerSymbol()
    {
        FieldsDockModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);

        const QuenHandle parm = offsetLimit();
        model.setParameter(parm);
        XCStructEditFields* fields = model.fields();
        QVERIFY(fields->Count() > 1);
        QCOMPARE(model.rowCount(), fields->Count());
        for (int row = 0; row < model.rowCount(); ++row) {
            XCStructEditField* field = fields->Item(row);
            const QString caption = model.index(row, FieldsDockModel::CaptionColumn).data().toString();
            QVERIFY(caption.endsWith(field->Caption()));
            // Deeper fields start further right.
            QCOMPARE(caption.size() - field->Caption().size(), field->Indentation() * 3);
            QCOMPARE(model.index(row, FieldsDockModel::TextColumn).data().toString(), field->Text());
        }
        // Line 0 names the symbol; the value line shows the core's value.
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("OffsetLimit"));
        const int value = rowOf(model, QStringLiteral("Value"));
        QVERIFY(value > 0);
        QVERIFY(model.index(value, 1).data().toString().startsWith(QString::number(coreValue(parm))));

        model.setParameter(0);
        QCOMPARE(model.rowCount(), 0);
    }

    void editWritesCore_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("takes");

        QTest::newRow("inside the restriction") << "42" << true;
        QTest::newRow("above the high limit") << "9999" << false;
    }

    void editWritesCore()
    {
        QFETCH(QString, text);
        QFETCH(bool, takes);

        FieldsDockModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QuenHandle parm = offsetLimit();
        model.setParameter(parm);
        const int before = coreValue(parm);
        const int row = rowOf(model, QStringLiteral("Value"));
        QVERIFY(row > 0);
        QSignalSpy changed(&model, &FieldsDockModel::dataChanged);
        QSignalSpy reset(&model, &FieldsDockModel::modelReset);
        const QModelIndex index = model.index(row, FieldsDockModel::TextColumn);
        QVERIFY(model.flags(index) & Qt::ItemIsEditable);

        QVERIFY(model.setData(index, text));
        // The row, or every row when the type editor re-declared its fields, is read again.
        QVERIFY(changed.count() + reset.count() > 0);
        if (takes) {
            QCOMPARE(coreValue(parm), text.toInt());
            QVERIFY(model.index(row, 1).data().toString().startsWith(text));
            QVERIFY(!model.index(row, 0).data(Qt::ToolTipRole).isValid());
        } else {
            QCOMPARE(coreValue(parm), before);
            // The refusal is shown on the row: the error picture with the message as tooltip.
            const QString message = model.index(row, 0).data(Qt::ToolTipRole).toString();
            QVERIFY(!message.isEmpty());
            QCOMPARE(message, model.fields()->Item(row)->ErrorMessage());
            QCOMPARE(model.fields()->Item(row)->BitmapName(), QStringLiteral("Error"));
        }
    }

    void editability()
    {
        FieldsDockModel model;
        model.setParameter(offsetLimit());
        XCStructEditFields* fields = model.fields();
        int withChoices = 0;
        for (int row = 0; row < model.rowCount(); ++row) {
            XCStructEditField* field = fields->Item(row);
            const QModelIndex text = model.index(row, FieldsDockModel::TextColumn);
            const bool editable = model.flags(text) & Qt::ItemIsEditable;
            const QStringList choices = text.data(FieldsDockModel::ChoicesRole).toStringList();
            QCOMPARE(!choices.isEmpty(), field->HasEnumeration());
            QCOMPARE(editable, !field->Locked() || field->HasEnumeration());
            QVERIFY(!(model.flags(model.index(row, 0)) & Qt::ItemIsEditable));
            withChoices += !choices.isEmpty();
        }
        QVERIFY(withChoices > 0);

        // A choice written through the model reaches the field.
        const int viewAs = rowOf(model, QStringLiteral("View As"));
        QVERIFY(viewAs > 0);
        const QStringList choices =
            model.index(viewAs, 1).data(FieldsDockModel::ChoicesRole).toStringList();
        QVERIFY(choices.contains(QStringLiteral("Hexadecimal")));
        QVERIFY(model.setData(model.index(viewAs, 1), QStringLiteral("Hexadecimal")));
        QCOMPARE(model.index(rowOf(model, QStringLiteral("View As")), 1).data().toString(),
                 QStringLiteral("Hexadecimal"));
    }

    void typeDisplayName_data()
    {
        QTest::addColumn<QString>("dataClass");
        QTest::addColumn<bool>("hasEditor");

        QTest::newRow("integer") << "CQuenInt32" << true;
        QTest::newRow("real") << "CQuenReal64" << true;
        QTest::newRow("waveform (no editor)") << "CQuenWaveform" << false;
        QTest::newRow("unknown class") << "CQuenNoSuchClass" << false;
    }

    void typeDisplayName()
    {
        QFETCH(QString, dataClass);
        QFETCH(bool, hasEditor);

        const QString shown = Workbench::typeDisplayName(dataClass);
        QObject* editor = DataEditorRegistry::instance()->DataEditor(dataClass);
        QCOMPARE(editor != nullptr, hasEditor);
        if (hasEditor) {
            QVERIFY(shown != dataClass);
            QCOMPARE(shown, editor->property("DataType").toString());
        } else {
            QCOMPARE(shown, dataClass);
        }
    }
};

QTEST_MAIN(FieldsDockModelTest)
#include "fieldsdockmodeltest.moc"
