#include "parmblocksession.h"

#include "datatypenames.h"
#include "qtstrings.h"

namespace Velt {

namespace {

QString parmName(QuenHandle parm) { return parm ? quen::toQString(QuenParmGetName(parm)) : QString(); }

QString parmDescription(QuenHandle parm)
{
    return parm ? quen::toQString(QuenDescGetText(QuenParmGetDesc(parm))) : QString();
}

QString number(qint64 value) { return QString::number(value); }

} // namespace

ParmBlockSession::Listener::~Listener() = default;

ParmBlockSession::ParmBlockSession() = default;

ParmBlockSession::~ParmBlockSession()
{
    m_undo.clear();
    release();
}

void ParmBlockSession::release()
{
    if (m_valueBlock)
        QuenPbRelease(m_valueBlock);
    if (m_handle)
        QuenPbDefRelease(m_handle);
    if (m_default)
        QuenPbDefRelease(m_default);
    m_valueBlock = m_handle = m_default = 0;
}

void ParmBlockSession::load(QuenHandle handle, QuenHandle defaultHandle, const Mode& mode)
{
    if (handle && !QuenPbDefAddRef(handle))
        handle = 0;
    if (handle && defaultHandle && !QuenPbDefAddRef(defaultHandle))
        defaultHandle = 0;
    if (!handle)
        defaultHandle = 0;
    m_undo.clear();
    release();
    m_handle = handle;
    m_default = defaultHandle;
    m_mode = mode;
    reload();
    storeAge();
}

void ParmBlockSession::remakeValueBlock()
{
    if (m_valueBlock)
        QuenPbRelease(m_valueBlock);
    m_valueBlock = 0;
}

QuenHandle ParmBlockSession::valueBlock() const
{
    if (!m_valueBlock && m_handle)
        m_valueBlock = QuenPbDefCreateParameterBlock(m_handle);
    return m_valueBlock;
}

int ParmBlockSession::kindOf(QuenHandle parm)
{
    const bool reference = QuenParmIsReference(parm) != QUEN_FALSE;
    const char* type = QuenParmGetType(parm);
    // Rows of a block mostly share their kind: look from the newest first.
    for (std::size_t i = m_kinds.size(); i-- > 0;) {
        if (m_kinds[i].first == reference && m_kinds[i].second == type)
            return int(i);
    }
    m_kinds.emplace_back(reference, type);
    return int(m_kinds.size()) - 1;
}

ParmBlockSession::Row ParmBlockSession::readRow(QuenHandle source)
{
    Row row;
    if (m_default) {
        row.deflt = source;
        row.actual = QuenPbDefFindParm(m_handle, QuenParmGetName(source));
        row.parm = row.actual ? row.actual : row.deflt;
    } else {
        row.parm = row.actual = source;
    }
    row.kind = row.parm ? kindOf(row.parm) : -1;
    return row;
}

void ParmBlockSession::reload()
{
    remakeValueBlock();
    if (m_listener)
        m_listener->rowsAboutToReset();
    m_rows.clear();
    const QuenHandle source = m_default ? m_default : m_handle;
    const int32_t size = source ? QuenPbDefGetSize(source) : 0;
    m_rows.reserve(std::size_t(std::max(size, 0)));
    for (int32_t position = 1; position <= size; ++position) {
        const Row row = readRow(QuenPbDefGetParm(source, position));
        if (row.parm && !QuenParmIsHidden(row.parm))
            m_rows.push_back(row);
    }
    if (m_listener)
        m_listener->rowsReset();
}

void ParmBlockSession::refreshRow(int row)
{
    Row& entry = m_rows.at(std::size_t(row));
    entry = readRow(m_default ? entry.deflt : entry.actual);
    if (m_listener)
        m_listener->rowChanged(row);
}

bool ParmBlockSession::designTime() const
{
    if (m_default)
        return false;
    return m_mode.block || m_mode.design;
}

QString ParmBlockSession::noun() const
{
    return m_mode.symbolTable && !m_default ? QStringLiteral("Symbol") : QStringLiteral("Parameter");
}

QString ParmBlockSession::name(int row) const { return parmName(this->row(row).parm); }

QString ParmBlockSession::comment(int row) const { return parmDescription(this->row(row).actual); }

QString ParmBlockSession::defaultDescription(int row) const
{
    return parmDescription(this->row(row).deflt);
}

QString ParmBlockSession::description(int row) const
{
    return m_default ? defaultDescription(row) : comment(row);
}

QString ParmBlockSession::blockComment() const
{
    return m_handle ? quen::toQString(QuenDescGetText(QuenPbDefGetDesc(m_handle))) : QString();
}

QString ParmBlockSession::dataClass(int row) const
{
    return quen::toQString(QuenParmGetType(this->row(row).parm));
}

QString ParmBlockSession::dataType(int row) const
{
    const QString cls = dataClass(row);
    const QString shown = dataTypeName(cls);
    return shown.isEmpty() ? cls : shown; // a class no type editor describes yet
}

int ParmBlockSession::rowOfName(const QString& name) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (parmName(m_rows[i].parm) == name)
            return int(i);
    }
    return -1;
}

