// The dialogs of the integer and real editors in the DataEditor host: what OK and Cancel write,
// the registry and the modal form, the integer's views and choice list, the real's precision.
#include "columns.h"
#include "fixture.h"
#include "numbertesting.h"

#include "choicelistview_p.h"
#include "componentregistry.h"
#include "dataeditorform.h"
#include "dataeditorregistry.h"
#include "int32editor.h"
#include "latebinding.h"
#include "localeseparators.h"
#include "real64editor.h"
#include "updown_p.h"
#include "xcruntimedataevaluation.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>

#include <memory>

using namespace NumberTest;

namespace {

const char* classIdOf(const QString& number)
{
    return number == u"integer" ? "VeltEditors.Int32Editor" : "VeltEditors.Real64Editor";
}

QStringList comboTexts(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Every visible named control of the panel lies inside it, with at least its minimum height.
bool panelFits(const QWidget* panel)
{
    for (const QWidget* widget : panel->findChildren<QWidget*>()) {
        const QRect rect(widget->mapTo(panel, QPoint(0, 0)), widget->size());
        if (!widget->objectName().isEmpty() && widget->isVisibleTo(panel->window()) && !widget->isWindow()
            && widget->sizePolicy().verticalPolicy() != QSizePolicy::Ignored // squeezable by design
            && (!panel->rect().contains(rect) || rect.height() < widget->minimumSizeHint().height()))
            return false;
    }
    return true;
}

} // namespace

struct Typing { QString number, view, typed, error, status; double stored; };
struct Form { QString number, dataClass, title, typed, status; double stored; };
struct Precision { int initial; QString typed, entry, error; int stored; };
struct Entry { QString number; double value; QString preset; QStringList steps; QString error, stored; double storedValue; };
Q_DECLARE_METATYPE(Typing)
Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(Form)
Q_DECLARE_METATYPE(Precision)

class NumberEditorsTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    std::unique_ptr<Velt::TypeEditorBase> m_editor;
    std::unique_ptr<CoreBuilder> m_core;
    std::unique_ptr<CountingDataEditorSite> m_site;

    // A new editor of the number type ("integer" or "real") and the item of a parameter of it.
    QuenHandle make(const QString& number, double value)
    {
        m_editor.reset(qobject_cast<Velt::TypeEditorBase*>(Velt::ComponentRegistry::instance().create(QString::fromLatin1(classIdOf(number)))));
        return QuenParmGetData(parameter(*m_core, number, value));
    }
    QWidget* editor() const { return m_editor.get(); }
    DataEditor* host() const { return hostOf(m_editor.get()); }
    void edit(QuenHandle item, bool designTime)
    {
        m_site = std::make_unique<CountingDataEditorSite>();
        host()->dialogEditing()->EditData(m_site.get(), item, 0, designTime, false);
    }
    QString text(const char* box) const { return child(editor(), box)->text(); }

private Q_SLOTS:
    void cleanupTestCase() { DataEditorRegistry::unload(); }
    void init()
    {
        fixture.begin();
        m_core = std::make_unique<CoreBuilder>();
    }
    void cleanup()
    {
        m_editor.reset();
        m_site.reset();
        m_core.reset();
        fixture.end();
    }

    // At run time, with units "V", from 7 (integers) or 4.5 (reals, at most 10): metadata locked.
    void typingAndAccepting_data()
    {
        QTest::addColumn<Typing>("t");
        QTest::newRow("integer hex") << Typing{"integer", "Hexadecimal", "ff", "", "0xFF V or 255 V decimal", 255};
        QTest::newRow("integer: the last text that reads stays") << Typing{"integer", "Decimal", "4x", "The Value is not a legal integer: Type mismatch", "", 4};
        QTest::newRow("real number") << Typing{"real", "", "2.25", "", "2.25 V", 2.25};
        QTest::newRow("real outside keeps the error, clamps on accept") << Typing{"real", "", "50", "Value must be less or equal to  10.0", "", 10};
    }
    void typingAndAccepting()
    {
        QFETCH(Typing, t);
        const double start = t.number == u"integer" ? 7 : 4.5;
        const QuenHandle item = make(t.number, start);
        CoreBuilder::setString(item, "Units", "V");
        if (t.number == u"integer" && t.view != u"Decimal")
            CoreBuilder::setString(item, "View As", t.view.toUtf8().constData());
        if (t.number == u"real")
            setRestriction(item, -Velt::Real64Rules::Unbounded, 10.0);
        edit(item, false);
        QVERIFY(!child<QCheckBox>(editor(), "RestrictionCheck")->isEnabled() && child(editor(), "UnitsText")->isReadOnly()
                && (t.number == u"real" || !child<QCheckBox>(editor(), "EnumerationCheck")->isEnabled()));
        type(child(editor(), "EntryText"), t.typed);
        QCOMPARE(host()->ErrorMessage() + '|' + (t.error.isEmpty() ? host()->StatusMessage() : QString()), t.error + '|' + t.status);
        press(editor(), "OKCommand");
        QCOMPARE(QStringLiteral("%1 %2").arg(m_site->AcceptCount()).arg(value(item)), QStringLiteral("1 %1").arg(t.stored));
    }

