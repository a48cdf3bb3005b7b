#include "keyasciiarguments.h"

namespace Velt {

struct KeyAsciiArguments::Private
{
    int keyAscii = 0;
};

KeyAsciiArguments::KeyAsciiArguments(int KeyAscii, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>(Private{KeyAscii}))
{
}

KeyAsciiArguments::~KeyAsciiArguments() = default;

int KeyAsciiArguments::KeyAscii() const { return d->keyAscii; }
void KeyAsciiArguments::setKeyAscii(int KeyAscii) { d->keyAscii = KeyAscii; }

} // namespace Velt
