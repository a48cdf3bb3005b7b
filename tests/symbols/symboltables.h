// Symbol tables written in one line: "Limits: Vmax=CQuenReal64 ~Secret; -Private: A; *Bound: B1;
// Empty:". A symbol is a CQuenInt32 unless "=class" follows, "~" hides it; a table starting with
// "-" is private, with "*" a bound block owned by the registry (clean-up clears it).
#pragma once

#include "coretesting.h"

#include <QStringList>

namespace symboltest {

using VeltTest::CoreBuilder;

const QString SelectSymbol = QStringLiteral("Please select a symbol from available symbols");
const QString TableEmpty = QStringLiteral("Table Empty - Please select another symbol table");
const QString SelectTable = QStringLiteral("Please select a table from avaliable tables");

// The display names of data classes the tests hand the selector: only CQuenInt32 has one.
inline QString dataTypeName(const QString& dataClass)
{
    return dataClass == u"CQuenInt32" ? QStringLiteral("Integer (32 bit)") : QString();
}

// Adds the symbols to a table or block and hands it back.
inline QuenHandle addSymbols(QuenHandle block, const QString& symbols)
{
    for (QString symbol : symbols.split(u' ', Qt::SkipEmptyParts)) {
        const bool hidden = symbol.startsWith(u'~');
        const QStringList parts = symbol.remove(u'~').split(u'=');
        const QByteArray dataClass = parts.size() > 1 ? parts.at(1).toUtf8() : "CQuenInt32";
        const QuenHandle parm = QuenParmCreate(parts.at(0).toUtf8().constData(), dataClass.constData());
        if (hidden)
            QuenParmSetHidden(parm, QUEN_TRUE);
        QuenPbDefAddParm(block, parm);
    }
    return block;
}

inline QuenHandle table(CoreBuilder& core, const QString& name, const QString& symbols = {})
{
    const bool isPublic = !name.startsWith(u'-');
    return addSymbols(core.table(name.mid(isPublic ? 0 : 1).toUtf8().constData(), isPublic), symbols);
}

// The tables of a one-line description, in its order.
inline void registry(CoreBuilder& core, const QString& description)
{
    for (const QString& entry : description.split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u':', 0, 0).trimmed();
        if (!name.startsWith(u'*')) {
            table(core, name, entry.section(u':', 1));
            continue;
        }
        const QuenHandle definition = QuenPbDefCreate();
        addSymbols(definition, entry.section(u':', 1));
        const QuenHandle bound = QuenPbDefCreateParameterBlock(definition);
        QuenPbDefRelease(definition);
        QuenTableSetName(bound, name.mid(1).toUtf8().constData());
        QuenTableRegAddTable(bound, QUEN_TRUE);
        QuenPbRelease(bound);
    }
}

inline bool blockIsAlive(QuenHandle block)
{
    const bool alive = QuenPbIsBoundPb(block) == QUEN_FALSE && QuenExcRegIsError(0) == QUEN_FALSE;
    QuenExcRegClearError(0);
    return alive;
}

} // namespace symboltest
