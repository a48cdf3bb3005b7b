// Core objects for the data editor tests: a block of integer parameters and a public symbol
// table, released again by the destructor, so each test ends with the core's live object count
// it started with.
#pragma once

#include "quen/quencore.h"

#include <QByteArray>
#include <QString>

struct CoreFixture
{
    CoreFixture()
    {
        block = QuenPbDefCreate();
        table = QuenTableCreate("Bench");
        QuenTableRegAddTable(table, QUEN_TRUE);
        addParm(table, "Volts", 12);
    }
    ~CoreFixture()
    {
        QuenTableRegRemoveTable(table);
        QuenPbDefRelease(table);
        QuenPbDefRelease(block);
        QuenExcRegClearError(0);
    }
    CoreFixture(const CoreFixture&) = delete;
    CoreFixture& operator=(const CoreFixture&) = delete;

    // An integer parameter of the block with a value and a description.
    int32_t parameter(const char* name, int32_t value, const char* description = "")
    {
        const int32_t parm = addParm(block, name, value);
        QuenDescSetText(QuenParmGetDesc(parm), description);
        return parm;
    }
    // A parameter of the block that references Bench.Volts.
    int32_t reference(const char* name)
    {
        const int32_t parm = QuenParmCreate(name, "CQuenInt32");
        const int32_t value = QuenParmGetData(parm);
        QuenParmSetReference(parm, "Volts", -1, "Bench", -1);
        QuenDataRelease(value); // a reference hands its value to the caller
        QuenPbDefAddParm(block, parm);
        return parm;
    }
    int32_t symbol() const { return QuenPbDefFindParm(table, "Volts"); }

    static int32_t addParm(int32_t owner, const char* name, int32_t value)
    {
        const int32_t parm = QuenParmCreate(name, "CQuenInt32");
        QuenParmSetData(parm, QuenInt32Create(value));
        QuenPbDefAddParm(owner, parm);
        return parm;
    }

    int32_t block = 0;
    int32_t table = 0;
};
