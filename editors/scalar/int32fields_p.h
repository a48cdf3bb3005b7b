// The integer item as the core keeps it, and the integer editor's structured face over it.
//
// Int32Item is a snapshot of an integer item with its editing properties, read when an edit
// begins; Int32Item::store writes what the dialog holds back in the order the properties
// depend on each other (choice list, view, restriction, units, then the value).
//
// Int32Fields serves XCStructEditing for Int32Editor: which fields a value has, what each
// shows, and what a change of each writes. It reads the core on every call (fields are read
// far more often than they change, and never cached), builds every text with Int32Rules and
// shows the core's errors after each change. The editor's own bounds are needed only when the
// "Style" field makes a plain value restricted.
#pragma once

#include "int32rules.h"
#include "scalaritem_p.h"

#include <QString>

#include <cstdint>
#include <optional>

class XCStructEditFields;
class XCStructEditField;

namespace Velt {

struct Int32Item
{
    int32_t value = 0;
    QString view = Int32Rules::Decimal;
    QString units;
    std::optional<ScalarItem::Bounds<int32_t>> restriction;
    std::optional<ScalarItem::ChoiceList> choices;

    static Int32Item read(int32_t item);

    // A restriction that bounds at least one side (what ticks the restriction box).
    bool restricted() const;
    int32_t low() const;
    int32_t high() const;

    // The dialog's state written back. With choices, neither view nor restriction is kept;
    // a restriction whose high is below its low is closed to low; the value is clamped into a
    // stored restriction.
    static void store(int32_t item, int32_t value, const QString& view, const QString& units,
                      std::optional<ScalarItem::Bounds<int32_t>> restriction,
                      const std::optional<ScalarItem::ChoiceList>& choices);
};

namespace Int32Fields {

void declareFields(int32_t item, XCStructEditFields& fields);
void declareField(int32_t item, XCStructEditField& field);
void getField(int32_t item, XCStructEditField& field);
void fieldChanged(int32_t item, XCStructEditField& field, bool postEdits, bool& refresh,
                  ScalarItem::Bounds<int32_t> editorBounds);

} // namespace Int32Fields
} // namespace Velt
