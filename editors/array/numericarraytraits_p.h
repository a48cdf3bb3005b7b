// The two numeric array families as traits for NumericArrayRules, NumericArrayCopy and
// NumericArrayFields: how a value is read and shown (through the scalar editors' rules, so an
// array cell reads a number exactly as the integer or real editor does), how the family names
// itself, the core's element calls for one to three indices, and the one display option each
// family keeps beside its values (the integer view in "View As", the real chart's orientation
// in "Graphical View As").
#pragma once

#include "int32rules.h"
#include "numericarrayrules_p.h"
#include "real64rules.h"
#include "velt_export.h"

#include "quen/quencore.h"

#include <QString>

#include <cstdint>

namespace Velt {

struct VELT_EXPORT Int32ArrayTraits
{
    using Value = int32_t;
    using Rendering = QString; // the view
    using Option = QString;    // the view, stored in "View As"
    using Scalar = Int32Rules::Traits; // the restriction's unbounded values
    static constexpr char DataClass[] = "CQuenInt32Array";
    static constexpr char DataType[] = "Integer Array";

    static ArrayTexts texts();
    // Read in the view as the integer editor reads; the failure names an "integer value".
    static Parsed<int32_t> parse(const QString& caption, const QString& text, const QString& view);
    // In the view; a view of another name shows decimal digits.
    static QString format(int32_t value, const QString& view);
    // " or 255 mV decimal" outside the decimal view.
    static QString statusSuffix(int32_t value, const QString& view, const QString& units);
    // " Hex": the view word of the main line.
    static QString countWord(const QString& view);

    static Option readOption(int32_t item);
    static void storeOption(int32_t item, const Option& view);
    static Rendering rendering(const Option& view) { return view; }

    static constexpr auto getAt1 = &QuenI32ArrGetAt1;
    static constexpr auto getAt2 = &QuenI32ArrGetAt2;
    static constexpr auto getAt3 = &QuenI32ArrGetAt3;
    static constexpr auto setAt1 = &QuenI32ArrSetAt1;
    static constexpr auto setAt2 = &QuenI32ArrSetAt2;
    static constexpr auto setAt3 = &QuenI32ArrSetAt3;
};

struct VELT_EXPORT Real64ArrayTraits
{
    using Value = double;
    using Rendering = int; // unused: reals always show in the general format
    using Option = bool;   // drawn by row, stored in "Graphical View As"
    using Scalar = Real64Rules::Traits;
    static constexpr char DataClass[] = "CQuenReal64Array";
    static constexpr char DataType[] = "Real Array";

    static ArrayTexts texts();
    static Parsed<double> parse(const QString& caption, const QString& text, int);
    // The general format with the decimal separator forced in: 5 -> "5.0", 1E+20 -> "1.0E+20".
    static QString format(double value, int);
    static QString statusSuffix(double, int, const QString&) { return QString(); }
    static QString countWord(int) { return QString(); }

    static Option readOption(int32_t item);
    static void storeOption(int32_t item, const Option& byRow);
    static Rendering rendering(const Option&) { return 0; }

    static constexpr auto getAt1 = &QuenR64ArrGetAt1;
    static constexpr auto getAt2 = &QuenR64ArrGetAt2;
    static constexpr auto getAt3 = &QuenR64ArrGetAt3;
    static constexpr auto setAt1 = &QuenR64ArrSetAt1;
    static constexpr auto setAt2 = &QuenR64ArrSetAt2;
    static constexpr auto setAt3 = &QuenR64ArrSetAt3;
};

// The element calls of a family, chosen by the number of dimensions of the array.
template <typename Traits>
struct ArrayElements
{
    using T = typename Traits::Value;

    static T get(int32_t array, int dimensions, const ArrayCell& at)
    {
        switch (dimensions) {
        case 1:
            return Traits::getAt1(array, at.row);
        case 2:
            return Traits::getAt2(array, at.row, at.column);
        default:
            return Traits::getAt3(array, at.row, at.column, at.plane);
        }
    }
    static bool set(int32_t array, int dimensions, const ArrayCell& at, T value)
    {
        switch (dimensions) {
        case 1:
            return Traits::setAt1(array, at.row, value) != QUEN_FALSE;
        case 2:
            return Traits::setAt2(array, at.row, at.column, value) != QUEN_FALSE;
        default:
            return Traits::setAt3(array, at.row, at.column, at.plane, value) != QUEN_FALSE;
        }
    }
};

} // namespace Velt
