#include "rangefields_p.h"

#include "itemproperties_p.h"
#include "rangeitem_p.h"
#include "rangerules.h"

#include <algorithm>
#include <utility>

namespace Velt::RangeFields {

namespace {

namespace R = RangeRules;
namespace P = ItemProperties;
using Row = FieldTable::Row;
using R::Quantity;

QString unitsOf(int32_t item) { return P::stringProperty(item, P::Units); }

// A typed value, with the span refused below zero.
Parsed<double> read(Quantity quantity, const QString& text)
{
    Parsed<double> typed = R::parse(quantity, text);
    if (typed.ok() && quantity == Quantity::Span && typed.value < 0)
        typed.error = R::spanMessage();
    return typed;
}

FieldChange applyRow(const FieldCall& call, const QString& text)
{
    const R::RowParts parts = R::splitRow(text, RangeItem::view(call.item), unitsOf(call.item));
    const std::array<Quantity, 3> quantities = R::quantitiesOf(parts.view);
    std::array<double, 3> ordered{};
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        const Parsed<double> typed = read(quantities[i], parts.texts[i]);
        if (!typed.ok())
            return FieldChange::failed(typed.error);
        ordered[i] = typed.value;
    }
    RangeItem::store(call.item, parts.view, ordered);
    return FieldChange::done(true);
}

// The line of one quantity, declared while the stored view shows it.
Row quantityRow(Quantity quantity)
{
    return Row{
        .caption = R::caption(quantity),
        .picture = QStringLiteral("Number"),
        .shown =
            [quantity](const FieldCall& call) {
                const std::array<Quantity, 3> shown = R::quantitiesOf(RangeItem::view(call.item));
                return std::find(shown.begin(), shown.end(), quantity) != shown.end();
            },
        .locked = FieldTable::never,
        .read =
            [quantity](const FieldCall& call) {
                return FieldText{R::render(quantity, RangeItem::values(call.item))};
            },
        .apply =
            [quantity](const FieldCall& call, const QString& text) {
                const Parsed<double> typed = read(quantity, text);
                if (!typed.ok())
                    return FieldChange::failed(typed.error);
                RangeItem::set(call.item, quantity, typed.value);
                RangeItem::showCoreErrors();
                return FieldChange::done(true);
            },
    };
}

} // namespace

FieldTable table()
{
    Row root{
        .locked = FieldTable::never,
        .read =
            [](const FieldCall& call) {
                return FieldText{R::rowText(RangeItem::view(call.item),
                                            RangeItem::values(call.item), unitsOf(call.item))};
            },
        .apply = applyRow,
    };
    Row viewAs{
        .caption = QStringLiteral("View As"),
        .picture = QStringLiteral("Enumeration"),
        .locked = FieldTable::never,
        .choices = [](const FieldCall&) { return FieldChoices{R::labels()}; },
        .read = [](const FieldCall& call) { return FieldText{R::label(RangeItem::view(call.item))}; },
        .apply =
            [](const FieldCall& call, const QString& text) {
                RangeItem::setView(call.item, R::viewOf(text));
                RangeItem::showCoreErrors();
                return FieldChange::done(true);
            },
    };
    Row units{
        .caption = QStringLiteral("Units"),
        .picture = QStringLiteral("Text"),
        .runTimePicture = QStringLiteral("ReadOnlyText"),
        .shown = [](const FieldCall& call) { return call.designTime || !unitsOf(call.item).isEmpty(); },
        .locked = FieldTable::atRunTime,
        .read = [](const FieldCall& call) { return FieldText{unitsOf(call.item)}; },
        .apply =
            [](const FieldCall& call, const QString& text) {
                P::setStringProperty(call.item, P::Units, text);
                RangeItem::showCoreErrors();
                return FieldChange::done(true);
            },
    };
    std::vector<Row> rows;
    rows.push_back(std::move(viewAs));
    for (const Quantity quantity : {Quantity::Start, Quantity::Stop, Quantity::Center,
                                    Quantity::Span, Quantity::Step, Quantity::Points})
        rows.push_back(quantityRow(quantity));
    rows.push_back(std::move(units));
    return FieldTable(std::move(root), std::move(rows));
}

} // namespace Velt::RangeFields
