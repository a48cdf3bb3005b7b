// ParmBlockSession: the rules of the parameter block editor, free of widgets: the editing mode,
// the row list (one row per shown parameter, in block order; in action-call mode in the order of
// the default block, each row showing the actual parameter of that name when there is one),
// which commands are enabled, the commands' work on the core, the undo log and the age check.
// The ParmBlockEditor widget raises the events and keeps the current row; the row model follows
// the row list through the Listener.
//
// Rows are numbered from 0 here; the published Index is 1-based (0 = the current row).
//
// Ownership: the session holds a reference on the edited and the default block while loaded,
// owns the value block made from the edited block, and owns the parameters held by the undo log.
#pragma once

#include "parmundolog.h"
#include "velt_export.h"

#include "quen/quencore.h"

#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Velt {

class VELT_EXPORT ParmBlockSession
{
public:
    enum Column { NameColumn, ValueColumn, DataTypeColumn, DescriptionColumn, ColumnCount };

    struct Mode
    {
        bool design = false;
        bool block = false;
        bool readOnly = true;
        bool browseOnly = true;
        bool limitedDesign = false;
        bool symbolTable = false;
        int maxParameters = 0; // 0 = no limit
        // The set of parameters is fixed (a test's limits): values, descriptions and references
        // change, nothing is inserted, deleted, moved, renamed or retyped.
        bool fixedSet = false;
    };

    struct Row
    {
        QuenHandle parm = 0;   // the parameter shown: the actual one, else the default one
        QuenHandle actual = 0; // the edited block's parameter of that name (0 = none)
        QuenHandle deflt = 0;  // the default block's (action-call mode only)
        int kind = -1;         // the shown value's kind (kindCount()), read with the row
    };

    // Follows the row list (the item model implements it).
    class Listener
    {
    public:
        virtual ~Listener();
        virtual void rowsAboutToReset() = 0;
        virtual void rowsReset() = 0;
        virtual void rowAboutToBeInserted(int row) = 0;
        virtual void rowInserted(int row) = 0;
        virtual void rowAboutToBeRemoved(int row) = 0;
        virtual void rowRemoved(int row) = 0;
        // The row's parameter, value or fields changed (its field list may have a new shape).
        virtual void rowChanged(int row) = 0;
    };

    // What a command did to a parameter, for the events.
    struct Change
    {
        int row = -1;
        QString name;
        QString description;
    };

    ParmBlockSession();
    ~ParmBlockSession();
    ParmBlockSession(const ParmBlockSession&) = delete;
    ParmBlockSession& operator=(const ParmBlockSession&) = delete;

    void setListener(Listener* listener) { m_listener = listener; }

    // Loads a block in a mode: references on the new blocks, the old ones released, the undo log
    // cleared, the value block made and the rows read. Handle 0 unloads.
    void load(QuenHandle handle, QuenHandle defaultHandle, const Mode& mode);
    // Reads the rows again (after the block changed behind the session's back).
    void reload();

    QuenHandle handle() const { return m_handle; }
    QuenHandle defaultHandle() const { return m_default; }
    // The value block: a parameter block made from the edited block, the local symbols of the
    // value editor. Made on first use after each load or change of a data class.
    QuenHandle valueBlock() const;
    const Mode& mode() const { return m_mode; }
    bool designTime() const;
    bool outputDefinition() const { return m_mode.block && designTime(); }
    bool isActionCall() const { return m_default != 0; }
    // "Symbol" for a symbol table outside an action call, else "Parameter".
    QString noun() const;
    QString lastDataClass() const { return m_lastDataClass; }

    int rowCount() const { return int(m_rows.size()); }
    // Kinds of value the rows show: a data class, a reference to one apart. Rows of one kind
    // have the same field rows, so a view can learn them from one row of each kind.
    int kindCount() const { return int(m_kinds.size()); }
    const Row& row(int row) const { return m_rows.at(std::size_t(row)); }
    QString name(int row) const;
    // Comment: the edited parameter's description; Description: the default one in action-call
    // mode, else the comment.
    QString comment(int row) const;
    QString defaultDescription(int row) const;
    QString description(int row) const;
    QString blockComment() const;
    QString dataType(int row) const; // the display name of the value's class
    QString dataClass(int row) const;
    int rowOfName(const QString& name) const;
    // The row of the parameter at a 1-based position of the block the rows follow, or -1.
    int rowOfPosition(int position) const;