int ParmBlockSession::rowOfPosition(int position) const
{
    const QuenHandle source = m_default ? m_default : m_handle;
    if (!source || position < 1 || position > QuenPbDefGetSize(source))
        return -1;
    const QuenHandle parm = QuenPbDefGetParm(source, position);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if ((m_default ? m_rows[i].deflt : m_rows[i].actual) == parm)
            return int(i);
    }
    return -1;
}

int ParmBlockSession::corePosition(int row) const
{
    const QuenHandle parm = this->row(row).actual;
    return parm ? QuenPbDefFindId(m_handle, QuenParmGetName(parm)) : 0;
}

std::optional<int> ParmBlockSession::rowAt(int index, int currentRow) const
{
    if (index < 0)
        return std::nullopt;
    const int row = index == 0 ? currentRow : index - 1;
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    return row;
}

bool ParmBlockSession::developmentEditable(int row) const
{
    return QuenParmIsDevelopmentEditable(this->row(row).parm) != QUEN_FALSE;
}

bool ParmBlockSession::insertNewEnabled(int index, int currentRow, bool editing) const
{
    Q_UNUSED(currentRow)
    if (m_mode.maxParameters > 0 && rowCount() >= m_mode.maxParameters)
        return false;
    return insertPositionAllowed(index, editing);
}

bool ParmBlockSession::insertPositionAllowed(int index, bool editing) const
{
    if (readOnlyOrEmpty() || !m_mode.design || m_mode.fixedSet || (index == 0 && editing))
        return false;
    return index >= -1 && index <= rowCount() + 1;
}

bool ParmBlockSession::pasteEnabled(int index, bool editing) const
{
    return insertPositionAllowed(index, editing) && QuenPbDefIsAvailableOnClipboard() != QUEN_FALSE;
}

bool ParmBlockSession::provideValueEnabled(int index, int currentRow, bool editing) const
{
    if (readOnlyOrEmpty() || (index == 0 && editing))
        return false;
    const std::optional<int> row = rowAt(index, currentRow);
    return row && QuenParmIsReference(this->row(*row).parm) && QuenParmIsReferenceEditable(this->row(*row).parm);
}

bool ParmBlockSession::deleteEnabled(int index, int currentRow, bool editing) const
{
    if (readOnlyOrEmpty() || m_mode.limitedDesign || m_mode.fixedSet || (index == 0 && editing))
        return false;
    const std::optional<int> row = rowAt(index, currentRow);
    if (!row || !this->row(*row).actual)
        return false;
    return m_mode.design || developmentEditable(*row);
}

bool ParmBlockSession::dialogEditEnabled(int index, int currentRow, bool editing) const
{
    return !readOnlyOrEmpty() && !(index == 0 && editing) && rowAt(index, currentRow).has_value();
}

