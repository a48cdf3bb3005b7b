// The one place where texts of the core become QStrings and back. The core's texts are UTF-8
// and owned by the core (valid only until a later call), so they are copied at once, with the
// core's own conversion (QuenConvertToString), so that a core honouring the same C API
// converts its texts its own way; a null pointer is the empty text.
#pragma once

#include "quen/quencore.h"

#include <QByteArray>
#include <QString>
#include <QVarLengthArray>

namespace quen {

inline QString toQString(const char* text)
{
    const int32_t length = QuenConvertToString(text, nullptr, 0);
    if (length <= 0)
        return QString();
    // The core measures texts below INT32_MAX, so the terminator always fits.
    QVarLengthArray<char, 256> buffer(qsizetype(length) + 1);
    QuenConvertToString(text, buffer.data(), int32_t(buffer.size()));
    return QString::fromUtf8(buffer.constData(), length);
}

inline QByteArray toUtf8(const QString& text) { return text.toUtf8(); }

} // namespace quen
