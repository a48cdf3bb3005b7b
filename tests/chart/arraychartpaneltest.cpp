// The chart panel's wiring: its controls and texts, the "View by" options and byRowChanged,
// the status text when series are left out, the picture it saves, copies and prints.
#include "arraychartpanel.h"

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
        QTEST(text, "text");
    }

    void chartIsReachableByKeyboard()
    {
        QWidget* chart = m_panel->findChild<QWidget*>(QStringLiteral("Chart"));
        QVERIFY(chart);
        QCOMPARE(chart->focusPolicy(), Qt::StrongFocus);
        QVERIFY(!chart->accessibleName().isEmpty());
    }

    void optionsSwitchTheOrientation_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<bool>("byRow");
        QTest::addColumn<int>("signals");
        QTest::newRow("row") << "RCMajorOption1" << true << 1;
        QTest::newRow("column again: already so") << "RCMajorOption0" << false << 0;
    }
    void optionsSwitchTheOrientation()
    {
        QFETCH(QString, clicked);
        QFETCH(bool, byRow);
        QFETCH(int, signals);
        QVERIFY(!m_panel->byRow()); // by column unless told otherwise
        QSignalSpy spy(m_panel.get(), &Velt::ArrayChartPanel::byRowChanged);
        m_panel->findChild<QRadioButton*>(clicked)->click();
        QCOMPARE(m_panel->byRow(), byRow);
        QCOMPARE(spy.size(), signals);
        if (signals)
            QCOMPARE(spy.first().first().toBool(), byRow);
    }

    void setByRowChecksItsOption_data()
    {
        QTest::addColumn<bool>("byRow");
        QTest::addColumn<QString>("checked");
        QTest::newRow("row") << true << "RCMajorOption1";
        QTest::newRow("column") << false << "RCMajorOption0";
    }
    void setByRowChecksItsOption()
    {
        QFETCH(bool, byRow);
        QFETCH(QString, checked);
        m_panel->setByRow(!byRow);
        QSignalSpy spy(m_panel.get(), &Velt::ArrayChartPanel::byRowChanged);
        m_panel->setByRow(byRow);
        m_panel->setByRow(byRow); // no change, no signal
        QCOMPARE(spy.size(), 1);
        QVERIFY(m_panel->findChild<QRadioButton*>(checked)->isChecked());
        QCOMPARE(m_panel->property("byRow").toBool(), byRow);
    }

    void statusWhenSeriesAreLeftOut_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("byRow");
        QTest::addColumn<QStringList>("statuses");
        QTest::newRow("21 columns") << 3 << 21 << false << QStringList{"Only plotting the first 20 columns"};
        QTest::newRow("20 columns") << 3 << 20 << false << QStringList();
        QTest::newRow("30 rows by row") << 30 << 2 << true << QStringList{"Only displaying the first 20 rows"};
        QTest::newRow("30 rows by column") << 30 << 2 << false << QStringList();
    }
    void statusWhenSeriesAreLeftOut()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(bool, byRow);
        m_panel->setByRow(byRow);
        QSignalSpy spy(m_panel.get(), &Velt::ArrayChartPanel::statusMessage);
        m_panel->setPlane(plane(rows, columns));
        QStringList statuses;
        for (const QList<QVariant>& arguments : std::as_const(spy))
            statuses << arguments.first().toString();
        QTEST(statuses, "statuses");
    }

    void switchingOrientationRedraws()
    {
        m_panel->setPlane(plane(30, 2));
        QSignalSpy spy(m_panel.get(), &Velt::ArrayChartPanel::statusMessage);
        m_panel->setByRow(true);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toString(), QStringLiteral("Only displaying the first 20 rows"));
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
