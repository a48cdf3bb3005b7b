// What every test needs of the core: reading the error register back, whole files for the file
// formats, and a builder that makes blocks, symbol tables and parameters and releases them again,
// so that each test leaves the core as it found it. Header-only; needs QuenCore and Qt Test only.
#pragma once

#include "quen/quencore.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cstdint>
#include <vector>

namespace VeltTest {

struct Raised { int32_t code = 0; QString message; };

// Empties the error register and returns what it held, oldest first.
inline QList<Raised> takeErrors()
{
    QList<Raised> errors;
    int32_t code = 0;
    const char* message = nullptr;
    while (QuenExcRegReceiveError(&code, &message))
        errors.append({ code, QString::fromUtf8(message) });
    return errors;
}

// Empties the register; "" when it held exactly one error with the given code whose message
// starts with "function: " (with code 0: when it was empty), else what was wrong.
inline QString errorProblem(int32_t code, const QString& function = {})
{
    const QList<Raised> raised = takeErrors();
    QString all;
    for (const Raised& r : raised)
        all += QStringLiteral("\n  %1 ").arg(r.code) + r.message;
    if (raised.size() != (code ? 1 : 0))
        return QStringLiteral("%1 errors in the register instead of %2:").arg(raised.size()).arg(code ? 1 : 0) + all;
    if (code && (raised.first().code != code || !raised.first().message.startsWith(function + QLatin1String(": "))))
        return QStringLiteral("not code %1 of %2:").arg(code).arg(function) + all;
    return {};
}

inline QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// The names of a block's parameters, in block order.
inline QStringList parameterNames(QuenHandle block)
{
    QStringList list;
    for (int32_t i = 1; i <= QuenPbDefGetSize(block); ++i)
        list << QString::fromUtf8(QuenParmGetName(QuenPbDefGetParm(block, i)));
    return list;
}

// Makes core objects and releases them when it goes out of scope: tables leave the registry,
// blocks and items are released. Parameters belong to the block they were added to.
class CoreBuilder
{
public:
    CoreBuilder() = default;
    CoreBuilder(const CoreBuilder&) = delete;
    CoreBuilder& operator=(const CoreBuilder&) = delete;
    ~CoreBuilder()
    {
        for (const QuenHandle table : m_tables)
            QuenTableRegRemoveTable(table);
        for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it)
            QuenPbDefRelease(*it);
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if (QuenDataIsValid(*it))
                QuenDataRelease(*it);
        }
        QuenExcRegClearError(0);
    }

    // Takes over one reference of a data item the test made.
    QuenHandle operator<<(QuenHandle item) { return m_items.push_back(item), item; }
    // An empty parameter block definition.
    QuenHandle block() { return m_blocks.push_back(QuenPbDefCreate()), m_blocks.back(); }
    // A symbol table in the registry.
    QuenHandle table(const char* name, bool isPublic = true)
    {
        m_blocks.push_back(QuenTableCreate(name));
        m_tables.push_back(m_blocks.back());
        QuenTableRegAddTable(m_blocks.back(), isPublic ? QUEN_TRUE : QUEN_FALSE);
        return m_blocks.back();
    }

    // A parameter of the class added to the block (its data item is the class's default).
    static QuenHandle parm(QuenHandle block, const char* name, const char* dataClass)
    {
        const QuenHandle parm = QuenParmCreate(name, dataClass);
        QuenPbDefAddParm(block, parm);
        return parm;
    }
    static QuenHandle intParm(QuenHandle block, const char* name, int32_t value, const char* description = "")
    { return withData(block, name, "CQuenInt32", QuenInt32Create(value), description); }
    static QuenHandle realParm(QuenHandle block, const char* name, double value, const char* description = "")
    { return withData(block, name, "CQuenReal64", QuenReal64Create(value), description); }
    static QuenHandle stringParm(QuenHandle block, const char* name, const char* value, const char* description = "")
    { return withData(block, name, "CQuenString", QuenStringCreate(value), description); }
    // A parameter of the block that refers to table.symbol.
    static QuenHandle reference(QuenHandle block, const char* name, const char* dataClass,
                                const char* symbol, const char* table)
    {
        const QuenHandle parm = QuenParmCreate(name, dataClass);
        const QuenHandle value = QuenParmGetData(parm);
        QuenParmSetReference(parm, symbol, -1, table, -1);
        QuenDataRelease(value); // a reference hands its former value to the caller
        QuenPbDefAddParm(block, parm);
        return parm;
    }

    // Editing properties, set with the core's own calls.
    static void attach(QuenHandle item, const char* property, QuenHandle value)
    {
        QuenDataExSetProperty(item, property, value);
        QuenDataRelease(value);
    }
    static void setString(QuenHandle item, const char* property, const char* text) { attach(item, property, QuenStringCreate(text)); }
    static QString string(QuenHandle item, const char* property)
    {
        const QuenHandle value = QuenDataExGetProperty(item, property);
        return value ? QString::fromUtf8(QuenStringGetValue(value)) : QStringLiteral("<absent>");
    }
    static void setChoices(QuenHandle item, int32_t begin, const QStringList& labels)
    {
        const QuenHandle array = QuenStrArrCreate(begin, begin + int32_t(labels.size()) - 1);
        for (int32_t i = 0; i < labels.size(); ++i)
            QuenStrArrSetAt1(array, begin + i, labels.at(i).toUtf8().constData());
        attach(item, "Enumeration", array);
    }

private:
    static QuenHandle withData(QuenHandle block, const char* name, const char* dataClass,
                               QuenHandle data, const char* description)
    {
        const QuenHandle parm = QuenParmCreate(name, dataClass);
        QuenParmSetData(parm, data);
        QuenDescSetText(QuenParmGetDesc(parm), description);
        QuenPbDefAddParm(block, parm);
        return parm;
    }

    std::vector<QuenHandle> m_items;
    std::vector<QuenHandle> m_blocks;
    std::vector<QuenHandle> m_tables;
};

// The file's bytes (empty when it cannot be read); writing the whole file (false when it cannot).
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline bool writeAll(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace VeltTest

#define EXPECT_ERRORS_(code, function)                                                             \
    do {                                                                                           \
        const QString problem_ = VeltTest::errorProblem(code, function);                           \
        QVERIFY2(problem_.isEmpty(), qPrintable(problem_));                                        \
    } while (false)
#define EXPECT_ONE_ERROR(code, function) EXPECT_ERRORS_(code, QString::fromUtf8(function))
#define EXPECT_NO_ERROR() EXPECT_ERRORS_(0, QString())
