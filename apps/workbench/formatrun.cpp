#include "formatrun.h"

#include "dataeditorregistry.h"
#include "qtstrings.h"

#include <QCoreApplication>

namespace Workbench {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("Workbench::FormatRun", text); }

void takeErrors(QStringList& into)
{
    int32_t code = 0;
    const char* message = nullptr;
    while (QuenExcRegReceiveError(&code, &message) != QUEN_FALSE)
        into << quen::toQString(message);
    QuenExcRegClearError(0);
}

// A walk's count, its errors taken; a failed walk counts 0.
int walk(int32_t (*run)(QuenHandle), QuenHandle block, QStringList& errors)
{
    const int32_t count = run(block);
    takeErrors(errors);
    return count < 0 ? 0 : count;
}

} // namespace

QString FormatRunReport::summary() const
{
    return tr("Run: %1 bound, %2 evaluated, %3 scanned, %4 errors")
        .arg(bound)
        .arg(evaluated)
        .arg(scanned)
        .arg(errors.size());
}

FormatRunReport runFormats(QuenHandle block)
{
    DataEditorRegistry::instance(); // hands the type editors' runtime sides to the core
    FormatRunReport report;
    report.bound = walk(QuenDataRunBind, block, report.errors);
    if (report.errors.isEmpty()) {
        report.evaluated = walk(QuenDataRunEvaluate, block, report.errors);
        report.scanned = walk(QuenDataRunScan, block, report.errors);
    }
    walk(QuenDataRunUnbind, block, report.errors);
    const int32_t size = QuenPbDefGetSize(block);
    for (int32_t i = 1; i <= size; ++i) {
        const QuenHandle parm = QuenPbDefGetParm(block, i);
        if (QuenParmIsReference(parm) != QUEN_FALSE)
            continue;
        const QuenHandle data = QuenParmGetData(parm);
        if (QuenDataExIsRuntimeEvaluation(data) != QUEN_FALSE || QuenDataExIsRuntimeScan(data) != QUEN_FALSE) {
            report.strings << quen::toQString(QuenParmGetName(parm)) + QStringLiteral(" = ")
                                  + quen::toQString(QuenStringGetValue(data));
        }
    }
    QuenExcRegClearError(0);
    return report;
}

} // namespace Workbench
