#include "corehooks.h"
#include "recordingplatformservices.h"

#include "quen/quencore.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

class CoreHooksTest : public QObject
{
    Q_OBJECT

private:
    Velt::RecordingPlatformServices m_services;
    std::unique_ptr<Velt::ScopedPlatformServices> m_scope;

private Q_SLOTS:
    void init()
    {
        m_scope = std::make_unique<Velt::ScopedPlatformServices>(&m_services);
        m_services.clear();
        QuenExcRegClearError(0);
        Velt::installCoreHooks();
    }
    void cleanup()
    {
        Velt::removeCoreHooks();
        m_scope.reset();
    }

    void errorsReachTheErrorDisplay()
    {
        QuenExcRaiseUserError("First problem");
        QuenExcRaiseUserError("Second problem");
        QuenExcRegDisplayErrors();
        QCOMPARE(m_services.shownErrors(), QStringList("First problem\nSecond problem"));
        QVERIFY(QuenExcRegIsError(0) == QUEN_FALSE);

        Velt::installCoreHooks(); // again: still one display
        QuenExcRaiseUserError("Third");
        QuenExcRegDisplayErrors();
        QCOMPARE(m_services.shownErrors().size(), 2);

        Velt::removeCoreHooks();
        QuenExcRaiseUserError("To stderr");
        QuenExcRegDisplayErrors();
        QCOMPARE(m_services.shownErrors().size(), 2);
    }

    void defaultErrorDisplayIsATitledCriticalBox()
    {
        // The base service's error display is a message box: the recording service, asked as a
        // plain PlatformServices, shows what that box would be.
        struct BoxOnly : Velt::RecordingPlatformServices
        {
            void showError(const QString& messages) override { PlatformServices::showError(messages); }
        } boxOnly;
        Velt::ScopedPlatformServices scope(&boxOnly);
        QuenExcRaiseUserError("Broken");
        QuenExcRegDisplayErrors();
        QCOMPARE(boxOnly.prompts().size(), 1);
        const auto box = boxOnly.prompts().first(); // prompts() gives a copy: keep the entry, not a reference into it
        QCOMPARE(QStringLiteral("%1|%2|%3").arg(box.text, box.title).arg(box.flags), QStringLiteral("Broken|VeltEditors|16"));
    }

    void parametersTravelOnTheSystemClipboard()
    {
        const QuenHandle block = QuenPbDefCreate();
        QVERIFY(QuenPbDefAddParm(block, QuenParmCreate("Count", "CQuenInt32")));
        QVERIFY(QuenPbDefAddParm(block, QuenParmCreate("Label", "CQuenString")));
        QVERIFY(QuenPbDefCopyToClipboard(block));

        const QByteArray content = QGuiApplication::clipboard()->mimeData()->data(Velt::ParmBlockMimeType);
        QVERIFY(content.contains("Count") && QuenPbDefIsAvailableOnClipboard());

        // Text from elsewhere replaces it: no parameters to paste.
        QGuiApplication::clipboard()->setText(QStringLiteral("plain text"));
        QVERIFY(!QuenPbDefIsAvailableOnClipboard());
        QCOMPARE(QuenPbDefCreateFromClipboard(), 0);
        QuenExcRegClearError(0);

        // Parameters put there by another process come back.
        auto* foreign = new QMimeData;
        foreign->setData(Velt::ParmBlockMimeType, content);
        QGuiApplication::clipboard()->setMimeData(foreign);
        const QuenHandle pasted = QuenPbDefCreateFromClipboard();
        QCOMPARE(QuenPbDefGetSize(pasted), 2);
        QuenPbDefRelease(pasted);
        QuenPbDefRelease(block);
    }
};

QTEST_MAIN(CoreHooksTest)
#include "corehookstest.moc"
