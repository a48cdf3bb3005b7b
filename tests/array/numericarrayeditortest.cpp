// The integer and real array editors in their dialog over real core items, one case per wiring:
// the grid a shape opens with, dimensions and the locks, the element limit, a cell outside the
// restriction from the first key to OK, cancel, the integer view, the real editor's chart tab,
// and the grid model over the deep copy.
#include "columns.h"
#include "fixture.h"

#include "arraychartpanel.h"
#include "arrayeditorbase.h"
#include "arraygridmodel_p.h"
#include "componentregistry.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "dataeditorregistry.h"
#include "localeseparators.h"
#include "numericarraytesting.h"
#include "xcdialogdataediting.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
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
    std::unique_ptr<ArrayEditorBase> m_editor;
    std::unique_ptr<CoreBuilder> m_core;
    CountingDataEditorSite m_site;

    // A new editor of the family and an item of it with the shape; element k (in copy order) holds k.
    QuenHandle make(const QString& family, const ArrayShape& s)
    {
        m_editor.reset(qobject_cast<ArrayEditorBase*>(ComponentRegistry::instance().create(
            family == u"integer" ? QStringLiteral("VeltEditors.Int32ArrayEditor") : QStringLiteral("VeltEditors.Real64ArrayEditor"))));
        return numbered(*m_core, family, s);
    }
    DataEditor* host() const { return m_editor->findChild<DataEditor*>(QStringLiteral("DataEditor")); }
    void edit(QuenHandle item) { host()->dialogEditing()->EditData(&m_site, item, 0, true, false); }
    void press(const char* button) { host()->findChild<QAbstractButton*>(QString::fromLatin1(button))->click(); }
    template <typename T = QLineEdit>
    T* child(const char* name) const { return m_editor->findChild<T*>(QString::fromLatin1(name)); }
    bool locked(bool lower, int d) const { return qobject_cast<QCheckBox*>(lower ? m_editor->LowerLockedCheck(d) : m_editor->UpperLockedCheck(d))->isChecked(); }
    ArrayGridModel* model() const { return m_editor->findChild<ArrayGridModel*>(); }
    static void retype(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void chooseDimensions(const QString& text)
    {
        auto* combo = child<QComboBox>("DimensionsCombo");
        combo->setEditText(text);
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
        m_core.reset();
        fixture.end();
    }

    // The grid shows one plane with its header row and index column; an array without
    // elements opens on "Dimensions" with one element at 0.
    void opens_data()
    {
        VeltTest::columns<ArrayShape, QString, QString, QString>({"shape", "grid", "tab", "status"});
        QTest::newRow("1..2 x 1..3") << shape({1, 2, 1, 3}) << "3x4" << "Values" << "Value at index (1, 1) is 1.0";
        QTest::newRow("empty") << shape({0, -1}) << "2x2" << "Dimensions" << "Value at index 0 is 0.0";
    }
    void opens()
    {
        QFETCH(ArrayShape, shape);
        const LocaleSeparators::Override separators(QChar('.'), QChar(','));
        edit(make("real", shape));
        QTEST(QStringLiteral("%1x%2").arg(model()->rowCount() + 1).arg(model()->columnCount() + 1), "grid");
        auto* tabs = child<QTabWidget>("ArrayTabs");
        QTEST(tabs->tabText(tabs->currentIndex()), "tab");
        QTEST(host()->ErrorMessage() + host()->StatusMessage(), "status");
    }

    // From one dimension to two: the added dimension is 0 to 0, and every dimension in use is
    // back to the default locks whatever it had.
    void dimensionsResetLocks()
    {
        const QuenHandle item = make("real", shape({1, 4}));
        const QuenHandle locks = QuenStrArrCreate(0, 0);
        QuenStrArrSetAt1(locks, 0, "Upper");
        CoreBuilder::attach(item, "Locks", locks);
        edit(item);
        QVERIFY(!locked(true, 0) && locked(false, 0));
        chooseDimensions("2");
        QVERIFY(host()->ErrorMessage().isEmpty() && locked(true, 0) && !locked(false, 0) && locked(true, 1) && !locked(false, 1));
        // Hosts ask for the bound controls by index: none beyond the three dimensions.
        for (const int d : {-1, 3}) {
            for (QObject* control : {m_editor->LowerText(d), m_editor->UpperText(d), m_editor->LowerLockedCheck(d),
                                     m_editor->UpperLockedCheck(d), m_editor->LowerUpDown(d), m_editor->UpperUpDown(d)})
                QCOMPARE(control, nullptr);
        }
        press("OKCommand");
        QCOMPARE(snapshot(item), QStringLiteral("2 1..4 0..0: 1 2 3 4|"));
    }

    // With at most 100 elements, over a 1..10 x 1..1 array: a number of dimensions or a column
    // bound that is refused changes nothing, even after OK.
    void refusedShape_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"family", "dimensions", "upper", "outcome"}); // outcome: "error|columns"
        QTest::newRow("four dimensions") << "real" << "4" << "" << "'Number of dimensions' value of real array must be in between 1 and 3 inclusive.|1";
        QTest::newRow("10 x 10 taken") << "real" << "2" << "10" << "|10";
        QTest::newRow("10 x 11, integers") << "integer" << "2" << "11" << "Total number of integers is limited to 100|1";
    }
    void refusedShape()
    {
        QFETCH(QString, family);
        QFETCH(QString, dimensions);
        QFETCH(QString, upper);
        const int32_t oldMaximum = QuenArrayGetDefaultMaxSize();
        QuenArraySetDefaultMaxSize(100);
        const QuenHandle item = make(family, shape({1, 10, 1, 1}));
        const QString before = snapshot(item);
        edit(item);
        chooseDimensions(dimensions);
        if (!upper.isEmpty()) {
            auto* box = qobject_cast<QLineEdit*>(m_editor->UpperText(1));
            retype(box, upper);
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(box, &out);
        }
        QTEST(host()->ErrorMessage() + u'|' + QString::number(model()->columnCount()), "outcome");
        press("OKCommand");
        QuenArraySetDefaultMaxSize(oldMaximum);
        QCOMPARE(snapshot(item) == before, upper != u"10");
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
        QCOMPARE(model()->data(model()->indexOf({2, 3, 0})).toString() + '|' + host()->ErrorMessage(), QStringLiteral("11.0|Value 11.0 at row 2, column 3 must be less or equal to  10.0"));
        press("OKCommand");
        QCOMPARE(snapshot(item), QStringLiteral("2 1..2 1..3: 1 2 3 4 5 10|Restriction"));
    }

    // The integer view shows and reads the cells; OK stores them, the view and the units, and
    // Cancel, whatever was typed or redimensioned, nothing ("" below: the item as it was).
    void integerViewOkAndCancel_data()
    {
        VeltTest::columns<QString, QString>({"button", "stored"});
        QTest::newRow("ok") << "OKCommand" << "1 1..2: 15 2|Units,View As Hexadecimal V";
        QTest::newRow("cancel") << "CancelCommand" << "";
    }
    void integerViewOkAndCancel()
    {
        QFETCH(QString, stored);
        const QuenHandle item = make("integer", shape({1, 2, 1, 3}));
        CoreBuilder::setString(item, "View As", "Octal");
        CoreBuilder::setString(item, "Units", "mV");
        const auto state = [item] { return snapshot(item) + ' ' + CoreBuilder::string(item, "View As") + ' ' + CoreBuilder::string(item, "Units"); };
        const QString before = state();
        const int closed = m_site.AcceptCount() + m_site.CancelCount(); // the site lives through every case
        edit(item);
        QCOMPARE(model()->data(model()->index(1, 0)).toString(), QStringLiteral("02"));
        m_editor->findChild<QRadioButton*>("ViewAsHexOption")->click();
        model()->setData(model()->index(0, 0), QStringLiteral("f"));
        chooseDimensions("1");
        retype(child("UnitsText"), "V");
        QFETCH(QString, button);
        press(qPrintable(button));
        QCOMPARE(state(), stored.isEmpty() ? before : stored);
        QCOMPARE(m_site.AcceptCount() + m_site.CancelCount(), closed + 1);
    }

    // The grid model over the deep copy keeps the model contract through an edit, another plane
    // and a redimension; the "View" tab's orientation is stored at OK, units per row are not charted.
    void realGridAndView()
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
        auto* tabs = child<QTabWidget>("ArrayTabs");
        m_editor->findChild<ArrayChartPanel*>()->setByRow(true);
        child<QCheckBox>("UnitsCheck")->setChecked(true);
        tabs->setCurrentIndex(tabs->count() - 1);
        QCOMPARE(fixture.services.prompts().size() == 1 ? fixture.services.prompts().first().text : QString(), QStringLiteral("feature is not implemented"));
        press("OKCommand");
        QCOMPARE(CoreBuilder::string(item, "Graphical View As"), QStringLiteral("By row"));
    }
};

QTEST_MAIN(NumericArrayEditorTest)
#include "numericarrayeditortest.moc"
