#include "columns.h"
#include "busycursor.h"
#include "helpviewer.h"
#include "palettecolors.h"
#include "platformservices.h"
#include "qtplatformservices.h"
#include "recordingplatformservices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

using Velt::PlatformServices;
using Velt::RecordingPlatformServices;

class PlatformServicesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsAndAnswers_data()
    {
        VeltTest::columns<int, QList<int>, int, int>({"flags", "buttons", "enter", "escape"});
        QTest::newRow("OK") << 0 << QList<int>{1} << 1 << 1;
        QTest::newRow("OK/Cancel") << 1 << QList<int>{1, 2} << 1 << 2;
        QTest::newRow("Abort/Retry/Ignore") << 2 << QList<int>{3, 4, 5} << 3 << 0;
        QTest::newRow("Yes/No/Cancel, third default") << 3 + 512 << QList<int>{6, 7, 2} << 2 << 2;
        QTest::newRow("Yes/No, second default") << 4 + 32 + 256 << QList<int>{6, 7} << 7 << 0;
        QTest::newRow("Retry/Cancel") << 5 + 48 << QList<int>{4, 2} << 4 << 2;
        QTest::newRow("third default of two") << 4 + 512 << QList<int>{6, 7} << 6 << 0;
    }
    void buttonsAndAnswers()
    {
        QFETCH(int, flags);
        QFETCH(int, enter);
        QTEST(PlatformServices::buttonsFor(flags), "buttons");
        QCOMPARE(PlatformServices::defaultAnswer(flags), enter);
        QTEST(PlatformServices::escapeAnswer(flags), "escape");

        // The recording service answers like Enter when nothing is queued.
        RecordingPlatformServices recording;
        QCOMPARE(recording.messageBox("Sure?", flags), enter);
    }

    void recordingAnswersFromItsQueue()
    {
        RecordingPlatformServices recording;
        {
            Velt::ScopedPlatformServices scope(&recording);
            recording.queueAnswers({7, 2});
            PlatformServices& services = PlatformServices::instance();
            QCOMPARE(services.messageBox("Delete the parameter?", 4 + 32), 7);
            QCOMPARE(services.messageBox("Keep changes?", 3, "Editor"), 2);
            QCOMPARE(services.messageBox("Done", 64), 1);
            services.showHelp("dataeditor");
        }
        QVERIFY(&PlatformServices::instance() != &recording); // scope restored the default

        QStringList prompts;
        for (const RecordingPlatformServices::Prompt& p : recording.prompts())
            prompts << QStringLiteral("%1|%2|%3|%4").arg(p.text).arg(p.flags).arg(p.title).arg(p.answer);
        QCOMPARE(prompts, QStringList({"Delete the parameter?|36|VeltEditors|7", "Keep changes?|3|Editor|2", "Done|64|VeltEditors|1"}));
        QCOMPARE(recording.helpTopics(), QStringList({"dataeditor"}));
        QVERIFY(recording.pendingAnswers().isEmpty());

        auto* destroyed = new RecordingPlatformServices; // a destroyed service is no longer used
        PlatformServices::setInstance(destroyed);
        delete destroyed;
        QVERIFY(dynamic_cast<Velt::QtPlatformServices*>(&PlatformServices::instance()));
    }

    void qtMessageBoxMapsButtons_data()
    {
        // press: the QMessageBox button clicked, 0 for Escape; flags -1: the save-changes box;
        // shown: the box's icon, or its buttons for the save-changes box
        VeltTest::columns<int, int, int, int>({"flags", "press", "answer", "shown"});
        QTest::newRow("yes") << 4 + 32 << int(QMessageBox::Yes) << 6 << int(QMessageBox::Question);
        QTest::newRow("escape gives cancel") << 1 + 16 << 0 << 2 << int(QMessageBox::Critical);
        QTest::newRow("ignore") << 2 + 64 << int(QMessageBox::Ignore) << 5 << int(QMessageBox::Information);
        const int saveButtons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        QTest::newRow("save") << -1 << int(QMessageBox::Save) << 6 << saveButtons;
        QTest::newRow("discard") << -1 << int(QMessageBox::Discard) << 7 << saveButtons;
        QTest::newRow("save box, escape") << -1 << 0 << 2 << saveButtons;
    }
    void qtMessageBoxMapsButtons()
    {
        QFETCH(int, flags);
        QFETCH(int, press);
        QFETCH(int, answer);
        int buttons = 0;
        int shown = -1;
        QString title;
        // Runs as soon as the modal box's event loop starts.
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = flags < 0 ? int(box->standardButtons()) : int(box->icon());
            title = box->windowTitle();
            buttons = box->buttons().size();
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        Velt::QtPlatformServices services;
        QCOMPARE(flags < 0 ? services.askToSaveChanges("Save?") : services.messageBox("Question?", flags), answer);
        QTEST(shown, "shown");
        QCOMPARE(title, QStringLiteral("VeltEditors"));
        if (flags >= 0) {
            QCOMPARE(buttons, PlatformServices::buttonsFor(flags).size());
            return;
        }
        // Any other service asks with a Yes/No/Cancel box and maps nothing.
        RecordingPlatformServices recording;
        recording.queueAnswer(answer);
        QCOMPARE(recording.askToSaveChanges("Save?"), answer);
        QCOMPARE(recording.prompts().at(0).flags, 3 + 48);
    }

    void helpPages_data()
    {
        VeltTest::columns<QString, QString>({"topic", "page"});
        QTest::newRow("index") << "" << "qrc:/velteditors/help/index.html";
        QTest::newRow("registry, other case") << "Registry" << "qrc:/velteditors/help/registry.html";
        QTest::newRow("no paths") << "../index" << "qrc:/velteditors/help/index.html";
    }
    void helpPages()
    {
        QFETCH(QString, topic);
        QFETCH(QString, page);
        QCOMPARE(Velt::HelpViewer::pageFor(topic), QUrl(page));
        Velt::QtPlatformServices().showHelp(topic);
        Velt::HelpViewer* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* v = qobject_cast<Velt::HelpViewer*>(w))
                viewer = v;
        }
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->currentPage(), QUrl(page));
        QVERIFY(viewer->findChild<QTextBrowser*>("HelpBrowser")->toPlainText().length() > 40); // the page was found in the resources
        QCOMPARE(Velt::HelpViewer::showTopic(topic), viewer); // one viewer for the process
    }

    void busyCursorNests()
    {
        QVERIFY(!QGuiApplication::overrideCursor());
        {
            Velt::BusyCursor outer;
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            { Velt::BusyCursor inner; }
            QVERIFY(QGuiApplication::overrideCursor());
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void paletteColorsFollowThePalette()
    {
        QWidget widget;
        QPalette dark;
        const QList<QColor> colors{QColor(20, 20, 20), QColor(230, 230, 230), QColor(40, 40, 0), QColor(250, 250, 200)};
        const QList<QPalette::ColorRole> roles{QPalette::Window, QPalette::WindowText, QPalette::ToolTipBase, QPalette::ToolTipText};
        for (int i = 0; i < 4; ++i)
            dark.setColor(roles.at(i), colors.at(i));
        widget.setPalette(dark);
        namespace P = Velt::PaletteColors;
        QCOMPARE(QList<QColor>({P::windowBackground(&widget), P::windowText(&widget), P::tooltipBackground(&widget),
                                P::tooltipText(&widget), P::menuBackground(&widget)}), colors + QList<QColor>{colors.at(0)});
        QCOMPARE(P::windowBackground(), QGuiApplication::palette().color(QPalette::Window));
    }
};

QTEST_MAIN(PlatformServicesTest)
#include "platformservicestest.moc"
