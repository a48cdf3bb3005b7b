#include "arraybuffer_p.h"

#include <QCoreApplication>

namespace Velt {

ArrayBuffer::~ArrayBuffer() = default;

QString ArrayBuffer::valueHeader() const
{
    return QCoreApplication::translate("ArrayEditor", "Value");
}

} // namespace Velt
