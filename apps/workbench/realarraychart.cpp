#include "realarraychart.h"

#include "qtstrings.h"

namespace Workbench::RealArrayChart {

bool hasChart(QuenHandle parm)
{
    return parm && quen::toQString(QuenParmGetType(parm)) == QLatin1String(DataClass)
        && QuenParmGetData(parm) != 0;
}

Velt::ChartPlane plane(QuenHandle data)
{
    Velt::ChartPlane result;
    const int32_t dimensions = QuenArrayGetNumDimensions(data);
    result.rowLower = QuenArrayGetLowerBound(data, 0);
    result.rowUpper = QuenArrayGetUpperBound(data, 0);
    if (dimensions >= 2) {
        result.columnLower = QuenArrayGetLowerBound(data, 1);
        result.columnUpper = QuenArrayGetUpperBound(data, 1);
    }
    if (dimensions == 1) {
        result.value = [data](int row, int) { return QuenR64ArrGetAt1(data, row); };
    } else if (dimensions == 2) {
        result.value = [data](int row, int column) { return QuenR64ArrGetAt2(data, row, column); };
    } else if (dimensions == 3) {
        const int32_t plane = QuenArrayGetLowerBound(data, 2);
        result.value = [data, plane](int row, int column) {
            return QuenR64ArrGetAt3(data, row, column, plane);
        };
    }
    if (const QuenHandle units = QuenDataExGetProperty(data, "Units"))
        result.units = quen::toQString(QuenStringGetValue(units)).trimmed();
    return result;
}

bool byRow(QuenHandle data)
{
    return QuenDataExGetProperty(data, "Graphical View As") != 0;
}

} // namespace Workbench::RealArrayChart
