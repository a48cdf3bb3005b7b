// ArrayRules: the rules every array editor follows for its bounds, indices and element count,
// with the words of its family as parameters (the string member says "'Lower Array Bounds'"
// and "strings", the numeric members "Dimension 'Lower Bounds'" and "reals" or "integers"),
// and the bound locks kept in the "Locks" property. Widget-free and core-free.
#pragma once

#include "restrictionrules.h"
#include "velt_export.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace Velt {

inline constexpr int MaxArrayDimensions = 3;

// The bounds of one dimension.
struct ArraySpan
{
    int16_t lower = 0;
    int16_t upper = 0;

    int32_t extent() const { return int32_t(upper) - lower + 1; }
    bool operator==(const ArraySpan&) const = default;
};

// How many dimensions an array has and the bounds of each; dimensions not in use are 0 to 0.
struct VELT_EXPORT ArrayShape
{
    int dimensions = 1;
    std::array<ArraySpan, MaxArrayDimensions> spans{};

    // The number of elements over the dimensions in use; nullopt if it does not fit 64 bits.
    std::optional<int64_t> count() const;
    // The same shape with one dimension's bounds replaced.
    ArrayShape with(int dimension, ArraySpan span) const;
    bool operator==(const ArrayShape&) const = default;
};

// The texts in which a family of array editors speaks about its bounds and indices.
struct VELT_EXPORT ArrayTexts
{
    QString lowerName;  // names a bound in its messages
    QString upperName;
    QString crossed;    // lower above upper
    QString array;      // "string array"
    QString elements;   // "strings"

    // The string member.
    static ArrayTexts stringFamily();
    // The numeric members: array is "real array" or "integer array", elements "reals" or
    // "integers".
    static ArrayTexts numericFamily(const QString& array, const QString& elements);
};

namespace ArrayRules {

enum class Side { Lower, Upper };

// One bound text: blank, or not a 16-bit integer, gives that bound's message.
VELT_EXPORT Parsed<int16_t> readBound(const QString& text, Side side, const ArrayTexts& texts);
// Both bound texts of a dimension, lower first; equal bounds are one element.
VELT_EXPORT Parsed<ArraySpan> readSpan(const QString& lower, const QString& upper,
                                       const ArrayTexts& texts);
// "Total number of strings is limited to 100" when the shape holds more than maxCount
// elements, else "".
VELT_EXPORT QString totalError(const ArrayShape& shape, int64_t maxCount, const ArrayTexts& texts);
// The bounds of one dimension typed into a shape, checked in the order the user reads the
// messages: lower text, upper text, their order, then the total.
VELT_EXPORT Parsed<ArraySpan> validateBounds(const QString& lower, const QString& upper,
                                             const ArrayShape& shape, int dimension,
                                             int64_t maxCount, const ArrayTexts& texts);
// What the total shows while a bound is typed: the number of elements when both texts read and
// are in order (other dimensions as in the shape), else "" and the first reading error.
struct BoundEntry
{
    QString total;
    QString error;
};
VELT_EXPORT BoundEntry boundEntry(const QString& lower, const QString& upper,
                                  const ArrayShape& shape, int dimension, const ArrayTexts& texts);
// A bound stepped by one (step +1 or -1) from its text, or from the fallback when the text
// does not read; nullopt when the step would leave -32768 to 32767.
VELT_EXPORT std::optional<int16_t> steppedBound(const QString& text, int16_t fallback, int step);

// An index text against the bound texts of its dimension.
VELT_EXPORT Parsed<int16_t> validateIndex(const QString& index, const QString& lower,
                                          const QString& upper, const ArrayTexts& texts);

// The number of dimensions typed into the numeric members' combo box: 1 to 3.
VELT_EXPORT Parsed<int> readDimensions(const QString& text, const ArrayTexts& texts);

} // namespace ArrayRules

// The locks of a dimension's bounds, as the "Locks" property names them.
enum class BoundLock { None, Lower, Upper, Both };

namespace ArrayLocks {

VELT_EXPORT QString name(BoundLock lock);
// "None", "Lower", "Upper" or "Both"; anything else is the default, "Lower".
VELT_EXPORT BoundLock fromName(const QString& name);
VELT_EXPORT BoundLock fromChecks(bool lowerLocked, bool upperLocked);
inline bool locksLower(BoundLock lock) { return lock == BoundLock::Lower || lock == BoundLock::Both; }
inline bool locksUpper(BoundLock lock) { return lock == BoundLock::Upper || lock == BoundLock::Both; }
// The entries to store, one per dimension; an empty list when every dimension has the default
// (the property is then removed).
VELT_EXPORT QStringList stored(const QList<BoundLock>& locks);

} // namespace ArrayLocks

} // namespace Velt
