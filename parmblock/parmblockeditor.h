// ParmBlockEditor: the parameters of one parameter block, action call or symbol table as rows of
// a tree-grid ("ParmList": Name, Value, Data Type, Description), changed in place through four
// editors laid over the cells: ParmNameEditor, ParmFieldEditor, a sorted DataTypeSelector
// ("ParmDataTypeSelector") and a text box ("ParmDescriptionEditor"). A parameter's further
// structured fields are its child rows.
//
// The rules (modes, enablement, the commands' work on the core, the undo log) live in
// Velt::ParmBlockSession and the rows in Velt::ParmBlockModel; this widget keeps the current
// cell and the editors, turns keys, mouse and menu into commands and raises the events. After
// every change that raises events it checks the block's age: when a handler changed the block,
// the rows are rebuilt and the same row (found by its path of texts) selected again.
//
// Index arguments are 1-based parameter positions in the list; 0 means the current row and -1
// after the last where a command allows it. A command that is not enabled does nothing and
// returns false.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QVariantMap>
#include <QWidget>

#include <memory>

class QTreeView;

namespace Velt {
class ParmBlockModel;
class ParmBlockSession;
} // namespace Velt

class VELT_EXPORT ParmBlockEditor : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Handle READ Handle)
    Q_PROPERTY(int DefaultHandle READ DefaultHandle)
    Q_PROPERTY(bool ReadOnly READ ReadOnly)
    Q_PROPERTY(bool BrowseOnly READ BrowseOnly)
    Q_PROPERTY(bool DesignTime READ DesignTime)
    Q_PROPERTY(bool OutputDefinition READ OutputDefinition)
    Q_PROPERTY(int Columns READ Columns)
    Q_PROPERTY(QString TableName READ TableName WRITE setTableName)
    Q_PROPERTY(bool UndoEnabled READ UndoEnabled)