bool ParmBlockSession::moveUpEnabled(int index, int currentRow, bool editing) const
{
    if (readOnlyOrEmpty() || m_default || m_mode.fixedSet || (index == 0 && editing))
        return false;
    const std::optional<int> row = rowAt(index, currentRow);
    if (!row || *row == 0)
        return false;
    return m_mode.design || (developmentEditable(*row) && developmentEditable(*row - 1));
}

bool ParmBlockSession::moveDownEnabled(int index, int currentRow, bool editing) const
{
    if (readOnlyOrEmpty() || m_default || m_mode.fixedSet || (index == 0 && editing))
        return false;
    const std::optional<int> row = rowAt(index, currentRow);
    if (!row || *row == rowCount() - 1)
        return false;
    return m_mode.design || (developmentEditable(*row) && developmentEditable(*row + 1));
}

bool ParmBlockSession::resetToDefaultEnabled(int index, int currentRow, bool editing) const
{
    if (readOnlyOrEmpty() || !m_default || m_mode.design || (index == 0 && editing))
        return false;
    const std::optional<int> row = rowAt(index, currentRow);
    return row && this->row(*row).actual;
}

bool ParmBlockSession::referenceSymbolEnabled(int index, int currentRow, bool editing) const
{
    if (readOnlyOrEmpty() || (index == 0 && editing))
        return false;
    const std::optional<int> row = rowAt(index, currentRow);
    return row && QuenParmIsReferenceEditable(this->row(*row).parm);
}

bool ParmBlockSession::designCellEnabled(int column) const
{
    if (readOnlyOrEmpty() || !m_mode.design)
        return false;
    if (m_mode.fixedSet)
        return column == DescriptionColumn;
    return column >= NameColumn && column < ColumnCount && column != ValueColumn;
}

QString ParmBlockSession::newName() const
{
    const QString base = QStringLiteral("New");
    QString candidate = base;
    for (int suffix = 2; m_handle && QuenPbDefFindParm(m_handle, quen::toUtf8(candidate).constData());
         ++suffix) {
        QuenExcRegClearError(0);
        candidate = base + QString::number(suffix);
    }
    return candidate;
}

ParmBlockSession::Change ParmBlockSession::changeOf(int row) const
{
    return { row, name(row), description(row) };
}

ParmBlockSession::Change ParmBlockSession::insertNew(int row, const QString& dataClass)
{
    const QString cls = dataClass.isEmpty() ? m_lastDataClass : dataClass;
    const QuenHandle parm = QuenParmCreate(quen::toUtf8(newName()).constData(),
                                           quen::toUtf8(cls).constData());
    if (!parm) {
        QuenExcRegClearError(0);
        return {};
    }
    if (!dataClass.isEmpty())
        m_lastDataClass = dataClass;
    const Change change = insertParameter(row, parm);
    if (change.row < 0)
        QuenParmRelease(parm);
    else
        m_undo.push(ParmUndoLog::Remove, { change.name });
    return change;
}

ParmBlockSession::Change ParmBlockSession::insertParameter(int row, QuenHandle parm)
{
    if (!m_handle || row < 0 || row > rowCount())
        return {};
    const int32_t size = QuenPbDefGetSize(m_handle);
    const int position = row < rowCount() ? corePosition(row) : size + 1;
    const bool added = position > size || position < 1
            ? QuenPbDefAddParm(m_handle, parm)
            : QuenPbDefInsertParmAt(m_handle, parm, position);
    if (!added)
        return {};
    if (m_listener)
        m_listener->rowAboutToBeInserted(row);
    m_rows.insert(m_rows.begin() + row, readRow(parm));
    if (m_listener)
        m_listener->rowInserted(row);
    return changeOf(row);
}

ParmBlockSession::Change ParmBlockSession::remove(int row, bool recordUndo)
{
    const int position = corePosition(row);
    if (position < 1)
        return {};
    const Change change = changeOf(row);
    const QuenHandle parm = QuenPbDefRemoveParmId(m_handle, position);
    if (!parm)
        return {};
    if (recordUndo)
        m_undo.push(ParmUndoLog::Insert, { number(parm), number(position) });
    else
        QuenParmRelease(parm);
    if (m_default) {
        refreshRow(row); // the row shows the default parameter again
    } else {
        if (m_listener)
            m_listener->rowAboutToBeRemoved(row);
        m_rows.erase(m_rows.begin() + row);
        if (m_listener)
            m_listener->rowRemoved(row);
    }
    return change;
}

