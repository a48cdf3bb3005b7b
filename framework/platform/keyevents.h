// Key events as the controls' hosts see them. A control raises KeyDown(KeyCode, Shift) and, for
// a typed character, KeyPress(KeyAscii) in two forms each: pointers a C++ handler may change,
// then an argument object (KeyArguments, KeyAsciiArguments) for late-bound handlers. What the
// handlers leave decides how the control goes on: KeyCode 0 or KeyAscii 0 swallows the key, a
// changed code or character is delivered instead of the typed one.
#pragma once

#include "keyarguments.h"
#include "keyasciiarguments.h"
#include "velt_export.h"

#include <QKeyEvent>
#include <QString>

class QWidget;

namespace Velt {

// The host platform's shift mask: 1 Shift, 2 Ctrl, 4 Alt.
VELT_EXPORT int shiftMask(Qt::KeyboardModifiers modifiers);
VELT_EXPORT Qt::KeyboardModifiers modifiersOf(int shift);

// A key event after the handlers have seen it.
struct VELT_EXPORT RaisedKey
{
    int keyCode = 0;
    int shift = 0;
    QString text; // the typed character, as the handlers left it ("" when none or swallowed)
    bool pressSwallowed = false;

    bool swallowed() const { return keyCode == 0 || pressSwallowed; }
    // The handlers changed nothing: the original event can go on as it is.
    bool unchanged(const QKeyEvent& event) const;
    // The event to deliver instead of the original one.
    QKeyEvent changedEvent(const QKeyEvent& event) const;
};

// Hands what the handlers left of a key event to the input element it was meant for, from the
// control's event filter: deliver() says whether the filter stops the original event (the key
// was swallowed, or a changed key was delivered instead). While a changed key is on its way,
// active() is true and the filter lets it pass.
class VELT_EXPORT KeyRedelivery
{
public:
    bool active() const { return m_active; }
    bool deliver(QObject* target, const QKeyEvent& original, const RaisedKey& key);

private:
    bool m_active = false;
};

// Takes back a KeyAscii a handler left: 0 swallows, anything else becomes the character.
VELT_EXPORT void applyKeyAscii(RaisedKey& key, int keyAscii, const QString& typed);

// Sends a character to a widget as if it were typed (key down with the character, key up): the
// host's entry to type into a control's input element. 8 is Backspace, 9 Tab, 13 Enter, 27
// Escape; a value outside 1 to 0xFFFF sends nothing.
VELT_EXPORT void typeCharacter(QWidget* target, int keyAscii);

// Raises KeyDown and, when the event types one character and the control publishes KeyPress,
// KeyPress; a swallowed KeyDown raises no KeyPress.
template <typename Control>
RaisedKey raiseKeyDown(Control* control, const QKeyEvent& event)
{
    RaisedKey key{event.key(), shiftMask(event.modifiers()), event.text()};
    Q_EMIT control->KeyDown(&key.keyCode, &key.shift);
    KeyArguments::exchange(key.keyCode, key.shift,
                           [control](KeyArguments* args) { Q_EMIT control->KeyDown(args); });
    if (key.keyCode == 0)
        return key;
    if constexpr (requires(int* ascii) { control->KeyPress(ascii); }) {
        if (key.text.size() == 1) {
            const QString typed = key.text;
            int keyAscii = typed.at(0).unicode();
            Q_EMIT control->KeyPress(&keyAscii);
            KeyAsciiArguments::exchange(
                keyAscii, [control](KeyAsciiArguments* args) { Q_EMIT control->KeyPress(args); });
            applyKeyAscii(key, keyAscii, typed);
        }
    }
    return key;
}

} // namespace Velt