    void cancelWritesNothing()
    {
        const QuenHandle item = make("real", 4);
        edit(item, true);
        type(child(editor(), "EntryText"), "9");
        type(child(editor(), "UnitsText"), "mA");
        type(child(editor(), "PrecisionText"), "3");
        press(editor(), "CancelCommand");
        QVERIFY(m_site->CancelCount() == 1 && value(item) == 4.0 && !QuenDataExGetProperty(item, "Units") && !QuenDataExGetProperty(item, "Precision"));
    }

    // Steps: "tick" the restriction box, or "Low=text" / "High=text" typed; then OK.
    void restrictionEntry_data()
    {
        QTest::addColumn<Entry>("e");
        const QString max = QStringLiteral("1.79769313486231E+308");
        QTest::newRow("integer low alone") << Entry{"integer", 5, "", {"tick", "Low=10"}, "Value must be greater or equal to 10", "10..2147483647", 10};
        QTest::newRow("integer crossed") << Entry{"integer", 25, "", {"tick", "Low=10", "High=5"}, "'Low' value must be less than 'High' value", "10..10", 10};
        QTest::newRow("integer full range is dropped") << Entry{"integer", 3, "-2147483648..2147483647", {}, "", "<absent>", 3};
        QTest::newRow("integer unticked is dropped") << Entry{"integer", 3, "1..9", {"tick"}, "", "<absent>", 3};
        QTest::newRow("real unbounded pair is dropped") << Entry{"real", 1.5, "", {"tick", "Low=-" + max, "High=" + max}, "", "<absent>", 1.5};
        QTest::newRow("real true extreme is a bound")
            << Entry{"real", 1.5, "", {"tick", "Low=-1.7976931348623157E+308", "High=" + max}, "", "-1.79769313486232E+308.." + max, 1.5};
    }
    void restrictionEntry()
    {
        QFETCH(Entry, e);
        const QuenHandle item = make(e.number, e.value);
        if (!e.preset.isEmpty())
            setRestriction(item, e.preset.section("..", 0, 0).toDouble(), e.preset.section("..", 1).toDouble());
        edit(item, true);
        for (const QString& step : std::as_const(e.steps)) {
            if (step == u"tick")
                child<QCheckBox>(editor(), "RestrictionCheck")->click();
            else
                type(child(editor(), step.startsWith(u"Low") ? "RestrictionLowText" : "RestrictionHighText"), step.section(u'=', 1));
        }
        QCOMPARE(host()->ErrorMessage(), e.error);
        press(editor(), "OKCommand");
        QCOMPARE(restriction(item) + ' ' + QString::number(value(item)), e.stored + ' ' + QString::number(e.storedValue));
    }

