// The range editor over real core items: its structured fields (lines, choices, changes and the
// core's refusals), and its dialog (options and the boxes they enable, typing into the working
// copy, the summary, what OK stores and that Cancel writes nothing).
#include "columns.h"
#include "coretesting.h"
#include "fieldlines.h"
#include "fixture.h"
#include "numbertesting.h"

#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "localeseparators.h"
#include "numericconversion.h"
#include "rangeeditor.h"
#include "rangerules.h"
#include "xcdialogdataediting.h"
#include "xcstructeditfieldenums.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>

using VeltTest::CoreBuilder;
using VeltTest::line;
using VeltTest::lines;
using NumberTest::child;
using NumberTest::press;
using NumberTest::type;

namespace {

const char* const kBoxes[] = {"StartText", "StopText", "CenterText", "SpanText", "StepSizeText", "PointsText"};

// What the core holds for a range: "start..stop #points", its "View As" and its units.
QString state(QuenHandle range)
{
    double start = 0, stop = 0;
    int32_t points = 0;
    QuenRangeGetValues(range, &start, &stop, &points);
    return QStringLiteral("%1..%2 #%3 | %4 | %5")
        .arg(Velt::NumericConversion::formatGeneral(start), Velt::NumericConversion::formatGeneral(stop))
        .arg(points)
        .arg(CoreBuilder::string(range, "View As"), CoreBuilder::string(range, "Units"));
}

} // namespace

class RangeEditorTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    std::unique_ptr<CoreBuilder> core;
    QuenHandle locals = 0, sweep = 0, range = 0;

    // A range of 0..10 in 11 points, with the view and units given ("" for none).
    void prepare(const QString& view, const QString& units)
    {
        QVERIFY(QuenRangeSetValues(range, 0, 10, 11));
        if (!view.isEmpty())
            CoreBuilder::setString(range, "View As", view.toUtf8().constData());
        if (!units.isEmpty())
            CoreBuilder::setString(range, "Units", units.toUtf8().constData());
    }

    // The dialog's actions, one a line: "Name" clicks an option, "Name=text" types into a box.
    static void act(RangeEditor& editor, const QStringList& actions)
    {
        for (const QString& action : actions) {
            const qsizetype equals = action.indexOf(u'=');
            if (equals < 0)
                child<QRadioButton>(&editor, action.toLatin1().constData())->click();
            else
                type(child(&editor, action.left(equals).toLatin1().constData()), action.mid(equals + 1));
        }
    }

