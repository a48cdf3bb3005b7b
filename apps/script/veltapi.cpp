#include "veltapi.h"

#include "componentregistry.h"
#include "dataeditorregistry.h"
#include "scriptplatform.h"

#include <QApplication>
#include <QJSEngine>
#include <QKeySequence>
#include <QMetaEnum>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <vector>

namespace VeltScript {

namespace {

void throwTypeError(QJSEngine* engine, const QString& message)
{
    engine->throwError(QJSValue::TypeError, message);
}

// "Enter", "F2", "Key_Tab", "PgDown": Qt's own key names first, then QKeySequence's.
int keyFromName(const QString& name)
{
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
    const QString qtName = name.startsWith(QLatin1String("Key_")) ? name
                                                                  : QLatin1String("Key_") + name;
    bool ok = false;
    const int value = keys.keyToValue(qtName.toLatin1().constData(), &ok);
    if (ok)
        return value;
    const QKeySequence sequence(name);
    if (sequence.count() == 1 && sequence[0].keyboardModifiers() == Qt::NoModifier)
        return sequence[0].key();
    return 0;
}

bool modifiersFrom(const QJSValue& value, Qt::KeyboardModifiers* modifiers)
{
    *modifiers = Qt::NoModifier;
    if (value.isUndefined() || value.isNull())
        return true;
    if (value.isNumber()) {
        *modifiers = Qt::KeyboardModifiers(value.toInt());
        return true;
    }
    if (!value.isString())
        return false;
    const QStringList parts = value.toString().split(QLatin1Char('+'), Qt::SkipEmptyParts);
    for (const QString& raw : parts) {
        const QString part = raw.trimmed().toLower();
        if (part == QLatin1String("shift"))
            *modifiers |= Qt::ShiftModifier;
        else if (part == QLatin1String("ctrl") || part == QLatin1String("control"))
            *modifiers |= Qt::ControlModifier;
        else if (part == QLatin1String("alt"))
            *modifiers |= Qt::AltModifier;
        else if (part == QLatin1String("meta"))
            *modifiers |= Qt::MetaModifier;
        else if (part == QLatin1String("keypad"))
            *modifiers |= Qt::KeypadModifier;
        else
            return false;
    }
    return true;
}

} // namespace

struct VeltApi::Private
{
    explicit Private(QJSEngine* e) : engine(e), platform(e) {}
    QJSEngine* engine;
    ScriptPlatform platform;
    std::vector<QPointer<QObject>> created;
};

VeltApi::VeltApi(QJSEngine* engine, QObject* parent)
    : QObject(parent), d(new Private(engine))
{
}

VeltApi::~VeltApi()
{
    // Instances made for the script die with it, children first so parents never see a
    // dangling child; objects a script re-parented belong to their new parent.
    for (auto it = d->created.rbegin(); it != d->created.rend(); ++it) {
        if (*it && !(*it)->parent())
            delete it->data();
    }
}

QObject* VeltApi::create(const QString& classId)
{
    QObject* object = Velt::ComponentRegistry::instance().create(classId);
    if (object) {
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
        d->created.emplace_back(object);
    }
    return object;
}

void VeltApi::processEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void VeltApi::keyClick(QObject* object, const QJSValue& key, const QJSValue& modifiers)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        throwTypeError(d->engine, QStringLiteral("Velt.keyClick: the first argument is not a widget"));
        return;
    }
    Qt::KeyboardModifiers mods;
    if (!modifiersFrom(modifiers, &mods)) {
        throwTypeError(d->engine, QStringLiteral("Velt.keyClick: unknown modifiers: ")
                                      + modifiers.toString());
        return;
    }
    if (key.isNumber()) {
        QTest::keyClick(widget, Qt::Key(key.toInt()), mods);
        return;
    }
    const QString text = key.toString();
    if (key.isString() && text.size() == 1) {
        const QChar ch = text.at(0);
        if (ch.unicode() < 0x80)
            QTest::keyClick(widget, char(ch.unicode()), mods);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(ch.toUpper().unicode()), text, mods);
        return;
    }
    const int code = key.isString() ? keyFromName(text) : 0;
    if (code == 0) {
        throwTypeError(d->engine, QStringLiteral("Velt.keyClick: unknown key: ") + text);
        return;
    }
    QTest::keyClick(widget, Qt::Key(code), mods);
}

void VeltApi::keyClicks(QObject* object, const QString& text)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        throwTypeError(d->engine, QStringLiteral("Velt.keyClicks: the first argument is not a widget"));
        return;
    }
    QTest::keyClicks(widget, text);
}

QObject* VeltApi::find(QObject* root, const QString& objectName)
{
    QObject* found = nullptr;
    if (root) {
        found = root->findChild<QObject*>(objectName);
    } else {
        const QWidgetList tops = QApplication::topLevelWidgets();
        for (QWidget* top : tops) {
            found = top->objectName() == objectName ? top : top->findChild<QObject*>(objectName);
            if (found)
                break;
        }
    }
    if (found)
        QJSEngine::setObjectOwnership(found, QJSEngine::CppOwnership);
    return found;
}

void VeltApi::print(const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

QObject* VeltApi::registry() const
{
    QObject* shared = DataEditorRegistry::instance();
    QJSEngine::setObjectOwnership(shared, QJSEngine::CppOwnership);
    return shared;
}

QJSValue VeltApi::prompts() const
{
    return d->platform.promptsObject();
}

int VeltApi::beeps() const
{
    return d->platform.beeps();
}

QJSValue VeltApi::shownErrors() const
{
    return d->platform.shownErrorsArray();
}

} // namespace VeltScript
