// Core objects for the scalar editor tests: a parameter block whose integer and real
// parameters carry editing properties set with the core's own calls (not through the editors'
// helpers), released again by the destructor so that each test can check it leaves the core's
// live object count as it found it.
#pragma once

#include "quen/quencore.h"

#include <QString>
#include <QStringList>

#include <cstdint>

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

    int32_t int32Parameter(const char* name, int32_t value)
    {
        return add(name, "CQuenInt32", QuenInt32Create(value));
    }
    int32_t realParameter(const char* name, double value)
    {
        return add(name, "CQuenReal64", QuenReal64Create(value));
    }
    static int32_t data(int32_t parameter) { return QuenParmGetData(parameter); }

    static void setString(int32_t item, const char* property, const char* text)
    {
        const int32_t value = QuenStringCreate(text);
        QuenDataExSetProperty(item, property, value);
        QuenDataRelease(value);
    }
    static QString string(int32_t item, const char* property)
    {
        const int32_t value = QuenDataExGetProperty(item, property);
        return value ? QString::fromUtf8(QuenStringGetValue(value)) : QStringLiteral("<absent>");
    }
    static void setInt32Restriction(int32_t item, int32_t low, int32_t high)
    {
        const int32_t array = QuenI32ArrCreate(1, 2);
        QuenI32ArrSetAt1(array, 1, low);
        QuenI32ArrSetAt1(array, 2, high);
        QuenDataExSetProperty(item, "Restriction", array);
        QuenDataRelease(array);
    }
    static void setRealRestriction(int32_t item, double low, double high)
    {
        const int32_t array = QuenR64ArrCreate(1, 2);
        QuenR64ArrSetAt1(array, 1, low);
        QuenR64ArrSetAt1(array, 2, high);
        QuenDataExSetProperty(item, "Restriction", array);
        QuenDataRelease(array);
    }
    static void setPrecision(int32_t item, int32_t precision)
    {
        const int32_t value = QuenInt32Create(precision);
        QuenDataExSetProperty(item, "Precision", value);
        QuenDataRelease(value);
    }
    static void setChoices(int32_t item, int32_t begin, const QStringList& labels)
    {
        const int32_t array = QuenStrArrCreate(begin, begin + int32_t(labels.size()) - 1);
        for (int32_t i = 0; i < labels.size(); ++i)
            QuenStrArrSetAt1(array, begin + i, labels.at(i).toUtf8().constData());
        QuenDataExSetProperty(item, "Enumeration", array);
        QuenDataRelease(array);
    }
    static bool has(int32_t item, const char* property)
    {
        return QuenDataExGetProperty(item, property) != 0;
    }
    // "low..high" of a restriction, "<absent>" without one.
    static QString int32Restriction(int32_t item)
    {
        const int32_t array = QuenDataExGetProperty(item, "Restriction");
        if (!array)
            return QStringLiteral("<absent>");
        return QStringLiteral("%1..%2").arg(QuenI32ArrGetAt1(array, 1)).arg(QuenI32ArrGetAt1(array, 2));
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
