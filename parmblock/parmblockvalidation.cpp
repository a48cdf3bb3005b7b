#include "parmblockvalidation.h"

#include "qtstrings.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QList>
#include <QSet>

namespace Velt {

namespace {

QString parmName(QuenHandle parm) { return quen::toQString(QuenParmGetName(parm)); }

// "Table." for a block that is a named symbol table of the registry, else "".
QString tablePrefix(QuenHandle block)
{
    const QByteArray name = quen::toUtf8(quen::toQString(QuenTableGetName(block)));
    QuenExcRegClearError(0);
    if (name.isEmpty() || QuenTableRegFindTable(name.constData(), int32_t(name.size())) != block) {
        QuenExcRegClearError(0);
        return {};
    }
    return quen::toQString(name.constData()) + QLatin1Char('.');
}

// A problem a validation made: its location is a parameter position alone (it names no object).
// The host keeps one problem list per block it validates, so these are the block's.
bool madeByValidation(QuenHandle pill)
{
    return problemPosition(pill) > 0 && !QuenPillGetObject(pill)
            && quen::toQString(QuenPillGetLocationText(pill, "|")) == quen::toQString(QuenPillGetTag(pill));
}

} // namespace

int problemPosition(QuenHandle pill)
{
    const QString location = quen::toQString(QuenPillGetLocationText(pill, "|"));
    int end = 0;
    while (end < location.size() && location.at(end).isDigit())
        ++end;
    bool ok = false;
    const int position = location.left(end).toInt(&ok);
    return ok ? position : 0;
}

bool validateParameterBlock(QuenHandle block, QuenHandle defaults, QuenHandle pills, bool* pillsAdded)
{
    bool added = false;
    bool valid = true;
    if (!block) {
        if (pillsAdded)
            *pillsAdded = false;
        return true;
    }
    const QuenHandle source = defaults ? defaults : block;
    const QString prefix = tablePrefix(block);
    const QuenHandle values = QuenPbDefCreateParameterBlock(block);

    // The problems an earlier validation of this block left, still standing.
    QList<QuenHandle> earlier;
    const int32_t listed = pills ? QuenPillsGetSize(pills) : 0;
    for (int32_t i = 1; i <= listed; ++i) {
        const QuenHandle pill = QuenPillsGetPill(pills, i);
        if (pill && QuenPillIsValid(pill) && madeByValidation(pill))
            earlier << pill;
        else if (pill)
            QuenPillRelease(pill);
    }
    QSet<QuenHandle> confirmed;

    XCStructEditFields fields;
    const int32_t size = QuenPbDefGetSize(source);
    for (int32_t position = 1; position <= size; ++position) {
        const QuenHandle parm = QuenPbDefGetParm(source, position);
        const QuenHandle actual = defaults ? QuenPbDefFindParm(block, QuenParmGetName(parm)) : parm;
        const QString tag = QString::number(position);
        QuenHandle existing = 0;
        for (const QuenHandle pill : std::as_const(earlier)) {
            if (quen::toQString(QuenPillGetTag(pill)) == tag && QuenPillIsValid(pill))
                existing = pill;
        }
        fields.AttachParameter(int(actual), defaults ? int(parm) : 0, int(values), !defaults, false, false);
        // Reading the text lets the type editor (or the reference view) judge the value.
        XCStructEditField* first = fields.Item(0);
        QString message;
        if (first) {
            first->Text();
            message = first->ErrorMessage();
        }
        fields.Detach();
        QuenExcRegClearError(0);
        if (message.isEmpty()) {
            if (existing) {
                QuenPillInvalidate(existing);
                added = true;
            }
            continue;
        }
        valid = false;
        const QString text = prefix + parmName(parm) + QLatin1String(": ") + message;
        if (existing && quen::toQString(QuenPillGetProblemText(existing)) != text) {
            QuenPillInvalidate(existing);
            existing = 0;
            added = true;
        }
        if (existing) {
            confirmed.insert(existing);
            continue;
        }
        const QuenHandle pill = QuenPillCreate(3, quen::toUtf8(text).constData(), 0, quen::toUtf8(tag).constData());
        if (pills && pill)
            QuenPillsAdd(pills, pill);
        if (pill)
            QuenPillRelease(pill);
        added = true;
    }

    // What no parameter confirmed goes, all at once.
    const QuenHandle stale = QuenPillsCreate();
    for (const QuenHandle pill : std::as_const(earlier)) {
        if (!confirmed.contains(pill) && QuenPillIsValid(pill)) {
            QuenPillsAdd(stale, pill);
            added = true;
        }
        QuenPillRelease(pill);
    }
    QuenPillsInvalidateAll(stale);
    QuenPillsRelease(stale);
    if (values)
        QuenPbRelease(values);
    QuenExcRegClearError(0);
    if (pillsAdded)
        *pillsAdded = added;
    return valid;
}

} // namespace Velt
