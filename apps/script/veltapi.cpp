#include "veltapi.h"

#include "componentregistry.h"
#include "countingdataeditorsite.h"
#include "dataeditorform.h"
#include "dataeditorregistry.h"
#include "modalwatcher.h"
#include "qtstrings.h"
#include "scriptplatform.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <QApplication>
#include <QJSEngine>
#include <QKeySequence>
#include <QMetaEnum>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <utility>
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
    // Only names QKeySequence itself would write ("PgDown", "Esc", "Ins"), not a guess.
    if (sequence.count() == 1 && sequence[0].keyboardModifiers() == Qt::NoModifier
        && QKeySequence(sequence[0]).toString().compare(name, Qt::CaseInsensitive) == 0)
        return sequence[0].key();
    return 0;
}

// The text a key press carries, as QTest gives it for the keys it knows; special keys carry
// none. (QTest's own conversion asserts on keys it does not know.)
QString keyText(int code, Qt::KeyboardModifiers modifiers)
{
    switch (code) {
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    case Qt::Key_Delete:
        return QStringLiteral("\x7f");
    default:
        break;
    }
    if (code <= 0 || code >= 0x01000000 || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return {};
    const QString text = QString(QChar(char16_t(code)));
    return modifiers & Qt::ShiftModifier ? text : text.toLower();
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

// One character typed: its key (the upper-case code, or the special key of a control
// character) and the character itself as the text.
void clickCharacter(QWidget* widget, const QString& character, Qt::KeyboardModifiers modifiers)
{
    const QChar ch = character.at(0);
    int code = character.size() == 1 ? int(ch.toUpper().unicode()) : 0;
    if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
        code = Qt::Key_Return;
    else if (ch == QLatin1Char('\t'))
        code = Qt::Key_Tab;
    else if (ch == QLatin1Char('\b'))
        code = Qt::Key_Backspace;
    else if (ch == QLatin1Char('\x1b'))
        code = Qt::Key_Escape;
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(code), character, modifiers);
}

} // namespace

struct VeltApi::Private
{
    explicit Private(QJSEngine* e) : engine(e), platform(e) {}
    QJSEngine* engine;
    ScriptPlatform platform;
    std::vector<QPointer<QObject>> created;
    QJSValue modalError;
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
        const int code = key.toInt();
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(code), keyText(code, mods), mods);
        return;
    }
    const QString text = key.toString();
    if (key.isString() && text.size() == 1) {
        clickCharacter(widget, text, mods);
        return;
    }
    const int code = key.isString() ? keyFromName(text) : 0;
    if (code == 0) {
        throwTypeError(d->engine, QStringLiteral("Velt.keyClick: unknown key: ") + text);
        return;
    }
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(code), keyText(code, mods), mods);
}

void VeltApi::keyClicks(QObject* object, const QString& text)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        throwTypeError(d->engine, QStringLiteral("Velt.keyClicks: the first argument is not a widget"));
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        clickCharacter(widget, text.mid(i, pair ? 2 : 1), Qt::NoModifier);
        if (pair)
            ++i;
    }
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

QObject* VeltApi::fields()
{
    // No parent: the engine deletes it once the script lets go of it, with its pooled fields.
    auto* fields = XCStructEditFields::create();
    QJSEngine::setObjectOwnership(fields, QJSEngine::JavaScriptOwnership);
    return fields;
}

QObject* VeltApi::site()
{
    auto* site = new CountingDataEditorSite;
    QJSEngine::setObjectOwnership(site, QJSEngine::JavaScriptOwnership);
    return site;
}

void VeltApi::onModal(const QJSValue& fn)
{
    if (!fn.isCallable()) {
        throwTypeError(d->engine, QStringLiteral("Velt.onModal: the argument is not a function"));
        return;
    }
    // Only the first error is kept: it is the one that stopped the script's plan.
    new ModalWatcher(d->engine, fn, [this](const QJSValue& error) {
        if (d->modalError.isUndefined())
            d->modalError = error;
    }, this);
}

bool VeltApi::editParameter(int parameterHandle, bool readOnly, bool symbolMode)
{
    const QString dataClass = quen::toQString(QuenParmGetType(parameterHandle));
    QuenExcRegClearError(0);
    if (DataEditorRegistry::instance()->DataEditorName(dataClass).isEmpty()) {
        d->engine->throwError(QStringLiteral("Velt.editParameter: no editor for the data type ")
                              + dataClass);
        return false;
    }
    DataEditorForm* form = DataEditorForm::instance();
    form->SetUpEditor(parameterHandle, 0, 0, true, false, readOnly, symbolMode);
    if (!form->dataEditor()) {
        int32_t parm = parameterHandle;
        int32_t defaultParm = 0;
        form->CleanupEditor(parm, defaultParm);
        d->engine->throwError(QStringLiteral("Velt.editParameter: no editor for the data type ")
                              + dataClass);
        return false;
    }
    form->exec();
    int32_t parm = parameterHandle;
    int32_t defaultParm = 0;
    const bool accepted = form->CleanupEditor(parm, defaultParm);
    // A callback that failed inside the dialog fails this call, at the script's line.
    const QJSValue error = takeModalError();
    if (!error.isUndefined())
        d->engine->throwError(error);
    return accepted;
}

QJSValue VeltApi::takeModalError()
{
    return std::exchange(d->modalError, QJSValue());
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
