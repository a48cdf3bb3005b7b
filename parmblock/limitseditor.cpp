#include "limitseditor.h"

#include "callfailure.h"
#include "componentmacros.h"
#include "parmblockeditor.h"
#include "parmblocksession.h"
#include "qtstrings.h"

#include "quen/quencore.h"

#include <QTreeView>
#include <QVBoxLayout>

VELT_REGISTER_CLASS(LimitsEditor, VisibleControl, "",
                    "EditingModeChanged(EditingName, EditingValue, EditingType, EditingDescription)")

namespace {
// The limits' columns in the parameter block editor's numbering (its Data Type column is hidden).
constexpr int kColumns[] = { Velt::ParmBlockSession::NameColumn, Velt::ParmBlockSession::ValueColumn,
                             Velt::ParmBlockSession::DescriptionColumn };

int blockColumn(int column) { return column >= 0 && column < 3 ? kColumns[column] : -1; }
} // namespace

struct LimitsEditor::Private
{
    ParmBlockEditor* list = nullptr;
    QWidget* nameEditor = nullptr;
    QuenHandle test = 0;
    QuenHandle selector = 0;
    QString testName;
};

LimitsEditor::LimitsEditor(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d->list = new ParmBlockEditor(this);
    d->list->setObjectName(QStringLiteral("LimitsList"));
    d->list->setLimitsProfile();
    layout->addWidget(d->list);
    // Names are shown only: the name cell's editor is an inert place holder.
    d->nameEditor = new QWidget(this);
    d->nameEditor->setObjectName(QStringLiteral("LimitsNameEditor"));
    d->nameEditor->hide();
    setFocusProxy(d->list->list());
    connect(d->list, &ParmBlockEditor::EditingModeChanged, this, &LimitsEditor::EditingModeChanged);
}

LimitsEditor::~LimitsEditor() = default;

ParmBlockEditor* LimitsEditor::list() const { return d->list; }
int LimitsEditor::Handle() const { return d->list->Handle(); }
bool LimitsEditor::ReadOnly() const { return d->list->ReadOnly(); }
bool LimitsEditor::BrowseOnly() const { return d->list->BrowseOnly(); }
int LimitsEditor::Columns() const { return 3; }
bool LimitsEditor::UndoEnabled() const { return d->list->UndoEnabled(); }
QString LimitsEditor::testName() const { return d->testName; }

bool LimitsEditor::EditTestLimits(int TestHandle, int SelectorHandle, bool ReadOnly, bool BrouseOnly)
{
    QuenHandle limits = 0;
    QString name;
    if (TestHandle) {
        QuenExcRegClearError(0);
        name = quen::toQString(QuenTestGetName(QuenHandle(TestHandle)));
        limits = QuenTestGetLimits(QuenHandle(TestHandle), QuenHandle(SelectorHandle));
        if (QuenExcRegIsError(0)) {
            QuenExcRegClearError(0);
            Velt::reportCallFailed(this, tr("TestHandle %1 with SelectorHandle %2 gives no limits.")
                                                 .arg(TestHandle)
                                                 .arg(SelectorHandle));
            return false;
        }
    }
    d->test = QuenHandle(TestHandle);
    d->selector = QuenHandle(SelectorHandle);
    d->testName = name;
    return d->list->editLimits(int(limits), ReadOnly, BrouseOnly);
}

int LimitsEditor::Count(int Index) const { return d->list->Count(Index); }
QString LimitsEditor::ParameterName(int Index) const { return d->list->ParameterName(Index); }
QString LimitsEditor::Description(int Index) const { return d->list->Description(Index); }
QString LimitsEditor::Comment(int Index) const { return d->list->Comment(Index); }
bool LimitsEditor::DialogEditEnabled(int Index) const { return d->list->DialogEditEnabled(Index); }
bool LimitsEditor::DialogEdit(int Index) { return d->list->DialogEdit(Index); }

bool LimitsEditor::EditCellEnabled(int Column, int Index, int FieldIndex) const
{
    return blockColumn(Column) >= 0 && d->list->EditCellEnabled(blockColumn(Column), Index, FieldIndex);
}

bool LimitsEditor::EditCell(int Column, int Index, int FieldIndex)
{
    return blockColumn(Column) >= 0 && d->list->EditCell(blockColumn(Column), Index, FieldIndex);
}

bool LimitsEditor::CopyEnabled(int Index) const { return d->list->CopyEnabled(Index); }
bool LimitsEditor::Copy(int Index) { return d->list->Copy(Index); }
bool LimitsEditor::ReferenceSymbolEnabled(int Index) const { return d->list->ReferenceSymbolEnabled(Index); }

bool LimitsEditor::ReferenceSymbol(int Index, const QString& SymbolName, const QString& TableName)
{
    return d->list->ReferenceSymbol(Index, SymbolName, TableName);
}

int LimitsEditor::ColumnWidth(int Column) const
{
    return blockColumn(Column) >= 0 ? d->list->ColumnWidth(blockColumn(Column)) : 0;
}

void LimitsEditor::setColumnWidth(int Column, int Width)
{
    if (blockColumn(Column) >= 0)
        d->list->setColumnWidth(blockColumn(Column), Width);
}

bool LimitsEditor::LoadDataEditors(const QString& IniFilename, const QString& SectionName)
{
    return d->list->LoadDataEditors(IniFilename, SectionName);
}

bool LimitsEditor::ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle, bool* PillsAdded)
{
    return d->list->ValidateParameterBlock(ParameterBlockHandle, PillsHandle, PillsAdded);
}

QVariantMap LimitsEditor::ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle)
{
    return d->list->ValidateParameterBlock(ParameterBlockHandle, PillsHandle);
}

void LimitsEditor::ShowProblem(int PillHandle) { d->list->ShowProblem(PillHandle); }
bool LimitsEditor::EndInplaceEditing(bool bAcceptChanges) { return d->list->EndInplaceEditing(bAcceptChanges); }
bool LimitsEditor::Undo() { return d->list->Undo(); }
