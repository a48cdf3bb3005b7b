// The integer and real array editors in their dialog over real core items: the grid and the
// tabs a shape opens with, the number of dimensions and the locks, the element limit, a cell
// typed outside the restriction from the first key to OK, cancel, the integer view, the real
// chart's tab, and the grid model over the deep copy under QAbstractItemModelTester.
#include "columns.h"
#include "coretesting.h"
#include "fixture.h"

#include "arraychartpanel.h"
#include "arraygridmodel_p.h"
#include "componentregistry.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "dataeditorregistry.h"
#include "localeseparators.h"
#include "numericarraytesting.h"
#include "typeeditorbase.h"
#include "xcdialogdataediting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace Velt;
using namespace NumericArrayTest;
using VeltTest::CoreBuilder;

Q_DECLARE_METATYPE(Velt::ArrayShape)

class NumericArrayEditorTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    std::unique_ptr<TypeEditorBase> m_editor;
    std::unique_ptr<CoreBuilder> m_core;
    std::unique_ptr<CountingDataEditorSite> m_site;

    // A new editor of the family and an array item of it with the shape; element k (in copy
    // order) holds k.
    QuenHandle make(const QString& family, const ArrayShape& s)
    {
        m_editor.reset(qobject_cast<TypeEditorBase*>(ComponentRegistry::instance().create(
            family == u"integer" ? QStringLiteral("VeltEditors.Int32ArrayEditor") : QStringLiteral("VeltEditors.Real64ArrayEditor"))));
        return numbered(*m_core, family, s);
    }
    DataEditor* host() const { return m_editor->findChild<DataEditor*>(QStringLiteral("DataEditor")); }
    void edit(QuenHandle item, bool designTime = true)
    {
        m_site = std::make_unique<CountingDataEditorSite>();
        host()->dialogEditing()->EditData(m_site.get(), item, 0, designTime, false);
    }
    void press(const char* button) { host()->findChild<QAbstractButton*>(QString::fromLatin1(button))->click(); }
    template <typename T = QLineEdit>
    T* child(const char* name) const { return m_editor->findChild<T*>(QString::fromLatin1(name)); }
    QObject* control(const char* getter, int d) const
    {
        QObject* result = nullptr;
        QMetaObject::invokeMethod(m_editor.get(), getter, Q_RETURN_ARG(QObject*, result), Q_ARG(int, d));
        return result;
    }
    QLineEdit* boundText(bool lower, int d) const { return qobject_cast<QLineEdit*>(control(lower ? "LowerText" : "UpperText", d)); }
    bool locked(bool lower, int d) const { return qobject_cast<QCheckBox*>(control(lower ? "LowerLockedCheck" : "UpperLockedCheck", d))->isChecked(); }
    ArrayGridModel* model() const { return m_editor->findChild<ArrayGridModel*>(); }
    static void retype(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }
    void chooseDimensions(const QString& text)
    {
        auto* combo = child<QComboBox>("DimensionsCombo");
        combo->setEditText(text);
        if (combo->lineEdit())
            Q_EMIT combo->lineEdit()->editingFinished();
        Q_EMIT combo->textActivated(text);
    }

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

    // The grid shows one plane with its header row and index column; an array without
    // elements opens on "Dimensions" with one element at 0.
    void opens_data()
    {
        VeltTest::columns<QString, ArrayShape, int, int, QString, QString>({"family", "shape", "gridRows", "gridColumns", "tab", "status"});
        QTest::newRow("real 1..2 x 1..3") << "real" << shape({1, 2, 1, 3}) << 3 << 4 << "Values" << "Value at index (1, 1) is 1.0";
        QTest::newRow("integer vector") << "integer" << shape({-1, 3}) << 6 << 2 << "Values" << "Value at index -1 is 1";
        QTest::newRow("real planes") << "real" << shape({0, 1, 0, 2, 5, 6}) << 3 << 4 << "Values" << "Value at index (0, 0, 5) is 1.0";
        QTest::newRow("empty") << "real" << shape({0, -1}) << 2 << 2 << "Dimensions" << "";
    }
    void opens()
    {
        QFETCH(QString, family);
        QFETCH(ArrayShape, shape);
        const LocaleSeparators::Override separators(QChar('.'), QChar(','));
        const QuenHandle item = make(family, shape);
        edit(item);
        QTEST(model()->rowCount() + 1, "gridRows");
        QTEST(model()->columnCount() + 1, "gridColumns");
        QTEST(child<QTabWidget>("ArrayTabs")->tabText(child<QTabWidget>("ArrayTabs")->currentIndex()), "tab");
        QFETCH(QString, status);
        if (!status.isEmpty())
            QCOMPARE(host()->StatusMessage(), status);
        QCOMPARE(host()->ErrorMessage(), QString());
        press("CancelCommand");
    }

    // From one dimension to two: the added dimension is 0 to 0, and every dimension in use is
    // back to the default locks whatever it had.
    void dimensionsResetLocks()
    {
        const QuenHandle item = make("real", shape({1, 4}));
        CoreBuilder::attach(item, "Locks", [] {
            const QuenHandle locks = QuenStrArrCreate(0, 0);
            QuenStrArrSetAt1(locks, 0, "Upper");
            return locks;
        }());
        edit(item);
        QVERIFY(!locked(true, 0) && locked(false, 0));
        chooseDimensions("2");
        QCOMPARE(host()->ErrorMessage(), QString());
        QCOMPARE(boundText(true, 1)->text(), QStringLiteral("0"));
        QCOMPARE(boundText(false, 1)->text(), QStringLiteral("0"));
        for (int d = 0; d < 2; ++d)
            QVERIFY(locked(true, d) && !locked(false, d));
        press("OKCommand");
        QCOMPARE(snapshot(item), QStringLiteral("2 1..4 0..0: 1 2 3 4|"));
    }

    void dimensionsMessages_data()
    {
        VeltTest::columns<QString, QString, QString>({"family", "text", "error"});
        QTest::newRow("four") << "real" << "4" << "'Number of dimensions' value of real array must be in between 1 and 3 inclusive.";
        QTest::newRow("empty") << "real" << "" << "'Number of dimensions' value must be specified";
        QTest::newRow("letters, integer") << "integer" << "x" << "'Number of dimensions' value of integer array must be an integer";
    }
    void dimensionsMessages()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        const QuenHandle item = make(family, shape({1, 4}));
        const QString before = snapshot(item);
        edit(item);
        chooseDimensions(text);
        QTEST(host()->ErrorMessage(), "error");
        QCOMPARE(model()->rowCount(), 4); // nothing changed
        press("OKCommand");
        QCOMPARE(snapshot(item), before);
    }

    // With a maximum of 100 elements: 10 x 10 is taken, 10 x 11 refused and nothing changes.
    void elementLimit_data()
    {
        VeltTest::columns<QString, QString, QString, int>({"family", "upper", "error", "columns"});
        QTest::newRow("10 x 10") << "real" << "10" << "" << 10;
        QTest::newRow("10 x 11") << "real" << "11" << "Total number of reals is limited to 100" << 1;
        QTest::newRow("10 x 11, integers") << "integer" << "11" << "Total number of integers is limited to 100" << 1;
    }
    void elementLimit()
    {
        QFETCH(QString, family);
        QFETCH(QString, upper);
        const int32_t oldMaximum = QuenArrayGetDefaultMaxSize();
        QuenArraySetDefaultMaxSize(100);
        const QuenHandle item = make(family, shape({1, 10, 1, 1}));
        edit(item);
        child<QTabWidget>("ArrayTabs")->setCurrentIndex(1);
        retype(boundText(false, 1), upper);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(boundText(false, 1), &out);
        QTEST(host()->ErrorMessage(), "error");
        QTEST(model()->columnCount(), "columns");
        press("CancelCommand");
        QuenArraySetDefaultMaxSize(oldMaximum);
    }

    // Restriction 0..10 and 11 typed at row 2, column 3: the message while typing, the value
    // in the copy once entered with the status naming the cell, 10 in the item after OK.
    void cellOutsideRestriction()
    {
        const LocaleSeparators::Override separators(QChar('.'), QChar(','));
        const QuenHandle item = make("real", shape({1, 2, 1, 3}));
        const QuenHandle bounds = QuenR64ArrCreate(1, 2);
        QuenR64ArrSetAt1(bounds, 2, 10.0);
        CoreBuilder::attach(item, "Restriction", bounds);
        edit(item);
        retype(child("RowIndexText"), "2");
        retype(child("ColumnIndexText"), "3");
        QCOMPARE(model()->cellAt(m_editor->findChild<QTableView*>()->currentIndex()), (ArrayCell{2, 3, 0}));
        retype(child("ValueText"), "11");
        QCOMPARE(host()->ErrorMessage(), QStringLiteral("Value 11.0 must be less or equal to  10.0"));
        child<QToolBar>("ValueToolbar")->actions().at(1)->trigger();
        QCOMPARE(model()->data(model()->indexOf({2, 3, 0})).toString(), QStringLiteral("11.0"));
        QCOMPARE(host()->ErrorMessage(), QStringLiteral("Value 11.0 at row 2, column 3 must be less or equal to  10.0"));
        QCOMPARE(QuenR64ArrGetAt2(item, 2, 3), 6.0); // the item waits for OK
        press("OKCommand");
        QCOMPARE(snapshot(item), QStringLiteral("2 1..2 1..3: 1 2 3 4 5 10|Restriction"));
    }

    // Whatever was typed, pasted or redimensioned, Cancel leaves the item as it was.
    void cancelLeavesItem()
    {
        const QuenHandle item = make("integer", shape({1, 2, 1, 3}));
        CoreBuilder::setString(item, "Units", "mV");
        const QString before = snapshot(item);
        edit(item);
        model()->setData(model()->index(0, 0), QStringLiteral("99"));
        chooseDimensions("1");
        retype(child("UnitsText"), "V");
        press("CancelCommand");
        QCOMPARE(snapshot(item), before);
        QCOMPARE(m_site->CancelCount(), 1);
    }

    // The integer view: cells show and read in it, and OK stores it ("Decimal" removes it).
    void integerView_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"option", "typed", "cell", "stored"});
        QTest::newRow("hexadecimal") << "ViewAsHexOption" << "f" << "0xF" << "View As";
        QTest::newRow("vb octal") << "ViewAsOctalVBOption" << "17" << "&o17" << "View As";
        QTest::newRow("decimal") << "ViewAsDecimalOption" << "15" << "15" << "";
    }
    void integerView()
    {
        QFETCH(QString, option);
        QFETCH(QString, typed);
        const QuenHandle item = make("integer", shape({1, 2}));
        CoreBuilder::setString(item, "View As", "Octal");
        edit(item);
        QCOMPARE(model()->data(model()->index(1, 0)).toString(), QStringLiteral("02"));
        m_editor->findChild<QRadioButton*>(option)->click();
        model()->setData(model()->index(0, 0), typed);
        QTEST(model()->data(model()->index(0, 0)).toString(), "cell");
        press("OKCommand");
        QCOMPARE(QuenI32ArrGetAt1(item, 1), 15);
        QTEST(snapshot(item).section(u'|', 1), "stored");
    }

    // The real editor's "View" tab: the orientation is stored at OK; units per row are not
    // charted.
    void realView()
    {
        const QuenHandle item = make("real", shape({1, 3, 1, 2}));
        edit(item);
        auto* tabs = child<QTabWidget>("ArrayTabs");
        QCOMPARE(tabs->tabText(tabs->count() - 1), QStringLiteral("View"));
        auto* chart = m_editor->findChild<ArrayChartPanel*>();
        QVERIFY(!chart->byRow());
        chart->setByRow(true);
        child<QCheckBox>("UnitsCheck")->setChecked(true);
        tabs->setCurrentIndex(tabs->count() - 1);
        QCOMPARE(fixture.services.prompts().size(), 1);
        QCOMPARE(fixture.services.prompts().first().text, QStringLiteral("feature is not implemented"));
        press("OKCommand");
        QCOMPARE(CoreBuilder::string(item, "Graphical View As"), QStringLiteral("By row"));
    }

    // The grid model over the deep copy keeps the model contract through edits, a new plane and
    // a redimension.
    void gridModelContract()
    {
        const QuenHandle item = make("real", shape({1, 3, 1, 4, 0, 1}));
        edit(item);
        ArrayGridModel* grid = model();
        QAbstractItemModelTester tester(grid, QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid->setData(grid->index(2, 3), QStringLiteral("1E+20"));
        QCOMPARE(grid->data(grid->index(2, 3)).toString(), QStringLiteral("1.0E+20"));
        grid->setPlane(1);
        QCOMPARE(grid->data(grid->index(0, 0)).toString(), QStringLiteral("13.0"));
        chooseDimensions("2");
        QCOMPARE(grid->columnCount(), 4);
        press("CancelCommand");
    }
};

QTEST_MAIN(NumericArrayEditorTest)
#include "numericarrayeditortest.moc"
