#include "platformservices.h"

#include "qtplatformservices.h"

namespace Velt {

namespace {
PlatformServices* s_current = nullptr;
} // namespace

PlatformServices::~PlatformServices()
{
    if (s_current == this)
        s_current = nullptr; // a service going away stops being used
}

QString PlatformServices::defaultTitle() { return QStringLiteral("VeltEditors"); }

QList<int> PlatformServices::buttonsFor(int flags)
{
    switch (flags & 0xF) {
    case OkCancel: return {Ok, Cancel};
    case AbortRetryIgnore: return {Abort, Retry, Ignore};
    case YesNoCancel: return {Yes, No, Cancel};
    case YesNo: return {Yes, No};
    case RetryCancel: return {Retry, Cancel};
    default: return {Ok};
    }
}

int PlatformServices::defaultAnswer(int flags)
{
    const QList<int> buttons = buttonsFor(flags);
    const qsizetype wanted = (flags & DefaultButton3) ? 2 : (flags & DefaultButton2) ? 1 : 0;
    return wanted < buttons.size() ? buttons.at(wanted) : buttons.first();
}

int PlatformServices::escapeAnswer(int flags)
{
    const QList<int> buttons = buttonsFor(flags);
    if (buttons.contains(Cancel))
        return Cancel;
    return buttons == QList<int>{Ok} ? Ok : 0;
}

PlatformServices& PlatformServices::instance()
{
    if (s_current)
        return *s_current;
    static QtPlatformServices qtServices;
    return qtServices;
}

PlatformServices* PlatformServices::setInstance(PlatformServices* services)
{
    PlatformServices* previous = s_current;
    s_current = services;
    return previous;
}

int PlatformServices::askToSaveChanges(const QString& prompt, const QString& title,
                                       QWidget* parent)
{
    return messageBox(prompt, YesNoCancel | Exclamation, title, parent);
}

void PlatformServices::showError(const QString& messages)
{
    messageBox(messages, OkOnly | Critical, defaultTitle());
}

} // namespace Velt