    // The registry finds each editor by its data class; it publishes its host, itself and (the
    // real only, with nothing to do) a runtime side; the modal form lays it out and writes.
    void registryAndForm_data()
    {
        QTest::addColumn<Form>("f");
        QTest::newRow("integer") << Form{"integer", "CQuenInt32", "Count - Integer (32 bit)", "0x1F", "Note: Value will round to 31 V", 31.0};
        QTest::newRow("real") << Form{"real", "CQuenReal64", "Volts - Real (64 bit)", "3.5", "3.5 V", 3.5};
    }
    void registryAndForm()
    {
        QFETCH(Form, f);
        const auto& [number, dataClass, title, typed, status, stored] = f;
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        QCOMPARE(registry->DataEditor(dataClass) ? registry->DataEditorName(dataClass) : QString(), classIdOf(number));

        const QuenHandle parm = parameter(*m_core, number, 12);
        const QuenHandle item = QuenParmGetData(parm);
        CoreBuilder::setString(item, "Units", "V");
        DataEditorForm form;
        form.SetUpEditor(parm, 0, 0, true, false, false, false);
        auto* typeEditor = qobject_cast<Velt::TypeEditorBase*>(form.typeEditor());
        QVERIFY(typeEditor);
        auto* runtime = qobject_cast<XCRuntimeDataEvaluation*>(Velt::objectByName(typeEditor, "GetRuntime"));
        QCOMPARE(runtime != nullptr, number == u"real");
        QCOMPARE(form.windowTitle(), title);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form) && panelFits(typeEditor->panel()));
        type(child(typeEditor, "EntryText"), typed);
        QCOMPARE(hostOf(typeEditor)->StatusMessage(), status);
        press(typeEditor, "OKCommand");
        int32_t p = 0, defaultParm = 0;
        QVERIFY(form.CleanupEditor(p, defaultParm));
        QCOMPARE(value(item), stored);
    }

    // From 255 in the VB octal view, restricted to 8 at least.
    void viewSwitching()
    {
        const QuenHandle item = make("integer", 255);
        CoreBuilder::setString(item, "View As", "VB Octal");
        setRestriction(item, 8, 0x1000);
        edit(item, true);
        QVERIFY(child<QRadioButton>(editor(), "ViewAsOctalVBOption")->isChecked());
        child<QRadioButton>(editor(), "ViewAsHexOption")->click();
        QCOMPARE(QStringList({text("EntryText"), text("RestrictionLowText"), host()->StatusMessage()}), QStringList({"0xFF", "0x8", "Hexadecimal view of 255"}));
        child<QRadioButton>(editor(), "ViewAsDecimalOption")->click(); // the decimal view is stored as none
        press(editor(), "OKCommand");
        QCOMPARE(CoreBuilder::string(item, "View As") + ' ' + QString::number(QuenInt32GetValue(item)), "<absent> 255");
    }

    void choiceList()
    {
        const QuenHandle item = make("integer", 1);
        CoreBuilder::setString(item, "Units", "V");
        setRestriction(item, 0, 5);
        edit(item, true);
        auto* combo = child<QComboBox>(editor(), "EnumerationCombo");
        auto* grid = child<Velt::ChoiceListView>(editor(), "EnumerationList");
        QAbstractItemModelTester tester(grid->model());
        child<QCheckBox>(editor(), "EnumerationCheck")->click();
        QVERIFY(child<QGroupBox>(editor(), "NormalFrame")->isHidden() && !child(editor(), "EntryText")->isEnabled() && !combo->isHidden());
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), "Label associated with the Value");
        QCOMPARE(comboTexts(combo) << QString::number(combo->currentIndex()), QStringList({"0  - False", "1  - True", "1"}));
        child<Velt::UpDown>(editor(), "EnumerationEndUpDown")->upButton()->click();
        grid->setCurrentIndex(grid->model()->index(2, 1));
        grid->editCell();
        auto* cell = child(grid, "EnumerationCellText");
        QTest::keyClicks(cell, "Maybe");
        QTest::keyClick(cell, Qt::Key_Return); // the delegate commits on the next event loop pass
        QTRY_COMPARE(comboTexts(combo).value(2), "2  - Maybe");
        Q_EMIT combo->activated(2);
        // Bounds that are not valid are reported and leave the grid alone.
        type(child(editor(), "EnumerationBeginText"), "3");
        QCOMPARE(host()->ErrorMessage() + ' ' + QString::number(grid->model()->rowCount()), "'Begin at' must be less than 'End at' 3");
        type(child(editor(), "EnumerationBeginText"), "0");
        press(editor(), "OKCommand");
        // A choice list has no restriction.
        QCOMPARE(QStringList({choices(item), QString::number(QuenInt32GetValue(item)), restriction(item), CoreBuilder::string(item, "Units")}),
                 QStringList({"0..2: False|True|Maybe", "2", "<absent>", "V"}));
    }


    void gridClipboard()
    {
        const QuenHandle item = make("integer", 0);
        CoreBuilder::setChoices(item, 0, {"a", "b", "c"});
        edit(item, true);
        auto* grid = child<Velt::ChoiceListView>(editor(), "EnumerationList");
        const auto select = [grid](int top, int left, int bottom, int right) {
            grid->selectionModel()->select(QItemSelection(grid->model()->index(top, left), grid->model()->index(bottom, right)), QItemSelectionModel::ClearAndSelect);
        };
        select(0, 0, 1, 1);
        grid->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), "a\nb");
        // Two rows chosen, three lines on the clipboard: the selection is filled, and told.
        QGuiApplication::clipboard()->setText("x\ny\nz\n");
        select(1, 1, 2, 1);
        grid->paste();
        QCOMPARE(host()->StatusMessage(), "More data on clipboard.  Select larger area to paste?");
        grid->selectAll();
        grid->cut();
        QCOMPARE(QGuiApplication::clipboard()->text(), "a\nx\ny");
        // One row chosen: the lines fill the list downwards.
        QGuiApplication::clipboard()->setText("p\r\nq\r\n");
        grid->setCurrentIndex(grid->model()->index(1, 1));
        select(1, 1, 1, 1);
        grid->paste();
        press(editor(), "OKCommand");
        QCOMPARE(choices(item), "0..2: |p|q");
    }

    // The list may be changed only at design time, whatever edits the editor made before; unticked,
    // it goes.
    void choiceListChangesOnlyAtDesignTime()
    {
        const QuenHandle item = make("integer", 3);
        CoreBuilder::setChoices(item, 3, {"a", "b"});
        QStringList seen; // "cell box opened, list stored" after an edit at run time, then at design time
        for (const bool designTime : {false, true}) {
            edit(item, designTime);
            auto* grid = child<Velt::ChoiceListView>(editor(), "EnumerationList");
            child<Velt::UpDown>(editor(), "EnumerationEndUpDown")->upButton()->click();
            grid->setCurrentIndex(grid->model()->index(0, 1));
            QTest::keyClick(grid, Qt::Key_F2);
            const bool opened = grid->findChild<QLineEdit*>("EnumerationCellText") != nullptr;
            QGuiApplication::clipboard()->setText("x\ny\n");
            grid->paste();
            press(editor(), "OKCommand");
            seen << QString::number(opened) + ' ' + choices(item);
        }
        edit(item, true);
        child<QCheckBox>(editor(), "EnumerationCheck")->click();
        press(editor(), "OKCommand");
        QCOMPARE(seen << choices(item), QStringList({"0 3..4: a|b", "1 3..5: x|y|", "<absent>"}));
    }

    // From 1234.5 with a precision (5 unless said) and a restriction from 0 upwards.
    void precisionBox_data()
    {
        QTest::addColumn<Precision>("p"); // typed "-": nothing; stored -1: no property
        QTest::newRow("three") << Precision{5, "3", "1.235E+03", "", 3};
        QTest::newRow("blank") << Precision{5, "", "1234.5", "", -1};
        QTest::newRow("sixteen: 1 taken on the way") << Precision{5, "16", "1.2E+03", "'Precision' value must 15 or less", 1};
        QTest::newRow("stored above 15 is kept, rendering capped") << Precision{20, "-", "1.234500000000000E+03", "", 20};
    }
    void precisionBox()
    {
        QFETCH(Precision, p);
        const auto& [initial, typed, entry, error, stored] = p;
        const QuenHandle item = make("real", 1234.5);
        setPrecision(item, initial);
        setRestriction(item, 0.0, Velt::Real64Rules::Unbounded);
        edit(item, true);
        if (typed != u"-")
            type(child(editor(), "PrecisionText"), typed);
        QCOMPARE(text("PrecisionText") + '|' + host()->ErrorMessage() + '|' + text("EntryText"), (typed == u"-" ? QString::number(initial) : typed) + '|' + error + '|' + entry);
        const auto* real = static_cast<Real64Editor*>(m_editor.get());
        if (error.isEmpty()) // the bounded box follows the precision, the other keeps its text
            QCOMPARE(text("RestrictionLowText"), Velt::Real64Rules::formatRealText(0.0, real->precision()));
        QCOMPARE(text("RestrictionHighText"), Velt::Real64Rules::formatRealText(Velt::Real64Rules::Unbounded, initial));
        press(editor(), "OKCommand");
        const int32_t property = QuenDataExGetProperty(item, "Precision");
        QCOMPARE(property ? QuenInt32GetValue(property) : -1, stored);
        QCOMPARE(QuenReal64GetValue(item), 1234.5); // rendering never changes the value
    }

    void precisionUpDownStopsWithABeep()
    {
        const QuenHandle item = make("real", 0.5);
        setPrecision(item, 14);
        edit(item, true);
        auto* upDown = child<Velt::UpDown>(editor(), "PrecisionUpDown");
        upDown->upButton()->click();
        upDown->upButton()->click();
        QCOMPARE(text("PrecisionText") + '/' + QString::number(fixture.services.beeps()), "15/1");
        type(child(editor(), "PrecisionText"), "x"); // unreadable: counts as 0
        upDown->downButton()->click();
        upDown->upButton()->click();
        upDown->downButton()->click(); // precision 0 shows an empty box
        QCOMPARE(text("PrecisionText") + '/' + QString::number(fixture.services.beeps()) + '/' + text("EntryText"), "/2/0.5");
    }

    // The one wiring row for the locale's separators: shown, read and written with a comma.
    void commaLocale()
    {
        const Velt::LocaleSeparators::Override comma(u',', u';');
        const QuenHandle item = make("real", 12.0);
        CoreBuilder::setString(item, "Units", "V");
        edit(item, false);
        QCOMPARE(text("EntryText"), "12,0");
        type(child(editor(), "EntryText"), "2,5");
        press(editor(), "OKCommand");
        QCOMPARE(QuenReal64GetValue(item), 2.5);
        XCStructEditFields fields;
        fields.AttachData(item, 0, false, false, false, QStringLiteral("Volts"));
        QCOMPARE(fields.Item(0)->Text(), "2,5 V");
    }
};

QTEST_MAIN(NumberEditorsTest)
#include "numbereditorstest.moc"