ParmBlockSession::Change ParmBlockSession::move(int from, int to)
{
    if (from < 0 || from >= rowCount() || to < 0 || to > rowCount())
        return {};
    if (to == from || to == from + 1)
        return changeOf(from);
    const int32_t size = QuenPbDefGetSize(m_handle);
    const int fromPosition = corePosition(from);
    const int toPosition = to < rowCount() ? corePosition(to) : size + 1;
    const QuenHandle parm = QuenPbDefRemoveParmId(m_handle, fromPosition);
    if (!parm)
        return {};
    const bool placed = toPosition == size + 1
            ? QuenPbDefAddParm(m_handle, parm)
            : QuenPbDefInsertParmAt(m_handle, parm, fromPosition < toPosition ? toPosition - 1 : toPosition);
    if (!placed) {
        QuenPbDefInsertParmAt(m_handle, parm, fromPosition);
        return {};
    }
    const Row moved = m_rows.at(std::size_t(from));
    if (m_listener)
        m_listener->rowAboutToBeRemoved(from);
    m_rows.erase(m_rows.begin() + from);
    if (m_listener)
        m_listener->rowRemoved(from);
    const int target = from < to ? to - 1 : to;
    if (m_listener)
        m_listener->rowAboutToBeInserted(target);
    m_rows.insert(m_rows.begin() + target, moved);
    if (m_listener)
        m_listener->rowInserted(target);
    return changeOf(target);
}

ParmBlockSession::Change ParmBlockSession::moveUp(int row)
{
    const Change change = move(row, row - 1);
    if (change.row >= 0)
        m_undo.push(ParmUndoLog::MoveDown, { change.name });
    return change;
}

ParmBlockSession::Change ParmBlockSession::moveDown(int row)
{
    const Change change = move(row, row + 2);
    if (change.row >= 0)
        m_undo.push(ParmUndoLog::MoveUp, { change.name });
    return change;
}

ParmBlockSession::Change ParmBlockSession::rename(int row, const QString& newName, QString* oldName)
{
    const QuenHandle parm = this->row(row).actual;
    const QString old = parmName(parm);
    if (!parm || newName.isEmpty() || newName == old)
        return {};
    const int position = corePosition(row);
    if (!QuenParmSetName(parm, quen::toUtf8(newName).constData())) {
        QuenExcRegClearError(0);
        return {};
    }
    m_undo.push(ParmUndoLog::Rename, { number(position), old });
    if (oldName)
        *oldName = old;
    if (m_listener)
        m_listener->rowChanged(row);
    return changeOf(row);
}

ParmBlockSession::Change ParmBlockSession::describe(int row, const QString& text)
{
    const QuenHandle parm = this->row(row).actual;
    const QString old = parmDescription(parm);
    if (!parm || text == old)
        return {};
    if (!QuenDescSetText(QuenParmGetDesc(parm), quen::toUtf8(text).constData())) {
        QuenExcRegClearError(0);
        return {};
    }
    m_undo.push(ParmUndoLog::Describe, { number(corePosition(row)), old });
    if (m_listener)
        m_listener->rowChanged(row);
    return changeOf(row);
}

QuenHandle ParmBlockSession::ensureActual(int row)
{
    const Row& entry = this->row(row);
    if (entry.actual || !m_default)
        return entry.actual;
    const QuenHandle copy = QuenParmCopy(entry.deflt);
    if (!copy || !QuenPbDefAddParm(m_handle, copy)) {
        if (copy)
            QuenParmRelease(copy);
        return 0;
    }
    refreshRow(row);
    return copy;
}

