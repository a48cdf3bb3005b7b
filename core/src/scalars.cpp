// The single-value classes: 32-bit integers, 64-bit reals (any double, infinities and NaN
// included: they are values), strings, complex numbers and points.
#include "data_p.h"

namespace quen {
namespace {

// Creates an item of class cls holding value.
template <typename T>
QuenHandle createWith(DataClass cls, T value)
{
    const QuenHandle h = newData(cls);
    if (h)
        static_cast<DataItem*>(Store::instance().find(h))->value = std::move(value);
    return h;
}

template <typename T>
QuenBool store(QuenHandle h, DataClass cls, T value, const char* function)
{
    T* current = valueOf<T>(h, cls, function);
    if (!current)
        return QUEN_FALSE;
    *current = std::move(value);
    Store::instance().touch(h);
    return QUEN_TRUE;
}

// Writes the two parts of a complex number or a point to the out-arguments (0 on failure).
template <typename T, double T::*A, double T::*B>
QuenBool readPair(QuenHandle h, DataClass cls, double* a, double* b, const char* function)
{
    const T* value = valueOf<T>(h, cls, function);
    const T pair = value ? *value : T {};
    if (a)
        *a = pair.*A;
    if (b)
        *b = pair.*B;
    return toBool(value);
}

} // namespace
} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenInt32Create(int32_t value) { return createWith(DataClass::Int32, value); }

int32_t QuenInt32GetValue(QuenHandle data)
{
    const auto* value = valueOf<int32_t>(data, DataClass::Int32, __func__);
    return value ? *value : 0;
}

QuenBool QuenInt32SetValue(QuenHandle data, int32_t value)
{
    return store(data, DataClass::Int32, value, __func__);
}

QuenHandle QuenInt32GetEnumeration(QuenHandle data)
{
    if (!resolveData(data, DataClass::Int32, __func__))
        return 0;
    return QuenDataExGetProperty(data, "Enumeration");
}

QuenHandle QuenReal64Create(double value) { return createWith(DataClass::Real64, value); }

double QuenReal64GetValue(QuenHandle data)
{
    const auto* value = valueOf<double>(data, DataClass::Real64, __func__);
    return value ? *value : 0.0;
}

QuenBool QuenReal64SetValue(QuenHandle data, double value)
{
    return store(data, DataClass::Real64, value, __func__);
}

QuenHandle QuenStringCreate(const char* value)
{
    return createWith(DataClass::String, textArg(value));
}

const char* QuenStringGetValue(QuenHandle data)
{
    const auto* value = valueOf<std::string>(data, DataClass::String, __func__);
    return value ? value->c_str() : "";
}

QuenBool QuenStringSetValue(QuenHandle data, const char* value)
{
    return store(data, DataClass::String, textArg(value), __func__);
}

QuenHandle QuenComplexCreate(double re, double im)
{
    return createWith(DataClass::Complex, ComplexValue { re, im });
}

QuenBool QuenComplexGetValues(QuenHandle data, double* re, double* im)
{
    return readPair<ComplexValue, &ComplexValue::re, &ComplexValue::im>(data, DataClass::Complex,
                                                                        re, im, __func__);
}

QuenBool QuenComplexSetValues(QuenHandle data, double re, double im)
{
    return store(data, DataClass::Complex, ComplexValue { re, im }, __func__);
}

QuenHandle QuenPointCreate(double x, double y)
{
    return createWith(DataClass::Point, PointValue { x, y });
}

QuenBool QuenPointGetValues(QuenHandle data, double* x, double* y)
{
    return readPair<PointValue, &PointValue::x, &PointValue::y>(data, DataClass::Point, x, y,
                                                                __func__);
}

QuenBool QuenPointSetValues(QuenHandle data, double x, double y)
{
    return store(data, DataClass::Point, PointValue { x, y }, __func__);
}

} // extern "C"