    // A published Index (1-based, 0 = current) as a row, or nothing when out of range.
    std::optional<int> rowAt(int index, int currentRow) const;

    // The enablement rules. index and currentRow as above; editing: an in-place edit is open.
    bool insertNewEnabled(int index, int currentRow, bool editing) const;
    bool deleteEnabled(int index, int currentRow, bool editing) const;
    bool dialogEditEnabled(int index, int currentRow, bool editing) const;
    bool moveUpEnabled(int index, int currentRow, bool editing) const;
    bool moveDownEnabled(int index, int currentRow, bool editing) const;
    bool resetToDefaultEnabled(int index, int currentRow, bool editing) const;
    bool referenceSymbolEnabled(int index, int currentRow, bool editing) const;
    // A reference whose reference may change gets a value of its own.
    bool provideValueEnabled(int index, int currentRow, bool editing) const;
    // Where InsertNew could insert (the parameter limit aside) and the clipboard holds a block.
    bool pasteEnabled(int index, bool editing) const;
    // Name, Data Type and Description cells: design mode, a parameter row, not read-only.
    bool designCellEnabled(int column) const;
    bool changesAllowed() const { return m_handle && !m_mode.readOnly; }

    // The first free name of "New", "New2", "New3", ...
    QString newName() const;

    // The commands. Each returns what changed (row -1 when nothing did).
    // Inserts a new parameter before row (rowCount() appends).
    Change insertNew(int row, const QString& dataClass);
    // Inserts a parameter the caller owns before row; on success the block owns it.
    Change insertParameter(int row, QuenHandle parm);
    Change remove(int row, bool recordUndo = true);
    // Moves a row to before row "to" (rowCount() = after the last). No undo record.
    Change move(int from, int to);
    Change moveUp(int row);
    Change moveDown(int row);
    // Accepting the editors.
    Change rename(int row, const QString& newName, QString* oldName);
    Change describe(int row, const QString& text);
    // Gives the parameter a new data item of the class (owned by the session afterwards).
    Change changeType(int row, QuenHandle data);
    Change resetToDefault(int row);
    Change provideValue(int row);
    Change referenceSymbol(int row, const QString& symbol, const QString& table);
    // Records an accepted value edit: snapshot is a copy of the parameter taken before it.
    Change valueAccepted(int row, QuenHandle snapshot);
    // Puts the snapshot's value back (a value edit thrown away); releases the snapshot.
    void restoreValue(int row, QuenHandle snapshot);

    ParmUndoLog& undoLog() { return m_undo; }
    // Carries out the newest undo record. kind: what the events should say.
    enum class UndoKind { Nothing, Failed, Removed, Inserted, Changed, Renamed };
    struct UndoResult
    {
        UndoKind kind = UndoKind::Nothing;
        Change change;
        QString oldName; // Renamed: the name before the undo
    };
    UndoResult undo();

    // The edited block's own parameter for the row; in action-call mode a row showing the
    // default parameter first gets a copy of it (with its description). 0 on failure.
    QuenHandle ensureActual(int row);

    // The age check: remember the age after the session's own change; has it moved since?
    void storeAge();
    bool ageChanged() const;

private:
    Row readRow(QuenHandle source);
    int kindOf(QuenHandle parm);
    bool readOnlyOrEmpty() const { return !m_handle || m_mode.readOnly; }
    bool insertPositionAllowed(int index, bool editing) const;
    bool developmentEditable(int row) const;
    int corePosition(int row) const; // 1-based position of the row's parameter in the edited block
    void remakeValueBlock();
    void refreshRow(int row);
    Change changeOf(int row) const;
    void release();

    QuenHandle m_handle = 0;
    QuenHandle m_default = 0;
    mutable QuenHandle m_valueBlock = 0;
    Mode m_mode;
    QString m_lastDataClass = QStringLiteral("CQuenReal64");
    int32_t m_storedAge = 0;
    std::vector<Row> m_rows;
    std::vector<std::pair<bool, std::string>> m_kinds; // reference?, data class
    ParmUndoLog m_undo;
    Listener* m_listener = nullptr;
};

} // namespace Velt
