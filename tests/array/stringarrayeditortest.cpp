// The string array editor over real core items: its structured face, and its dialog on the
// array frame (bounds, locks, indices, value entry, clipboard commands, views) with what OK and
// Cancel leave in the item.
#include "columns.h"
#include "coretesting.h"
#include "fieldlines.h"
#include "fixture.h"

#include "arrayeditorbase_p.h"
#include "arraygridmodel_p.h"
#include "arraygridview_p.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "stringarrayeditor.h"
#include "updown_p.h"
#include "xcdialogdataediting.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <memory>

using VeltTest::CoreBuilder;

namespace {

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

// Everything an edit may change in an item: bounds, values and the editor's properties.
QStringList snapshot(QuenHandle item)
{
    QStringList out{QStringLiteral("%1..%2 of %3").arg(QuenArrayGetLowerBound(item, 0)).arg(QuenArrayGetUpperBound(item, 0)).arg(QuenArrayGetSize(item))};
    for (int32_t i = QuenArrayGetLowerBound(item, 0); QuenArrayGetSize(item) > 0 && i <= QuenArrayGetUpperBound(item, 0); ++i)
        out << s(QuenStrArrGetAt1(item, i));
    out << CoreBuilder::string(item, "View As");
    const QuenHandle locks = QuenDataExGetProperty(item, "Locks");
    out << (locks ? QStringLiteral("Locks ") + s(QuenStrArrGetAt1(locks, 0)) : QStringLiteral("no Locks"));
    return out;
}

} // namespace

class StringArrayEditorTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    std::unique_ptr<CoreBuilder> core;
    std::unique_ptr<StringArrayEditor> editor;
    std::unique_ptr<CountingDataEditorSite> site;

    QuenHandle array(int32_t lower, const QStringList& values)
    {
        const QuenHandle item = *core << QuenStrArrCreate(lower, lower + int32_t(values.size()) - 1);
        for (int i = 0; i < values.size(); ++i)
            QuenStrArrSetAt1(item, lower + i, values.at(i).toUtf8().constData());
        return item;
    }
    // A parameter holding the array, for the structured face.
    QuenHandle parameter(QuenHandle item)
    {
        const QuenHandle parm = CoreBuilder::parm(core->block(), "Pins", "CQuenStringArray");
        QuenParmSetData(parm, QuenDataExDeepCopy(item));
        return parm;
    }
    void open(QuenHandle item, bool designTime = true)
    {
        editor = std::make_unique<StringArrayEditor>();
        site = std::make_unique<CountingDataEditorSite>();
        editor->host()->dialogEditing()->EditData(site.get(), item, 0, designTime, false);
    }
    void close(bool accept)
    {
        editor->host()->findChild<QPushButton*>(accept ? s("OKCommand") : s("CancelCommand"))->click();
    }
    template <typename T>
    T* child(const char* name) { return editor->panel()->findChild<T*>(s(name)); }
    Velt::ArrayGridView* grid() { return child<Velt::ArrayGridView>("StringArrayList"); }
    QLineEdit* bound(bool lower) { return qobject_cast<QLineEdit*>(lower ? editor->LowerText(0) : editor->UpperText(0)); }
    QString error() const { return editor->host()->ErrorMessage(); }
    QStringList column()
    {
        QStringList out;
        for (int r = 0; r < grid()->model()->rowCount(); ++r)
            out << grid()->model()->headerData(r, Qt::Vertical).toString() + u'=' + grid()->model()->index(r, 0).data().toString();
        return out;
    }
    // Types a bound and leaves the box, as a user does.
    void typeBound(bool lower, const QString& text)
    {
        bound(lower)->setText(text);
        Q_EMIT bound(lower)->textEdited(text);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(bound(lower), &out);
    }

