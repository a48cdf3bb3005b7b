#include "int32fields_p.h"

#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <algorithm>

namespace Velt {

namespace {

namespace R = Int32Rules;
using ScalarItem::Bounds;
using ScalarItem::ChoiceList;

// Captions of the fields below the root line.
const QString StyleField = QStringLiteral("Style");
const QString BeginField = QStringLiteral("Begin at");
const QString EndField = QStringLiteral("End at");
const QString LabelsField = QStringLiteral("Labels");
const QString RestrictionsField = QStringLiteral("Restrictions");
const QString LowField = QStringLiteral("Low");
const QString HighField = QStringLiteral("High");
const QString ValueField = QStringLiteral("Value");
const QString UnitsField = QStringLiteral("Units");
const QString ViewAsField = QStringLiteral("View As");

constexpr Bounds<int32_t> Unbounded{NumericConversion::Int32UnboundedLow,
                                    NumericConversion::Int32UnboundedHigh};

// The root line and the "Value" line show and take the value itself.
bool isValueLine(XCStructEditField& field)
{
    return field.Index() == 0 || field.Caption() == ValueField;
}

void setValue(int32_t item, int32_t value)
{
    QuenInt32SetValue(item, value);
    ScalarItem::displayCoreErrors();
}

void valueText(const Int32Item& snapshot, XCStructEditField& field)
{
    if (field.Index() == 0 && snapshot.choices) {
        const ChoiceList& list = *snapshot.choices;
        const int32_t v = snapshot.value;
        if (v < list.begin || v > list.end) {
            field.setText(R::unchosenText(v));
            field.setErrorMessage(R::outOfRangeChoiceMessage());
        } else if (list.label(v).trimmed().isEmpty()) {
            field.setText(R::unchosenText(v));
            field.setErrorMessage(R::notAChoiceMessage());
        } else {
            field.setText(R::choiceText(v, list.label(v)));
        }
        return;
    }
    field.setText(R::valueFieldText(snapshot.value, snapshot.view, snapshot.units));
    field.setErrorMessage(
        R::checkIntegerRestriction(snapshot.value, snapshot.view, snapshot.low(), snapshot.high()));
}

void changeChoice(int32_t item, const ChoiceList& list, const QString& text,
                  XCStructEditField& field)
{
    const QString chosen = text.trimmed();
    if (chosen == R::EmptyChoice) {
        field.setErrorMessage(R::noLabelsMessage());
        return;
    }
    const Int32Result value = R::choiceValue(chosen);
    if (!value.ok() || value.value < list.begin || value.value > list.end) {
        field.setErrorMessage(R::outOfRangeChoiceMessage());
        return;
    }
    setValue(item, value.value);
}

void changeValue(int32_t item, const Int32Item& snapshot, const QString& text, bool postEdits,
                 bool& refresh, XCStructEditField& field)
{
    const R::Parsed parsed = R::parseIntegerText(
        R::ValueCaption, R::stripValueDecorations(text, snapshot.view, snapshot.units),
        snapshot.view);
    QString error = parsed.error;
    if (error.isEmpty())
        error = R::checkIntegerRestriction(parsed.value, snapshot.view, snapshot.low(),
                                           snapshot.high());
    if (!error.isEmpty()) {
        field.setErrorMessage(error);
        return;
    }
    setValue(item, parsed.value);
    if (postEdits && (field.DesignTime() || !snapshot.units.isEmpty()))
        refresh = true;
}

void changeStyle(int32_t item, const Int32Item& snapshot, const QString& text,
                 Bounds<int32_t> editorBounds)
{
    ScalarItem::removeProperty(item, ScalarItem::Enumeration);
    const QString style = text.trimmed();
    if (style == R::StyleChoices) {
        ScalarItem::removeProperty(item, ScalarItem::Restriction);
        ScalarItem::removeProperty(item, ScalarItem::Units);
        ScalarItem::setChoiceList(item, {0, 1, {QStringLiteral("False"), QStringLiteral("True")}});
        QuenInt32SetValue(item, 0);
    } else if (style == R::StyleRestricted) {
        if (!snapshot.restriction)
            ScalarItem::setInt32Restriction(item, editorBounds);
    } else if (style == R::StylePlain) {
        ScalarItem::removeProperty(item, ScalarItem::Restriction);
    }
    ScalarItem::displayCoreErrors();
}

void changeChoiceBounds(int32_t item, const Int32Item& snapshot, const QString& text,
                        bool& refresh, XCStructEditField& field)
{
    if (!snapshot.choices)
        return;
    const ChoiceList& old = *snapshot.choices;
    const bool begin = field.Caption() == BeginField;
    const R::ChoiceBounds bounds = R::validateChoiceBounds(
        begin ? text : QString::number(old.begin), begin ? QString::number(old.end) : text,
        begin ? R::ChoiceSide::Begin : R::ChoiceSide::End);
    if (!bounds.ok()) {
        field.setErrorMessage(bounds.error);
        return;
    }
    ChoiceList list{bounds.begin, bounds.end, {}};
    for (int32_t i = bounds.begin; i <= bounds.end; ++i)
        list.labels << old.label(i); // labels of values both lists share; others blank
    ScalarItem::setChoiceList(item, list);
    ScalarItem::displayCoreErrors();
    setValue(item, std::clamp(snapshot.value, bounds.begin, bounds.end));
    refresh = true;
}

void changeBound(int32_t item, const Int32Item& snapshot, const QString& text, bool& refresh,
                 XCStructEditField& field)
{
    const bool low = field.Caption() == LowField;
    const R::Parsed parsed =
        R::parseIntegerText(low ? R::LowCaption : R::HighCaption, text, snapshot.view);
    if (!parsed.ok()) {
        field.setErrorMessage(parsed.error);
        return;
    }
    const Bounds<int32_t> bounds{low ? parsed.value : snapshot.low(),
                                 low ? snapshot.high() : parsed.value};
    if (bounds.low > bounds.high) {
        field.setErrorMessage(low ? R::lowAboveHighMessage() : R::highBelowLowMessage());
        return;
    }
    ScalarItem::setInt32Restriction(item, bounds);
    ScalarItem::displayCoreErrors();
    if (low && snapshot.value < bounds.low)
        setValue(item, bounds.low);
    else if (!low && snapshot.value > bounds.high)
        setValue(item, bounds.high);
    refresh = true;
}

} // namespace

// ---- Int32Item ---------------------------------------------------------------------------------

Int32Item Int32Item::read(int32_t item)
{
    Int32Item snapshot;
    snapshot.value = QuenInt32GetValue(item);
    const QString view = ScalarItem::stringProperty(item, ScalarItem::ViewAs);
    if (!view.isEmpty())
        snapshot.view = view;
    snapshot.units = ScalarItem::stringProperty(item, ScalarItem::Units);
    snapshot.restriction = ScalarItem::int32Restriction(item);
    snapshot.choices = ScalarItem::choiceList(item);
    return snapshot;
}

bool Int32Item::restricted() const
{
    return restriction
        && !(NumericConversion::isUnboundedLow(restriction->low)
             && NumericConversion::isUnboundedHigh(restriction->high));
}

int32_t Int32Item::low() const { return restriction ? restriction->low : Unbounded.low; }
int32_t Int32Item::high() const { return restriction ? restriction->high : Unbounded.high; }

void Int32Item::store(int32_t item, int32_t value, const QString& view, const QString& units,
                      std::optional<Bounds<int32_t>> restriction,
                      const std::optional<ChoiceList>& choices)
{
    if (choices)
        ScalarItem::setChoiceList(item, *choices);
    else
        ScalarItem::removeProperty(item, ScalarItem::Enumeration);

    if (choices || view == R::Decimal)
        ScalarItem::removeProperty(item, ScalarItem::ViewAs);
    else
        ScalarItem::setStringProperty(item, ScalarItem::ViewAs, view);

    value = ScalarItem::storeRestriction(item, choices ? std::nullopt : restriction, value);

    ScalarItem::setStringProperty(item, ScalarItem::Units, units);
    QuenInt32SetValue(item, value);
}

// ---- the structured face -------------------------------------------------------------------

void Int32Fields::declareFields(int32_t item, XCStructEditFields& fields)
{
    const Int32Item snapshot = Int32Item::read(item);
    const bool design = fields.DesignTime();
    if (design)
        fields.Add(StyleField, 1, QStringLiteral("Enumeration"));
    if (snapshot.choices) {
        if (!design)
            return;
        fields.Add(BeginField, 1, QStringLiteral("Number"));
        fields.Add(EndField, 1, QStringLiteral("Number"));
        fields.Add(LabelsField, 1, QStringLiteral("Fields"));
        for (int32_t i = snapshot.choices->begin; i <= snapshot.choices->end; ++i)
            fields.Add(R::labelCaption(i), 2, QStringLiteral("Text"));
        return;
    }
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
    fields.Add(ViewAsField, 1, QStringLiteral("Enumeration"));
}

void Int32Fields::declareField(int32_t item, XCStructEditField& field)
{
    const QString caption = field.Caption();
    const bool design = field.DesignTime();
    const auto offer = [&field](const QStringList& choices) {
        for (const QString& choice : choices)
            field.Enumeration()->Add(choice, -1);
    };
    if (field.Index() == 0) {
        const std::optional<ChoiceList> choices = ScalarItem::choiceList(item);
        field.setLocked(choices.has_value());
        if (!choices)
            return;
        bool any = false;
        for (int32_t i = choices->begin; i <= choices->end; ++i) {
            if (choices->label(i).trimmed().isEmpty())
                continue;
            field.Enumeration()->Add(R::choiceText(i, choices->label(i)), -1);
            any = true;
        }
        if (!any) {
            field.Enumeration()->Add(R::EmptyChoice, -1);
            field.setErrorMessage(R::noLabelsMessage());
        }
    } else if (caption == StyleField) {
        field.setLocked(true);
        offer(R::styleNames());
    } else if (caption == BeginField || caption == EndField || caption == ValueField
               || R::labelValue(caption)) {
        field.setLocked(false);
    } else if (caption == LowField || caption == HighField || caption == UnitsField) {
        field.setLocked(!design);
    } else if (caption == ViewAsField) {
        offer(R::structuredViewNames());
    } else {
        field.setLocked(true); // "Labels", "Restrictions"
    }
}

void Int32Fields::getField(int32_t item, XCStructEditField& field)
{
    const Int32Item snapshot = Int32Item::read(item);
    const QString caption = field.Caption();
    if (isValueLine(field)) {
        valueText(snapshot, field);
    } else if (caption == StyleField) {
        field.setText(snapshot.choices       ? R::StyleChoices
                          : snapshot.restriction ? R::StyleRestricted
                                                 : R::StylePlain);
    } else if (caption == BeginField || caption == EndField) {
        if (snapshot.choices)
            field.setText(QString::number(caption == BeginField ? snapshot.choices->begin
                                                                : snapshot.choices->end));
    } else if (caption == LabelsField) {
        field.setText(R::labelsText(snapshot.choices ? snapshot.choices->labels.size() : 0));
    } else if (const std::optional<int32_t> value = R::labelValue(caption)) {
        field.setText(snapshot.choices ? snapshot.choices->label(*value) : QString());
    } else if (caption == RestrictionsField) {
        field.setText(R::restrictionSummary(snapshot.low(), snapshot.high(), snapshot.view));
    } else if (caption == LowField) {
        field.setText(R::lowBoundText(snapshot.low(), snapshot.view));
    } else if (caption == HighField) {
        field.setText(R::highBoundText(snapshot.high(), snapshot.view));
    } else if (caption == UnitsField) {
        field.setText(snapshot.units);
    } else if (caption == ViewAsField) {
        field.setText(snapshot.view);
    }
}

void Int32Fields::fieldChanged(int32_t item, XCStructEditField& field, bool postEdits,
                               bool& refresh, Bounds<int32_t> editorBounds)
{
    const Int32Item snapshot = Int32Item::read(item);
    const QString text = field.Text(); // the new text, while the field is being written
    const QString caption = field.Caption();
    if (field.Index() == 0 && snapshot.choices) {
        changeChoice(item, *snapshot.choices, text, field);
    } else if (isValueLine(field)) {
        changeValue(item, snapshot, text, postEdits, refresh, field);
    } else if (caption == StyleField) {
        changeStyle(item, snapshot, text, editorBounds);
    } else if (caption == BeginField || caption == EndField) {
        changeChoiceBounds(item, snapshot, text, refresh, field);
    } else if (const std::optional<int32_t> value = R::labelValue(caption)) {
        ScalarItem::setChoiceLabel(item, *value, text);
        ScalarItem::displayCoreErrors();
    } else if (caption == LowField || caption == HighField) {
        changeBound(item, snapshot, text, refresh, field);
    } else if (caption == UnitsField) {
        ScalarItem::setStringProperty(item, ScalarItem::Units, text);
        ScalarItem::displayCoreErrors();
    } else if (caption == ViewAsField) {
        const QString view = text.trimmed();
        if (view == R::Decimal)
            ScalarItem::removeProperty(item, ScalarItem::ViewAs);
        else
            ScalarItem::setStringProperty(item, ScalarItem::ViewAs, view);
        ScalarItem::displayCoreErrors();
    }
}

} // namespace Velt
