// The chart panel's wiring: its controls and texts, the "View by" options with byRowChanged and
// the status text of a redraw, the picture it saves, copies and prints.
#include "arraychartpanel.h"
#include "columns.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

Velt::ChartPlane plane(int rows, int columns)
{
    Velt::ChartPlane p;
    p.rowLower = 1;
    p.rowUpper = rows;
    p.columnLower = 1;
    p.columnUpper = columns;
    p.value = [](int row, int column) { return row * column * 0.5 - 3; };
    p.units = QStringLiteral("V");
    return p;
}

int distinctColours(const QImage& picture)
{
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); x += 2)
            colours.insert(picture.pixel(x, y));
    }
    return int(colours.size());
}

} // namespace

class ArrayChartPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_panel = std::make_unique<Velt::ArrayChartPanel>(); }
    void cleanup() { m_panel.reset(); }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("options frame") << "RCMajorOption" << "View by";
        QTest::newRow("by column") << "RCMajorOption0" << "Colu&mn";
        QTest::newRow("by row") << "RCMajorOption1" << "&Row";
        QTest::newRow("copy") << "CopyButton" << "&Copy";
        QTest::newRow("print") << "PrintButton" << "&Print...";
        QTest::newRow("hint") << "HintLabel" << "To zoom and scroll, press Help.";
        QTest::newRow("chart") << "Chart" << "";
    }
    void controls()
    {
        QFETCH(QString, name);
        auto* control = m_panel->findChild<QWidget*>(name);
        QVERIFY(control);
        QString text;
        if (auto* box = qobject_cast<QGroupBox*>(control))
            text = box->title();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            text = button->text();
        else if (auto* label = qobject_cast<QLabel*>(control))
            text = label->text();
        else // the chart: reached with the keyboard, named for assistive tools
            QVERIFY(control->focusPolicy() == Qt::StrongFocus && !control->accessibleName().isEmpty());
        QTEST(text, "text");
    }

    // The options and setByRow change the orientation, check the option that shows it, signal
    // a change once and redraw: a plane of 30 rows by 2 columns leaves rows out only by row.
    void orientation_data()
    {
        VeltTest::columns<bool, bool, bool, int, QString>({"start", "byRow", "byClick", "signals", "status"});
        const QString rowsLeftOut = QStringLiteral("Only displaying the first 20 rows");
        QTest::newRow("row option") << false << true << true << 1 << rowsLeftOut;
        QTest::newRow("column option") << true << false << true << 1 << "";
        QTest::newRow("column option, already so") << false << false << true << 0 << "";
        QTest::newRow("setByRow(true)") << false << true << false << 1 << rowsLeftOut;
        QTest::newRow("setByRow(false)") << true << false << false << 1 << "";
        QTest::newRow("setByRow(true), already so") << true << true << false << 0 << "";
    }
    void orientation()
    {
        QFETCH(bool, byRow);
        QFETCH(int, signals);
        QVERIFY(!m_panel->byRow()); // by column unless told otherwise
        QFETCH(bool, start);
        m_panel->setByRow(start);
        m_panel->setPlane(plane(30, 2));
        QSignalSpy changes(m_panel.get(), &Velt::ArrayChartPanel::byRowChanged);
        QSignalSpy statuses(m_panel.get(), &Velt::ArrayChartPanel::statusMessage);
        QFETCH(bool, byClick);
        const QString option = byRow ? QStringLiteral("RCMajorOption1") : QStringLiteral("RCMajorOption0");
        if (byClick)
            m_panel->findChild<QRadioButton*>(option)->click();
        else
            m_panel->setByRow(byRow);
        QCOMPARE(m_panel->byRow(), byRow);
        QCOMPARE(m_panel->property("byRow").toBool(), byRow);
        QVERIFY(m_panel->findChild<QRadioButton*>(option)->isChecked());
        QCOMPARE(changes.size(), signals);
        if (signals)
            QCOMPARE(changes.first().first().toBool(), byRow);
        QFETCH(QString, status);
        QCOMPARE(statuses.isEmpty() ? QString() : statuses.last().first().toString(), signals ? status : QString());
    }

    void savePngWritesThePicture_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("small") << QSize(320, 240) << QSize(320, 240);
        QTest::newRow("wide") << QSize(1200, 300) << QSize(1200, 300);
        QTest::newRow("no size, panel not shown") << QSize() << QSize(800, 600);
    }
    void savePngWritesThePicture()
    {
        QFETCH(QSize, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart.png"));
        QFile old(path); // a file there before is replaced
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        m_panel->setPlane(plane(100, 3));
        QString error;
        QVERIFY2(m_panel->savePng(path, &error, size), qPrintable(error));
        QVERIFY(error.isEmpty());
        QImage loaded;
        QVERIFY(loaded.load(path, "PNG"));
        QTEST(loaded.size(), "expected");
        QVERIFY(distinctColours(loaded) > 3); // drawn, not blank
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.png"}); // no leftovers
    }

    void savePngFailsCleanly_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << "no/such/folder/chart.png";
        QTest::newRow("a folder") << ".";
    }
    void savePngFailsCleanly()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        const QString path = dir.filePath(relative);
        m_panel->setPlane(plane(10, 1));
        QSignalSpy errors(m_panel.get(), &Velt::ArrayChartPanel::errorMessage);
        QString error;
        QVERIFY(!m_panel->savePng(path, &error, QSize(200, 100)));
        QVERIFY2(error.startsWith(QStringLiteral("Cannot save the chart to ")), qPrintable(error));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().first().toString(), error);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(!m_panel->savePng(path, nullptr, QSize(200, 100))); // no error text asked for
    }

    void copyPutsTheViewOnTheClipboard()
    {
        m_panel->resize(500, 400);
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
        m_panel->setPlane(plane(50, 2));
        QApplication::clipboard()->clear();
        QTest::mouseClick(m_panel->findChild<QPushButton*>(QStringLiteral("CopyButton")), Qt::LeftButton);
        const QImage copied = QApplication::clipboard()->image();
        QWidget* chart = m_panel->findChild<QWidget*>(QStringLiteral("Chart"));
        QCOMPARE(copied.size(), chart->size() * chart->devicePixelRatioF());
        QVERIFY(distinctColours(copied) > 3);
    }

    void printShowsAPreview()
    {
        m_panel->setPlane(plane(20, 2));
        bool previewed = false;
        QTimer::singleShot(0, this, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            previewed = preview != nullptr;
            if (preview)
                preview->reject();
        });
        QTest::mouseClick(m_panel->findChild<QPushButton*>(QStringLiteral("PrintButton")), Qt::LeftButton);
        QVERIFY(previewed);
    }

private:
    std::unique_ptr<Velt::ArrayChartPanel> m_panel;
};

QTEST_MAIN(ArrayChartPanelTest)
#include "arraychartpaneltest.moc"
