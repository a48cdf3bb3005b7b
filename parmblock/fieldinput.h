// FieldInput: which input element the value field editor shows for a field, apart from any
// widget. A symbol reference (or a field edited as one) gets the symbol selector; a field with
// choices gets a list, which takes only its entries when the field is locked (a locked field
// accepts nothing else) and free text otherwise; every other field gets the text box, read-only
// when the field is locked or the editor is.
#pragma once

#include "velt_export.h"

namespace Velt {

enum class FieldInputKind { Text, Enumeration, ReadOnlyEnumeration, Symbol };

struct FieldTraits
{
    bool reference = false;      // the parameter is a symbol reference
    bool editingSymbol = false;  // the host edits the field as a symbol reference
    bool hasEnumeration = false; // the field offers choices
    bool locked = false;         // the field takes no free text
    bool readOnly = false;       // the editor is read-only
};

struct FieldInput
{
    FieldInputKind kind = FieldInputKind::Text;
    bool readOnly = false;
};

VELT_EXPORT FieldInput chooseFieldInput(const FieldTraits& traits);

} // namespace Velt
