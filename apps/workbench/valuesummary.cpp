#include "valuesummary.h"

#include "dataeditorregistry.h"

#include "qtstrings.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace Workbench {

namespace {

QString arrayName(const QString& className)
{
    if (className == QLatin1String("CQuenInt32Array"))
        return QStringLiteral("Integer Array");
    if (className == QLatin1String("CQuenReal64Array"))
        return QStringLiteral("Real Array");
    if (className == QLatin1String("CQuenStringArray"))
        return QStringLiteral("String Array");
    if (className == QLatin1String("CQuenPointArray"))
        return QStringLiteral("Point Array");
    if (className == QLatin1String("CQuenRangeArray"))
        return QStringLiteral("Range Array");
    return {};
}

// Classes whose value the core does not publish get a label of what they are.
QString opaqueName(const QString& className)
{
    if (className == QLatin1String("CQuenInst"))
        return QStringLiteral("Instrument");
    if (className == QLatin1String("CQuenSwitchPath"))
        return QStringLiteral("Switch Path");
    if (className == QLatin1String("CQuenObjectReference"))
        return QStringLiteral("Object Reference");
    if (className == QLatin1String("CQuenObjectLifetime"))
        return QStringLiteral("Object Lifetime");
    return className;
}

QString rangeText(double start, double stop, int32_t points)
{
    return QStringLiteral("%1..%2 (%3 pts)").arg(formatReal(start), formatReal(stop)).arg(points);
}

QString arraySummary(QuenHandle data, const QString& name)
{
    QStringList bounds;
    const int32_t dims = QuenArrayGetNumDimensions(data);
    for (int32_t dim = 0; dim < dims; ++dim) {
        bounds << QStringLiteral("%1..%2")
                      .arg(QuenArrayGetLowerBound(data, dim))
                      .arg(QuenArrayGetUpperBound(data, dim));
    }
    return name + QLatin1String(" [") + bounds.join(QLatin1String(", ")) + QLatin1Char(']');
}

} // namespace

CoreReadGuard::CoreReadGuard() : m_wasClean(QuenExcRegGetErrorCount() == 0) {}

CoreReadGuard::~CoreReadGuard()
{
    if (m_wasClean && QuenExcRegGetErrorCount() > 0)
        QuenExcRegClearError(0);
}

QString formatReal(double value)
{
    if (!std::isfinite(value))
        return QLocale::c().toString(value);
    QString text = QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QLatin1String(".0");
    return text;
}

QString valueSummary(QuenHandle data)
{
    CoreReadGuard guard;
    if (data == 0 || QuenDataIsValid(data) == QUEN_FALSE)
        return QStringLiteral("(no value)");
    const QString cls = quen::toQString(QuenDataGetType(data));
    if (cls == QLatin1String("CQuenInt32"))
        return QString::number(QuenInt32GetValue(data));
    if (cls == QLatin1String("CQuenReal64"))
        return formatReal(QuenReal64GetValue(data));
    if (cls == QLatin1String("CQuenString"))
        return quen::toQString(QuenStringGetValue(data));
    if (cls == QLatin1String("CQuenComplex")) {
        double re = 0, im = 0;
        QuenComplexGetValues(data, &re, &im);
        const bool negative = std::signbit(im) && im != 0.0;
        return QStringLiteral("%1 %2 %3 i")
            .arg(formatReal(re), negative ? QStringLiteral("-") : QStringLiteral("+"),
                 formatReal(negative ? -im : im));
    }
    if (cls == QLatin1String("CQuenPoint")) {
        double x = 0, y = 0;
        QuenPointGetValues(data, &x, &y);
        return QStringLiteral("(%1, %2)").arg(formatReal(x), formatReal(y));
    }
    if (cls == QLatin1String("CQuenRange")) {
        double start = 0, stop = 0;
        int32_t points = 0;
        QuenRangeGetValues(data, &start, &stop, &points);
        return rangeText(start, stop, points);
    }
    if (cls == QLatin1String("CQuenWaveform")) {
        return QStringLiteral("Waveform (%1 pts, %2..%3)")
            .arg(QuenWaveformGetNumPoints(data))
            .arg(formatReal(QuenWaveformGetStart(data)), formatReal(QuenWaveformGetStop(data)));
    }
    const QString array = arrayName(cls);
    if (!array.isEmpty())
        return arraySummary(data, array);
    return opaqueName(cls);
}

QString parameterValueSummary(QuenHandle parm)
{
    CoreReadGuard guard;
    if (QuenParmIsReference(parm) != QUEN_FALSE) {
        const QString table = quen::toQString(QuenParmGetRefTableName(parm));
        const QString symbol = quen::toQString(QuenParmGetRefName(parm));
        return QLatin1String("-> ") + (table.isEmpty() ? symbol : table + QLatin1Char('.') + symbol);
    }
    return valueSummary(QuenParmGetData(parm));
}

QString parameterDescription(QuenHandle parm)
{
    CoreReadGuard guard;
    const QuenHandle desc = QuenParmGetDesc(parm);
    return desc ? quen::toQString(QuenDescGetText(desc)) : QString();
}

QString typeDisplayName(const QString& dataClass)
{
    if (dataClass.isEmpty())
        return dataClass;
    const QObject* editor = DataEditorRegistry::instance()->DataEditor(dataClass);
    const QString name = editor ? editor->property("DataType").toString() : QString();
    return name.isEmpty() ? dataClass : name;
}

} // namespace Workbench
