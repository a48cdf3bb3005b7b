#include "real64fields_p.h"

#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <algorithm>

namespace Velt {

namespace {

namespace R = Real64Rules;
using ScalarItem::Bounds;

const QString StyleField = QStringLiteral("Style");
const QString RestrictionsField = QStringLiteral("Restrictions");
const QString LowField = QStringLiteral("Low");
const QString HighField = QStringLiteral("High");
const QString ValueField = QStringLiteral("Value");
const QString UnitsField = QStringLiteral("Units");
const QString PrecisionField = QStringLiteral("Precision");

bool isValueLine(XCStructEditField& field)
{
    return field.Index() == 0 || field.Caption() == ValueField;
}

void setValue(int32_t item, double value)
{
    QuenReal64SetValue(item, value);
    ScalarItem::displayCoreErrors();
}

void changeValue(int32_t item, const Real64Item& snapshot, const QString& text,
                 XCStructEditField& field)
{
    const R::Parsed parsed = R::parseRealText(R::ValueCaption, R::stripUnits(text, snapshot.units));
    QString error = parsed.error;
    if (error.isEmpty())
        error = R::checkRealRestriction(parsed.value, snapshot.precision, snapshot.low(),
                                        snapshot.high());
    if (!error.isEmpty()) {
        field.setErrorMessage(error);
        return;
    }
    setValue(item, parsed.value);
}

void changeBound(int32_t item, const Real64Item& snapshot, const QString& text, bool& refresh,
                 XCStructEditField& field)
{
    const bool low = field.Caption() == LowField;
    const R::Parsed parsed = R::parseRealText(low ? R::LowCaption : R::HighCaption, text);
    if (!parsed.ok()) {
        field.setErrorMessage(parsed.error);
        return;
    }
    const Bounds<double> bounds{low ? parsed.value : snapshot.low(),
                                low ? snapshot.high() : parsed.value};
    if (bounds.low > bounds.high) {
        field.setErrorMessage(low ? R::lowAboveHighMessage() : R::highBelowLowMessage());
        return;
    }
    ScalarItem::setRealRestriction(item, bounds);
    ScalarItem::displayCoreErrors();
    if (snapshot.value < bounds.low)
        setValue(item, bounds.low);
    else if (snapshot.value > bounds.high)
        setValue(item, bounds.high);
    refresh = true;
}

} // namespace

// ---- Real64Item --------------------------------------------------------------------------------

Real64Item Real64Item::read(int32_t item)
{
    Real64Item snapshot;
    snapshot.value = QuenReal64GetValue(item);
    snapshot.precision = ScalarItem::int32Property(item, ScalarItem::Precision).value_or(0);
    snapshot.units = ScalarItem::stringProperty(item, ScalarItem::Units);
    snapshot.restriction = ScalarItem::realRestriction(item);
    return snapshot;
}

bool Real64Item::restricted() const
{
    return restriction && !R::isFullRange(restriction->low, restriction->high);
}

double Real64Item::low() const { return restriction ? restriction->low : -R::Unbounded; }
double Real64Item::high() const { return restriction ? restriction->high : R::Unbounded; }

void Real64Item::store(int32_t item, double value, int precision, const QString& units,
                       std::optional<Bounds<double>> restriction)
{
    ScalarItem::setInt32PropertyOrRemove(item, ScalarItem::Precision, precision);
    value = ScalarItem::storeRestriction(item, restriction, value);
    ScalarItem::setStringProperty(item, ScalarItem::Units, units);
    QuenReal64SetValue(item, value);
}

// ---- the structured face -------------------------------------------------------------------

void Real64Fields::declareFields(int32_t item, XCStructEditFields& fields)
{
    const Real64Item snapshot = Real64Item::read(item);
    const bool design = fields.DesignTime();
    if (design)
        fields.Add(StyleField, 1, QStringLiteral("Enumeration"));
    if (snapshot.restriction) {
        const bool lowBounded = !NumericConversion::isUnboundedLow(snapshot.low());
        const bool highBounded = !NumericConversion::isUnboundedHigh(snapshot.high());
        if (design) {
            fields.Add(LowField, 1, QStringLiteral("Number"));
            fields.Add(HighField, 1, QStringLiteral("Number"));
        } else if (lowBounded || highBounded) {
            fields.Add(RestrictionsField, 1, QStringLiteral("ReadOnlyNumber"));
            if (lowBounded)
                fields.Add(LowField, 2, QStringLiteral("ReadOnlyNumber"));
            if (highBounded)
                fields.Add(HighField, 2, QStringLiteral("ReadOnlyNumber"));
        }
    }
    if (design || !snapshot.units.isEmpty()) {
        fields.Add(ValueField, 1, QStringLiteral("Number"));
        fields.Add(UnitsField, 1, design ? QStringLiteral("Text") : QStringLiteral("ReadOnlyText"));
    }
    fields.Add(PrecisionField, 1, QStringLiteral("Number"));
}

void Real64Fields::declareField(int32_t, XCStructEditField& field)
{
    const QString caption = field.Caption();
    if (field.Index() != 0 && caption == StyleField) {
        field.setLocked(true);
        for (const QString& style : R::styleNames())
            field.Enumeration()->Add(style, -1);
    } else if (field.Index() != 0 && caption == RestrictionsField) {
        field.setLocked(true);
    } else if (field.Index() != 0
               && (caption == LowField || caption == HighField || caption == UnitsField)) {
        field.setLocked(!field.DesignTime());
    } else {
        field.setLocked(false); // the value lines and "Precision"
    }
}

void Real64Fields::getField(int32_t item, XCStructEditField& field)
{
    const Real64Item snapshot = Real64Item::read(item);
    const QString caption = field.Caption();
    const int p = snapshot.precision;
    if (isValueLine(field)) {
        field.setText(R::valueFieldText(snapshot.value, p, snapshot.units));
        field.setErrorMessage(
            R::checkRealRestriction(snapshot.value, p, snapshot.low(), snapshot.high()));
    } else if (caption == StyleField) {
        field.setText(snapshot.restriction ? R::StyleRestricted : R::StylePlain);
    } else if (caption == RestrictionsField) {
        field.setText(R::restrictionSummary(snapshot.low(), snapshot.high(), p));
    } else if (caption == LowField) {
        field.setText(R::lowBoundText(snapshot.low(), p));
    } else if (caption == HighField) {
        field.setText(R::highBoundText(snapshot.high(), p));
    } else if (caption == UnitsField) {
        field.setText(snapshot.units);
    } else if (caption == PrecisionField) {
        field.setText(R::precisionText(p));
    }
}

void Real64Fields::fieldChanged(int32_t item, XCStructEditField& field, bool, bool& refresh,
                                Bounds<double> editorBounds)
{
    const Real64Item snapshot = Real64Item::read(item);
    const QString text = field.Text(); // the new text, while the field is being written
    const QString caption = field.Caption();
    if (isValueLine(field)) {
        changeValue(item, snapshot, text, field);
    } else if (caption == StyleField) {
        if (text.trimmed() == R::StyleRestricted) {
            if (!snapshot.restriction)
                ScalarItem::setRealRestriction(item, editorBounds);
        } else {
            ScalarItem::removeProperty(item, ScalarItem::Restriction);
        }
        ScalarItem::displayCoreErrors();
    } else if (caption == LowField || caption == HighField) {
        changeBound(item, snapshot, text, refresh, field);
    } else if (caption == UnitsField) {
        ScalarItem::setStringProperty(item, ScalarItem::Units, text);
        ScalarItem::displayCoreErrors();
    } else if (caption == PrecisionField) {
        const R::Precision precision = R::validatePrecision(text);
        if (!precision.ok()) {
            field.setErrorMessage(precision.error);
            return;
        }
        ScalarItem::setInt32PropertyOrRemove(item, ScalarItem::Precision, precision.precision);
        ScalarItem::displayCoreErrors();
    }
}

} // namespace Velt
