// ParmNameRules: the naming rules of a parameter, apart from any widget. A name is trimmed of
// leading and trailing blanks; it must not be blank, must not hold a control character
// (below 32), and must not name another parameter of its block, compared as the core compares
// names. Every other character, inner blanks included, is allowed.
#pragma once

#include "quen/quencore.h"
#include "velt_export.h"

#include <QString>

namespace Velt::ParmNameRules {

// The text without its leading and trailing blanks.
VELT_EXPORT QString trimmed(const QString& text);

// The violated rule's message for a trimmed name, "" when the name is legal. With block 0 the
// uniqueness rule is not checked; `self` is the parameter being named, which may keep its name.
// When several rules are violated the last one's message is given (duplicate over blank over
// control character).
VELT_EXPORT QString check(const QString& name, QuenHandle block, QuenHandle self);

} // namespace Velt::ParmNameRules
