#include "keyarguments.h"

namespace Velt {

struct KeyArguments::Private
{
    int keyCode = 0;
    int shift = 0;
};

KeyArguments::KeyArguments(int KeyCode, int Shift, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>(Private{KeyCode, Shift}))
{
}

KeyArguments::~KeyArguments() = default;

int KeyArguments::KeyCode() const { return d->keyCode; }
void KeyArguments::setKeyCode(int KeyCode) { d->keyCode = KeyCode; }
int KeyArguments::Shift() const { return d->shift; }
void KeyArguments::setShift(int Shift) { d->shift = Shift; }

} // namespace Velt
