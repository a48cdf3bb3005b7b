// The range editor over real core items: its structured fields (lines, choices, changes and the
// core's refusals), and its dialog (options and the boxes they enable, typing into the working
// copy, the summary, what OK stores and that Cancel writes nothing).
#include "columns.h"
#include "coretesting.h"
#include "fixture.h"

#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "localeseparators.h"
#include "numericconversion.h"
#include "rangeeditor.h"
#include "rangerules.h"
#include "xcdialogdataediting.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>
#include <optional>

using VeltTest::CoreBuilder;

namespace {

const char* const kBoxes[] = {"StartText", "StopText", "CenterText", "SpanText", "StepSizeText", "PointsText"};

QString general(double value) { return Velt::NumericConversion::formatGeneral(value); }

// What the core holds for a range: "start..stop #points", its "View As" and its units.
QString state(QuenHandle range)
{
    double start = 0, stop = 0;
    int32_t points = 0;
    QuenRangeGetValues(range, &start, &stop, &points);
    return QStringLiteral("%1..%2 #%3 | %4 | %5")
        .arg(general(start), general(stop))
        .arg(points)
        .arg(CoreBuilder::string(range, "View As"), CoreBuilder::string(range, "Units"));
}

// "Caption=Text" of every line, "!error" appended where a line has one.
QStringList lines(XCStructEditFields& fields)
{
    QStringList out;
    for (int i = 0; i < fields.Count(); ++i) {
        XCStructEditField* field = fields.Item(i);
        const QString text = field->Text();
        out << field->Caption() + u'=' + text + (field->ErrorMessage().isEmpty() ? QString() : u'!' + field->ErrorMessage());
    }
    return out;
}

XCStructEditField* line(XCStructEditFields& fields, const QString& caption)
{
    for (int i = 0; i < fields.Count(); ++i) {
        if (fields.Item(i)->Caption() == caption)
            return fields.Item(i);
    }
    return nullptr;
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

    template <typename T = QLineEdit>
    static T* child(RangeEditor& editor, const char* name)
    {
        return editor.panel()->findChild<T*>(QString::fromLatin1(name));
    }
    static void type(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }
    static void press(RangeEditor& editor, const char* button)
    {
        editor.host()->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
    }
    // "Start,Stop,Points": the boxes that take input.
    static QString enabledBoxes(RangeEditor& editor)
    {
        QStringList enabled;
        for (const char* name : kBoxes) {
            if (child(editor, name)->isEnabled())
                enabled << QString::fromLatin1(name).chopped(4);
        }
        return enabled.join(u',');
    }
    // The dialog's actions, one a line: "Name" clicks an option, "Name=text" types into a box.
    static void act(RangeEditor& editor, const QStringList& actions)
    {
        for (const QString& action : actions) {
            const qsizetype equals = action.indexOf(u'=');
            if (equals < 0)
                child<QRadioButton>(editor, action.toLatin1().constData())->click();
            else
                type(child(editor, action.left(equals).toLatin1().constData()), action.mid(equals + 1));
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

    // A line changed through the collection: what the core then holds, the line's error, and
    // whether the viewer must read every line again.
    void fieldChanges_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString, bool>({"view", "caption", "text", "state", "error", "refresh"});
        const QString unchanged = QStringLiteral("0..10 #11 | <absent> | mV");
        QTest::newRow("row") << "" << "Sweep" << "2, 4 #5" << "2..4 #5 | <absent> | mV" << "" << true;
        QTest::newRow("row switches the view") << "" << "Sweep" << "5; 10 :0.5 mV" << "0..10 #21 | Center; Span :Step | mV" << "" << true;
        QTest::newRow("row back to the default view") << "Center; Span :Step" << "Sweep" << "1, 3 #3 mV" << "1..3 #3 | <absent> | mV" << "" << true;
        QTest::newRow("row with a negative span") << "" << "Sweep" << "5; -1 #3" << unchanged << "'Span value' must be greater than or equal to zero" << false;
        QTest::newRow("row with 40000 points") << "" << "Sweep" << "0, 10 #40000" << unchanged << "The Number of points is not a legal integer value: Overflow" << false;
        QTest::newRow("row without points") << "" << "Sweep" << "0, 10 #" << unchanged << "The Number of points is not a legal integer value: Type mismatch" << false;
        QTest::newRow("row without a stop") << "" << "Sweep" << "3 #2" << unchanged << "The Stop value cannot be blank" << false;
        QTest::newRow("start") << "" << "Start value" << "-5" << "-5..10 #11 | <absent> | mV" << "" << true;
        QTest::newRow("center") << "Center; Span #Points" << "Center value" << "1" << "-4..6 #11 | Center; Span #Points | mV" << "" << true;
        QTest::newRow("negative span") << "Center; Span #Points" << "Span value" << "-1" << "0..10 #11 | Center; Span #Points | mV" << "'Span value' must be greater than or equal to zero" << false;
        QTest::newRow("step") << "Start, Stop :Step" << "Step size" << "2.5" << "0..10 #5 | Start, Stop :Step | mV" << "" << true;
        QTest::newRow("points") << "" << "Number of points" << "3" << "0..10 #3 | <absent> | mV" << "" << true;
        QTest::newRow("blank points") << "" << "Number of points" << " " << unchanged << "The Number of points is not a legal integer value: Type mismatch" << false;
        QTest::newRow("view") << "" << "View As" << "Center; Span :Step" << "0..10 #11 | Center; Span :Step | mV" << "" << true;
        QTest::newRow("default view removes it") << "Start, Stop :Step" << "View As" << "Start, Stop #Points" << unchanged << "" << true;
        QTest::newRow("units") << "" << "Units" << " Hz " << "0..10 #11 | <absent> | Hz" << "" << true;
        QTest::newRow("no units") << "" << "Units" << "" << "0..10 #11 | <absent> | <absent>" << "" << true;
    }
    void fieldChanges()
    {
        QFETCH(QString, view);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(bool, refresh);
        prepare(view, QStringLiteral("mV"));
        XCStructEditFields fields;
        fields.AttachParameter(sweep, 0, locals, true, false, false);
        XCStructEditField* field = caption == u"Sweep" ? fields.Item(0) : line(fields, caption);
        QVERIFY(field);
        field->setText(text);
        QTEST(state(range), "state");
        QTEST(field->ErrorMessage(), "error");
        QCOMPARE(fields.Age() == 1, refresh);
        QVERIFY(fixture.services.shownErrors().isEmpty());
    }

    // What the core refuses is shown as the core's error, and changes nothing.
    void coreRefusalsAreShown_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString>({"view", "caption", "text", "shown", "state"});
        const QString byStep = QStringLiteral("Start, Stop :Step");
        QTest::newRow("step 0") << byStep << "Step size" << "0" << "the step must not be 0" << "0..10 #11 | Start, Stop :Step | <absent>";
        QTest::newRow("no points") << "" << "Number of points" << "0" << "the number of points must be at least 1, not 0" << "0..10 #11 | <absent> | <absent>";
        // The row is stored in order: what the core took before stays, and so does the view typed.
        QTest::newRow("row with no points") << byStep << "Sweep" << "2, 10 #-3" << "the number of points must be at least 1, not -3" << "2..10 #11 | <absent> | <absent>";
    }
    void coreRefusalsAreShown()
    {
        QFETCH(QString, view);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        prepare(view, QString());
        XCStructEditFields fields;
        fields.AttachParameter(sweep, 0, locals, true, false, false);
        XCStructEditField* field = caption == u"Sweep" ? fields.Item(0) : line(fields, caption);
        field->setText(text);
        QCOMPARE(fixture.services.shownErrors().size(), 1);
        QFETCH(QString, shown);
        QVERIFY2(fixture.services.shownErrors().constFirst().contains(shown), qPrintable(fixture.services.shownErrors().constFirst()));
        QTEST(state(range), "state");
        QVERIFY(field->ErrorMessage().isEmpty() && !QuenExcRegIsError(0));
    }

    // The dialog opens with the stored view: its options ticked and its boxes enabled; choosing
    // options moves the enabled boxes and fills them from the working copy.
    void options_data()
    {
        VeltTest::columns<QString, QStringList, QString, QString>({"view", "actions", "enabled", "checked"});
        QTest::newRow("default") << "" << QStringList{} << "Start,Stop,Points" << "StartStopOption,PointsOption";
        QTest::newRow("stored center/span by step") << "Center; Span :Step" << QStringList{} << "Center,Span,StepSize" << "CenterSpanOption,StepSizeOption";
        QTest::newRow("to center/span") << "" << QStringList{"CenterSpanOption"} << "Center,Span,Points" << "CenterSpanOption,PointsOption";
        QTest::newRow("to step") << "" << QStringList{"StepSizeOption"} << "Start,Stop,StepSize" << "StartStopOption,StepSizeOption";
        QTest::newRow("there and back") << "Center; Span :Step" << QStringList{"StartStopOption", "PointsOption", "CenterSpanOption"} << "Center,Span,Points" << "CenterSpanOption,PointsOption";
    }
    void options()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, actions);
        prepare(view, QString());
        RangeEditor editor;
        CountingDataEditorSite site;
        editor.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, true, false, false);
        act(editor, actions);
        QTEST(enabledBoxes(editor), "enabled");
        QStringList checked;
        for (const char* name : {"StartStopOption", "CenterSpanOption", "StepSizeOption", "PointsOption"}) {
            if (child<QRadioButton>(editor, name)->isChecked())
                checked << QString::fromLatin1(name);
        }
        QTEST(checked.join(u','), "checked");
        QStringList texts;
        for (const char* name : kBoxes)
            texts << child(editor, name)->text();
        QCOMPARE(texts.join(u' '), QStringLiteral("0.0 10.0 5.0 10.0 1.0 11"));
        press(editor, "CancelCommand");
    }

    // Typing sets the working copy (never the item), shows what the copy now holds beside the
    // typed box, and keeps the summary line.
    void typing_data()
    {
        VeltTest::columns<QString, QStringList, QString, QString, QString, QString>({"view", "actions", "copy", "boxes", "status", "error"});
        QTest::newRow("stop") << "" << QStringList{"StopText=20"} << "0..20 #11" << "0.0|20|11" << "0.0, 20 #11" << "";
        QTest::newRow("span moves the step") << "Center; Span :Step" << QStringList{"SpanText=20"} << "-5..15 #11" << "5.0|20|2.0" << "5.0; 20 :2.0" << "";
        QTest::newRow("step sets the points") << "Start, Stop :Step" << QStringList{"StepSizeText=2.5"} << "0..10 #5" << "0.0|10.0|2.5" << "0.0, 10.0 :2.5" << "";
        QTest::newRow("unreadable stop") << "" << QStringList{"StopText=x"} << "0..10 #11" << "0.0|x|11" << "" << "The Stop value is not a legal numeric value: Type mismatch";
        // Each keystroke is read: "4000" was set before the fifth key overflowed.
        QTest::newRow("40000 points") << "" << QStringList{"PointsText=40000"} << "0..10 #4000" << "0.0|10.0|40000" << "" << "The Number of points is not a legal integer value: Overflow";
        QTest::newRow("step 0 refused by the core") << "Start, Stop :Step" << QStringList{"StepSizeText=0"} << "0..10 #11" << "0.0|10.0|0" << "" << "the step must not be 0";
        QTest::newRow("mended") << "" << QStringList{"StopText=x", "StopText=4"} << "0..4 #11" << "0.0|4|11" << "0.0, 4 #11" << "";
        QTest::newRow("after an option") << "" << QStringList{"CenterSpanOption", "CenterText=1"} << "-4..6 #11" << "1|10.0|11" << "1; 10.0 #11" << "";
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
            if (child(editor, name)->isEnabled())
                boxes << child(editor, name)->text();
        }
        QTEST(boxes.join(u'|'), "boxes");
        QTEST(editor.host()->ErrorMessage(), "error");
        if (editor.host()->ErrorMessage().isEmpty())
            QTEST(editor.host()->StatusMessage(), "status");
        QCOMPARE(state(range), before);
        QVERIFY(!QuenExcRegIsError(0));
        press(editor, "CancelCommand");
    }

    // OK stores the chosen view's quantities from the working copy, the view ("View As" gone
    // for the default one) and the units; the copy is released.
    void accept_data()
    {
        VeltTest::columns<QString, QStringList, QString>({"view", "actions", "state"});
        QTest::newRow("unchanged default") << "" << QStringList{} << "0..10 #11 | <absent> | V";
        QTest::newRow("to the default view") << "Center; Span :Step" << QStringList{"StartStopOption", "PointsOption"} << "0..10 #11 | <absent> | V";
        QTest::newRow("center/span by step") << "" << QStringList{"CenterSpanOption", "StepSizeOption", "SpanText=4", "StepSizeText=0.5"} << "3..7 #9 | Center; Span :Step | V";
        QTest::newRow("start/stop by step") << "" << QStringList{"StepSizeOption", "StopText=3", "StepSizeText=1"} << "0..3 #4 | Start, Stop :Step | V";
        QTest::newRow("points then stop") << "" << QStringList{"PointsText=3", "StartText=-2"} << "-2..10 #3 | <absent> | V";
        QTest::newRow("units") << "" << QStringList{"UnitsText= mV "} << "0..10 #11 | <absent> | mV";
        QTest::newRow("no units") << "" << QStringList{"UnitsText="} << "0..10 #11 | <absent> | <absent>";
        QTest::newRow("an error typed is not stored") << "" << QStringList{"StopText=20", "StopText=x"} << "0..20 #11 | <absent> | V";
    }
    void accept()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, actions);
        prepare(view, QStringLiteral("V"));
        const int32_t live = QuenCoreGetLiveObjectCount();
        RangeEditor editor;
        CountingDataEditorSite site;
        editor.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, true, false, false);
        QVERIFY(editor.workingCopy() != 0 && QuenCoreGetLiveObjectCount() == live + 1);
        act(editor, actions);
        press(editor, "OKCommand");
        QTEST(state(range), "state");
        QCOMPARE(site.AcceptCount(), 1);
        QVERIFY(editor.workingCopy() == 0 && QuenCoreGetLiveObjectCount() <= live + 1); // the units may be new
        QVERIFY(fixture.services.shownErrors().isEmpty());
    }

    // Cancel, and a new edit over an open one, write nothing and release the copy.
    void cancelWritesNothing_data()
    {
        VeltTest::columns<QString, QStringList>({"view", "actions"});
        QTest::newRow("typed") << "Start, Stop :Step" << QStringList{"StopText=20", "StepSizeText=0.5", "UnitsText=Hz"};
        QTest::newRow("options") << "" << QStringList{"CenterSpanOption", "StepSizeOption", "SpanText=4"};
    }
    void cancelWritesNothing()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, actions);
        prepare(view, QStringLiteral("V"));
        const QString before = state(range);
        const int32_t live = QuenCoreGetLiveObjectCount();
        RangeEditor editor;
        CountingDataEditorSite site;
        editor.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, true, false, false);
        act(editor, actions);
        press(editor, "CancelCommand");
        QCOMPARE(state(range), before);
        QCOMPARE(QuenCoreGetLiveObjectCount(), live);
        QCOMPARE(site.CancelCount(), 1);
        // An edit left open when the editor goes releases its copy too.
        {
            RangeEditor open;
            open.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, true, false, false);
            act(open, actions);
        }
        QCOMPARE(state(range), before);
        QCOMPARE(QuenCoreGetLiveObjectCount(), live);
    }

    void unitsOnlyAtDesignTime_data()
    {
        VeltTest::columns<bool>({"designTime"});
        QTest::newRow("design time") << true;
        QTest::newRow("run time") << false;
    }
    void unitsOnlyAtDesignTime()
    {
        QFETCH(bool, designTime);
        prepare(QString(), QStringLiteral("V"));
        RangeEditor editor;
        CountingDataEditorSite site;
        editor.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, designTime, false, false);
        QCOMPARE(child(editor, "UnitsText")->text(), QStringLiteral("V"));
        QCOMPARE(child(editor, "UnitsText")->isReadOnly(), !designTime);
        press(editor, "CancelCommand");
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
        QWidget* start = child(editor, "StartText");
        QCOMPARE(start->nextInFocusChain()->objectName(), QStringLiteral("StopText"));
    }
};

QTEST_MAIN(RangeEditorTest)
#include "rangeeditortest.moc"
