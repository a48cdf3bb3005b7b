// The real item as the core keeps it, and the real editor's structured face over it.
//
// Real64Item is a snapshot of a real item with its units, precision and restriction, read when
// an edit begins; Real64Item::store writes what the dialog holds back (precision, restriction,
// units, then the value). Real64Fields serves XCStructEditing for Real64Editor, reading the
// core on every call, building every text with Real64Rules and showing the core's errors
// after each change. The editor's own bounds are needed only when the "Style" field makes a
// plain value restricted.
#pragma once

#include "real64rules.h"
#include "scalaritem_p.h"

#include <QString>

#include <cstdint>
#include <optional>

class XCStructEditFields;
class XCStructEditField;

namespace Velt {

struct Real64Item
{
    double value = 0;
    int precision = 0; // as stored; rendering caps it at 15
    QString units;
    std::optional<ScalarItem::Bounds<double>> restriction;

    static Real64Item read(int32_t item);

    bool restricted() const; // present and bounded on at least one side
    double low() const;
    double high() const;

    // A restriction whose high is below its low is closed to low; the full range is not
    // stored; the value is clamped into a stored restriction.
    static void store(int32_t item, double value, int precision, const QString& units,
                      std::optional<ScalarItem::Bounds<double>> restriction);
};

namespace Real64Fields {

void declareFields(int32_t item, XCStructEditFields& fields);
void declareField(int32_t item, XCStructEditField& field);
void getField(int32_t item, XCStructEditField& field);
void fieldChanged(int32_t item, XCStructEditField& field, bool postEdits, bool& refresh,
                  ScalarItem::Bounds<double> editorBounds);

} // namespace Real64Fields
} // namespace Velt
