// The one place where texts of the core become QStrings and back. The core's texts are UTF-8
// and owned by the core (valid only until a later call), so they are copied at once; a null
// pointer is the empty text.
#pragma once

#include <QByteArray>
#include <QString>

namespace quen {

inline QString toQString(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

inline QByteArray toUtf8(const QString& text) { return text.toUtf8(); }

} // namespace quen