ParmBlockSession::Change ParmBlockSession::changeType(int row, QuenHandle data)
{
    const QuenHandle parm = ensureActual(row);
    if (!parm || !QuenParmSetData(parm, data)) {
        QuenExcRegClearError(0);
        if (data)
            QuenDataRelease(data);
        return {};
    }
    remakeValueBlock();
    refreshRow(row);
    return changeOf(row);
}

ParmBlockSession::Change ParmBlockSession::valueAccepted(int row, QuenHandle snapshot)
{
    const Change change = changeOf(row);
    m_undo.push(ParmUndoLog::Replace, { number(snapshot), change.name });
    refreshRow(row);
    return change;
}

void ParmBlockSession::restoreValue(int row, QuenHandle snapshot)
{
    const QuenHandle parm = this->row(row).actual;
    if (parm && snapshot) {
        if (QuenParmIsReference(snapshot)) {
            const QuenHandle former = QuenParmIsReference(parm) ? 0 : QuenParmGetData(parm);
            QuenParmSetReference(parm, QuenParmGetRefName(snapshot), -1,
                                 QuenParmGetRefTableName(snapshot), -1);
            if (former)
                QuenDataRelease(former);
        } else {
            QuenParmSetData(parm, QuenDataExDeepCopy(QuenParmGetData(snapshot)));
        }
        QuenExcRegClearError(0);
        refreshRow(row);
    }
    if (snapshot)
        QuenParmRelease(snapshot);
}

ParmBlockSession::Change ParmBlockSession::resetToDefault(int row)
{
    const Row entry = this->row(row);
    const int position = corePosition(row);
    if (!m_default || !entry.actual || position < 1)
        return {};
    const Change change = changeOf(row);
    const QuenHandle removed = QuenPbDefRemoveParmId(m_handle, position);
    if (!removed)
        return {};
    m_undo.push(ParmUndoLog::Replace, { number(removed), change.name });
    if (QuenParmIsOutput(entry.deflt)) {
        const QuenHandle copy = QuenParmCopy(entry.deflt);
        if (copy && !QuenPbDefAddParm(m_handle, copy))
            QuenParmRelease(copy);
    }
    remakeValueBlock();
    refreshRow(row);
    return change;
}

ParmBlockSession::Change ParmBlockSession::provideValue(int row)
{
    const QuenHandle parm = ensureActual(row);
    if (!parm || !QuenParmIsReferenceEditable(parm))
        return {};
    const QuenHandle snapshot = QuenParmCopy(parm);
    const QuenHandle data = QuenDataCreate(QuenParmGetType(parm));
    if (!data || !QuenParmSetData(parm, data)) {
        QuenExcRegClearError(0);
        if (data)
            QuenDataRelease(data);
        if (snapshot)
            QuenParmRelease(snapshot);
        return {};
    }
    return valueAccepted(row, snapshot);
}

ParmBlockSession::Change ParmBlockSession::referenceSymbol(int row, const QString& symbol,
                                                            const QString& table)
{
    const QuenHandle parm = ensureActual(row);
    if (!parm || !QuenParmIsReferenceEditable(parm) || symbol.isEmpty())
        return {};
    const QuenHandle snapshot = QuenParmCopy(parm);
    const QuenHandle former = QuenParmIsReference(parm) ? 0 : QuenParmGetData(parm);
    const QByteArray symbolText = quen::toUtf8(symbol);
    const QByteArray tableText = quen::toUtf8(table);
    if (!QuenParmSetReference(parm, symbolText.constData(), int32_t(symbolText.size()),
                              tableText.constData(), int32_t(tableText.size()))) {
        QuenExcRegClearError(0);
        if (snapshot)
            QuenParmRelease(snapshot);
        return {};
    }
    if (former)
        QuenDataRelease(former);
    return valueAccepted(row, snapshot);
}

