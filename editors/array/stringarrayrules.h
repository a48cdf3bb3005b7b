// StringArrayRules: what the string array editor says and how it reads its item's view, beside
// the family's rules (arrayrules_p.h) and the string views it shares with the string editor
// (StringRules). Widget-free and core-free.
#pragma once

#include "velt_export.h"

#include <QString>

#include <cstdint>

namespace Velt::StringArrayRules {

// Up to this many elements the array is edited in place as well; more only in the dialog.
inline constexpr int32_t MaxFieldElements = 50;

// A stored "View As" as the editor uses it: one of the three views, "Characters" for anything
// else.
VELT_EXPORT QString viewOf(const QString& stored);
// The root line of the structured face for an array of count elements from lower to upper.
VELT_EXPORT QString summary(int32_t count, int32_t lower, int32_t upper, const QString& view);
// The caption of element i's line: "String (i)".
VELT_EXPORT QString elementCaption(int32_t index);
// Paste of a text that does not read in the view.
VELT_EXPORT QString pasteError(const QString& view);
VELT_EXPORT QString rootNotEditable();   // "Internal Error: This field should not be editable"

} // namespace Velt::StringArrayRules
