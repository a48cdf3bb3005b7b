// The range editor over real core items: its structured fields, and its dialog.
#include "columns.h"
#include "coretesting.h"
#include "fieldlines.h"
#include "fixture.h"
#include "numbertesting.h"

#include "rangeeditor.h"
#include "xcstructeditfieldenums.h"

#include <QRadioButton>

#include <memory>

using VeltTest::CoreBuilder;
using NumberTest::child;

namespace {

// What the core holds for a range: "start..stop #points | View As | Units".
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

    // A range parameter "Sweep" of 0..10 in 11 points, with the view and units given ("" for none).
    void prepare(const QString& view, const QString& units)
    {
        core = std::make_unique<CoreBuilder>();
        locals = core->block();
        sweep = CoreBuilder::parm(locals, "Sweep", "CQuenRange");
        range = QuenParmGetData(sweep);
        QVERIFY(QuenRangeSetValues(range, 0, 10, 11));
        for (const auto& [name, text] : {std::pair{"View As", view}, std::pair{"Units", units}}) {
            if (!text.isEmpty())
                CoreBuilder::setString(range, name, text.toUtf8().constData());
        }
    }

private Q_SLOTS:
    void init() { fixture.begin(); }
    void cleanup()
    {
        core.reset();
        fixture.end();
    }

    // The lines of the stored view in the locale's separators; no empty units line at run time.
    void fields()
    {
        prepare(QStringLiteral("Center; Span :Step"), QString());
        const Velt::LocaleSeparators::Override locale(u'.', u';');
        XCStructEditFields fields;
        fields.AttachParameter(sweep, 0, locals, false, false, false);
        QCOMPARE(VeltTest::fieldLines(fields), QStringList({"Sweep=5.0< 10.0 :1.0", "View As=Center< Span :Step", "Center value=5.0", "Span value=10.0", "Step size=1.0"}));
        XCStructEditFieldEnums* choices = VeltTest::line(fields, "View As")->Enumeration();
        QCOMPARE(QString::number(choices->Count()) + choices->Text(4), QStringLiteral("4Center< Span :Step"));
        XCStructEditFields atDesignTime; // where the units are set, empty or not
        atDesignTime.AttachParameter(sweep, 0, locals, true, false, false);
        QVERIFY(VeltTest::line(atDesignTime, "Units"));
    }

