#include "restrictionrules.h"

namespace Velt::NumberTexts {

QString blankMessage(const QString& caption)
{
    return QStringLiteral("The ") + caption + QStringLiteral(" cannot be blank");
}

QString notLegalMessage(const QString& caption, const QString& kind, const QString& description)
{
    return QStringLiteral("The ") + caption + QStringLiteral(" is not a legal ") + kind
        + QStringLiteral(": ") + description;
}

QString lowAboveHighMessage()
{
    return QStringLiteral("'Low' value must be less than 'High' value");
}

QString highBelowLowMessage()
{
    return QStringLiteral("'High' value must be greater than 'Low' value");
}

QString belowLowMessage(const QString& low)
{
    return QStringLiteral("Value must be greater or equal to ") + low;
}

QString aboveHighMessage(const QString& high)
{
    return QStringLiteral("Value must be less or equal to  ") + high;
}

} // namespace Velt::NumberTexts
