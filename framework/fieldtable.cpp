#include "fieldtable.h"

#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <utility>

namespace Velt {

namespace {

FieldCall callFor(int32_t item, const XCStructEditField& field)
{
    return {item, field.DesignTime(), field.declaringValue(), true, field.LocalsHandle()};
}

} // namespace

FieldTable::FieldTable(Row root, std::vector<Row> rows)
    : m_root(std::move(root)), m_rows(std::move(rows))
{
}

void FieldTable::declareFields(int32_t item, XCStructEditFields& fields) const
{
    const FieldCall call{item, fields.DesignTime(), 0, true, fields.LocalsHandle()};
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        if (row.shown && !row.shown(call))
            continue;
        const QString& picture =
            call.designTime || row.runTimePicture.isEmpty() ? row.picture : row.runTimePicture;
        if (!row.repeat) {
            fields.Add(row.caption, row.indentation, picture)->setDeclaringRow(int(i), 0);
            continue;
        }
        const FieldRange range = row.repeat(call);
        // 64-bit steps: a range may end at the largest 32-bit value.
        for (int64_t value = range.first; value <= range.last; ++value) {
            const FieldLine line = row.repeatLine
                ? row.repeatLine(call, int32_t(value))
                : FieldLine{row.repeatCaption(int32_t(value)), row.indentation, picture};
            fields.Add(line.caption, line.indentation, line.picture)
                ->setDeclaringRow(int(i), int32_t(value));
        }
    }
}

void FieldTable::declareField(int32_t item, XCStructEditField& field) const
{
    const Row* row = rowOf(field);
    if (!row)
        return;
    const FieldCall call = callFor(item, field);
    if (row->locked)
        field.setLocked(row->locked(call));
    if (!row->choices)
        return;
    const FieldChoices offered = row->choices(call);
    for (const QString& choice : offered.choices)
        field.Enumeration()->Add(choice, -1);
    if (!offered.error.isEmpty())
        field.setErrorMessage(offered.error);
}

void FieldTable::getField(int32_t item, XCStructEditField& field) const
{
    const Row* row = rowOf(field);
    if (!row || !row->read)
        return;
    const FieldText shown = row->read(callFor(item, field));
    field.setText(shown.text);
    if (!shown.error.isEmpty())
        field.setErrorMessage(shown.error);
}

void FieldTable::fieldChanged(int32_t item, XCStructEditField& field, bool postEdits,
                              bool& refresh) const
{
    const Row* row = rowOf(field);
    if (!row || !row->apply)
        return;
    FieldCall call = callFor(item, field);
    call.postEdits = postEdits;
    const FieldChange change = row->apply(call, field.Text());
    if (!change.error.isEmpty()) {
        field.setErrorMessage(change.error);
        return;
    }
    if (QuenExcRegIsError(0))
        QuenExcRegDisplayErrors();
    refresh = refresh || change.refresh;
}

const FieldTable::Row* FieldTable::rowOf(const XCStructEditField& field) const
{
    if (field.Index() == 0)
        return &m_root;
    const int row = field.declaringRow();
    return row >= 0 && std::size_t(row) < m_rows.size() ? &m_rows[std::size_t(row)] : nullptr;
}

} // namespace Velt
