// StringItem: a string item in the core as both faces of the string editor read and change it:
// its value, "View As", "Format Operation", "Format" and "Format Lock", the runtime hooks that
// follow the operation, and the core's pattern functions with their errors turned into
// messages. Widget-free.
#pragma once

#include "restrictionrules.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace Velt::StringItem {

QString value(int32_t item);
void setValue(int32_t item, const QString& value);
QString view(int32_t item);      // "Characters" when absent
QString operation(int32_t item); // "None" when absent
std::optional<QString> pattern(int32_t item);
bool locked(int32_t item);

// Evaluation for "Update string from parameters", scanning for "Update parameters from
// string", neither for "None".
void setRuntimeHooks(int32_t item, const QString& operation);

// The core's error register as one message ("" when it is empty), emptied.
QString takeCoreError();

// The pattern functions of the core.
QString tokenizeText(const QString& text);
QString tokenizeSymbol(const QString& symbol, const QString& table);
// The string the pattern builds from the locals, or the core's message.
Parsed<QString> stringValue(const QString& pattern, int32_t locals);
// "" when the pattern is valid for the operation (scanning for "Update parameters from
// string"), else the message.
QString validate(const QString& pattern, const QString& operation, int32_t locals);

} // namespace Velt::StringItem
