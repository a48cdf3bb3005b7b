#include "fieldinput.h"

namespace Velt {

FieldInput chooseFieldInput(const FieldTraits& traits)
{
    if (traits.reference || traits.editingSymbol)
        return {FieldInputKind::Symbol, traits.readOnly};
    if (traits.hasEnumeration)
        return {traits.locked ? FieldInputKind::ReadOnlyEnumeration : FieldInputKind::Enumeration,
                traits.readOnly};
    return {FieldInputKind::Text, traits.readOnly || traits.locked};
}

} // namespace Velt
