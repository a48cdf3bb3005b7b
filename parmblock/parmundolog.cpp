#include "parmundolog.h"

#include "quen/quencore.h"

namespace Velt {

namespace {
const QString separator = QStringLiteral(" | ");

// The field that names the parameter concerned, by code ("" for an unknown code).
int nameField(const QString& code)
{
    if (code == ParmUndoLog::Remove || code == ParmUndoLog::MoveUp || code == ParmUndoLog::MoveDown)
        return 0;
    if (code == ParmUndoLog::Replace || code == ParmUndoLog::Rename)
        return 1;
    return -1;
}
} // namespace

const QString ParmUndoLog::Remove = QStringLiteral("Remove ");
const QString ParmUndoLog::Insert = QStringLiteral("Insert ");
const QString ParmUndoLog::Replace = QStringLiteral("Replace");
const QString ParmUndoLog::Rename = QStringLiteral("Rename ");
const QString ParmUndoLog::Describe = QStringLiteral("Desc   ");
const QString ParmUndoLog::MoveUp = QStringLiteral("Move Up");
const QString ParmUndoLog::MoveDown = QStringLiteral("Move Dn");

ParmUndoLog::~ParmUndoLog() { clear(); }

QString ParmUndoLog::format(const QString& code, const QStringList& fields)
{
    QStringList parts(code);
    parts.append(fields);
    return parts.join(separator);
}

ParmUndoLog::Record ParmUndoLog::parse(const QString& text)
{
    QStringList parts = text.split(separator);
    Record record;
    record.code = parts.takeFirst();
    record.fields = parts;
    return record;
}

void ParmUndoLog::releaseHeld(const QString& text)
{
    const Record record = parse(text);
    if ((record.code == Insert || record.code == Replace) && !record.fields.isEmpty()) {
        const QuenHandle parm = record.fields.first().toUInt();
        if (parm)
            QuenParmRelease(parm);
    }
}

void ParmUndoLog::push(const QString& code, const QStringList& fields)
{
    const QString text = format(code, fields);
    const int name = nameField(code);
    if (name >= 0 && fields.value(name).isEmpty()) {
        releaseHeld(text);
        return;
    }
    if (m_size == Slots) {
        releaseHeld(m_slots.front());
        std::move(m_slots.begin() + 1, m_slots.end(), m_slots.begin());
        --m_size;
    }
    m_slots[std::size_t(m_size++)] = text;
}

ParmUndoLog::Record ParmUndoLog::take()
{
    if (m_size == 0)
        return {};
    QString& newest = m_slots[std::size_t(--m_size)];
    const Record record = parse(newest);
    newest.clear();
    return record;
}

void ParmUndoLog::clear()
{
    for (int i = 0; i < m_size; ++i) {
        releaseHeld(m_slots[std::size_t(i)]);
        m_slots[std::size_t(i)].clear();
    }
    m_size = 0;
}

QString ParmUndoLog::slot(int number) const
{
    return number >= 1 && number <= Slots ? m_slots[std::size_t(number - 1)] : QString();
}

} // namespace Velt
