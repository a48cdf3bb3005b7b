// FormatRun: what the workbench's Run action does with a table or block: the core's runtime
// walks (bind, evaluate, scan, unbind) over its values, as a test run would, with the string
// editor evaluating and scanning the formatted strings; then a report of every formatted
// string and the errors collected. Widget-free.
#pragma once

#include "quen/quencore.h"

#include <QString>
#include <QStringList>

namespace Workbench {

struct FormatRunReport
{
    int bound = 0;       // values the walks called back for, per walk
    int evaluated = 0;
    int scanned = 0;
    QStringList strings; // "Name = value" of every formatted string, after the run
    QStringList errors;  // the core's messages, oldest first

    QString summary() const;
};

FormatRunReport runFormats(QuenHandle block);

} // namespace Workbench
