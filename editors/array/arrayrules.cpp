#include "arrayrules_p.h"

#include "numericconversion.h"

#include <QCoreApplication>

namespace Velt {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("ArrayEditor", text); }

} // namespace

std::optional<int64_t> ArrayShape::count() const
{
    int64_t total = 1;
    for (int d = 0; d < dimensions && d < MaxArrayDimensions; ++d) {
        if (__builtin_mul_overflow(total, int64_t(spans[size_t(d)].extent()), &total))
            return std::nullopt;
    }
    return total;
}

ArrayShape ArrayShape::with(int dimension, ArraySpan span) const
{
    ArrayShape changed = *this;
    if (dimension >= 0 && dimension < MaxArrayDimensions)
        changed.spans[size_t(dimension)] = span;
    return changed;
}

ArrayTexts ArrayTexts::stringFamily()
{
    return {tr("'Lower Array Bounds'"), tr("'Upper Array Bounds'"),
            tr("'Lower' must be less than 'Upper Array Bounds'"), tr("string array"),
            tr("strings")};
}

ArrayTexts ArrayTexts::numericFamily(const QString& array, const QString& elements)
{
    return {tr("Dimension 'Lower Bounds'"), tr("Dimension 'Upper Bounds'"),
            tr("Dimension 'Lower bounds' must be less than 'Upper Bounds'"), array, elements};
}

namespace ArrayRules {

Parsed<int16_t> readBound(const QString& text, Side side, const ArrayTexts& texts)
{
    const QString& name = side == Side::Lower ? texts.lowerName : texts.upperName;
    if (text.trimmed().isEmpty())
        return {0, name + tr(" value must be specified")};
    const Int16Result bound = NumericConversion::toInt16(text);
    if (!bound.ok())
        return {0, name + tr(" value of ") + texts.array + tr(" must be an integer (-32768 to 32767)")};
    return {bound.value, {}};
}

Parsed<ArraySpan> readSpan(const QString& lower, const QString& upper, const ArrayTexts& texts)
{
    const Parsed<int16_t> low = readBound(lower, Side::Lower, texts);
    if (!low.ok())
        return {{}, low.error};
    const Parsed<int16_t> high = readBound(upper, Side::Upper, texts);
    if (!high.ok())
        return {{}, high.error};
    if (low.value > high.value)
        return {{}, texts.crossed};
    return {{low.value, high.value}, {}};
}

QString totalError(const ArrayShape& shape, int64_t maxCount, const ArrayTexts& texts)
{
    const std::optional<int64_t> count = shape.count();
    if (count && *count <= maxCount)
        return {};
    return tr("Total number of ") + texts.elements + tr(" is limited to ")
        + QString::number(maxCount);
}

Parsed<ArraySpan> validateBounds(const QString& lower, const QString& upper,
                                 const ArrayShape& shape, int dimension, int64_t maxCount,
                                 const ArrayTexts& texts)
{
    Parsed<ArraySpan> span = readSpan(lower, upper, texts);
    if (span.ok())
        span.error = totalError(shape.with(dimension, span.value), maxCount, texts);
    return span;
}

BoundEntry boundEntry(const QString& lower, const QString& upper, const ArrayShape& shape,
                      int dimension, const ArrayTexts& texts)
{
    const Parsed<int16_t> low = readBound(lower, Side::Lower, texts);
    const Parsed<int16_t> high = readBound(upper, Side::Upper, texts);
    if (!low.ok() || !high.ok())
        return {{}, low.ok() ? high.error : low.error};
    if (low.value > high.value)
        return {};
    const std::optional<int64_t> count = shape.with(dimension, {low.value, high.value}).count();
    return {count ? QString::number(*count) : QString(), {}};
}

std::optional<int16_t> steppedBound(const QString& text, int16_t fallback, int step)
{
    const Int16Result typed = NumericConversion::toInt16(text);
    const int32_t next = int32_t(typed.ok() ? typed.value : fallback) + step;
    if (next < INT16_MIN || next > INT16_MAX)
        return std::nullopt;
    return int16_t(next);
}

Parsed<int16_t> validateIndex(const QString& index, const QString& lower, const QString& upper,
                              const ArrayTexts& texts)
{
    if (index.trimmed().isEmpty())
        return {0, tr("Index value must be specified")};
    const Int16Result typed = NumericConversion::toInt16(index);
    if (!typed.ok())
        return {0, tr("Index value of ") + texts.array + tr(" must be an integer")};
    const Parsed<int16_t> low = readBound(lower, Side::Lower, texts);
    if (!low.ok())
        return {0, low.error};
    const Parsed<int16_t> high = readBound(upper, Side::Upper, texts);
    if (!high.ok())
        return {0, high.error};
    if (low.value > high.value)
        return {0, texts.crossed};
    if (typed.value > high.value)
        return {0, tr("Index must be less than 'Upper Array Bounds' of ") + QString::number(high.value)};
    if (typed.value < low.value)
        return {0, tr("Index must be greater than 'Lower Array Bounds' of ") + QString::number(low.value)};
    return {typed.value, {}};
}

Parsed<int> readDimensions(const QString& text, const ArrayTexts& texts)
{
    if (text.trimmed().isEmpty())
        return {0, tr("'Number of dimensions' value must be specified")};
    const Int16Result typed = NumericConversion::toInt16(text);
    if (!typed.ok())
        return {0, tr("'Number of dimensions' value of ") + texts.array + tr(" must be an integer")};
    if (typed.value < 1 || typed.value > MaxArrayDimensions)
        return {0, tr("'Number of dimensions' value of ") + texts.array
                       + tr(" must be in between 1 and 3 inclusive.")};
    return {typed.value, {}};
}

} // namespace ArrayRules

namespace ArrayLocks {

namespace {

const std::array<QString, 4>& names()
{
    static const std::array<QString, 4> all{QStringLiteral("None"), QStringLiteral("Lower"),
                                            QStringLiteral("Upper"), QStringLiteral("Both")};
    return all;
}

} // namespace

QString name(BoundLock lock) { return names()[size_t(lock)]; }

BoundLock fromName(const QString& name)
{
    for (size_t i = 0; i < names().size(); ++i) {
        if (names()[i] == name)
            return BoundLock(i);
    }
    return BoundLock::Lower;
}

BoundLock fromChecks(bool lowerLocked, bool upperLocked)
{
    if (lowerLocked)
        return upperLocked ? BoundLock::Both : BoundLock::Lower;
    return upperLocked ? BoundLock::Upper : BoundLock::None;
}

QStringList stored(const QList<BoundLock>& locks)
{
    QStringList entries;
    bool allDefault = true;
    for (const BoundLock lock : locks) {
        entries << name(lock);
        allDefault = allDefault && lock == BoundLock::Lower;
    }
    return allDefault ? QStringList() : entries;
}

} // namespace ArrayLocks

} // namespace Velt
