// Core objects for the scalar editor tests: a parameter block whose integer and real
// parameters carry editing properties set with the core's own calls (not through the editors'
// helpers), released again by the destructor so that each test can check it leaves the core's
// live object count as it found it. Tables that run for both number types name the type in a
// column ("integer" or "real"); byType() picks the rules' traits for it.
#pragma once

#include "int32rules.h"
#include "numericconversion.h"
#include "real64rules.h"

#include "quen/quencore.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <type_traits>
#include <utility>

struct ScalarCore
{
    ScalarCore() : block(QuenPbDefCreate()) { }
    ~ScalarCore()
    {
        QuenPbDefRelease(block);
        QuenExcRegClearError(0);
    }
    ScalarCore(const ScalarCore&) = delete;
    ScalarCore& operator=(const ScalarCore&) = delete;

    // An integer or a real parameter, by type name; the value is converted to the type.
    int32_t parameter(const QString& type, double value)
    {
        return type == u"integer" ? int32Parameter("Count", int32_t(value))
                                  : realParameter("Volts", value);
    }
    int32_t int32Parameter(const char* name, int32_t value)
    {
        return add(name, "CQuenInt32", QuenInt32Create(value));
    }
    int32_t realParameter(const char* name, double value)
    {
        return add(name, "CQuenReal64", QuenReal64Create(value));
    }
    static int32_t data(int32_t parameter) { return QuenParmGetData(parameter); }

    static bool isInteger(int32_t item)
    {
        return QString::fromUtf8(QuenDataGetType(item)) == u"CQuenInt32";
    }
    // Hands a new value to the item as a property and releases the test's own handle.
    static void attach(int32_t item, const char* property, int32_t value)
    {
        QuenDataExSetProperty(item, property, value);
        QuenDataRelease(value);
    }
    static void setString(int32_t item, const char* property, const char* text)
    {
        attach(item, property, QuenStringCreate(text));
    }
    static QString string(int32_t item, const char* property)
    {
        const int32_t value = QuenDataExGetProperty(item, property);
        return value ? QString::fromUtf8(QuenStringGetValue(value)) : QStringLiteral("<absent>");
    }
    static void setPrecision(int32_t item, int32_t precision)
    {
        attach(item, "Precision", QuenInt32Create(precision));
    }
    // A restriction of the item's own number type.
    static void setRestriction(int32_t item, double low, double high)
    {
        const bool integer = isInteger(item);
        const int32_t array = integer ? QuenI32ArrCreate(1, 2) : QuenR64ArrCreate(1, 2);
        for (const auto& [at, bound] : {std::pair(1, low), std::pair(2, high)}) {
            if (integer)
                QuenI32ArrSetAt1(array, at, int32_t(bound));
            else
                QuenR64ArrSetAt1(array, at, bound);
        }
        attach(item, "Restriction", array);
    }
    static void setChoices(int32_t item, int32_t begin, const QStringList& labels)
    {
        const int32_t array = QuenStrArrCreate(begin, begin + int32_t(labels.size()) - 1);
        for (int32_t i = 0; i < labels.size(); ++i)
            QuenStrArrSetAt1(array, begin + i, labels.at(i).toUtf8().constData());
        attach(item, "Enumeration", array);
    }
    static bool has(int32_t item, const char* property)
    {
        return QuenDataExGetProperty(item, property) != 0;
    }
    // "low..high" of a restriction (reals in the general format), "<absent>" without one.
    static QString restriction(int32_t item)
    {
        const int32_t array = QuenDataExGetProperty(item, "Restriction");
        if (!array)
            return QStringLiteral("<absent>");
        if (QString::fromUtf8(QuenDataGetType(array)) == u"CQuenInt32Array") {
            return QStringLiteral("%1..%2").arg(QuenI32ArrGetAt1(array, 1))
                .arg(QuenI32ArrGetAt1(array, 2));
        }
        const auto bound = [array](int32_t i) {
            return Velt::NumericConversion::formatGeneral(QuenR64ArrGetAt1(array, i));
        };
        return bound(1) + QStringLiteral("..") + bound(2);
    }
    static double value(int32_t item)
    {
        return isInteger(item) ? QuenInt32GetValue(item) : QuenReal64GetValue(item);
    }
    // "begin..end: a|b|c" of a choice list, "<absent>" without one.
    static QString choices(int32_t item)
    {
        const int32_t array = QuenDataExGetProperty(item, "Enumeration");
        if (!array)
            return QStringLiteral("<absent>");
        const int32_t begin = QuenArrayGetLowerBound(array, 0);
        const int32_t end = QuenArrayGetUpperBound(array, 0);
        QStringList labels;
        for (int32_t i = begin; i <= end; ++i)
            labels << QString::fromUtf8(QuenStrArrGetAt1(array, i));
        return QStringLiteral("%1..%2: ").arg(begin).arg(end) + labels.join(u'|');
    }

    int32_t block;

private:
    int32_t add(const char* name, const char* className, int32_t value)
    {
        const int32_t parm = QuenParmCreate(name, className);
        QuenParmSetData(parm, value);
        QuenPbDefAddParm(block, parm);
        return parm;
    }
};

// Calls f with the traits of the type named in a table ("integer" or "real").
template <typename F>
auto byType(const QString& type, F f)
{
    return type == u"integer" ? f(Velt::Int32Rules::Traits{}) : f(Velt::Real64Rules::Traits{});
}

// A rendering written in a table: the view for integers, the precision for reals.
template <typename Traits>
typename Traits::Rendering rendering(const QString& text)
{
    if constexpr (std::is_same_v<typename Traits::Rendering, QString>)
        return text;
    else
        return text.toInt();
}
