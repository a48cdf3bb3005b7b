// KeyAsciiArguments: the argument of a KeyPress event as late-bound hosts receive it. In C++
// the event passes KeyAscii by reference; a script handler gets this object instead and
// changes the character through its property (0 swallows it). The control raising the event
// owns the object, which lives only while the event is raised.
#pragma once

#include "velt_export.h"

#include <QObject>

#include <memory>

namespace Velt {

class VELT_EXPORT KeyAsciiArguments : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int KeyAscii READ KeyAscii WRITE setKeyAscii)

public:
    explicit KeyAsciiArguments(int KeyAscii, QObject* parent = nullptr);
    ~KeyAsciiArguments() override;

    int KeyAscii() const;
    void setKeyAscii(int KeyAscii);

    // Raises the late-bound form of an event: hands KeyAscii to `raise` as an object and takes
    // back what its handlers left there.
    template <typename Raise>
    static void exchange(int& KeyAscii, Raise raise)
    {
        KeyAsciiArguments arguments(KeyAscii);
        raise(&arguments);
        KeyAscii = arguments.KeyAscii();
    }

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Velt
