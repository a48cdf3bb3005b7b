// Helpers shared by the files that implement the data item functions: resolving a handle to an
// item of a given class (with the error the caller's function name goes into), and the limits
// of arrays and waveforms.
#pragma once

#include "model_p.h"

namespace quen {

// The item behind h when it is of class cls; otherwise null with an error naming function and
// both classes (QUEN_ERR_WRONG_KIND) or the bad handle.
DataItem* resolveData(QuenHandle h, DataClass cls, const char* function);

// The value of the item behind h when it is of class cls and holds a T; otherwise null with an
// error in the register.
template <typename T>
T* valueOf(QuenHandle h, DataClass cls, const char* function)
{
    DataItem* item = resolveData(h, cls, function);
    if (!item)
        return nullptr;
    T* value = std::get_if<T>(&item->value);
    if (!value)
        raise(QUEN_ERR_WRONG_KIND, function,
              "data item " + std::to_string(h) + " holds no value of its class " + className(cls));
    return value;
}

bool isArrayClass(DataClass cls);
// The item behind h when it is one of the five array classes; otherwise null with an error.
DataItem* resolveArray(QuenHandle h, const char* function);

// The maximum element count given to arrays created from now on (QuenArraySetDefaultMaxSize).
int32_t defaultArrayMaxSize();
// Sets it; false when maxSize lies outside 1 to kArrayMaxSizeLimit.
bool setDefaultArrayMaxSize(int32_t maxSize);
constexpr int32_t kArrayMaxSizeLimit = 65535; // counts are read as 16-bit unsigned numbers
constexpr int32_t kWaveformMaxPoints = 65535;

// Whether r may be kept as a range (finite ends and span, at least 1 point); records why not.
bool validRange(const RangeValue& r, const char* function);

// A real as messages show it: every digit needed to read it back.
std::string realText(double value);

// Records that the item changed, so the block that contains it ages.
inline void touched(const DataItem& item) { Store::instance().touch(item.self); }

} // namespace quen