private Q_SLOTS:
    void init()
    {
        fixture.begin();
        core = std::make_unique<CoreBuilder>();
    }
    void cleanup()
    {
        editor.reset();
        site.reset();
        core.reset();
        QuenArraySetDefaultMaxSize(65535);
        fixture.end();
    }

    // The lines of an array in characters, then of one in hexadecimal.
    void fields()
    {
        const QuenHandle hex = array(-3, {"AB"});
        CoreBuilder::setString(hex, "View As", "Hexadecimal");
        XCStructEditFields fields;
        fields.AttachParameter(parameter(array(1, {"J1-1", ""})), 0, 0, true, false, false);
        const QStringList characters = VeltTest::fieldLines(fields);
        fields.AttachParameter(parameter(hex), 0, 0, true, false, false);
        QCOMPARE(characters + VeltTest::fieldLines(fields), QStringList({"Pins=2 character strings indexed from 1 to 2", "String (1)=J1-1", "String (2)=", "View As=Characters",
                                                                          "Pins=1 hex string indexed from -3 to -3", "String (-3)=41 42", "View As=Hexadecimal"}));
    }

    void fieldChanges_data()
    {
        VeltTest::columns<QString, int, QString, QString, QStringList>({"view", "field", "text", "error", "item"});
        QTest::newRow("element in octal") << "Octal" << 2 << "101 102" << "" << QStringList{"1..2 of 2", "a", "AB", "Octal", "no Locks"};
        QTest::newRow("view chosen") << "" << 3 << "Hexadecimal" << "" << QStringList{"1..2 of 2", "a", "b", "Hexadecimal", "no Locks"};
        QTest::newRow("characters removes the view") << "Octal" << 3 << " Characters " << "" << QStringList{"1..2 of 2", "a", "b", "<absent>", "no Locks"};
        QTest::newRow("root") << "" << 0 << "x" << "Internal Error: This field should not be editable" << QStringList{"1..2 of 2", "a", "b", "<absent>", "no Locks"};
    }
    void fieldChanges()
    {
        QFETCH(QString, view);
        QFETCH(int, field);
        const QuenHandle item = array(1, {"a", "b"});
        if (!view.isEmpty())
            CoreBuilder::setString(item, "View As", view.toUtf8().constData());
        const QuenHandle parm = parameter(item);
        XCStructEditFields fields;
        fields.AttachParameter(parm, 0, 0, true, false, false);
        QFETCH(QString, text);
        if (field == 0) {
            // The root line is locked: a viewer never changes it, the editor refuses it anyway.
            fields.Item(0)->setText(text);
            bool refresh = false;
            StringArrayEditor direct;
            direct.FieldChanged(QuenParmGetData(parm), *fields.Item(0), true, refresh);
        } else {
            fields.Item(field)->setText(text);
        }
        QTEST(fields.Item(field)->ErrorMessage(), "error");
        QTEST(snapshot(QuenParmGetData(parm)), "item");
    }

    void emptyArrayOpensOnDimensions()
    {
        const QuenHandle item = *core << QuenStrArrCreate(0, -1);
        open(item);
        QCOMPARE(child<QTabWidget>("ArrayTabs")->currentWidget()->objectName() + u' ' + bound(true)->text() + u' ' + bound(false)->text() + u' ' + child<QLineEdit>("TotalText")->text(), s("DimensionsPage 0 0 1"));
        close(true);
        QCOMPARE(snapshot(item), QStringList({"0..0 of 1", "", "<absent>", "no Locks"}));
    }

    void lowerBoundStepsKeepValues()
    {
        const QuenHandle item = array(1, {"a", "b", "c"});
        open(item);
        auto* steps = qobject_cast<Velt::UpDown*>(editor->LowerUpDown(0));
        child<QCheckBox>("LowerLockedCheck")->setChecked(false);
        steps->downButton()->click();
        QTest::keyClick(bound(true), Qt::Key_Down);
        QCOMPARE(bound(true)->text() + u' ' + child<QLineEdit>("TotalText")->text() + u' ' + child<QLineEdit>("IndexText")->text(), s("-1 5 -1"));
        QCOMPARE(column(), QStringList({"-1=", "0=", "1=a", "2=b", "3=c"}));
        steps->upButton()->click();
        QTest::keyClick(bound(true), Qt::Key_Up);
        QCOMPARE(column().first() + ' ' + snapshot(item).first(), s("1=a 1..3 of 3")); // the item waits for OK
    }

    void boundErrorsLeaveTheGrid_data()
    {
        VeltTest::columns<bool, QString, QString>({"lower", "text", "error"});
        QTest::newRow("crossed") << true << "4" << "'Lower' must be less than 'Upper Array Bounds'";
        QTest::newRow("M+1 elements") << false << "10" << "Total number of strings is limited to 10";
        QTest::newRow("M elements") << false << "9" << "";
    }
    void boundErrorsLeaveTheGrid()
    {
        QFETCH(bool, lower);
        QFETCH(QString, text);
        QuenArraySetDefaultMaxSize(10);
        open(array(0, {"a", "b", "c"}));
        child<QCheckBox>("LowerLockedCheck")->setChecked(false);
        typeBound(lower, text);
        QTEST(error(), "error");
        QCOMPARE(grid()->model()->rowCount(), error().isEmpty() ? 10 : 3);
    }

    void locksControlTheBoundBoxes()
    {
        const QuenHandle item = array(1, {"a"});
        CoreBuilder::attach(item, "Locks", QuenDataExDeepCopy(array(0, {"Upper"})));
        open(item);
        auto* lowerLocked = qobject_cast<QCheckBox*>(editor->LowerLockedCheck(0));
        auto* upperLocked = qobject_cast<QCheckBox*>(editor->UpperLockedCheck(0));
        const auto state = [&](bool lower) {
            QLineEdit* box = bound(lower);
            auto* steps = qobject_cast<QWidget*>(lower ? editor->LowerUpDown(0) : editor->UpperUpDown(0));
            return QStringLiteral("%1%2%3").arg(box->isReadOnly() ? 'R' : 'w').arg(box->focusPolicy() == Qt::NoFocus ? 'N' : 'f').arg(steps->isEnabled() ? 's' : '-');
        };
        QCOMPARE(QStringList({state(true), state(false)}), QStringList({"wfs", "RN-"}));
        lowerLocked->setChecked(true);
        upperLocked->setChecked(false);
        QTest::keyClick(bound(true), Qt::Key_Down); // a locked bound does not step from the keyboard
        QCOMPARE(QStringList({state(true), state(false), bound(true)->text()}), QStringList({"RN-", "wfs", "1"}));
        close(true);
        QCOMPARE(snapshot(item).last(), s("no Locks")); // back to the default: removed

        open(item, false);
        QVERIFY(!qobject_cast<QCheckBox*>(editor->LowerLockedCheck(0))->isEnabled());
        close(false);
    }

    void indexNavigation()
    {
        open(array(1, {"a", "b", "c", "d"}));
        auto* index = child<QLineEdit>("IndexText");
        index->setText(s("3"));
        Q_EMIT index->textEdited(index->text());
        QCOMPARE(QString::number(grid()->currentIndex().row()) + child<QLineEdit>("ValueText")->text() + error(), s("2c"));
        QTest::keyClick(index, Qt::Key_Up);
        QTest::keyClick(index, Qt::Key_Up);
        QTest::keyClick(index, Qt::Key_Up); // not past the last row
        QCOMPARE(index->text() + child<QLineEdit>("ValueText")->text(), s("4d"));
    }

    void valueEntryAndAccept()
    {
        const QuenHandle item = array(1, {"a", "b"});
        open(item);
        child<QCheckBox>("LowerLockedCheck")->setChecked(false);
        child<QCheckBox>("UpperLockedCheck")->setChecked(true);
        auto* value = child<QLineEdit>("ValueText");
        value->setText(s("first"));
        Q_EMIT value->textEdited(value->text());
        QTest::keyClick(value, Qt::Key_Return);
        // The overlay box and ValueText show the same text; button 1 drops the edit.
        grid()->setCurrentIndex(grid()->model()->index(1, 0));
        grid()->editCell();
        auto* cell = grid()->findChild<QLineEdit*>(s("StringArrayEditText"));
        cell->setText(s("dropped"));
        QCOMPARE(value->text(), s("dropped"));
        child<QToolBar>("ValueToolbar")->actions().first()->trigger();
        QCOMPARE(column(), QStringList({"1=first", "2=b"}));
        // Enter in the overlay box stores the cell and goes one row down.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed box goes
        grid()->setCurrentIndex(grid()->model()->index(0, 0));
        grid()->editCell();
        cell = grid()->findChild<QLineEdit*>(s("StringArrayEditText"));
        cell->setText(s("second"));
        QTest::keyClick(cell, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits through a queued call
        QCOMPARE(column() << QString::number(grid()->currentIndex().row()), QStringList({"1=second", "2=b", "1"}));
        // Entered in octal, stored as characters.
        child<QRadioButton>("ViewAsOctalOption")->click();
        QCOMPARE(value->text(), s("142"));
        value->setText(s("103"));
        Q_EMIT value->textEdited(value->text());
        child<QToolBar>("ValueToolbar")->actions().last()->trigger();
        QCOMPARE(editor->host()->StatusMessage(), s("Octal view of \"C\""));
        close(true);
        QCOMPARE(snapshot(item), QStringList({"1..2 of 2", "second", "C", "Octal", "Locks Upper"}));
    }

    void cancelWritesNothing()
    {
        const QuenHandle item = array(1, {"a", "b"});
        CoreBuilder::setString(item, "View As", "Hexadecimal");
        const QStringList before = snapshot(item);
        open(item);
        grid()->model()->setData(grid()->model()->index(0, 0), s("7A"));
        child<QRadioButton>("ViewAsCharactersOption")->click();
        child<QCheckBox>("LowerLockedCheck")->setChecked(false);
        typeBound(false, s("5"));
        close(false);
        QCOMPARE(snapshot(item) << QString::number(site->CancelCount()), before + QStringList{"1"});
    }

    void clipboardCommands()
    {
        open(array(1, {"a", "b", "c", "d"}));
        child<QRadioButton>("ViewAsHexOption")->click();
        grid()->selectCells(0, 0, 1, 0);
        grid()->action(s("CutAction"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), s("61\n62"));
        // Three lines into the cell two rows above the end: two rows written, one left over.
        QGuiApplication::clipboard()->setText(s("41\n42\n43"));
        grid()->selectCells(2, 0, 2, 0);
        grid()->action(s("PasteAction"))->trigger();
        QCOMPARE(column(), QStringList({"1=", "2=", "3=41", "4=42"}));
        QCOMPARE(editor->host()->StatusMessage() + error(), s("More data on clipboard.  Select larger area to paste?"));
        // Text that is not in the view changes nothing, and beeps.
        QGuiApplication::clipboard()->setText(s("41\nZZ"));
        grid()->selectCells(0, 0, 0, 0);
        grid()->action(s("PasteAction"))->trigger();
        QCOMPARE(error() + QString::number(fixture.services.beeps()), s("Cannot paste the buffer because it is not formatted as 'Hexadecimal'.1"));
        grid()->selectAll();
        grid()->action(s("ClearAction"))->trigger();
        QCOMPARE(column(), QStringList({"1=", "2=", "3=", "4="}));
        close(false);
    }
};

QTEST_MAIN(StringArrayEditorTest)
#include "stringarrayeditortest.moc"
