#include "referenceview_p.h"

#include "qtstrings.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <QScopeGuard>
#include <QSet>
#include <QVector>

namespace Velt::ReferenceView {

namespace {

enum Line { RootLine = 0, TableLine = 1, SymbolLine = 2, FirstValueLine = 3 };

const QString UnknownText = QStringLiteral("<Unknown>");
const QString WrongTypeText = QStringLiteral("<Wrong Type>");

struct Reference
{
    QString table;
    QString symbol;
};

Reference referenceOf(QuenHandle parm)
{
    return {quen::toQString(QuenParmGetRefTableName(parm)), quen::toQString(QuenParmGetRefName(parm))};
}

// True (and the register emptied) when the core reported an error.
bool takeCoreError()
{
    if (!QuenExcRegIsError(0))
        return false;
    QuenExcRegClearError(0);
    return true;
}

QString quoted(const QString& text) { return QStringLiteral(" '") + text + QLatin1Char('\''); }

// The value a reference leads to, and why there is none.
struct Target
{
    QuenHandle data = 0; // the referenced symbol's value, when it has the expected class
    bool wrongType = false;
    QString error;
};

Target resolveTarget(const Reference& ref, const QString& dataClass)
{
    Target target;
    const QuenHandle parm = resolveReference(ref.table, ref.symbol, target.error);
    if (!parm)
        return target;
    const QuenHandle data = QuenParmGetData(parm);
    if (takeCoreError() || !data) {
        target.error = QStringLiteral("Cannot find symbol referenced") + quoted(ref.symbol);
        return target;
    }
    if (quen::toQString(QuenDataGetType(data)) != dataClass) {
        target.wrongType = true;
        target.error = QStringLiteral("Data type of symbol referenced does not match");
        return target;
    }
    target.data = data;
    return target;
}

void fillTables(XCStructEditFieldEnums& choices)
{
    choices.Add(AllPublic, -1);
    const int32_t tables = QuenTableRegGetSize();
    for (int32_t i = 1; i <= tables; ++i)
        choices.Add(quen::toQString(QuenTableGetName(QuenTableRegGetTable(i))), -1);
}

void fillSymbols(XCStructEditFieldEnums& choices, QuenHandle parm, const QString& dataClass)
{
    const Reference ref = referenceOf(parm);
    QVector<QuenHandle> tables;
    if (!ref.table.isEmpty()) {
        if (const QuenHandle table = findTable(ref.table))
            tables.append(table);
    } else {
        const int32_t count = QuenTableRegGetSize();
        for (int32_t i = 1; i <= count; ++i) {
            if (!QuenTableRegIsPublic(i))
                continue;
            const QuenHandle table = QuenTableRegGetTable(i);
            if (!quen::toQString(QuenTableGetName(table)).isEmpty())
                tables.append(table);
        }
    }
    // Symbol names are matched without regard to case, as the core finds them.
    QSet<QString> listed;
    for (const QuenHandle table : tables) {
        const int32_t size = QuenPbGetSize(table);
        for (int32_t j = 1; j <= size; ++j) {
            const QuenHandle symbol = QuenPbDefGetParm(table, j);
            if (quen::toQString(QuenParmGetType(symbol)) != dataClass || QuenParmIsHidden(symbol))
                continue;
            const QString name = quen::toQString(QuenParmGetName(symbol));
            if (!listed.contains(name.toCaseFolded())) {
                listed.insert(name.toCaseFolded());
                choices.Add(name, -1);
            }
        }
    }
}

QString valueText(XCStructEditField& field, const Target& target, XCStructEditFields& valueView)
{
    if (target.wrongType)
        return WrongTypeText;
    if (!target.data)
        return UnknownText;
    valueView.AttachData(target.data, 0, false, true, true, QString());
    const auto detach = qScopeGuard([&] { valueView.Detach(); });
    const int line = field.Index() - FirstValueLine;
    XCStructEditField* shown = line < valueView.Count() ? valueView.Item(line) : nullptr;
    return shown ? shown->Text() : UnknownText;
}

} // namespace

void declareFields(XCStructEditFields& fields)
{
    fields.Add(QStringLiteral("Table"), 1, QStringLiteral("Enumeration"));
    fields.Add(QStringLiteral("Symbol"), 1, QStringLiteral("Enumeration"));
    fields.Add(QStringLiteral("Value"), 1, fields.DataClass());
}

void declareField(XCStructEditField& field)
{
    switch (field.Index()) {
    case TableLine:
        field.setLocked(false);
        fillTables(*field.Enumeration());
        break;
    case SymbolLine:
        field.setLocked(false);
        if (const XCStructEditFields* fields = field.fields())
            fillSymbols(*field.Enumeration(), field.ParameterHandle(), fields->DataClass());
        break;
    default:
        field.setLocked(true);
        break;
    }
}

void getField(XCStructEditField& field, XCStructEditFields& valueView)
{
    const XCStructEditFields* fields = field.fields();
    if (!fields)
        return;
    const Reference ref = referenceOf(field.ParameterHandle());
    switch (field.Index()) {
    case RootLine:
    case SymbolLine: {
        field.setText(field.Index() == RootLine && !ref.table.isEmpty()
                              ? ref.table + QLatin1Char('.') + ref.symbol
                              : ref.symbol);
        const Target target = resolveTarget(ref, fields->DataClass());
        if (!target.error.isEmpty())
            field.setErrorMessage(target.error);
        break;
    }
    case TableLine:
        field.setText(ref.table.isEmpty() ? AllPublic : ref.table);
        if (!ref.table.isEmpty() && !findTable(ref.table))
            field.setErrorMessage(QStringLiteral("Cannot find the table referenced") + quoted(ref.table));
        break;
    default:
        field.setText(valueText(field, resolveTarget(ref, fields->DataClass()), valueView));
        break;
    }
}

bool fieldChanged(XCStructEditField& field)
{
    const QuenHandle parm = field.ParameterHandle();
    const Reference ref = referenceOf(parm);
    const QString text = field.Text().trimmed();
    switch (field.Index()) {
    case TableLine: {
        const QString table = text == AllPublic ? QString() : text;
        QuenParmSetReference(parm, quen::toUtf8(ref.symbol).constData(), -1,
                             quen::toUtf8(table).constData(), -1);
        return true;
    }
    case SymbolLine:
        QuenParmSetReference(parm, quen::toUtf8(text).constData(), -1,
                             quen::toUtf8(ref.table).constData(), -1);
        return true;
    default:
        return false;
    }
}

int32_t resolveReference(const QString& table, const QString& symbol, QString& message)
{
    message.clear();
    QString t = table;
    QString s = symbol;
    for (int pass = 0; pass < MaxReferenceHops; ++pass) {
        if (s.trimmed().isEmpty()) {
            message = QStringLiteral("Symbol reference is empty.  It must be non-blank.");
            return 0;
        }
        const QuenHandle found = QuenTableRegFindParm(quen::toUtf8(t).constData(), -1,
                                                      quen::toUtf8(s).constData(), -1);
        if (takeCoreError() || !found) {
            if (t.isEmpty())
                message = QStringLiteral("Cannot find the symbol '") + s + QStringLiteral("' in the '")
                        + AllPublic + QStringLiteral("' list");
            else if (!findTable(t))
                message = QStringLiteral("Cannot find the table referenced") + quoted(t);
            else
                message = QStringLiteral("Cannot find the symbol '") + s
                        + QStringLiteral("' in the table '") + t + QLatin1Char('\'');
            return 0;
        }
        if (!QuenParmIsReference(found))
            return found;
        const Reference next = referenceOf(found);
        t = next.table;
        s = next.symbol;
    }
    message = QStringLiteral("Symbol reference is circular - references itself.");
    return 0;
}

int32_t findTable(const QString& table)
{
    return QuenTableRegFindTable(quen::toUtf8(table).constData(), -1);
}

} // namespace Velt::ReferenceView