private Q_SLOTS:
    void init()
    {
        fixture.begin();
        core = std::make_unique<CoreBuilder>();
        locals = core->block();
        sweep = CoreBuilder::parm(locals, "Sweep", "CQuenRange");
        range = QuenParmGetData(sweep);
    }
    void cleanup()
    {
        core.reset();
        fixture.end();
    }

    void fields_data()
    {
        VeltTest::columns<QString, QString, bool, QChar, QStringList>({"view", "units", "designTime", "list", "expected"});
        QTest::newRow("default view at design time") << "" << "" << true << QChar(u',')
            << QStringList{"Sweep=0.0, 10.0 #11", "View As=Start, Stop #Points", "Start value=0.0", "Stop value=10.0", "Number of points=11", "Units="};
        QTest::newRow("center/span by step with units") << "Center; Span :Step" << "mV" << false << QChar(u',')
            << QStringList{"Sweep=5.0; 10.0 :1.0 mV", "View As=Center; Span :Step", "Center value=5.0", "Span value=10.0", "Step size=1.0", "Units=mV"};
        QTest::newRow("no units line at run time without units") << "Start, Stop :Step" << "" << false << QChar(u',')
            << QStringList{"Sweep=0.0, 10.0 :1.0", "View As=Start, Stop :Step", "Start value=0.0", "Stop value=10.0", "Step size=1.0"};
        QTest::newRow("; list: the label differs from the stored name") << "Center; Span :Step" << "" << false << QChar(u';')
            << QStringList{"Sweep=5.0< 10.0 :1.0", "View As=Center< Span :Step", "Center value=5.0", "Span value=10.0", "Step size=1.0"};
        QTest::newRow("an unknown view is center/span by points") << "Sideways" << "" << false << QChar(u',')
            << QStringList{"Sweep=5.0; 10.0 #11", "View As=Center; Span #Points", "Center value=5.0", "Span value=10.0", "Number of points=11"};
    }
    void fields()
    {
        QFETCH(QString, view);
        QFETCH(QString, units);
        QFETCH(bool, designTime);
        QFETCH(QChar, list);
        prepare(view, units);
        const Velt::LocaleSeparators::Override locale(u'.', list);
        XCStructEditFields fields;
        fields.AttachParameter(sweep, 0, locals, designTime, false, false);
        QTEST(lines(fields), "expected");
        XCStructEditField* viewAs = line(fields, "View As");
        QStringList choices;
        for (int i = 1; i <= viewAs->Enumeration()->Count(); ++i)
            choices << viewAs->Enumeration()->Text(i);
        QCOMPARE(choices, Velt::RangeRules::labels());
        XCStructEditField* unitsLine = line(fields, "Units");
        if (unitsLine)
            QCOMPARE(QString::number(unitsLine->Locked()) + unitsLine->BitmapName(), designTime ? QStringLiteral("0Text") : QStringLiteral("1ReadOnlyText"));
        QVERIFY(!fields.Item(0)->Locked() && !viewAs->Locked() && !fields.Item(2)->Locked());
    }

    // A line changed through the collection: what the core then holds, the line's error, the
    // core's error shown, and whether the viewer must read every line again.
    void fieldChanges_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString, QString>({"view", "caption", "text", "state", "error", "shown"});
        const QString unchanged = QStringLiteral("0..10 #11 | <absent> | mV");
        const QString spanMessage = QStringLiteral("'Span value' must be greater than or equal to zero");
        QTest::newRow("row") << "" << "Sweep" << "2, 4 #5" << "2..4 #5 | <absent> | mV" << "" << "";
        QTest::newRow("row switches the view") << "" << "Sweep" << "5; 10 :0.5 mV" << "0..10 #21 | Center; Span :Step | mV" << "" << "";
        QTest::newRow("row back to the default view") << "Center; Span :Step" << "Sweep" << "1, 3 #3 mV" << "1..3 #3 | <absent> | mV" << "" << "";
        QTest::newRow("row with a negative span") << "" << "Sweep" << "5; -1 #3" << unchanged << spanMessage << "";
        QTest::newRow("row without a stop") << "" << "Sweep" << "3 #2" << unchanged << "The Stop value cannot be blank" << "";
        // Stored in order: what the core took before its refusal stays, and so does the view typed.
        QTest::newRow("row with no points") << "Start, Stop :Step" << "Sweep" << "2, 10 #-3" << "2..10 #11 | <absent> | mV" << "" << "the number of points must be at least 1, not -3";
        QTest::newRow("start") << "" << "Start value" << "-5" << "-5..10 #11 | <absent> | mV" << "" << "";
        QTest::newRow("center") << "Center; Span #Points" << "Center value" << "1" << "-4..6 #11 | Center; Span #Points | mV" << "" << "";
        QTest::newRow("negative span") << "Center; Span #Points" << "Span value" << "-1" << "0..10 #11 | Center; Span #Points | mV" << spanMessage << "";
        QTest::newRow("step") << "Start, Stop :Step" << "Step size" << "2.5" << "0..10 #5 | Start, Stop :Step | mV" << "" << "";
        QTest::newRow("step 0") << "Start, Stop :Step" << "Step size" << "0" << "0..10 #11 | Start, Stop :Step | mV" << "" << "the step must not be 0";
        QTest::newRow("points") << "" << "Number of points" << "3" << "0..10 #3 | <absent> | mV" << "" << "";
        QTest::newRow("no points") << "" << "Number of points" << "0" << unchanged << "" << "the number of points must be at least 1, not 0";
        QTest::newRow("view") << "" << "View As" << "Center; Span :Step" << "0..10 #11 | Center; Span :Step | mV" << "" << "";
        QTest::newRow("default view removes it") << "Start, Stop :Step" << "View As" << "Start, Stop #Points" << unchanged << "" << "";
        QTest::newRow("units") << "" << "Units" << " Hz " << "0..10 #11 | <absent> | Hz" << "" << "";
        QTest::newRow("no units") << "" << "Units" << "" << "0..10 #11 | <absent> | <absent>" << "" << "";
    }
    void fieldChanges()
    {
        QFETCH(QString, view);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(QString, shown);
        prepare(view, QStringLiteral("mV"));
        XCStructEditFields fields;
        fields.AttachParameter(sweep, 0, locals, true, false, false);
        XCStructEditField* field = caption == u"Sweep" ? fields.Item(0) : line(fields, caption);
        QVERIFY(field);
        field->setText(text);
        QTEST(state(range), "state");
        QCOMPARE(field->ErrorMessage(), error);
        QCOMPARE(fields.Age(), error.isEmpty() ? 1 : 0);
        const QStringList shownErrors = fixture.services.shownErrors();
        QVERIFY2(shown.isEmpty() ? shownErrors.isEmpty() : shownErrors.size() == 1 && shownErrors.constFirst().contains(shown), qPrintable(shownErrors.join(u'\n')));
        QVERIFY(!QuenExcRegIsError(0));
    }

    // The dialog opens on the stored view and the options move it. Typing sets the working copy
    // (never the item) and shows what the copy then holds in the view's other boxes; the status
    // line has the summary or the first error.
    void typing_data()
    {
        VeltTest::columns<QString, QStringList, QString, QString, QString>({"view", "actions", "copy", "boxes", "status"});
        const QString typeMismatch = QStringLiteral("The Stop value is not a legal numeric value: Type mismatch");
        QTest::newRow("default") << "" << QStringList{} << "0..10 #11" << "Start=0.0|Stop=10.0|Points=11" << "0.0, 10.0 #11";
        QTest::newRow("stored center/span by step") << "Center; Span :Step" << QStringList{} << "0..10 #11" << "Center=5.0|Span=10.0|StepSize=1.0" << "5.0; 10.0 :1.0";
        QTest::newRow("there and back") << "Center; Span :Step" << QStringList{"StartStopOption", "PointsOption", "CenterSpanOption"} << "0..10 #11" << "Center=5.0|Span=10.0|Points=11" << "5.0; 10.0 #11";
        QTest::newRow("stop") << "" << QStringList{"StopText=20"} << "0..20 #11" << "Start=0.0|Stop=20|Points=11" << "0.0, 20 #11";
        QTest::newRow("span moves the step") << "Center; Span :Step" << QStringList{"SpanText=20"} << "-5..15 #11" << "Center=5.0|Span=20|StepSize=2.0" << "5.0; 20 :2.0";
        QTest::newRow("step sets the points") << "" << QStringList{"StepSizeOption", "StepSizeText=2.5"} << "0..10 #5" << "Start=0.0|Stop=10.0|StepSize=2.5" << "0.0, 10.0 :2.5";
        QTest::newRow("center after the option") << "" << QStringList{"CenterSpanOption", "CenterText=1"} << "-4..6 #11" << "Center=1|Span=10.0|Points=11" << "1; 10.0 #11";
        QTest::newRow("unreadable stop") << "" << QStringList{"StopText=x"} << "0..10 #11" << "Start=0.0|Stop=x|Points=11" << typeMismatch;
        QTest::newRow("mended") << "" << QStringList{"StopText=x", "StopText=4"} << "0..4 #11" << "Start=0.0|Stop=4|Points=11" << "0.0, 4 #11";
        // Each keystroke is read: "4000" was set before the fifth key overflowed.
        QTest::newRow("40000 points") << "" << QStringList{"PointsText=40000"} << "0..10 #4000" << "Start=0.0|Stop=10.0|Points=40000" << "The Number of points is not a legal integer value: Overflow";
        QTest::newRow("step 0 refused by the core") << "Start, Stop :Step" << QStringList{"StepSizeText=0"} << "0..10 #11" << "Start=0.0|Stop=10.0|StepSize=0" << "the step must not be 0";
    }
    void typing()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, actions);
        prepare(view, QString());
        const QString before = state(range);
        RangeEditor editor;
        CountingDataEditorSite site;
        editor.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, true, false, false);
        act(editor, actions);
        QTEST(state(editor.workingCopy()).section(u' ', 0, 1), "copy");
        QStringList boxes;
        for (const char* name : kBoxes) {
            if (child(&editor, name)->isEnabled())
                boxes << QString::fromLatin1(name).chopped(4) + u'=' + child(&editor, name)->text();
        }
        QTEST(boxes.join(u'|'), "boxes");
        // The options ticked are the ones of the boxes enabled.
        QCOMPARE(child<QRadioButton>(&editor, "CenterSpanOption")->isChecked(), child(&editor, "CenterText")->isEnabled());
        QCOMPARE(child<QRadioButton>(&editor, "StepSizeOption")->isChecked(), child(&editor, "StepSizeText")->isEnabled());
        QCOMPARE(child<QRadioButton>(&editor, "StartStopOption")->isChecked(), !child(&editor, "CenterText")->isEnabled());
        QCOMPARE(child<QRadioButton>(&editor, "PointsOption")->isChecked(), !child(&editor, "StepSizeText")->isEnabled());
        QTEST(editor.host()->ErrorMessage().isEmpty() ? editor.host()->StatusMessage() : editor.host()->ErrorMessage(), "status");
        QCOMPARE(state(range), before);
        QVERIFY(!QuenExcRegIsError(0));
    }

    // OK stores the chosen view's quantities from the working copy, the view ("View As" gone
    // for the default one) and the units. Cancel, or an editor that goes with its edit open,
    // writes nothing. The copy is released either way (the fixture counts what is left).
    void closing_data()
    {
        VeltTest::columns<QString, QStringList, bool, QString, QString>({"view", "actions", "designTime", "button", "state"});
        const QString unchanged = QStringLiteral("0..10 #11 | <absent> | V");
        QTest::newRow("unchanged default") << "" << QStringList{} << true << "OKCommand" << unchanged;
        QTest::newRow("to the default view") << "Center; Span :Step" << QStringList{"StartStopOption", "PointsOption"} << true << "OKCommand" << unchanged;
        // The span is stored before the step: the other way round the span would keep 21 points.
        QTest::newRow("center/span by step") << "" << QStringList{"CenterSpanOption", "StepSizeOption", "SpanText=4", "StepSizeText=0.5"} << true << "OKCommand" << "3..7 #9 | Center; Span :Step | V";
        QTest::newRow("start/stop by step") << "" << QStringList{"StepSizeOption", "StopText=3", "StepSizeText=1"} << true << "OKCommand" << "0..3 #4 | Start, Stop :Step | V";
        QTest::newRow("points then start") << "" << QStringList{"PointsText=3", "StartText=-2"} << false << "OKCommand" << "-2..10 #3 | <absent> | V";
        QTest::newRow("units") << "" << QStringList{"UnitsText= mV "} << true << "OKCommand" << "0..10 #11 | <absent> | mV";
        QTest::newRow("no units") << "" << QStringList{"UnitsText="} << true << "OKCommand" << "0..10 #11 | <absent> | <absent>";
        QTest::newRow("units are read-only at run time") << "" << QStringList{"UnitsText=mV"} << false << "OKCommand" << unchanged;
        QTest::newRow("an error typed is not stored") << "" << QStringList{"StopText=20", "StopText=x"} << true << "OKCommand" << "0..20 #11 | <absent> | V";
        const QStringList changes{"CenterSpanOption", "StepSizeOption", "SpanText=4", "StepSizeText=0.5", "UnitsText=Hz"};
        QTest::newRow("cancel") << "" << changes << true << "CancelCommand" << unchanged;
        QTest::newRow("left open") << "" << changes << true << "" << unchanged;
    }
    void closing()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, actions);
        QFETCH(bool, designTime);
        QFETCH(QString, button);
        prepare(view, QStringLiteral("V"));
        CountingDataEditorSite site;
        {
            RangeEditor editor;
            editor.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, designTime, false, false);
            QVERIFY(editor.workingCopy() != 0);
            act(editor, actions);
            if (!button.isEmpty())
                press(&editor, button.toLatin1().constData());
            QCOMPARE(editor.workingCopy() == 0, !button.isEmpty());
        }
        QTEST(state(range), "state");
        QCOMPARE(site.AcceptCount(), button == u"OKCommand" ? 1 : 0);
        QVERIFY(fixture.services.shownErrors().isEmpty());
    }

    // Every control of the dialog is reached by its own key, and every box has a label and an
    // accessible name; GetRuntime gives nothing, as a range has no runtime side.
    void keyboardAccess()
    {
        RangeEditor editor;
        QVERIFY(!editor.GetRuntime() && editor.GetDirect() == &editor);
        QStringList keys;
        for (const QLabel* label : editor.findChildren<QLabel*>()) {
            if (label->buddy())
                keys << QKeySequence::mnemonic(label->text()).toString();
        }
        for (const QAbstractButton* button : editor.findChildren<QAbstractButton*>())
            keys << QKeySequence::mnemonic(button->text()).toString();
        keys.removeAll(QString());
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        for (const char* name : {"StartText", "StopText", "CenterText", "SpanText", "StepSizeText", "PointsText", "UnitsText", "StartStopOption", "CenterSpanOption", "StepSizeOption", "PointsOption"}) {
            QWidget* control = editor.panel()->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(control && !control->accessibleName().isEmpty(), name);
        }
        QWidget* start = child(&editor, "StartText");
        QCOMPARE(start->nextInFocusChain()->objectName(), QStringLiteral("StopText"));
    }
};

QTEST_MAIN(RangeEditorTest)
#include "rangeeditortest.moc"