public:
    explicit ParmBlockEditor(QWidget* parent = nullptr);
    ~ParmBlockEditor() override;

    int Handle() const;
    int DefaultHandle() const;
    bool ReadOnly() const;
    bool BrowseOnly() const;
    bool DesignTime() const;
    bool OutputDefinition() const;
    int Columns() const;
    QString TableName() const;
    void setTableName(const QString& name);
    bool UndoEnabled() const;

    // Loading a mode.
    Q_INVOKABLE bool EditSymbolTable(int SymbolTableHandle, bool DesignTime = true,
                                     bool ReadOnly = false, bool BrowseOnly = false);
    Q_INVOKABLE bool EditActionCall(int ActualParameterBlockHandle, int DefaultParameterBlockHandle,
                                    bool ReadOnly = false, bool BrowseOnly = false);
    Q_INVOKABLE bool EditParameterBlockDefinition(int ParameterBlockDefinitionHandle,
                                                  bool ReadOnly = false, bool BrowseOnly = false);
    Q_INVOKABLE bool EditParameterBlockDefinition2(int ParameterBlockDefinitionHandle, bool ReadOnly,
                                                   bool BrowseOnly, bool LimitedDesign);
    Q_INVOKABLE bool EditParameterBlock(int ParameterBlockHandle, bool ReadOnly = false,
                                        bool BrowseOnly = false, int MaxParameters = 0);

    // Reading rows. Count(-1) is the number of parameters; Count(Index) of a row is the number
    // of its field rows.
    Q_INVOKABLE int Count(int Index = -1) const;
    Q_INVOKABLE int DefaultCount(int Index = -1) const;
    Q_INVOKABLE QString ParameterName(int Index = 0) const;
    Q_INVOKABLE QString Comment(int Index = 0) const;
    Q_INVOKABLE QString DefaultDescription(int Index = 0) const;
    Q_INVOKABLE QString Description(int Index = 0) const;
    Q_INVOKABLE int ColumnWidth(int Column) const;
    Q_INVOKABLE void setColumnWidth(int Column, int Width);

    // Commands and their queries.
    Q_INVOKABLE bool InsertNewEnabled(int Index = 0) const;
    Q_INVOKABLE bool InsertNew(int Index = 0, const QString& DataClass = QString());
    Q_INVOKABLE bool DeleteEnabled(int Index = 0) const;
    Q_INVOKABLE bool Delete(int Index = 0);
    Q_INVOKABLE bool DialogEditEnabled(int Index = 0) const;
    Q_INVOKABLE bool DialogEdit(int Index = 0);
    Q_INVOKABLE bool EditCellEnabled(int Column, int Index = 0, int FieldIndex = 0) const;
    Q_INVOKABLE bool EditCell(int Column, int Index = 0, int FieldIndex = 0);
    Q_INVOKABLE bool MoveUpEnabled(int Index = 0) const;
    Q_INVOKABLE bool MoveUp(int Index = 0);
    Q_INVOKABLE bool MoveDownEnabled(int Index = 0) const;
    Q_INVOKABLE bool MoveDown(int Index = 0);
    // ToIndex holds the resolved position afterwards (size + 1 for -1).
    bool MoveTo(int* ToIndex, int FromIndex);
    // Late-bound form: {"ToIndex": resolved position, "result": status}.
    Q_INVOKABLE QVariantMap MoveTo(int ToIndex, int FromIndex);
    Q_INVOKABLE bool ResetToDefaultEnabled(int Index = 0) const;
    Q_INVOKABLE bool ResetToDefault(int Index = 0);
    Q_INVOKABLE bool ReferenceSymbolEnabled(int Index = 0) const;
    // With an empty SymbolName the user picks the symbol in the symbol dialog.
    Q_INVOKABLE bool ReferenceSymbol(int Index = 0, const QString& SymbolName = QString(),
                                     const QString& TableName = QString());
    // Drops a symbol reference for a value of the parameter's own.
    Q_INVOKABLE bool ProvideValueEnabled(int Index = 0) const;
    Q_INVOKABLE bool ProvideValue(int Index = 0);
    Q_INVOKABLE bool CopyEnabled(int Index = 0) const;
    Q_INVOKABLE bool Copy(int Index = 0);
    Q_INVOKABLE bool CutEnabled(int Index = 0) const;
    Q_INVOKABLE bool Cut(int Index = 0);
    Q_INVOKABLE bool PasteEnabled(int Index = 0) const;
    Q_INVOKABLE bool Paste(int Index = 0);
    Q_INVOKABLE bool Undo();
    Q_INVOKABLE bool EndInplaceEditing(bool bAcceptChanges = true);

    // Validation of a block's values into the host's problem list (which may be 0); true when
    // no parameter has a problem. PillsAdded: a problem was added to or withdrawn from the list.
    // The block need not be the one shown.
    bool ValidateParameterBlockDefinition(int ParameterBlockHandle, int PillsHandle, bool* PillsAdded);
    bool ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle, bool* PillsAdded);
    bool ValidateSymbolTable(int SymbolTableHandle, int PillsHandle, bool* PillsAdded);
    bool ValidateActionCall(int ActualParameterBlockHandle, int DefaultParameterBlockHandle, int PillsHandle,
                            bool* PillsAdded);
    // Late-bound forms: {"PillsAdded": flag, "result": no problem found}.
    Q_INVOKABLE QVariantMap ValidateParameterBlockDefinition(int ParameterBlockHandle, int PillsHandle);
    Q_INVOKABLE QVariantMap ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle);
    Q_INVOKABLE QVariantMap ValidateSymbolTable(int SymbolTableHandle, int PillsHandle);
    Q_INVOKABLE QVariantMap ValidateActionCall(int ActualParameterBlockHandle, int DefaultParameterBlockHandle,
                                               int PillsHandle);
    // Opens the value editor on the parameter a problem points to; takes over the handle.
    Q_INVOKABLE void ShowProblem(int PillHandle);
    Q_INVOKABLE bool SetParameterSelect(int ParameterId, bool OnlyParent = true, int ArrayIndex1 = 0,
                                        int ArrayIndex2 = 0);
    Q_INVOKABLE bool SaveTable(const QString& TablePath);
    Q_INVOKABLE bool RestoreTable(const QString& TablePath);
    Q_INVOKABLE bool LoadDataEditors(const QString& IniFilename, const QString& SectionName);
    // Opens the context menu at the current cell (Shift+F10).
    Q_INVOKABLE void ShowEditMenu();
    // Reads the rows again after the block changed elsewhere, keeping the current row.
    Q_INVOKABLE void Refresh();

    // The parameter of the current row (0 when none).
    int currentParameter() const;
    // The limits editor's form of the control: no Data Type column, a fixed set of parameters
    // (see ParmBlockSession::Mode::fixedSet), the limits menu, and Insert, Delete, Ctrl+X and
    // Ctrl+V doing nothing. Set before the first load.
    void setLimitsProfile();
    // Loads a test's limits block (design mode, the set fixed).
    bool editLimits(int handle, bool readOnly, bool browseOnly);

    // Which in-place editor is open: -1 none, else the column (0 name, 1 value, 2 type, 3 text).
    int openEditor() const;
    QTreeView* list() const;
    Velt::ParmBlockModel* model() const;
    Velt::ParmBlockSession& session() const;

Q_SIGNALS:
    void ParameterSelected(const QString& Name, const QString& Description);
    void ParameterChanged(const QString& Name, const QString& Description);
    void ParameterRemoved(const QString& Name, const QString& Description);
    void ParameterCreated(const QString& Name, const QString& Description);
    void ParameterRenamed(const QString& OldName, const QString& NewName, const QString& Description);
    void EditingModeChanged(bool EditingName, bool EditingValue, bool EditingType,
                            bool EditingDescription);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
