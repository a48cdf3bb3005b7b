// The enumerations the library publishes to hosts. Both belong to the string editor: the state
// of its dialog face and the kinds of token of a format pattern. Hosts read them by name
// through the meta-object system (Velt::PublicEnums::staticMetaObject).
#pragma once

#include "velt_export.h"

#include <QObject>

namespace Velt::PublicEnums {
Q_NAMESPACE_EXPORT(VELT_EXPORT)

enum CtlStateEnum {
    ValueEditState = 0,
    PatternEditState = 1,
    FormatLockState = 2,
};
Q_ENUM_NS(CtlStateEnum)

enum TokenType {
    TextToken = 0,
    SymbolToken = 1,
    EndofLineToken = 2,
    ErrorToken = 3,
};
Q_ENUM_NS(TokenType)

} // namespace Velt::PublicEnums