    // A line changed: what the core then holds, the line's error, and the core's refusal shown.
    void fieldChanges_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString, QString>({"view", "caption", "text", "state", "error", "shown"});
        const QString spanMessage = QStringLiteral("'Span value' must be greater than or equal to zero");
        QTest::newRow("row switches the view") << "" << "Sweep" << "5; 10 :0.5 mV" << "0..10 #21 | Center; Span :Step | mV" << "" << "";
        QTest::newRow("row with a negative span") << "" << "Sweep" << "5; -1 #3" << "0..10 #11 | <absent> | mV" << spanMessage << "";
        // Stored in order: what the core took before its refusal stays, and so does the view typed.
        QTest::newRow("row with no points") << "Start, Stop :Step" << "Sweep" << "2, 10 #-3" << "2..10 #11 | <absent> | mV" << "" << "the number of points must be at least 1, not -3";
        QTest::newRow("negative center") << "Center; Span #Points" << "Center value" << "-1" << "-6..4 #11 | Center; Span #Points | mV" << "" << "";
        QTest::newRow("negative span") << "Center; Span #Points" << "Span value" << "-1" << "0..10 #11 | Center; Span #Points | mV" << spanMessage << "";
        QTest::newRow("step 0") << "Start, Stop :Step" << "Step size" << "0" << "0..10 #11 | Start, Stop :Step | mV" << "" << "the step must not be 0";
        QTest::newRow("view") << "" << "View As" << "Center; Span :Step" << "0..10 #11 | Center; Span :Step | mV" << "" << "";
        QTest::newRow("units") << "" << "Units" << " Hz " << "0..10 #11 | <absent> | Hz" << "" << "";
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
        XCStructEditField* field = caption == u"Sweep" ? fields.Item(0) : VeltTest::line(fields, caption);
        QVERIFY(field);
        field->setText(text);
        QTEST(state(range), "state");
        QCOMPARE(field->ErrorMessage() + '|' + QString::number(fields.Age()), error + (error.isEmpty() ? "|1" : "|0"));
        const QStringList shownErrors = fixture.services.shownErrors();
        QVERIFY2(shown.isEmpty() ? shownErrors.isEmpty() : shownErrors.size() == 1 && shownErrors.constFirst().contains(shown), qPrintable(shownErrors.join(u'\n')));
    }

    // The dialog opens on the stored view and the options move it. Typing sets the working copy,
    // never the item, showing the view's boxes and the summary or first error; OK stores the copy
    // in the view's order, the view and the units; Cancel, or closing with the edit open, nothing.
    void dialog_data()
    {
        VeltTest::columns<QString, bool, QStringList, QString, QString, QString, QString>({"view", "designTime", "actions", "boxes", "status", "button", "state"});
        const QString unchanged = QStringLiteral("0..10 #11 | <absent> | V");
        const QString summary = QStringLiteral("0.0, 10.0 #11");
        const QString defaultBoxes = QStringLiteral("Start=0.0|Stop=10.0|Points=11");
        QTest::newRow("there and back to the default view") << "Center; Span :Step" << true << QStringList{"StartStopOption", "PointsOption", "CenterSpanOption", "StartStopOption"} << defaultBoxes << summary << "OKCommand" << unchanged;
        QTest::newRow("span moves the step") << "Center; Span :Step" << true << QStringList{"SpanText=20"} << "Center=5.0|Span=20|StepSize=2.0" << "5.0; 20 :2.0" << "OKCommand" << "-5..15 #11 | Center; Span :Step | V";
        // The span is stored before the step: the other way round the span would keep 21 points.
        QTest::newRow("span then step") << "" << true << QStringList{"CenterSpanOption", "StepSizeOption", "SpanText=4", "StepSizeText=0.5"} << "Center=5.0|Span=4.0|StepSize=0.5" << "5.0; 4.0 :0.5" << "OKCommand" << "3..7 #9 | Center; Span :Step | V";
        QTest::newRow("an error typed is not stored") << "" << true << QStringList{"StopText=20", "StopText=x"} << "Start=0.0|Stop=x|Points=11" << "The Stop value is not a legal numeric value: Type mismatch" << "OKCommand" << "0..20 #11 | <absent> | V";
        QTest::newRow("step 0 refused by the core") << "Start, Stop :Step" << true << QStringList{"StepSizeText=0"} << "Start=0.0|Stop=10.0|StepSize=0" << "the step must not be 0" << "OKCommand" << "0..10 #11 | Start, Stop :Step | V";
        QTest::newRow("units") << "" << true << QStringList{"UnitsText= mV "} << defaultBoxes << summary << "OKCommand" << "0..10 #11 | <absent> | mV";
        QTest::newRow("units are read-only at run time") << "" << false << QStringList{"UnitsText=mV"} << defaultBoxes << summary << "OKCommand" << unchanged;
        const QStringList changes{"CenterSpanOption", "StepSizeOption", "SpanText=4", "StepSizeText=0.5", "UnitsText=Hz"};
        QTest::newRow("cancel") << "" << true << changes << "Center=5.0|Span=4.0|StepSize=0.5" << "5.0; 4.0 :0.5" << "CancelCommand" << unchanged;
        QTest::newRow("left open") << "" << true << changes << "Center=5.0|Span=4.0|StepSize=0.5" << "5.0; 4.0 :0.5" << "" << unchanged;
    }
    void dialog()
    {
        QFETCH(QString, view);
        QFETCH(bool, designTime);
        QFETCH(QStringList, actions);
        QFETCH(QString, button);
        prepare(view, QStringLiteral("V"));
        const QString before = state(range);
        CountingDataEditorSite site;
        {
            RangeEditor editor;
            editor.host()->dialogEditing()->EditParameter(&site, sweep, 0, locals, designTime, false, false);
            for (const QString& action : actions) { // "Name" clicks, "Name=text" types
                const QStringList parts = action.split(u'=');
                if (parts.size() == 1)
                    child<QRadioButton>(&editor, qPrintable(action))->click();
                else
                    NumberTest::type(child(&editor, qPrintable(parts[0])), parts[1]);
            }
            QStringList boxes;
            for (const char* name : {"StartText", "StopText", "CenterText", "SpanText", "StepSizeText", "PointsText"}) {
                if (child(&editor, name)->isEnabled())
                    boxes << QString::fromLatin1(name).chopped(4) + u'=' + child(&editor, name)->text();
            }
            QTEST(boxes.join(u'|'), "boxes");
            QVERIFY(child<QRadioButton>(&editor, "CenterSpanOption")->isChecked() == child(&editor, "CenterText")->isEnabled()
                    && child<QRadioButton>(&editor, "StepSizeOption")->isChecked() == child(&editor, "StepSizeText")->isEnabled());
            QTEST(editor.host()->ErrorMessage().isEmpty() ? editor.host()->StatusMessage() : editor.host()->ErrorMessage(), "status");
            QCOMPARE(state(range), before);
            if (!button.isEmpty())
                NumberTest::press(&editor, button.toLatin1().constData());
        }
        QTEST(state(range), "state");
    }
};

QTEST_MAIN(RangeEditorTest)
#include "rangeeditortest.moc"
