// Helpers of the symbol selector's tests: real symbol tables in the core's registry, built from
// short descriptions, and cleaned up again (registry cleared, the error register emptied).
#pragma once

#include "quen/quencore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTest>

namespace symboltest {

struct Symbol
{
    const char* name;
    const char* dataClass = "CQuenInt32";
    bool hidden = false;
};

// Adds the symbols to a block (a table or a local block).
inline void addSymbols(QuenHandle block, const QList<Symbol>& symbols)
{
    for (const Symbol& s : symbols) {
        const QuenHandle parm = QuenParmCreate(s.name, s.dataClass);
        QVERIFY2(parm != 0, s.name);
        if (s.hidden)
            QuenParmSetHidden(parm, QUEN_TRUE);
        QVERIFY2(QuenPbDefAddParm(block, parm) != QUEN_FALSE, s.name);
    }
}

// A table in the registry (which keeps the only reference); 0 on failure.
inline QuenHandle addTable(const char* name, const QList<Symbol>& symbols, bool isPublic = true)
{
    const QuenHandle table = QuenTableCreate(name);
    if (table == 0)
        return 0;
    addSymbols(table, symbols);
    const bool added = QuenTableRegAddTable(table, isPublic ? QUEN_TRUE : QUEN_FALSE) != QUEN_FALSE;
    QuenPbRelease(table);
    return added ? table : 0;
}

// A bound parameter block registered as a public table under `name`.
inline QuenHandle addBoundTable(const char* name, const QList<Symbol>& symbols)
{
    const QuenHandle definition = QuenPbDefCreate();
    addSymbols(definition, symbols);
    const QuenHandle bound = QuenPbDefCreateParameterBlock(definition);
    QuenPbDefRelease(definition);
    if (bound == 0)
        return 0;
    QuenTableSetName(bound, name);
    const bool added = QuenTableRegAddTable(bound, QUEN_TRUE) != QUEN_FALSE;
    QuenPbRelease(bound);
    return added ? bound : 0;
}

// A local block the caller owns (one reference).
inline QuenHandle makeLocals(const QList<Symbol>& symbols)
{
    const QuenHandle block = QuenPbDefCreate();
    addSymbols(block, symbols);
    return block;
}

// "S00001", "S00002", ...: names that sort the same with and without regard to case.
inline QByteArray numberedName(const char* prefix, int i)
{
    return prefix + QByteArray::number(i).rightJustified(5, '0');
}

inline bool blockIsAlive(QuenHandle block)
{
    const bool alive = QuenPbIsBoundPb(block) == QUEN_FALSE && QuenExcRegIsError(0) == QUEN_FALSE;
    QuenExcRegClearError(0);
    return alive;
}

} // namespace symboltest
