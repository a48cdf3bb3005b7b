#include "keyevents.h"

#include <QCoreApplication>
#include <QWidget>

namespace Velt {

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

Qt::KeyboardModifiers modifiersOf(int shift)
{
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, shift & 1);
    modifiers.setFlag(Qt::ControlModifier, shift & 2);
    modifiers.setFlag(Qt::AltModifier, shift & 4);
    return modifiers;
}

void applyKeyAscii(RaisedKey& key, int keyAscii, const QString& typed)
{
    if (keyAscii == 0) {
        key.pressSwallowed = true;
        key.text.clear();
    } else if (keyAscii != typed.at(0).unicode()) {
        key.text = keyAscii > 0 && keyAscii <= 0xFFFF ? QString(QChar(char16_t(keyAscii))) : QString();
    }
}

void typeCharacter(QWidget* target, int keyAscii)
{
    if (!target || keyAscii < 1 || keyAscii > 0xFFFF)
        return;
    const QChar character{char16_t(keyAscii)};
    int key = character.toUpper().unicode();
    switch (keyAscii) {
    case 8: key = Qt::Key_Backspace; break;
    case 9: key = Qt::Key_Tab; break;
    case 13: key = Qt::Key_Return; break;
    case 27: key = Qt::Key_Escape; break;
    default: break;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
    QCoreApplication::sendEvent(target, &release);
}

bool KeyRedelivery::deliver(QObject* target, const QKeyEvent& original, const RaisedKey& key)
{
    if (key.swallowed())
        return true;
    if (key.unchanged(original))
        return false;
    QKeyEvent changed = key.changedEvent(original);
    m_active = true;
    QCoreApplication::sendEvent(target, &changed);
    m_active = false;
    return true;
}

bool RaisedKey::unchanged(const QKeyEvent& event) const
{
    return keyCode == event.key() && shift == shiftMask(event.modifiers()) && text == event.text();
}

QKeyEvent RaisedKey::changedEvent(const QKeyEvent& event) const
{
    return QKeyEvent(event.type(), keyCode, modifiersOf(shift), text, event.isAutoRepeat());
}

} // namespace Velt
