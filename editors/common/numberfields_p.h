// NumberFields: the lines of a number's structured face that the number editors share, written
// once over the value type (see RestrictionRules for the traits): the value itself (the root
// line and "Value"), "Restrictions", "Low" and "High" (editable at indentation 1 at design
// time; outside it read-only under "Restrictions", bounded sides only) and "Units". Each line
// reads from the core only what it shows. Besides what the restriction rules need, the traits
// give valueText(value, rendering, units), the root line's text, and stripDecorations(text,
// rendering, units), which takes back off a typed text what valueText added.
#pragma once

#include "fieldtable.h"
#include "itemproperties_p.h"
#include "restrictionrules.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace Velt {

template <typename Traits>
struct NumberFields
{
    using T = typename Traits::Value;
    using Rendering = typename Traits::Rendering;
    using Rules = RestrictionRules<Traits>;
    using Row = FieldTable::Row;

    // What differs between the editors that use these lines.
    struct Face
    {
        std::function<Rendering(int32_t item)> rendering{}; // the item's view, precision, ...
        FieldTable::Condition applies = FieldTable::always; // when the lines are declared
        bool refreshAfterPostedValue = false; // a posted value change re-reads shown lines
        bool clampOnlyChangedSide = false;    // a new bound clamps the value on its side only
    };

    static std::optional<Bounds<T>> restriction(int32_t item)
    {
        return ItemProperties::restriction<T>(item);
    }
    static QString units(int32_t item)
    {
        return ItemProperties::stringProperty(item, ItemProperties::Units);
    }
    static bool valueLinesShown(const FieldCall& call)
    {
        return call.designTime || !units(call.item).isEmpty();
    }

    // The root line and "Value": the value with its units, in error outside the restriction.
    static FieldText readValue(const Face& face, const FieldCall& call)
    {
        const T value = ItemProperties::value<T>(call.item);
        const Rendering rendering = face.rendering(call.item);
        return {Traits::valueText(value, rendering, units(call.item)),
                Rules::check(value, rendering, Rules::orUnbounded(restriction(call.item)))};
    }

    static FieldChange applyValue(const Face& face, const FieldCall& call, const QString& text)
    {
        const Rendering rendering = face.rendering(call.item);
        const Parsed<T> parsed =
            Traits::parse(NumberTexts::ValueCaption,
                          Traits::stripDecorations(text, rendering, units(call.item)), rendering);
        if (!parsed.ok())
            return FieldChange::failed(parsed.error);
        const QString outside =
            Rules::check(parsed.value, rendering, Rules::orUnbounded(restriction(call.item)));
        if (!outside.isEmpty())
            return FieldChange::failed(outside);
        ItemProperties::setValue<T>(call.item, parsed.value);
        return FieldChange::done(face.refreshAfterPostedValue && call.postEdits
                                 && valueLinesShown(call));
    }

    // A new bound is stored with the other side kept; the value follows it in.
    static FieldChange applyBound(const Face& face, BoundSide side, const FieldCall& call,
                                  const QString& text)
    {
        const Parsed<Bounds<T>> typed = Rules::withBound(
            Rules::orUnbounded(restriction(call.item)), side, text, face.rendering(call.item));
        if (!typed.ok())
            return FieldChange::failed(typed.error);
        const Bounds<T> bounds = typed.value;
        if (bounds.low > bounds.high) {
            return FieldChange::failed(side == BoundSide::Low ? NumberTexts::lowAboveHighMessage()
                                                              : NumberTexts::highBelowLowMessage());
        }
        ItemProperties::setRestriction<T>(call.item, bounds);
        const T value = ItemProperties::value<T>(call.item);
        const bool low = !face.clampOnlyChangedSide || side == BoundSide::Low;
        const bool high = !face.clampOnlyChangedSide || side == BoundSide::High;
        if (low && value < bounds.low)
            ItemProperties::setValue<T>(call.item, bounds.low);
        else if (high && value > bounds.high)
            ItemProperties::setValue<T>(call.item, bounds.high);
        return FieldChange::done(true);
    }

    // "Value is Restricted" chosen: the editor's own bounds become the restriction, unless
    // there is one.
    static void restrictWith(int32_t item, Bounds<T> editorBounds)
    {
        if (!restriction(item))
            ItemProperties::setRestriction<T>(item, editorBounds);
    }

