// The reference view: how a field collection serves a parameter that is a symbol reference.
// Below the root line it shows "Table" (a choice of "All Public" and every registered table),
// "Symbol" (a choice of the matching symbols) and "Value" (the referenced symbol's value, read
// through a scratch collection bound to it), and it resolves chains of references.
#pragma once

#include <QString>

#include <cstdint>

class XCStructEditField;
class XCStructEditFields;

namespace Velt::ReferenceView {

// The name shown for, and chosen as, the empty table name: every public table.
inline const QString AllPublic = QStringLiteral("All Public");

// At most this many references are followed before a chain is taken for a loop.
constexpr int MaxReferenceHops = 50;

void declareFields(XCStructEditFields& fields);
void declareField(XCStructEditField& field);
// valueView is a scratch collection, bound and detached again here for the value lines.
void getField(XCStructEditField& field, XCStructEditFields& valueView);
// True when every field must be read again.
bool fieldChanged(XCStructEditField& field);

int32_t resolveReference(const QString& table, const QString& symbol, QString& message);
int32_t findTable(const QString& table);

} // namespace Velt::ReferenceView
