// The one-line renderings the workbench shows for values before an editor opens them: numbers,
// texts, "re + im i", "(x, y)", "start..stop (n pts)", "Integer Array [0..9]", references as
// "-> Table.Symbol". Widget-free; reads the core and never leaves errors in its register.
#pragma once

#include "quen/quencore.h"

#include <QString>

namespace Workbench {

// A real as the workbench shows it: shortest round-trip form, whole numbers with ".0".
QString formatReal(double value);
// The summary of a data item; "(no value)" for none.
QString valueSummary(QuenHandle data);
// The summary of a parameter's value: its reference ("-> Table.Symbol") or its data item.
QString parameterValueSummary(QuenHandle parm);
// The description text of a parameter (empty when it has none).
QString parameterDescription(QuenHandle parm);

// The name a data class is shown by: the DataType of the dialog editor registered for it, else
// the class name itself.
QString typeDisplayName(const QString& dataClass);

// Keeps reads of the core from leaving messages in an error register that was empty before
// (a parameter without a value, for instance, raises one when asked for it).
class CoreReadGuard
{
public:
    CoreReadGuard();
    ~CoreReadGuard();
    CoreReadGuard(const CoreReadGuard&) = delete;
    CoreReadGuard& operator=(const CoreReadGuard&) = delete;

private:
    bool m_wasClean;
};

} // namespace Workbench
