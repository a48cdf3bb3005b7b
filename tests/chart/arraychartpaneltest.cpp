// The chart panel's wiring: the "View by" options with byRowChanged and the status text of a
// redraw, the picture it saves.
#include "arraychartpanel.h"
#include "columns.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

Velt::ChartPlane plane(int rows)
{
    return {1, rows, 1, 2, [](int row, int column) { return row * column * 0.5 - 3; }, {}};
}

} // namespace

class ArrayChartPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The options and setByRow change the orientation, check the option that shows it, signal
    // a change once and redraw: a plane of 30 rows leaves rows out only by row.
    void orientation_data()
    {
        VeltTest::columns<bool, bool, bool, int, QString>({"start", "byRow", "byClick", "signals", "status"});
        const QString rowsLeftOut = QStringLiteral("Only displaying the first 20 rows");
        QTest::newRow("row option") << false << true << true << 1 << rowsLeftOut;
        QTest::newRow("setByRow(true)") << false << true << false << 1 << rowsLeftOut;
        QTest::newRow("setByRow(true), already so") << true << true << false << 0 << "";
    }
    void orientation()
    {
        Velt::ArrayChartPanel panel;
        QFETCH(bool, start);
        QFETCH(bool, byRow);
        QFETCH(bool, byClick);
        QFETCH(int, signals);
        QVERIFY(!panel.byRow()); // by column unless told otherwise
        panel.setByRow(start);
        panel.setPlane(plane(30));
        QSignalSpy changes(&panel, &Velt::ArrayChartPanel::byRowChanged);
        QSignalSpy statuses(&panel, &Velt::ArrayChartPanel::statusMessage);
        auto* option = panel.findChild<QRadioButton*>(byRow ? QStringLiteral("RCMajorOption1") : QStringLiteral("RCMajorOption0"));
        if (byClick)
            option->click();
        else
            panel.setByRow(byRow);
        QCOMPARE(panel.byRow(), byRow);
        QVERIFY(option->isChecked());
        QCOMPARE(changes.size(), signals);
        if (signals)
            QCOMPARE(changes.first().first().toBool(), byRow);
        QFETCH(QString, status);
        QCOMPARE(statuses.isEmpty() ? QString() : statuses.last().first().toString(), status);
    }

    // A PNG of the size asked for (800 x 600 for none while the panel is hidden) replaces the
    // file there; a path that cannot be written leaves nothing and says why.
    void savePng_data()
    {
        VeltTest::columns<QString, QSize, QSize>({"file", "size", "saved"});
        QTest::newRow("320 x 240") << "chart.png" << QSize(320, 240) << QSize(320, 240);
        QTest::newRow("no size, panel not shown") << "chart.png" << QSize() << QSize(800, 600);
        QTest::newRow("missing folder") << "no/such/chart.png" << QSize(200, 100) << QSize();
    }
    void savePng()
    {
        Velt::ArrayChartPanel panel;
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QSize, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QFile old(dir.filePath(QStringLiteral("chart.png")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        panel.setPlane(plane(100));
        QSignalSpy errors(&panel, &Velt::ArrayChartPanel::errorMessage);
        QString error;
        QCOMPARE(panel.savePng(path, &error, size), saved.isValid());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.png"}); // no leftovers
        if (!saved.isValid()) {
            QVERIFY2(error.startsWith(QStringLiteral("Cannot save the chart to ")), qPrintable(error));
            QCOMPARE(errors.size(), 1);
            QCOMPARE(errors.first().first().toString(), error);
            return;
        }
        QVERIFY2(error.isEmpty() && errors.isEmpty(), qPrintable(error));
        QCOMPARE(QImage(path, "PNG").size(), saved);
    }
};

QTEST_MAIN(ArrayChartPanelTest)
#include "arraychartpaneltest.moc"
