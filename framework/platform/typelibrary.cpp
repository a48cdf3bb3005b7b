#include "typelibrary.h"

namespace Velt {

QString TypeLibrary::name() { return QStringLiteral("VeltEditors"); }
int TypeLibrary::majorVersion() { return 6; }
int TypeLibrary::minorVersion() { return 3; }
int TypeLibrary::localeId() { return 0x409; }
QString TypeLibrary::classId(const QString& className) { return name() + u'.' + className; }

} // namespace Velt
