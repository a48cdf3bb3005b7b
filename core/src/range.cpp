// Ranges: start, stop and a number of points are kept; center, span and step are derived from
// them. Every setter computes the new range first and keeps it only when it is sound (finite
// ends, a finite span, 1 to INT32_MAX points), so a failing call changes nothing.
#include "data_p.h"

#include <cmath>
#include <limits>

namespace quen {
namespace {

double centerOf(const RangeValue& r)
{
    const double sum = r.start + r.stop;
    return std::isfinite(sum) ? sum / 2 : r.start / 2 + r.stop / 2;
}

double spanOf(const RangeValue& r) { return r.stop - r.start; }

double stepOf(const RangeValue& r) { return r.points > 1 ? spanOf(r) / (r.points - 1) : 0.0; }

bool finiteArgument(double v, const char* what, const char* function)
{
    if (std::isfinite(v))
        return true;
    raise(QUEN_ERR_INVALID_ARGUMENT, function,
          std::string("the ") + what + " must be a finite number, not " + realText(v));
    return false;
}

bool pointsArgument(int32_t points, const char* function)
{
    if (points >= 1)
        return true;
    raise(QUEN_ERR_OUT_OF_RANGE, function,
          "the number of points must be at least 1, not " + std::to_string(points));
    return false;
}

// Whether a computed range may be kept; records why not.
bool sound(const RangeValue& r, const char* function)
{
    if (std::isfinite(r.start) && std::isfinite(r.stop) && std::isfinite(spanOf(r)))
        return true;
    raise(QUEN_ERR_OVERFLOW, function,
          "the range from " + realText(r.start) + " to " + realText(r.stop)
                  + " would exceed the range of a real number");
    return false;
}

// Rounding can leave the quantity a setter was given a unit in the last place away from what
// was asked. Moving the free end by a few units in the last place often makes it exact; when
// none of those does, the computed end stays.
template <typename Holds>
void settle(double& end, Holds holds)
{
    if (holds())
        return;
    const double computed = end;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (int ulps = 1; ulps <= 4; ++ulps) {
        for (const double direction : { kInf, -kInf }) {
            end = computed;
            for (int i = 0; i < ulps; ++i)
                end = std::nextafter(end, direction);
            if (std::isfinite(end) && holds())
                return;
        }
    }
    end = computed;
}

RangeValue* rangeOf(QuenHandle h, const char* function)
{
    return valueOf<RangeValue>(h, DataClass::Range, function);
}

// Replaces the item's range by r when r is sound.
QuenBool commit(QuenHandle h, RangeValue* current, const RangeValue& r, const char* function)
{
    if (!sound(r, function))
        return QUEN_FALSE;
    *current = r;
    Store::instance().touch(h);
    return QUEN_TRUE;
}

double readRange(QuenHandle h, double (*quantity)(const RangeValue&), const char* function)
{
    const RangeValue* r = rangeOf(h, function);
    return r ? quantity(*r) : 0.0;
}

} // namespace

bool validRange(const RangeValue& r, const char* function)
{
    return finiteArgument(r.start, "start", function) && finiteArgument(r.stop, "stop", function)
            && pointsArgument(r.points, function) && sound(r, function);
}

} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenRangeCreate(double start, double stop, int32_t points)
{
    const RangeValue r { start, stop, points };
    if (!validRange(r, __func__))
        return 0;
    const QuenHandle h = newData(DataClass::Range);
    if (h)
        static_cast<DataItem*>(Store::instance().find(h))->value = r;
    return h;
}

QuenBool QuenRangeGetValues(QuenHandle data, double* start, double* stop, int32_t* points)
{
    const RangeValue* r = rangeOf(data, __func__);
    const RangeValue value = r ? *r : RangeValue { 0, 0, 0 };
    if (start)
        *start = value.start;
    if (stop)
        *stop = value.stop;
    if (points)
        *points = value.points;
    return toBool(r);
}

QuenBool QuenRangeSetValues(QuenHandle data, double start, double stop, int32_t points)
{
    RangeValue* current = rangeOf(data, __func__);
    const RangeValue r { start, stop, points };
    if (!current || !validRange(r, __func__))
        return QUEN_FALSE;
    *current = r;
    Store::instance().touch(data);
    return QUEN_TRUE;
}

double QuenRangeGetCenter(QuenHandle data) { return readRange(data, centerOf, __func__); }

double QuenRangeGetSpan(QuenHandle data) { return readRange(data, spanOf, __func__); }

double QuenRangeGetStep(QuenHandle data) { return readRange(data, stepOf, __func__); }

int32_t QuenRangeGetNumPoints(QuenHandle data)
{
    const RangeValue* r = rangeOf(data, __func__);
    return r ? r->points : 0;
}

QuenBool QuenRangeSetStart(QuenHandle data, double start)
{
    RangeValue* current = rangeOf(data, __func__);
    if (!current || !finiteArgument(start, "start", __func__))
        return QUEN_FALSE;
    RangeValue r = *current;
    r.start = start;
    return commit(data, current, r, __func__);
}

QuenBool QuenRangeSetStop(QuenHandle data, double stop)
{
    RangeValue* current = rangeOf(data, __func__);
    if (!current || !finiteArgument(stop, "stop", __func__))
        return QUEN_FALSE;
    RangeValue r = *current;
    r.stop = stop;
    return commit(data, current, r, __func__);
}

QuenBool QuenRangeSetCenter(QuenHandle data, double center)
{
    RangeValue* current = rangeOf(data, __func__);
    if (!current || !finiteArgument(center, "center", __func__))
        return QUEN_FALSE;
    const double half = spanOf(*current) / 2;
    RangeValue r { center - half, center + half, current->points };
    settle(r.stop, [&] { return centerOf(r) == center; });
    return commit(data, current, r, __func__);
}

QuenBool QuenRangeSetSpan(QuenHandle data, double span)
{
    RangeValue* current = rangeOf(data, __func__);
    if (!current || !finiteArgument(span, "span", __func__))
        return QUEN_FALSE;
    const double center = centerOf(*current);
    RangeValue r { center - span / 2, center + span / 2, current->points };
    settle(r.stop, [&] { return spanOf(r) == span; });
    return commit(data, current, r, __func__);
}

QuenBool QuenRangeSetStep(QuenHandle data, double step)
{
    RangeValue* current = rangeOf(data, __func__);
    if (!current || !finiteArgument(step, "step", __func__))
        return QUEN_FALSE;
    if (step == 0) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "the step must not be 0");
        return QUEN_FALSE;
    }
    const double intervals = std::round(std::fabs(spanOf(*current) / step));
    // points = intervals + 1 must fit an int32.
    if (!(intervals <= double(std::numeric_limits<int32_t>::max() - 1))) {
        raise(QUEN_ERR_OVERFLOW, __func__,
              "a step of " + realText(step) + " over a span of " + realText(spanOf(*current))
                      + " needs more points than an int32 holds");
        return QUEN_FALSE;
    }
    const int32_t points = intervals < 1 ? 2 : int32_t(intervals) + 1;
    RangeValue r { current->start, current->start + double(points - 1) * step, points };
    settle(r.stop, [&] { return stepOf(r) == step; });
    return commit(data, current, r, __func__);
}

QuenBool QuenRangeSetNumPoints(QuenHandle data, int32_t points)
{
    RangeValue* current = rangeOf(data, __func__);
    if (!current || !pointsArgument(points, __func__))
        return QUEN_FALSE;
    RangeValue r = *current;
    r.points = points;
    return commit(data, current, r, __func__);
}

} // extern "C"
