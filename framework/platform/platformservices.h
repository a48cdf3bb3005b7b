// PlatformServices: what the library asks of the desktop besides its own windows: message
// boxes, beeps, the help viewer and the display of the core's errors. Every control goes
// through PlatformServices::instance(), so a test or an automation host replaces the whole
// service with setInstance() (RecordingPlatformServices answers prompts from a queue and
// records what would have been shown).
//
// Message box flags and answers are the numbers the host platform's message box used:
// buttons 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel;
// icons 16 critical, 32 question, 48 exclamation, 64 information; default button 256 second,
// 512 third; answers 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
#pragma once

#include "velt_export.h"

#include <QList>
#include <QString>

class QWidget;

namespace Velt {

class VELT_EXPORT PlatformServices
{
public:
    enum MessageBoxFlag : int {
        OkOnly = 0,
        OkCancel = 1,
        AbortRetryIgnore = 2,
        YesNoCancel = 3,
        YesNo = 4,
        RetryCancel = 5,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
        DefaultButton1 = 0,
        DefaultButton2 = 256,
        DefaultButton3 = 512,
    };
    enum Answer : int { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

    // The title of message boxes that give none, and of the error display.
    static QString defaultTitle(); // "VeltEditors"

    // The answers a message box with these flags offers, in button order.
    static QList<int> buttonsFor(int flags);
    // The answer Enter gives: the default button (256/512 pick the second/third, when present).
    static int defaultAnswer(int flags);
    // The answer Escape gives: Cancel when offered, OK for a lone OK button, otherwise 0
    // (the box cannot be dismissed without choosing).
    static int escapeAnswer(int flags);

    // The service in use: the one set with setInstance, or the Qt implementation.
    static PlatformServices& instance();
    // Replaces the service (not owned: the caller keeps it alive while it is set); null restores
    // the Qt implementation. Returns the service set before, or null when it was the default.
    static PlatformServices* setInstance(PlatformServices* services);

    virtual ~PlatformServices();

    // Shows a modal message box and returns the answer chosen.
    virtual int messageBox(const QString& prompt, int flags = OkOnly,
                           const QString& title = QString(), QWidget* parent = nullptr) = 0;
    // Asks what to do with changes that are about to be lost: Yes saves them, No discards
    // them, Cancel keeps them and stops what was going on. By default a Yes/No/Cancel message
    // box with the exclamation icon (flags 51); the Qt service labels its buttons Save, Discard
    // and Cancel.
    virtual int askToSaveChanges(const QString& prompt, const QString& title = QString(),
                                 QWidget* parent = nullptr);
    virtual void beep() = 0;
    // Shows the "VeltEditors" help at a topic ("index", "dataeditor", "registry", ...; an
    // empty or unknown topic shows the index page).
    virtual void showHelp(const QString& topic = QString(), QWidget* parent = nullptr) = 0;
    // Shows errors of the core's register (one message per line): by default a critical
    // message box titled "VeltEditors".
    virtual void showError(const QString& messages);

protected:
    PlatformServices() = default;
    PlatformServices(const PlatformServices&) = default;
    PlatformServices& operator=(const PlatformServices&) = default;
};

// Installs a service for the lifetime of a scope and restores the one before.
class ScopedPlatformServices
{
public:
    explicit ScopedPlatformServices(PlatformServices* services)
        : m_previous(PlatformServices::setInstance(services))
    {
    }
    ~ScopedPlatformServices() { PlatformServices::setInstance(m_previous); }
    ScopedPlatformServices(const ScopedPlatformServices&) = delete;
    ScopedPlatformServices& operator=(const ScopedPlatformServices&) = delete;

private:
    PlatformServices* m_previous;
};

} // namespace Velt