    // "Style" at design time, chosen from styles: plain, or restricted when the item has a
    // restriction. The editor says what a choice does.
    static Row styleRow(const QString& plain, const QStringList& styles)
    {
        return {
            .caption = QStringLiteral("Style"),
            .picture = QStringLiteral("Enumeration"),
            .shown = FieldTable::atDesignTime,
            .locked = FieldTable::always,
            .choices = [styles](const FieldCall&) { return FieldChoices{styles}; },
            .read =
                [plain](const FieldCall& call) {
                    return FieldText{
                        ItemProperties::hasProperty(call.item, ItemProperties::Restriction)
                            ? NumberTexts::StyleRestricted
                            : plain};
                },
        };
    }

    // "Value": the value with its units, as on the root line (which may use this row too).
    static Row valueRow(const Face& face)
    {
        const FieldTable::Condition applies = face.applies;
        return {
            .caption = NumberTexts::ValueCaption,
            .picture = QStringLiteral("Number"),
            .shown =
                [applies](const FieldCall& call) { return applies(call) && valueLinesShown(call); },
            .locked = FieldTable::never,
            .read = [face](const FieldCall& call) { return readValue(face, call); },
            .apply =
                [face](const FieldCall& call, const QString& text) {
                    return applyValue(face, call, text);
                },
        };
    }

    // "Low" or "High", at design time (editable) or outside it (read-only, bounded side only).
    static Row boundRow(const Face& face, BoundSide side, bool designTime)
    {
        const FieldTable::Condition applies = face.applies;
        return {
            .caption = side == BoundSide::Low ? QStringLiteral("Low") : QStringLiteral("High"),
            .indentation = designTime ? 1 : 2,
            .picture = designTime ? QStringLiteral("Number") : QStringLiteral("ReadOnlyNumber"),
            .shown =
                [applies, side, designTime](const FieldCall& call) {
                    if (call.designTime != designTime || !applies(call))
                        return false;
                    const std::optional<Bounds<T>> bounds = restriction(call.item);
                    return bounds
                        && (designTime
                            || Rules::bounded(side == BoundSide::Low ? bounds->low : bounds->high,
                                              side));
                },
            .locked = FieldTable::atRunTime,
            .read =
                [face, side](const FieldCall& call) {
                    const Bounds<T> bounds = Rules::orUnbounded(restriction(call.item));
                    return FieldText{Rules::boundText(side == BoundSide::Low ? bounds.low
                                                                             : bounds.high,
                                                      side, face.rendering(call.item))};
                },
            .apply =
                [face, side](const FieldCall& call, const QString& text) {
                    return applyBound(face, side, call, text);
                },
        };
    }

    // An editor's table: its root line, its lines before the number lines, the number lines,
    // then its lines after them.
    static FieldTable table(Row root, std::vector<Row> before, const Face& face,
                            std::vector<Row> after)
    {
        for (Row& row : rows(face))
            before.push_back(std::move(row));
        for (Row& row : after)
            before.push_back(std::move(row));
        return FieldTable(std::move(root), std::move(before));
    }

    // The lines from "Restrictions" to "Units", in their order.
    static std::vector<Row> rows(const Face& face)
    {
        const FieldTable::Condition applies = face.applies;
        return {
            {
                .caption = QStringLiteral("Restrictions"),
                .picture = QStringLiteral("ReadOnlyNumber"),
                .shown =
                    [applies](const FieldCall& call) {
                        return !call.designTime && applies(call)
                            && Rules::restricts(restriction(call.item));
                    },
                .read =
                    [face](const FieldCall& call) {
                        return FieldText{Rules::summary(Rules::orUnbounded(restriction(call.item)),
                                                        face.rendering(call.item))};
                    },
            },
            boundRow(face, BoundSide::Low, true),
            boundRow(face, BoundSide::Low, false),
            boundRow(face, BoundSide::High, true),
            boundRow(face, BoundSide::High, false),
            valueRow(face),
            {
                .caption = QStringLiteral("Units"),
                .picture = QStringLiteral("Text"),
                .runTimePicture = QStringLiteral("ReadOnlyText"),
                .shown =
                    [applies](const FieldCall& call) {
                        return applies(call) && valueLinesShown(call);
                    },
                .locked = FieldTable::atRunTime,
                .read = [](const FieldCall& call) { return FieldText{units(call.item)}; },
                .apply =
                    [](const FieldCall& call, const QString& text) {
                        ItemProperties::setStringProperty(call.item, ItemProperties::Units, text);
                        return FieldChange::done();
                    },
            },
        };
    }
};

} // namespace Velt
