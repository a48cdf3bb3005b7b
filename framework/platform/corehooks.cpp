#include "corehooks.h"

#include "platformservices.h"
#include "qtstrings.h"

#include "quen/quencore.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Velt {

namespace {

// What the core last put while no system clipboard was there, and the copy handed back to it
// (the core reads the returned text before its next call).
QByteArray& fallbackClipboard()
{
    static QByteArray content;
    return content;
}

bool& fallbackHasContent()
{
    static bool hasContent = false;
    return hasContent;
}

QByteArray& lastHandedOut()
{
    static QByteArray text;
    return text;
}

QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
        ? QGuiApplication::clipboard()
        : nullptr;
}

void displayErrors(const char* messages, void*)
{
    PlatformServices::instance().showError(quen::toQString(messages));
}

void putClipboard(const char* content, void*)
{
    const QByteArray bytes(content ? content : "");
    if (QClipboard* clipboard = systemClipboard()) {
        auto* data = new QMimeData;
        data->setData(QString::fromLatin1(ParmBlockMimeType), bytes);
        clipboard->setMimeData(data);
        return;
    }
    fallbackClipboard() = bytes;
    fallbackHasContent() = true;
}

const char* getClipboard(void*)
{
    if (QClipboard* clipboard = systemClipboard()) {
        const QMimeData* data = clipboard->mimeData();
        const QString format = QString::fromLatin1(ParmBlockMimeType);
        if (!data || !data->hasFormat(format))
            return nullptr;
        lastHandedOut() = data->data(format);
    } else {
        if (!fallbackHasContent())
            return nullptr;
        lastHandedOut() = fallbackClipboard();
    }
    return lastHandedOut().constData();
}

} // namespace

void installCoreHooks()
{
    QuenExcRegSetDisplayHook(&displayErrors, nullptr);
    QuenSetClipboardHooks(&putClipboard, &getClipboard, nullptr);
}

void removeCoreHooks()
{
    QuenExcRegSetDisplayHook(nullptr, nullptr);
    QuenSetClipboardHooks(nullptr, nullptr, nullptr);
}

} // namespace Velt
