// KeyArguments: the arguments of a KeyDown or KeyUp event as late-bound hosts receive them.
// In C++ those events pass KeyCode and Shift by reference; a script handler gets this object
// instead and changes the arguments through its properties (KeyCode 0 swallows the key). The
// control raising the event owns the object, which lives only while the event is raised.
#pragma once

#include "velt_export.h"

#include <QObject>

#include <memory>

namespace Velt {

class VELT_EXPORT KeyArguments : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int KeyCode READ KeyCode WRITE setKeyCode)
    Q_PROPERTY(int Shift READ Shift WRITE setShift)

public:
    KeyArguments(int KeyCode, int Shift, QObject* parent = nullptr);
    ~KeyArguments() override;

    int KeyCode() const;
    void setKeyCode(int KeyCode);
    int Shift() const;
    void setShift(int Shift);

    // Raises the late-bound form of an event: hands KeyCode and Shift to `raise` as an object
    // and takes back what its handlers left there.
    template <typename Raise>
    static void exchange(int& KeyCode, int& Shift, Raise raise)
    {
        KeyArguments arguments(KeyCode, Shift);
        raise(&arguments);
        KeyCode = arguments.KeyCode();
        Shift = arguments.Shift();
    }

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Velt
