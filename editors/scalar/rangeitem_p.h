// RangeItem: a range item in the core as both faces of the range editor read and change it:
// its view ("View As"), its six quantities, one quantity set with its own setter, and a view's
// quantities stored in the order the view names them. Widget-free. The core keeps the range
// consistent: after each setter the editor reads every quantity back rather than computing it.
#pragma once

#include "rangerules.h"

#include <cstdint>

namespace Velt::RangeItem {

RangeRules::View view(int32_t item);
// "View As": removed for the default view, else a new string item with the stored name.
void setView(int32_t item, RangeRules::View view);

RangeRules::Values values(int32_t item);

// One quantity with its setter (points rounded to an integer). A refusal of the core is left in
// its error register for the caller to show or take.
bool set(int32_t item, RangeRules::Quantity quantity, double value);

// The view's three quantities from `values`, in their order, then the view itself; the core's
// errors are shown after each call.
void store(int32_t item, RangeRules::View view, const RangeRules::Values& values);
// The same from three values in the order of quantitiesOf(view).
void store(int32_t item, RangeRules::View view, const std::array<double, 3>& ordered);

// Shows the core's collected errors, if any.
void showCoreErrors();

} // namespace Velt::RangeItem
