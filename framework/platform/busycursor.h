// BusyCursor: shows the wait cursor for the lifetime of a scope, around work the user must wait
// for. Nests (Qt keeps a stack of override cursors); does nothing without a QGuiApplication.
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace Velt {

class BusyCursor
{
public:
    BusyCursor() : m_active(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    const bool m_active;
};

} // namespace Velt