ParmBlockSession::UndoResult ParmBlockSession::undo()
{
    const ParmUndoLog::Record record = m_undo.take();
    UndoResult result;
    if (!record.isValid() || !m_handle)
        return result;
    const QStringList& f = record.fields;
    result.kind = UndoKind::Failed;
    const auto held = [&]() -> QuenHandle { return f.value(0).toUInt(); };
    const auto giveUp = [&] {
        if ((record.code == ParmUndoLog::Insert || record.code == ParmUndoLog::Replace) && held())
            QuenParmRelease(held());
        return result;
    };
    const QString nameField = record.code == ParmUndoLog::Replace ? f.value(1) : f.value(0);
    if (record.code == ParmUndoLog::Remove || record.code == ParmUndoLog::MoveUp
        || record.code == ParmUndoLog::MoveDown || record.code == ParmUndoLog::Replace) {
        if (!QuenPbDefFindId(m_handle, quen::toUtf8(nameField).constData())) {
            QuenExcRegClearError(0);
            if (record.code != ParmUndoLog::Replace)
                return giveUp();
        }
    }
    const int row = rowOfName(nameField);
    if (record.code == ParmUndoLog::Remove) {
        if (row < 0)
            return giveUp();
        result.change = remove(row, false);
        result.kind = result.change.row < 0 ? UndoKind::Failed : UndoKind::Removed;
    } else if (record.code == ParmUndoLog::MoveUp || record.code == ParmUndoLog::MoveDown) {
        const bool up = record.code == ParmUndoLog::MoveUp;
        if (row < 0 || (up ? row == 0 : row == rowCount() - 1))
            return giveUp();
        result.change = move(row, up ? row - 1 : row + 2);
        result.kind = result.change.row < 0 ? UndoKind::Failed : UndoKind::Changed;
    } else if (record.code == ParmUndoLog::Insert) {
        const QuenHandle parm = held();
        const int position = f.value(1).toInt();
        int target = 0;
        while (target < rowCount() && corePosition(target) < position)
            ++target;
        result.change = insertParameter(target, parm);
        if (result.change.row < 0)
            return giveUp();
        result.kind = UndoKind::Inserted;
    } else if (record.code == ParmUndoLog::Replace) {
        const QuenHandle parm = held();
        const QByteArray name = quen::toUtf8(nameField);
        const int position = QuenPbDefFindId(m_handle, name.constData());
        QuenExcRegClearError(0);
        if (position > 0 && !QuenPbDefReleaseParm(m_handle, name.constData()))
            return giveUp();
        const bool placed = position > 0 && position <= QuenPbDefGetSize(m_handle)
                ? QuenPbDefInsertParmAt(m_handle, parm, position)
                : QuenPbDefAddParm(m_handle, parm);
        if (!placed)
            return giveUp();
        remakeValueBlock();
        if (row >= 0) {
            refreshRow(row);
            result.change = changeOf(row);
        } else {
            reload();
            result.change = changeOf(std::max(rowOfName(nameField), 0));
        }
        result.kind = UndoKind::Changed;
    } else if (record.code == ParmUndoLog::Rename || record.code == ParmUndoLog::Describe) {
        const QuenHandle parm = QuenPbDefGetParm(m_handle, f.value(0).toInt());
        if (!parm) {
            QuenExcRegClearError(0);
            return result;
        }
        const QByteArray text = quen::toUtf8(f.value(1));
        const QString current = parmName(parm);
        const bool done = record.code == ParmUndoLog::Rename
                ? QuenParmSetName(parm, text.constData())
                : QuenDescSetText(QuenParmGetDesc(parm), text.constData());
        if (!done) {
            QuenExcRegClearError(0);
            return result;
        }
        const int changed = rowOfName(parmName(parm));
        if (changed >= 0 && m_listener)
            m_listener->rowChanged(changed);
        result.change = changed >= 0 ? changeOf(changed) : Change{ -1, parmName(parm), parmDescription(parm) };
        result.oldName = current;
        result.kind = record.code == ParmUndoLog::Rename ? UndoKind::Renamed : UndoKind::Changed;
    }
    return result;
}

void ParmBlockSession::storeAge() { m_storedAge = m_handle ? QuenPbDefGetAge(m_handle) : 0; }

bool ParmBlockSession::ageChanged() const
{
    return m_handle && QuenPbDefGetAge(m_handle) != m_storedAge;
}

} // namespace Velt
