#include "stringarrayrules.h"

#include "stringrules.h"

#include <QCoreApplication>

namespace Velt::StringArrayRules {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("StringArrayEditor", text); }

const QString& editHint()
{
    static const QString hint = QStringLiteral("Click here and then press '...' to edit");
    return hint;
}

} // namespace

QString viewOf(const QString& stored)
{
    return StringRules::viewNames().contains(stored) ? stored : StringRules::Characters;
}

QString summary(int32_t count, int32_t lower, int32_t upper, const QString& view)
{
    if (count <= 0)
        return editHint();
    if (count > MaxFieldElements)
        return QString::number(count) + tr(" strings - ") + editHint();
    const QString shown = viewOf(view);
    const QString word = shown == StringRules::Hexadecimal ? tr("hex")
                         : shown == StringRules::Octal     ? tr("octal")
                                                           : tr("character");
    return QString::number(count) + u' ' + word
        + (count == 1 ? tr(" string indexed from ") : tr(" strings indexed from "))
        + QString::number(lower) + tr(" to ") + QString::number(upper);
}

QString elementCaption(int32_t index)
{
    return tr("String (") + QString::number(index) + u')';
}

QString pasteError(const QString& view)
{
    return tr("Cannot paste the buffer because it is not formatted as '") + view + tr("'.");
}

QString rootNotEditable() { return tr("Internal Error: This field should not be editable"); }

} // namespace Velt::StringArrayRules
