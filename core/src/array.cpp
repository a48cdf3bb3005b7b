// Arrays of 32-bit integers, reals, strings, points and ranges: 1 to 3 dimensions, 16-bit
// signed bounds, elements stored row-major (the last index varies fastest).
//
// A dimension is empty when upper = lower - 1; an array with an empty dimension holds no
// element. Redimensioning keeps every element whose indices lie inside the new bounds. When the
// number of dimensions changes, an array of fewer dimensions counts as the first slice of one
// with more: added dimensions place the old elements at their new lower bound, and dropping
// dimensions keeps the slice at the old lower bound of each dimension dropped.
#include "data_p.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace quen {
namespace {

constexpr int32_t kBoundMin = -32768;
constexpr int32_t kBoundMax = 32767;

struct Shape
{
    int dims = 1;
    std::array<int32_t, 3> lower { 0, 0, 0 };
    std::array<int32_t, 3> upper { 0, 0, 0 };
};

Shape shapeOf(const ArrayValue& a)
{
    Shape s;
    s.dims = std::clamp(a.dims, 1, 3);
    for (int d = 0; d < s.dims; ++d) {
        s.lower[std::size_t(d)] = a.lower[std::size_t(d)];
        s.upper[std::size_t(d)] = a.upper[std::size_t(d)];
    }
    return s;
}

int64_t extent(const Shape& s, int d)
{
    return int64_t(s.upper[std::size_t(d)]) - s.lower[std::size_t(d)] + 1;
}

// The element count of a valid shape (at most 65536^3, so it fits an int64), or -1 on overflow.
int64_t countOf(const Shape& s)
{
    int64_t count = 1;
    for (int d = 0; d < s.dims; ++d) {
        if (__builtin_mul_overflow(count, extent(s, d), &count))
            return -1;
    }
    return count;
}

int32_t maxSizeOf(const ArrayValue& a) { return a.maxSize > 0 ? a.maxSize : defaultArrayMaxSize(); }

// Checks the bounds and the count against maxSize; the message says which rule failed.
bool validShape(const Shape& s, int32_t maxSize, const char* function)
{
    for (int d = 0; d < s.dims; ++d) {
        const int32_t lo = s.lower[std::size_t(d)];
        const int32_t hi = s.upper[std::size_t(d)];
        if (lo < kBoundMin || lo > kBoundMax || hi < kBoundMin || hi > kBoundMax
            || int64_t(hi) < int64_t(lo) - 1) {
            raise(QUEN_ERR_OUT_OF_RANGE, function,
                  "the bounds " + std::to_string(lo) + " to " + std::to_string(hi)
                          + " of dimension " + std::to_string(d)
                          + " are not valid: bounds lie in -32768 to 32767 and the upper bound "
                            "is at least the lower bound - 1");
            return false;
        }
    }
    const int64_t count = countOf(s);
    if (count < 0 || count > maxSize) {
        raise(QUEN_ERR_OUT_OF_RANGE, function,
              "the array would hold " + (count < 0 ? std::string("too many") : std::to_string(count))
                      + " elements, more than its maximum of " + std::to_string(maxSize));
        return false;
    }
    return true;
}

// Gives a shape of fewer dimensions than `other` the missing dimensions as a single index: the
// lower bound `other` has there (the first slice).
Shape padded(Shape s, const Shape& other)
{
    for (int d = s.dims; d < 3; ++d) {
        const int32_t at = d < other.dims ? other.lower[std::size_t(d)] : 0;
        s.lower[std::size_t(d)] = at;
        s.upper[std::size_t(d)] = at;
    }
    s.dims = 3;
    return s;
}

int64_t offsetIn(const Shape& s, int64_t i, int64_t j, int64_t k)
{
    return ((i - s.lower[0]) * extent(s, 1) + (j - s.lower[1])) * extent(s, 2) + (k - s.lower[2]);
}

// Moves every element of `old` whose indices lie inside `to` into a new vector of `count`.
template <typename E>
std::vector<E> reshaped(std::vector<E>& old, const Shape& from, const Shape& to, std::size_t count)
{
    std::vector<E> result(count);
    const Shape a = padded(from, to);
    const Shape b = padded(to, from);
    std::array<int32_t, 3> lo {}, hi {};
    for (std::size_t d = 0; d < 3; ++d) {
        lo[d] = std::max(a.lower[d], b.lower[d]);
        hi[d] = std::min(a.upper[d], b.upper[d]);
        if (lo[d] > hi[d])
            return result;
    }
    for (int64_t i = lo[0]; i <= hi[0]; ++i) {
        for (int64_t j = lo[1]; j <= hi[1]; ++j) {
            for (int64_t k = lo[2]; k <= hi[2]; ++k) {
                const auto source = std::size_t(offsetIn(a, i, j, k));
                if (source < old.size())
                    result[std::size_t(offsetIn(b, i, j, k))] = std::move(old[source]);
            }
        }
    }
    return result;
}

void applyShape(ArrayValue& a, const Shape& to)
{
    const Shape from = shapeOf(a);
    const auto count = std::size_t(countOf(to));
    std::visit([&](auto& elements) { elements = reshaped(elements, from, to, count); }, a.elements);
    a.dims = to.dims;
    a.lower = to.lower;
    a.upper = to.upper;
}

QuenBool redim(QuenHandle h, const Shape& to, const char* function)
{
    DataItem* item = resolveArray(h, function);
    ArrayValue* a = item ? std::get_if<ArrayValue>(&item->value) : nullptr;
    if (!a) {
        if (item)
            raise(QUEN_ERR_WRONG_KIND, function, "data item " + std::to_string(h) + " holds no array");
        return QUEN_FALSE;
    }
    if (!validShape(to, maxSizeOf(*a), function))
        return QUEN_FALSE;
    const Shape from = shapeOf(*a);
    if (from.dims == to.dims && from.lower == to.lower && from.upper == to.upper)
        return QUEN_TRUE;
    applyShape(*a, to);
    Store::instance().touch(h);
    return QUEN_TRUE;
}

Shape shape(int dims, std::initializer_list<int32_t> bounds)
{
    Shape s;
    s.dims = dims;
    auto it = bounds.begin();
    for (std::size_t d = 0; d < std::size_t(dims); ++d) {
        s.lower[d] = *it++;
        s.upper[d] = *it++;
    }
    return s;
}

QuenHandle create(DataClass cls, int32_t lower, int32_t upper, const char* function)
{
    const Shape s = shape(1, { lower, upper });
    if (!validShape(s, defaultArrayMaxSize(), function))
        return 0;
    const QuenHandle h = newData(cls);
    if (h)
        applyShape(std::get<ArrayValue>(static_cast<DataItem*>(Store::instance().find(h))->value), s);
    return h;
}

const ArrayValue* arrayOf(QuenHandle h, const char* function)
{
    DataItem* item = resolveArray(h, function);
    return item ? std::get_if<ArrayValue>(&item->value) : nullptr;
}

// The element of class cls (element type E) at the given indices, or null with an error.
template <typename E>
E* elementAt(QuenHandle h, DataClass cls, std::initializer_list<int32_t> indices, const char* function)
{
    ArrayValue* a = valueOf<ArrayValue>(h, cls, function);
    auto* elements = a ? std::get_if<std::vector<E>>(&a->elements) : nullptr;
    if (!elements)
        return nullptr;
    Shape s = shapeOf(*a);
    if (int(indices.size()) != s.dims) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function,
              std::to_string(indices.size()) + " indices given for an array of "
                      + std::to_string(s.dims) + " dimensions");
        return nullptr;
    }
    std::array<int64_t, 3> at { 0, 0, 0 };
    int d = 0;
    for (const int32_t index : indices) {
        const int32_t lo = s.lower[std::size_t(d)];
        const int32_t hi = s.upper[std::size_t(d)];
        if (index < lo || index > hi) {
            raise(QUEN_ERR_OUT_OF_RANGE, function,
                  "index " + std::to_string(index) + " of dimension " + std::to_string(d)
                          + (hi < lo ? std::string(" is not valid: the dimension is empty")
                                     : " is outside the bounds " + std::to_string(lo) + " to "
                                               + std::to_string(hi)));
            return nullptr;
        }
        at[std::size_t(d++)] = index;
    }
    s = padded(s, s);
    const auto offset = std::size_t(offsetIn(s, at[0], at[1], at[2]));
    if (offset >= elements->size()) {
        raise(QUEN_ERR_OUT_OF_RANGE, function, "the array's elements do not match its bounds");
        return nullptr;
    }
    return &(*elements)[offset];
}

