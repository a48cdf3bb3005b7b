// LimitsEditor: the test limits of one test as a parameter list (Name, Value, Description): values
// and descriptions change in place, symbols are referenced and values provided, but the set of
// limits stays as it is (no insert, delete, move, rename, retype, cut or paste). It is the
// parameter block editor in its limits form (ParmBlockEditor::setLimitsProfile), with its own
// published members and one event. Columns here are 0 Name, 1 Value, 2 Description.
#pragma once

#include "velt_export.h"

#include <QVariantMap>
#include <QWidget>

#include <memory>

class ParmBlockEditor;

class VELT_EXPORT LimitsEditor : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Handle READ Handle)
    Q_PROPERTY(bool ReadOnly READ ReadOnly)
    Q_PROPERTY(bool BrowseOnly READ BrowseOnly)
    Q_PROPERTY(int Columns READ Columns)
    Q_PROPERTY(bool UndoEnabled READ UndoEnabled)

public:
    explicit LimitsEditor(QWidget* parent = nullptr);
    ~LimitsEditor() override;

    int Handle() const;
    bool ReadOnly() const;
    bool BrowseOnly() const;
    int Columns() const;
    bool UndoEnabled() const;
    // The test's name as given to EditTestLimits ("" for handle 0).
    QString testName() const;

    // Stores the test, the selector and the flags, and loads the test's limits block.
    Q_INVOKABLE bool EditTestLimits(int TestHandle, int SelectorHandle = 0, bool ReadOnly = false,
                                    bool BrouseOnly = false);
    Q_INVOKABLE int Count(int Index = -1) const;
    Q_INVOKABLE QString ParameterName(int Index = 0) const;
    Q_INVOKABLE QString Description(int Index = 0) const;
    Q_INVOKABLE QString Comment(int Index = 0) const;
    Q_INVOKABLE bool DialogEditEnabled(int Index = 0) const;
    Q_INVOKABLE bool DialogEdit(int Index = 0);
    Q_INVOKABLE bool EditCellEnabled(int Column, int Index = 0, int FieldIndex = 0) const;
    Q_INVOKABLE bool EditCell(int Column, int Index = 0, int FieldIndex = 0);
    Q_INVOKABLE bool CopyEnabled(int Index = 0) const;
    Q_INVOKABLE bool Copy(int Index = 0);
    Q_INVOKABLE bool ReferenceSymbolEnabled(int Index = 0) const;
    Q_INVOKABLE bool ReferenceSymbol(int Index = 0, const QString& SymbolName = QString(),
                                     const QString& TableName = QString());
    Q_INVOKABLE int ColumnWidth(int Column) const;
    Q_INVOKABLE void setColumnWidth(int Column, int Width);
    Q_INVOKABLE bool LoadDataEditors(const QString& IniFilename, const QString& SectionName);
    bool ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle, bool* PillsAdded);
    // Late-bound form: {"PillsAdded": flag, "result": no problem found}.
    Q_INVOKABLE QVariantMap ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle);
    Q_INVOKABLE void ShowProblem(int PillHandle);
    Q_INVOKABLE bool EndInplaceEditing(bool bAcceptChanges = true);
    Q_INVOKABLE bool Undo();

    ParmBlockEditor* list() const;

Q_SIGNALS:
    void EditingModeChanged(bool EditingName, bool EditingValue, bool EditingType, bool EditingDescription);

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
