#include "int32fields_p.h"

#include "int32rules.h"
#include "itemproperties_p.h"
#include "numberfields_p.h"

#include <algorithm>
#include <utility>

namespace Velt::Int32Fields {

namespace {

namespace R = Int32Rules;
namespace P = ItemProperties;
using Number = NumberFields<R::Traits>;
using Row = FieldTable::Row;

bool hasChoices(const FieldCall& call) { return P::hasProperty(call.item, P::Enumeration); }
// The values of the choice list; none without one.
Bounds<int32_t> choiceRange(const FieldCall& call)
{
    return P::choiceBounds(call.item).value_or(Bounds<int32_t>{0, -1});
}
bool choicesShown(const FieldCall& call) { return call.designTime && hasChoices(call); }
bool noChoices(const FieldCall& call) { return !hasChoices(call); }

const Number::Face& numberFace()
{
    static const Number::Face face{.rendering = viewOf,
                                   .applies = noChoices,
                                   .refreshAfterPostedValue = true,
                                   .clampOnlyChangedSide = true};
    return face;
}

// ---- the root line with a choice list: one choice per label --------------------------------

FieldChoices offeredChoices(const FieldCall& call)
{
    const std::optional<P::ChoiceList> list = P::choiceList(call.item);
    if (!list)
        return {};
    FieldChoices offered;
    for (int32_t value = list->begin; value <= list->end; ++value) {
        const QString label = list->label(value);
        if (!label.trimmed().isEmpty())
            offered.choices << R::choiceText(value, label);
    }
    if (offered.choices.isEmpty())
        return {{R::EmptyChoice}, R::noLabelsMessage()};
    return offered;
}

FieldText readRoot(const FieldCall& call)
{
    const std::optional<Bounds<int32_t>> bounds = P::choiceBounds(call.item);
    if (!bounds)
        return Number::readValue(numberFace(), call);
    const int32_t value = P::value<int32_t>(call.item);
    if (value < bounds->low || value > bounds->high)
        return {R::unchosenText(value), R::outOfRangeChoiceMessage()};
    const QString label = P::choiceLabel(call.item, value);
    if (label.trimmed().isEmpty())
        return {R::unchosenText(value), R::notAChoiceMessage()};
    return {R::choiceText(value, label)};
}

FieldChange applyRoot(const FieldCall& call, const QString& text)
{
    const std::optional<Bounds<int32_t>> bounds = P::choiceBounds(call.item);
    if (!bounds)
        return Number::applyValue(numberFace(), call, text);
    const QString chosen = text.trimmed();
    if (chosen == R::EmptyChoice)
        return FieldChange::failed(R::noLabelsMessage());
    const Int32Result value = R::choiceValue(chosen);
    if (!value.ok() || value.value < bounds->low || value.value > bounds->high)
        return FieldChange::failed(R::outOfRangeChoiceMessage());
    P::setValue<int32_t>(call.item, value.value);
    return FieldChange::done();
}

// ---- "Style" ---------------------------------------------------------------------------------

FieldChange applyStyle(const FieldCall& call, const QString& text,
                       const std::function<Bounds<int32_t>()>& editorBounds)
{
    P::removeProperty(call.item, P::Enumeration);
    const QString style = text.trimmed();
    if (style == R::StyleChoices) {
        P::removeProperty(call.item, P::Restriction);
        P::removeProperty(call.item, P::Units);
        P::setChoiceList(call.item, P::defaultChoiceList());
        P::setValue<int32_t>(call.item, 0);
    } else if (style == NumberTexts::StyleRestricted) {
        Number::restrictWith(call.item, editorBounds());
    } else if (style == R::StylePlain) {
        P::removeProperty(call.item, P::Restriction);
    }
    return FieldChange::done();
}

Row styleRow(std::function<Bounds<int32_t>()> editorBounds)
{
    Row style = Number::styleRow(R::StylePlain, R::styleNames());
    style.read = [plain = style.read](const FieldCall& call) {
        return hasChoices(call) ? FieldText{R::StyleChoices} : plain(call);
    };
    style.apply = [editorBounds](const FieldCall& call, const QString& text) {
        return applyStyle(call, text, editorBounds);
    };
    return style;
}

// ---- the choice list's bounds ----------------------------------------------------------------

FieldChange applyChoiceBound(const FieldCall& call, R::ChoiceSide side, const QString& text)
{
    const std::optional<P::ChoiceList> old = P::choiceList(call.item);
    if (!old)
        return FieldChange::done();
    const bool begin = side == R::ChoiceSide::Begin;
    const Parsed<Bounds<int32_t>> bounds =
        R::validateChoiceBounds(begin ? text : QString::number(old->begin),
                                begin ? QString::number(old->end) : text, side);
    if (!bounds.ok())
        return FieldChange::failed(bounds.error);
    const int32_t first = bounds.value.low;
    const int32_t last = bounds.value.high;
    P::ChoiceList list{first, last, {}};
    for (int32_t value = first; value <= last; ++value)
        list.labels << old->label(value); // labels of values both lists share; others blank
    P::setChoiceList(call.item, list);
    P::setValue<int32_t>(call.item, std::clamp(P::value<int32_t>(call.item), first, last));
    return FieldChange::done(true);
}

Row choiceBoundRow(R::ChoiceSide side)
{
    const bool begin = side == R::ChoiceSide::Begin;
    return {
        .caption = begin ? QStringLiteral("Begin at") : QStringLiteral("End at"),
        .picture = QStringLiteral("Number"),
        .shown = choicesShown,
        .locked = FieldTable::never,
        .read =
            [begin](const FieldCall& call) {
                const std::optional<Bounds<int32_t>> bounds = P::choiceBounds(call.item);
                if (!bounds)
                    return FieldText{};
                return FieldText{QString::number(begin ? bounds->low : bounds->high)};
            },
        .apply =
            [side](const FieldCall& call, const QString& text) {
                return applyChoiceBound(call, side, text);
            },
    };
}

} // namespace

QString viewOf(int32_t item)
{
    const QString view = P::stringProperty(item, P::ViewAs);
    return view.isEmpty() ? R::Decimal : view;
}

FieldTable table(std::function<Bounds<int32_t>()> editorBounds)
{
    Row root{
        .locked = hasChoices,
        .choices = offeredChoices,
        .read = readRoot,
        .apply = applyRoot,
    };
    std::vector<Row> rows{
        styleRow(std::move(editorBounds)),
        choiceBoundRow(R::ChoiceSide::Begin),
        choiceBoundRow(R::ChoiceSide::End),
        {
            .caption = QStringLiteral("Labels"),
            .picture = QStringLiteral("Fields"),
            .shown = choicesShown,
            .read =
                [](const FieldCall& call) {
                    const Bounds<int32_t> range = choiceRange(call);
                    return FieldText{R::labelsText(qsizetype(int64_t(range.high) - range.low + 1))};
                },
        },
        {
            .indentation = 2,
            .picture = QStringLiteral("Text"),
            .shown = choicesShown,
            .repeat =
                [](const FieldCall& call) {
                    const Bounds<int32_t> range = choiceRange(call);
                    return FieldRange{range.low, range.high};
                },
            .repeatCaption = R::labelCaption,
            .locked = FieldTable::never,
            .read =
                [](const FieldCall& call) {
                    return FieldText{P::choiceLabel(call.item, call.value)};
                },
            .apply =
                [](const FieldCall& call, const QString& text) {
                    P::setChoiceLabel(call.item, call.value, text);
                    return FieldChange::done();
                },
        },
    };
    Row viewAs{
        .caption = QStringLiteral("View As"),
        .picture = QStringLiteral("Enumeration"),
        .shown = noChoices,
        .choices = [](const FieldCall&) { return FieldChoices{R::structuredViewNames()}; },
        .read = [](const FieldCall& call) { return FieldText{viewOf(call.item)}; },
        .apply =
            [](const FieldCall& call, const QString& text) {
                const QString view = text.trimmed();
                if (view == R::Decimal)
                    P::removeProperty(call.item, P::ViewAs);
                else
                    P::setStringProperty(call.item, P::ViewAs, view);
                return FieldChange::done();
            },
    };
    return Number::table(std::move(root), std::move(rows), numberFace(), {std::move(viewAs)});
}

} // namespace Velt::Int32Fields