template <typename E>
QuenBool setElement(QuenHandle h, DataClass cls, std::initializer_list<int32_t> indices, E value,
                    const char* function)
{
    E* element = elementAt<E>(h, cls, indices, function);
    if (!element)
        return QUEN_FALSE;
    *element = std::move(value);
    Store::instance().touch(h);
    return QUEN_TRUE;
}

template <typename E>
E getElement(QuenHandle h, DataClass cls, std::initializer_list<int32_t> indices, const char* function)
{
    const E* element = elementAt<E>(h, cls, indices, function);
    return element ? *element : E {};
}

int32_t bound(QuenHandle data, int32_t dimension, bool upper, const char* function)
{
    const ArrayValue* a = arrayOf(data, function);
    if (!a)
        return 0;
    const Shape s = shapeOf(*a);
    if (dimension < 0 || dimension >= s.dims) {
        raise(QUEN_ERR_OUT_OF_RANGE, function,
              "dimension " + std::to_string(dimension) + " is outside 0 to "
                      + std::to_string(s.dims - 1));
        return 0;
    }
    return upper ? s.upper[std::size_t(dimension)] : s.lower[std::size_t(dimension)];
}

} // namespace
} // namespace quen

using namespace quen;

extern "C" {

int32_t QuenArrayGetNumDimensions(QuenHandle data)
{
    const ArrayValue* a = arrayOf(data, __func__);
    return a ? shapeOf(*a).dims : 0;
}

int32_t QuenArrayGetLowerBound(QuenHandle data, int32_t dimension)
{
    return bound(data, dimension, false, __func__);
}

int32_t QuenArrayGetUpperBound(QuenHandle data, int32_t dimension)
{
    return bound(data, dimension, true, __func__);
}

int32_t QuenArrayGetSize(QuenHandle data)
{
    const ArrayValue* a = arrayOf(data, __func__);
    return a ? int32_t(std::visit([](const auto& e) { return e.size(); }, a->elements)) : 0;
}

int32_t QuenArrayGetMaxSize(QuenHandle data)
{
    // Waveform editors ask too: a waveform's limit is its fixed maximum number of points.
    const Object* object = Store::instance().find(data);
    if (object && object->kind == Kind::Data
        && static_cast<const DataItem*>(object)->cls == DataClass::Waveform)
        return kWaveformMaxPoints;
    const ArrayValue* a = arrayOf(data, __func__);
    return a ? maxSizeOf(*a) : 0;
}

int32_t QuenArrayGetDefaultMaxSize() { return defaultArrayMaxSize(); }

QuenBool QuenArraySetDefaultMaxSize(int32_t maxSize)
{
    if (setDefaultArrayMaxSize(maxSize))
        return QUEN_TRUE;
    raise(QUEN_ERR_OUT_OF_RANGE, __func__,
          "the maximum size must lie in 1 to " + std::to_string(kArrayMaxSizeLimit) + ", not "
                  + std::to_string(maxSize));
    return QUEN_FALSE;
}

QuenBool QuenArrayRedim(QuenHandle data, int32_t lower0, int32_t upper0)
{
    return redim(data, shape(1, { lower0, upper0 }), __func__);
}

QuenBool QuenArrayRedim2(QuenHandle data, int32_t lower0, int32_t upper0, int32_t lower1,
                         int32_t upper1)
{
    return redim(data, shape(2, { lower0, upper0, lower1, upper1 }), __func__);
}

QuenBool QuenArrayRedim3(QuenHandle data, int32_t lower0, int32_t upper0, int32_t lower1,
                         int32_t upper1, int32_t lower2, int32_t upper2)
{
    return redim(data, shape(3, { lower0, upper0, lower1, upper1, lower2, upper2 }), __func__);
}

/* ---- 32-bit integer arrays ---- */

QuenHandle QuenI32ArrCreate(int32_t lower, int32_t upper)
{
    return create(DataClass::Int32Array, lower, upper, __func__);
}

int32_t QuenI32ArrGetAt1(QuenHandle data, int32_t i)
{
    return getElement<int32_t>(data, DataClass::Int32Array, { i }, __func__);
}

int32_t QuenI32ArrGetAt2(QuenHandle data, int32_t i, int32_t j)
{
    return getElement<int32_t>(data, DataClass::Int32Array, { i, j }, __func__);
}

int32_t QuenI32ArrGetAt3(QuenHandle data, int32_t i, int32_t j, int32_t k)
{
    return getElement<int32_t>(data, DataClass::Int32Array, { i, j, k }, __func__);
}

QuenBool QuenI32ArrSetAt1(QuenHandle data, int32_t i, int32_t value)
{
    return setElement(data, DataClass::Int32Array, { i }, value, __func__);
}

QuenBool QuenI32ArrSetAt2(QuenHandle data, int32_t i, int32_t j, int32_t value)
{
    return setElement(data, DataClass::Int32Array, { i, j }, value, __func__);
}

QuenBool QuenI32ArrSetAt3(QuenHandle data, int32_t i, int32_t j, int32_t k, int32_t value)
{
    return setElement(data, DataClass::Int32Array, { i, j, k }, value, __func__);
}

/* ---- real arrays ---- */

QuenHandle QuenR64ArrCreate(int32_t lower, int32_t upper)
{
    return create(DataClass::Real64Array, lower, upper, __func__);
}

double QuenR64ArrGetAt1(QuenHandle data, int32_t i)
{
    return getElement<double>(data, DataClass::Real64Array, { i }, __func__);
}

double QuenR64ArrGetAt2(QuenHandle data, int32_t i, int32_t j)
{
    return getElement<double>(data, DataClass::Real64Array, { i, j }, __func__);
}

double QuenR64ArrGetAt3(QuenHandle data, int32_t i, int32_t j, int32_t k)
{
    return getElement<double>(data, DataClass::Real64Array, { i, j, k }, __func__);
}

QuenBool QuenR64ArrSetAt1(QuenHandle data, int32_t i, double value)
{
    return setElement(data, DataClass::Real64Array, { i }, value, __func__);
}

QuenBool QuenR64ArrSetAt2(QuenHandle data, int32_t i, int32_t j, double value)
{
    return setElement(data, DataClass::Real64Array, { i, j }, value, __func__);
}

QuenBool QuenR64ArrSetAt3(QuenHandle data, int32_t i, int32_t j, int32_t k, double value)
{
    return setElement(data, DataClass::Real64Array, { i, j, k }, value, __func__);
}

/* ---- string, point and range arrays (one index) ---- */

QuenHandle QuenStrArrCreate(int32_t lower, int32_t upper)
{
    return create(DataClass::StringArray, lower, upper, __func__);
}

const char* QuenStrArrGetAt1(QuenHandle data, int32_t i)
{
    const std::string* element = elementAt<std::string>(data, DataClass::StringArray, { i }, __func__);
    return element ? element->c_str() : "";
}

QuenBool QuenStrArrSetAt1(QuenHandle data, int32_t i, const char* value)
{
    return setElement(data, DataClass::StringArray, { i }, textArg(value), __func__);
}

QuenHandle QuenPtArrCreate(int32_t lower, int32_t upper)
{
    return create(DataClass::PointArray, lower, upper, __func__);
}

QuenBool QuenPtArrGetAt1(QuenHandle data, int32_t i, double* x, double* y)
{
    const PointValue* element = elementAt<PointValue>(data, DataClass::PointArray, { i }, __func__);
    const PointValue p = element ? *element : PointValue {};
    if (x)
        *x = p.x;
    if (y)
        *y = p.y;
    return toBool(element);
}

QuenBool QuenPtArrSetAt1(QuenHandle data, int32_t i, double x, double y)
{
    return setElement(data, DataClass::PointArray, { i }, PointValue { x, y }, __func__);
}

QuenHandle QuenRngArrCreate(int32_t lower, int32_t upper)
{
    return create(DataClass::RangeArray, lower, upper, __func__);
}

QuenBool QuenRngArrGetAt1(QuenHandle data, int32_t i, double* start, double* stop, int32_t* points)
{
    const RangeValue* element = elementAt<RangeValue>(data, DataClass::RangeArray, { i }, __func__);
    const RangeValue r = element ? *element : RangeValue { 0, 0, 0 };
    if (start)
        *start = r.start;
    if (stop)
        *stop = r.stop;
    if (points)
        *points = r.points;
    return toBool(element);
}

QuenBool QuenRngArrSetAt1(QuenHandle data, int32_t i, double start, double stop, int32_t points)
{
    const RangeValue r { start, stop, points };
    // The index is checked first, so a bad index is reported as such whatever the range.
    if (!elementAt<RangeValue>(data, DataClass::RangeArray, { i }, __func__) || !validRange(r, __func__))
        return QUEN_FALSE;
    return setElement(data, DataClass::RangeArray, { i }, r, __func__);
}

} // extern "C"
