// Waveforms: a start and a stop time (finite reals) and one real amplitude per point, points
// indexed from 0, at most kWaveformMaxPoints of them.
#include "data_p.h"

#include <cmath>

namespace quen {
namespace {

WaveformValue* waveformOf(QuenHandle h, const char* function)
{
    return valueOf<WaveformValue>(h, DataClass::Waveform, function);
}

bool pointCount(int32_t points, const char* function)
{
    if (points >= 0 && points <= kWaveformMaxPoints)
        return true;
    raise(QUEN_ERR_OUT_OF_RANGE, function,
          "the number of points must lie in 0 to " + std::to_string(kWaveformMaxPoints) + ", not "
                  + std::to_string(points));
    return false;
}

bool finiteTime(double time, const char* what, const char* function)
{
    if (std::isfinite(time))
        return true;
    raise(QUEN_ERR_INVALID_ARGUMENT, function,
          std::string("the ") + what + " time must be a finite number, not " + realText(time));
    return false;
}

bool pointIndex(const WaveformValue& w, int32_t index, const char* function)
{
    if (index >= 0 && std::size_t(index) < w.values.size())
        return true;
    raise(QUEN_ERR_OUT_OF_RANGE, function,
          "index " + std::to_string(index)
                  + (w.values.empty() ? std::string(" is not valid: the waveform has no points")
                                      : " is outside 0 to " + std::to_string(w.values.size() - 1)));
    return false;
}

QuenBool setTime(QuenHandle h, double WaveformValue::*end, double time, const char* what,
                 const char* function)
{
    WaveformValue* w = waveformOf(h, function);
    if (!w || !finiteTime(time, what, function))
        return QUEN_FALSE;
    w->*end = time;
    Store::instance().touch(h);
    return QUEN_TRUE;
}

} // namespace
} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenWaveformCreate(int32_t points, double start, double stop)
{
    if (!pointCount(points, __func__) || !finiteTime(start, "start", __func__)
        || !finiteTime(stop, "stop", __func__))
        return 0;
    const QuenHandle h = newData(DataClass::Waveform);
    if (h) {
        auto& w = std::get<WaveformValue>(static_cast<DataItem*>(Store::instance().find(h))->value);
        w.start = start;
        w.stop = stop;
        w.values.assign(std::size_t(points), 0.0);
    }
    return h;
}

int32_t QuenWaveformGetNumPoints(QuenHandle data)
{
    const WaveformValue* w = waveformOf(data, __func__);
    return w ? int32_t(w->values.size()) : 0;
}

QuenBool QuenWaveformSetNumPoints(QuenHandle data, int32_t points)
{
    WaveformValue* w = waveformOf(data, __func__);
    if (!w || !pointCount(points, __func__))
        return QUEN_FALSE;
    w->values.resize(std::size_t(points), 0.0);
    Store::instance().touch(data);
    return QUEN_TRUE;
}

double QuenWaveformGetStart(QuenHandle data)
{
    const WaveformValue* w = waveformOf(data, __func__);
    return w ? w->start : 0.0;
}

QuenBool QuenWaveformSetStart(QuenHandle data, double start)
{
    return setTime(data, &WaveformValue::start, start, "start", __func__);
}

double QuenWaveformGetStop(QuenHandle data)
{
    const WaveformValue* w = waveformOf(data, __func__);
    return w ? w->stop : 0.0;
}

QuenBool QuenWaveformSetStop(QuenHandle data, double stop)
{
    return setTime(data, &WaveformValue::stop, stop, "stop", __func__);
}

double QuenWaveformGetAt(QuenHandle data, int32_t index)
{
    const WaveformValue* w = waveformOf(data, __func__);
    return w && pointIndex(*w, index, __func__) ? w->values[std::size_t(index)] : 0.0;
}

QuenBool QuenWaveformSetAt(QuenHandle data, int32_t index, double value)
{
    WaveformValue* w = waveformOf(data, __func__);
    if (!w || !pointIndex(*w, index, __func__))
        return QUEN_FALSE;
    w->values[std::size_t(index)] = value;
    Store::instance().touch(data);
    return QUEN_TRUE;
}

} // extern "C"
