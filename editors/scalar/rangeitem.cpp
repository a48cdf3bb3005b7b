#include "rangeitem_p.h"

#include "itemproperties_p.h"

#include "quen/quencore.h"

#include <cmath>

namespace Velt::RangeItem {

namespace R = RangeRules;
namespace P = ItemProperties;

R::View view(int32_t item) { return R::storedView(P::stringProperty(item, P::ViewAs)); }

void setView(int32_t item, R::View view)
{
    if (R::isDefault(view))
        P::removeProperty(item, P::ViewAs);
    else
        P::setStringProperty(item, P::ViewAs, R::storedName(view));
}

R::Values values(int32_t item)
{
    R::Values values;
    QuenRangeGetValues(item, &values.start, &values.stop, &values.points);
    values.center = QuenRangeGetCenter(item);
    values.span = QuenRangeGetSpan(item);
    values.step = QuenRangeGetStep(item);
    return values;
}

bool set(int32_t item, R::Quantity quantity, double value)
{
    switch (quantity) {
    case R::Quantity::Start:
        return QuenRangeSetStart(item, value) != 0;
    case R::Quantity::Stop:
        return QuenRangeSetStop(item, value) != 0;
    case R::Quantity::Center:
        return QuenRangeSetCenter(item, value) != 0;
    case R::Quantity::Span:
        return QuenRangeSetSpan(item, value) != 0;
    case R::Quantity::Step:
        return QuenRangeSetStep(item, value) != 0;
    case R::Quantity::Points:
        break;
    }
    // Points come from a 16-bit conversion or from the core itself: they fit.
    return QuenRangeSetNumPoints(item, int32_t(std::lround(value))) != 0;
}

void store(int32_t item, R::View view, const std::array<double, 3>& ordered)
{
    const std::array<R::Quantity, 3> quantities = R::quantitiesOf(view);
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        set(item, quantities[i], ordered[i]);
        showCoreErrors();
    }
    setView(item, view);
    showCoreErrors();
}

void store(int32_t item, R::View view, const R::Values& values)
{
    const std::array<R::Quantity, 3> quantities = R::quantitiesOf(view);
    const std::array<double, 3> ordered{values.of(quantities[0]), values.of(quantities[1]),
                                        values.of(quantities[2])};
    store(item, view, ordered);
}

void showCoreErrors()
{
    if (QuenExcRegIsError(0))
        QuenExcRegDisplayErrors();
}

} // namespace Velt::RangeItem
