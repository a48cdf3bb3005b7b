#include "parmblockeditor_p.h"

#include "busycursor.h"
#include "callfailure.h"
#include "componentmacros.h"
#include "dataeditorregistry.h"
#include "datatypeselector.h"
#include "keyevents.h"
#include "parmblockvalidation.h"
#include "parmfieldeditor.h"
#include "parmnameeditor.h"
#include "qtstrings.h"
#include "symboldialogs.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

VELT_REGISTER_CLASS(ParmBlockEditor, VisibleControl, "",
                    "ParameterSelected(Name, Description), ParameterChanged(Name, Description), "
                    "ParameterRemoved(Name, Description), ParameterCreated(Name, Description), "
                    "ParameterRenamed(OldName, NewName, Description), "
                    "EditingModeChanged(EditingName, EditingValue, EditingType, EditingDescription)")

using namespace Velt;
using Session = ParmBlockSession;

namespace {

// Child field rows are indented by their level below the parameter's; rows are tall enough for
// the in-place editors.
class IndentDelegate : public QStyledItemDelegate
{
public:
    IndentDelegate(int rowHeight, QObject* parent) : QStyledItemDelegate(parent), m_rowHeight(rowHeight) { }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        if (index.column() == Session::NameColumn && index.parent().isValid()) {
            const int level = std::max(index.data(ParmBlockModel::LevelRole).toInt() - 1, 0);
            shifted.rect.setLeft(shifted.rect.left() + level * option.fontMetrics.height());
        }
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), m_rowHeight));
        return size;
    }

private:
    int m_rowHeight;
};

} // namespace

void ParmBlockEditor::Private::build()
{
    auto* layout = new QVBoxLayout(q);
    layout->setContentsMargins(0, 0, 0, 0);
    view = new QTreeView(q);
    view->setObjectName(QStringLiteral("ParmList"));
    view->setAccessibleName(QStringLiteral("Parameters"));
    model = new ParmBlockModel(session, q);
    view->setModel(model);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setExpandsOnDoubleClick(false);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->header()->setStretchLastSection(true);
    view->header()->setSectionsMovable(false);

    // Rows as tall as a text box, so that an in-place editor fits its cell.
    view->setItemDelegate(new IndentDelegate(view->fontMetrics().height() + 8, q));

    menu = new QMenu(q);
    menu->setObjectName(QStringLiteral("ParmList_EditMenu"));
    tablesMenu = new QMenu(QStringLiteral("Reference a New Symbol"), menu);
    tablesMenu->menuAction()->setObjectName(QStringLiteral("ParmList_ReferenceNewSymbolMenuItem"));

    defaultCommand = new QPushButton(q);
    defaultCommand->setObjectName(QStringLiteral("DefaultCommand"));
    cancelCommand = new QPushButton(q);
    cancelCommand->setObjectName(QStringLiteral("CancelCommand"));
    for (QPushButton* button : { defaultCommand, cancelCommand }) {
        button->setFixedSize(0, 0);
        button->setFocusPolicy(Qt::NoFocus);
    }

    backwardOut = new ParmListTabStop(QStringLiteral("ParmListBackwardOutTabStop"), q);
    forwardIn = new ParmListTabStop(QStringLiteral("ParmListForwardInTabStop"), q);
    treeToColumn = new ParmListTabStop(QStringLiteral("ParmListTreeToColumnTabStop"), q);
    columnToTree = new ParmListTabStop(QStringLiteral("ParmListColumnToTreeTabStop"), q);
    backwardIn = new ParmListTabStop(QStringLiteral("ParmListBackwardInTabStop"), q);
    forwardOut = new ParmListTabStop(QStringLiteral("ParmListForwardOutTabStop"), q);
    layout->addWidget(view);
    QWidget::setTabOrder(backwardOut, forwardIn);
    QWidget::setTabOrder(forwardIn, view);
    QWidget::setTabOrder(view, treeToColumn);
    QWidget::setTabOrder(treeToColumn, columnToTree);
    QWidget::setTabOrder(columnToTree, backwardIn);
    QWidget::setTabOrder(backwardIn, forwardOut);
    const auto enterList = [this](int column) {
        view->setFocus(Qt::TabFocusReason);
        if (currentRow() >= 0)
            setCurrent(currentRow(), currentField(), column);
    };
    // Only Tab and Shift+Tab move through the stops; the focus arriving any other way (the
    // window opening, a click) goes to the list as it is.
    const auto byTab = [this](Qt::FocusReason reason) {
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            return true;
        view->setFocus(reason);
        return false;
    };
    forwardIn->entered = [this, enterList, byTab](Qt::FocusReason reason) {
        if (!byTab(reason))
            return;
        if (reason == Qt::BacktabFocusReason)
            backwardOut->pass(false);
        else
            enterList(0);
    };
    backwardIn->entered = [this, enterList, byTab](Qt::FocusReason reason) {
        if (!byTab(reason))
            return;
        if (reason == Qt::TabFocusReason)
            forwardOut->pass(true);
        else
            enterList(Session::ColumnCount - 1);
    };
    treeToColumn->entered = [enterList, byTab](Qt::FocusReason reason) {
        if (byTab(reason))
            enterList(1);
    };
    columnToTree->entered = [enterList, byTab](Qt::FocusReason reason) {
        if (byTab(reason))
            enterList(0);
    };
    backwardOut->entered = [this, byTab](Qt::FocusReason reason) {
        if (byTab(reason))
            backwardOut->pass(reason == Qt::TabFocusReason);
    };
    forwardOut->entered = [this, byTab](Qt::FocusReason reason) {
        if (byTab(reason))
            forwardOut->pass(reason == Qt::TabFocusReason);
    };

    view->installEventFilter(q);
    view->viewport()->installEventFilter(q);
}

QWidget* ParmBlockEditor::Private::editorWidget(int column)
{
    makeEditor(column);
    switch (column) {
    case Session::NameColumn:
        return nameEditor;
    case Session::ValueColumn:
        return fieldEditor;
    case Session::DataTypeColumn:
        return typeSelector;
    default:
        return descEditor;
    }
}

void ParmBlockEditor::Private::makeEditor(int column)
{
    QWidget* parent = view->viewport();
    const auto keys = [this](int editorColumn) {
        return [this, editorColumn](int* key, int* shift) { editorKey(editorColumn, key, *shift); };
    };
    switch (column) {
    case Session::NameColumn:
        if (nameEditor)
            return;
        nameEditor = new ParmNameEditor(parent);
        nameEditor->setObjectName(QStringLiteral("ParmNameEditor"));
        QObject::connect(nameEditor, qOverload<int*, int*>(&ParmNameEditor::KeyDown), q, keys(column));
        break;
    case Session::ValueColumn: {
        if (fieldEditor)
            return;
        fieldEditor = new ParmFieldEditor(parent);
        fieldEditor->setObjectName(QStringLiteral("ParmFieldEditor"));
        QObject::connect(fieldEditor, qOverload<int*, int*>(&ParmFieldEditor::KeyDown), q, keys(column));
        QObject::connect(fieldEditor, qOverload<int>(&ParmFieldEditor::DialogEdit), q, [this](int) { inDialog = true; });
        const auto dialogEnded = [this] {
            inDialog = false;
            closeEditors(true);
        };
        QObject::connect(fieldEditor, &ParmFieldEditor::DialogAcceptEdit, q, dialogEnded);
        QObject::connect(fieldEditor, &ParmFieldEditor::DialogCancelEdit, q, dialogEnded);
        break;
    }
    case Session::DataTypeColumn:
        if (typeSelector)
            return;
        typeSelector = new DataTypeSelector(parent);
        typeSelector->setObjectName(QStringLiteral("ParmDataTypeSelector"));
        typeSelector->setSorted(true);
        QObject::connect(typeSelector, qOverload<int*, int*>(&DataTypeSelector::KeyDown), q, keys(column));
        QObject::connect(typeSelector, &DataTypeSelector::Change, q, [this](const QString& cls) { typeChosen(cls); });
        break;
    default:
        if (descEditor)
            return;
        descEditor = new QLineEdit(parent);
        descEditor->setObjectName(QStringLiteral("ParmDescriptionEditor"));
        descEditor->setAccessibleName(QStringLiteral("Description"));
        descEditor->installEventFilter(q);
        break;
    }
    editorWidget(column)->hide();
}

void ParmBlockEditor::Private::setCurrent(int row, int field, int column)
{
    const QModelIndex index = model->fieldRow(row, field, column);
    if (!index.isValid())
        return;
    ++quiet;
    if (field > 0)
        view->expand(model->index(row, 0));
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
    --quiet;
    const bool hasRow = currentRow() >= 0;
    treeToColumn->setFocusPolicy(hasRow ? Qt::TabFocus : Qt::NoFocus);
    columnToTree->setFocusPolicy(hasRow ? Qt::TabFocus : Qt::NoFocus);
}

void ParmBlockEditor::Private::testSelected()
{
    const int row = currentRow();
    if (row < 0 || session.rowCount() == 0) {
        lastReported.clear();
        return;
    }
    const QString name = session.name(row);
    if (name == lastReported)
        return;
    lastReported = name;
    Q_EMIT q->ParameterSelected(name, session.description(row));
}

void ParmBlockEditor::Private::rebuild()
{
    QStringList path;
    for (QModelIndex index = view->currentIndex().siblingAtColumn(0); index.isValid(); index = index.parent())
        path.prepend(index.data().toString());
    const int column = currentColumn();
    closeEditors(true);
    ++quiet;
    session.reload();
    session.storeAge();
    QModelIndex parent;
    QModelIndex found;
    for (const QString& text : std::as_const(path)) {
        found = QModelIndex();
        for (int i = 0; i < model->rowCount(parent); ++i) {
            const QModelIndex candidate = model->index(i, 0, parent);
            if (candidate.data().toString() == text) {
                found = candidate;
                break;
            }
        }
        if (!found.isValid())
            break;
        parent = found;
    }
    if (found.isValid()) {
        if (found.parent().isValid())
            view->expand(found.parent());
        view->selectionModel()->setCurrentIndex(found.siblingAtColumn(column),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    --quiet;
}

bool ParmBlockEditor::Private::load(QuenHandle handle, QuenHandle deflt, const Session::Mode& mode)
{
    // A handle that is not a block is the caller's mistake, not the core's: say so and keep
    // what is loaded.
    for (const auto& [given, what] : { std::pair(handle, "Handle"), std::pair(deflt, "DefaultHandle") }) {
        if (!given)
            continue;
        QuenExcRegClearError(0);
        QuenPbDefGetSize(given);
        if (QuenExcRegIsError(0)) {
            QuenExcRegClearError(0);
            reportCallFailed(q, ParmBlockEditor::tr("%1 %2 is not a parameter block.")
                                        .arg(QLatin1String(what)).arg(given));
            return false;
        }
    }
    closeEditors(true);
    BusyCursor busy;
    ++quiet;
    session.load(handle, deflt, mode);
    --quiet;
    lastReported.clear();
    if (QuenExcRegIsError(0))
        QuenExcRegDisplayErrors();
    if (session.rowCount() > 0)
        setCurrent(0, 0, 0);
    return session.handle() == handle;
}

bool ParmBlockEditor::Private::editCellEnabled(int column, int row, int field) const
{
    if (!session.changesAllowed() || row < 0 || row >= session.rowCount())
        return false;
    if (column != Session::ValueColumn)
        return field == 0 && session.designCellEnabled(column);
    XCStructEditFields* fields = model->fields(row);
    XCStructEditField* item = fields ? fields->Item(field) : nullptr;
    if (!item)
        return false;
    // A reference's own line picks its symbol in place (the compact symbol selector).
    const QuenHandle parm = session.row(row).parm;
    if (field == 0 && QuenParmIsReference(parm) && QuenParmIsReferenceEditable(parm))
        return true;
    return !item->Locked();
}

void ParmBlockEditor::Private::openEditor(int column, int row, int field)
{
    closeEditors(true);
    if (row < 0 || row >= session.rowCount())
        return;
    setCurrent(row, field, column);
    editIndex = model->fieldRow(row, field, column);
    makeEditor(column);
    const Session::Row& entry = session.row(row);
    switch (column) {
    case Session::NameColumn:
        nameEditor->setBlockHandle(int(session.handle()));
        nameEditor->setHandle(int(entry.actual));
        nameEditor->setText(session.name(row));
        nameEditor->SelectAll();
        break;
    case Session::ValueColumn: {
        // In an action call the value edited is always the actual block's own: a row showing the
        // default gets a copy of it first (taken away again when the edit is thrown away).
        createdActual = !entry.actual && session.isActionCall();
        const QuenHandle parm = session.ensureActual(row);
        if (!parm)
            return;
        snapshot = QuenParmCopy(parm);
        ageAtOpen = QuenPbDefGetAge(session.handle());
        fieldEditor->setHandle(int(parm));
        fieldEditor->setDefaultHandle(int(session.row(row).deflt));
        fieldEditor->setLocalsHandle(int(session.valueBlock()));
        fieldEditor->setDesignTime(session.designTime());
        fieldEditor->setOutputDefinition(session.outputDefinition());
        fieldEditor->setReadOnly(session.mode().readOnly);
        fieldEditor->setBrowseOnly(session.mode().browseOnly);
        fieldEditor->setFieldIndex(field);
        break;
    }
    case Session::DataTypeColumn:
        snapshot = QuenParmCopy(entry.parm);
        classAtOpen = session.dataClass(row);
        ++quiet;
        typeSelector->SetToParameterHandle(int(entry.parm));
        --quiet;
        break;
    default:
        descEditor->setText(session.comment(row));
        descEditor->selectAll();
        break;
    }
    open = column;
    states[std::size_t(column)] = 2;
    QWidget* editor = editorWidget(column);
    placeEditor();
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    Q_EMIT q->EditingModeChanged(column == 0, column == 1, column == 2, column == 3);
}

void ParmBlockEditor::Private::placeEditor()
{
    if (!editing())
        return;
    QWidget* editor = editorWidget(open);
    const QRect cell = editIndex.isValid() ? view->visualRect(editIndex) : QRect();
    if (cell.isEmpty()) {
        editor->setGeometry(QRect(-editor->width() - 10, 0, editor->width(), editor->height()));
        return;
    }
    editor->setGeometry(cell);
}

bool ParmBlockEditor::Private::closeEditors(bool accept)
{
    if (!editing())
        return false;
    const int column = open;
    open = -1;
    states[std::size_t(column)] = 1;
    const int row = ParmBlockModel::parameterRow(editIndex);
    QWidget* editor = editorWidget(column);
    const bool hadFocus = isInside(editor, QApplication::focusWidget());
    editor->hide();
    if (row >= 0 && row < session.rowCount()) {
        switch (column) {
        case Session::NameColumn:
            if (accept)
                acceptName(row);
            break;
        case Session::ValueColumn:
        case Session::DataTypeColumn:
            acceptValue(column, row, accept);
            break;
        default:
            if (accept)
                acceptDescription(row);
            break;
        }
    } else if (snapshot) {
        QuenParmRelease(snapshot);
    }
    snapshot = 0;
    if (column == Session::ValueColumn)
        fieldEditor->Clear();
    if (hadFocus)
        view->setFocus(Qt::OtherFocusReason);
    raise([this] { Q_EMIT q->EditingModeChanged(false, false, false, false); });
    return true;
}

void ParmBlockEditor::Private::acceptName(int row)
{
    const QString newName = nameEditor->ParameterName();
    QString oldName;
    const Session::Change change = session.rename(row, newName, &oldName);
    if (change.row < 0)
        return;
    raise([&] {
        lastReported = change.name;
        Q_EMIT q->ParameterRenamed(oldName, change.name, change.description);
        Q_EMIT q->ParameterChanged(change.name, change.description);
    });
}

void ParmBlockEditor::Private::acceptValue(int column, int row, bool accept)
{
    const bool edited = column == Session::DataTypeColumn
            ? session.dataClass(row) != classAtOpen
            : QuenPbDefGetAge(session.handle()) != ageAtOpen;
    const QuenHandle held = std::exchange(snapshot, 0);
    if (!edited) {
        if (held)
            QuenParmRelease(held);
        return;
    }
    if (!accept) {
        session.restoreValue(row, held);
        if (createdActual)
            session.remove(row, false);
        return;
    }
    changed(session.valueAccepted(row, held));
}

void ParmBlockEditor::Private::acceptDescription(int row)
{
    changed(session.describe(row, descEditor->text()));
}

void ParmBlockEditor::Private::typeChosen(const QString& dataClass)
{
    if (quiet || open != Session::DataTypeColumn)
        return;
    const int row = ParmBlockModel::parameterRow(editIndex);
    if (row < 0 || dataClass == session.dataClass(row))
        return;
    const QuenHandle data = QuenHandle(typeSelector->CreateDataHandle(dataClass));
    session.changeType(row, data);
    editIndex = model->fieldRow(row, 0, Session::DataTypeColumn);
    placeEditor();
}

bool ParmBlockEditor::Private::changed(const Session::Change& change)
{
    if (change.row < 0)
        return false;
    raise([&] { Q_EMIT q->ParameterChanged(change.name, change.description); });
    return true;
}

bool ParmBlockEditor::Private::moved(const Session::Change& change)
{
    if (change.row < 0)
        return false;
    setCurrent(change.row, 0, currentColumn());
    raise([&] {
        Q_EMIT q->ParameterChanged(change.name, change.description);
        testSelected();
        Q_EMIT q->EditingModeChanged(false, false, false, false);
    });
    return true;
}

bool ParmBlockEditor::Private::runDelete(int row, bool recordUndo)
{
    const Session::Change change = session.remove(row, recordUndo);
    if (change.row < 0)
        return false;
    if (session.rowCount() > 0)
        setCurrent(std::min(row, session.rowCount() - 1), 0, currentColumn());
    raise([&] {
        Q_EMIT q->ParameterChanged(change.name, change.description);
        Q_EMIT q->ParameterRemoved(change.name, change.description);
        testSelected();
        Q_EMIT q->EditingModeChanged(false, false, false, false);
    });
    return true;
}

bool ParmBlockEditor::Private::insertAt(int row, QuenHandle parm)
{
    const Session::Change change = parm ? session.insertParameter(row, parm) : Session::Change{};
    if (change.row < 0) {
        if (parm)
            QuenParmRelease(parm);
        return false;
    }
    session.undoLog().push(ParmUndoLog::Remove, { change.name });
    return created(change);
}

bool ParmBlockEditor::Private::created(const Session::Change& change)
{
    if (change.row < 0)
        return false;
    setCurrent(change.row, 0, 0);
    raise([&] {
        Q_EMIT q->ParameterCreated(change.name, change.description);
        Q_EMIT q->ParameterChanged(change.name, change.description);
        testSelected();
    });
    return true;
}

// ---------------------------------------------------------------------------------------------

ParmBlockEditor::ParmBlockEditor(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    d->build();
    connect(d->view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (d->quiet)
                    return;
                if (d->editing() && current != QModelIndex(d->editIndex)) {
                    const Private::Quiet quiet(d.get());
                    d->closeEditors(true);
                }
                d->testSelected();
            });
    connect(d->view, &QTreeView::customContextMenuRequested, this,
            [this](const QPoint& pos) { d->showMenu(d->view->viewport()->mapToGlobal(pos)); });
    connect(d->view, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const int row = ParmBlockModel::parameterRow(index);
        if (d->editCellEnabled(index.column(), row, ParmBlockModel::fieldIndex(index)))
            d->openEditor(index.column(), row, ParmBlockModel::fieldIndex(index));
    });
    const auto replace = [this] { d->placeEditor(); };
    connect(d->view->verticalScrollBar(), &QScrollBar::valueChanged, this, replace);
    connect(d->view->horizontalScrollBar(), &QScrollBar::valueChanged, this, replace);
    connect(d->view->header(), &QHeaderView::sectionResized, this, replace);
    connect(d->view, &QTreeView::expanded, this, replace, Qt::QueuedConnection);
    connect(d->view, &QTreeView::collapsed, this, replace, Qt::QueuedConnection);
    connect(d->model, &QAbstractItemModel::rowsInserted, this, replace, Qt::QueuedConnection);
    connect(d->model, &QAbstractItemModel::rowsRemoved, this, replace, Qt::QueuedConnection);

    connect(d->defaultCommand, &QPushButton::clicked, this, [this] {
        if (!d->editing())
            return;
        int key = Qt::Key_Return;
        d->editorKey(d->open, &key, 0);
    });
    connect(d->cancelCommand, &QPushButton::clicked, this, [this] { EndInplaceEditing(false); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (d->editing() && !d->inDialog && now && !isInside(this, now) && !now->inherits("QMenu")
            && !(now->windowFlags() & Qt::Popup)) {
            const Private::Quiet quiet(d.get());
            d->closeEditors(true);
        }
    });
}

ParmBlockEditor::~ParmBlockEditor()
{
    if (d->snapshot)
        QuenParmRelease(d->snapshot);
    if (d->fieldEditor)
        d->fieldEditor->Clear();
    // The view and the model go before the session they read (children would go after it),
    // and nothing of this control reacts while they go.
    disconnect(qApp, nullptr, this, nullptr);
    QTreeView* view = std::exchange(d->view, nullptr);
    view->viewport()->removeEventFilter(this);
    view->removeEventFilter(this);
    delete view;
    delete d->model;
}

int ParmBlockEditor::Handle() const { return int(d->session.handle()); }
int ParmBlockEditor::DefaultHandle() const { return int(d->session.defaultHandle()); }
bool ParmBlockEditor::ReadOnly() const { return d->session.mode().readOnly; }
bool ParmBlockEditor::BrowseOnly() const { return d->session.mode().browseOnly; }
bool ParmBlockEditor::DesignTime() const { return d->session.designTime(); }
bool ParmBlockEditor::OutputDefinition() const { return d->session.outputDefinition(); }
int ParmBlockEditor::Columns() const { return d->model->columnCount(); }
int ParmBlockEditor::openEditor() const { return d->open; }
QTreeView* ParmBlockEditor::list() const { return d->view; }
ParmBlockModel* ParmBlockEditor::model() const { return d->model; }
ParmBlockSession& ParmBlockEditor::session() const { return d->session; }

QString ParmBlockEditor::TableName() const
{
    return Handle() ? quen::toQString(QuenTableGetName(d->session.handle())) : QString();
}

void ParmBlockEditor::setTableName(const QString& name)
{
    if (Handle())
        QuenTableSetName(d->session.handle(), quen::toUtf8(name).constData());
}

bool ParmBlockEditor::UndoEnabled() const { return !d->session.undoLog().isEmpty(); }

bool ParmBlockEditor::EditSymbolTable(int SymbolTableHandle, bool DesignTime, bool ReadOnly, bool BrowseOnly)
{
    Session::Mode mode = d->session.mode();
    mode.design = DesignTime;
    mode.block = false;
    mode.symbolTable = true;
    mode.readOnly = ReadOnly;
    mode.browseOnly = BrowseOnly;
    mode.maxParameters = 0;
    return d->load(QuenHandle(SymbolTableHandle), 0, mode);
}

bool ParmBlockEditor::EditActionCall(int ActualParameterBlockHandle, int DefaultParameterBlockHandle,
                                     bool ReadOnly, bool BrowseOnly)
{
    Session::Mode mode = d->session.mode();
    mode.design = false;
    mode.block = true;
    mode.symbolTable = false;
    mode.readOnly = ReadOnly;
    mode.browseOnly = BrowseOnly;
    mode.maxParameters = 0;
    return d->load(QuenHandle(ActualParameterBlockHandle), QuenHandle(DefaultParameterBlockHandle), mode);
}

bool ParmBlockEditor::EditParameterBlockDefinition(int ParameterBlockDefinitionHandle, bool ReadOnly,
                                                   bool BrowseOnly)
{
    return EditParameterBlockDefinition2(ParameterBlockDefinitionHandle, ReadOnly, BrowseOnly, false);
}

bool ParmBlockEditor::EditParameterBlockDefinition2(int ParameterBlockDefinitionHandle, bool ReadOnly,
                                                    bool BrowseOnly, bool LimitedDesign)
{
    Session::Mode mode;
    mode.design = true;
    mode.block = true;
    mode.readOnly = ReadOnly;
    mode.browseOnly = BrowseOnly;
    mode.limitedDesign = LimitedDesign;
    return d->load(QuenHandle(ParameterBlockDefinitionHandle), 0, mode);
}

bool ParmBlockEditor::EditParameterBlock(int ParameterBlockHandle, bool ReadOnly, bool BrowseOnly,
                                         int MaxParameters)
{
    Session::Mode mode;
    mode.design = false;
    mode.block = true;
    mode.readOnly = ReadOnly;
    mode.browseOnly = BrowseOnly;
    mode.maxParameters = MaxParameters;
    return d->load(QuenHandle(ParameterBlockHandle), 0, mode);
}

int ParmBlockEditor::Count(int Index) const
{
    if (Index == -1)
        return Handle() ? QuenPbDefGetSize(d->session.handle()) : 0;
    const std::optional<int> row = d->rowAt(Index);
    return row ? d->model->rowCount(d->model->index(*row, 0)) : 0;
}

int ParmBlockEditor::DefaultCount(int Index) const
{
    if (Index == -1)
        return DefaultHandle() ? QuenPbDefGetSize(d->session.defaultHandle()) : 0;
    return DefaultHandle() ? Count(Index) : 0;
}

QString ParmBlockEditor::ParameterName(int Index) const
{
    const std::optional<int> row = d->rowAt(Index);
    return row ? d->session.name(*row) : QString();
}

QString ParmBlockEditor::Comment(int Index) const
{
    if (Index == -1)
        return d->session.blockComment();
    const std::optional<int> row = d->rowAt(Index);
    return row ? d->session.comment(*row) : QString();
}

QString ParmBlockEditor::DefaultDescription(int Index) const
{
    if (Index == -1)
        return DefaultHandle() ? quen::toQString(QuenDescGetText(QuenPbDefGetDesc(d->session.defaultHandle()))) : QString();
    const std::optional<int> row = d->rowAt(Index);
    return row ? d->session.defaultDescription(*row) : QString();
}

QString ParmBlockEditor::Description(int Index) const
{
    return DefaultHandle() ? DefaultDescription(Index) : Comment(Index);
}

int ParmBlockEditor::ColumnWidth(int Column) const
{
    return Column >= 0 && Column < Columns() ? d->view->columnWidth(Column) : 0;
}

void ParmBlockEditor::setColumnWidth(int Column, int Width)
{
    if (Column >= 0 && Column < Columns() && Width >= 0)
        d->view->setColumnWidth(Column, Width);
}

bool ParmBlockEditor::InsertNewEnabled(int Index) const
{
    return d->session.insertNewEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::InsertNew(int Index, const QString& DataClass)
{
    if (!InsertNewEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    d->closeEditors(true);
    const int row = Index == 0 ? std::max(d->currentRow(), 0) : Index == -1 ? d->session.rowCount() : Index - 1;
    if (!d->created(d->session.insertNew(std::min(row, d->session.rowCount()), DataClass)))
        return false;
    // The new name at once, all selected, so that the user types the wanted one.
    if (d->currentRow() >= 0)
        d->openEditor(Session::NameColumn, d->currentRow(), 0);
    return true;
}

bool ParmBlockEditor::DeleteEnabled(int Index) const
{
    return d->session.deleteEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::Delete(int Index)
{
    if (!DeleteEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    d->closeEditors(true);
    return row < d->session.rowCount() && d->runDelete(row, true);
}

bool ParmBlockEditor::DialogEditEnabled(int Index) const
{
    return d->session.dialogEditEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::DialogEdit(int Index)
{
    if (!DialogEditEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    d->closeEditors(true);
    d->setCurrent(row, 0, d->session.mode().browseOnly ? d->currentColumn() : Session::ValueColumn);
    if (d->session.mode().browseOnly) {
        d->testSelected();
        return true;
    }
    d->openEditor(Session::ValueColumn, row, 0);
    d->testSelected();
    d->fieldEditor->DialogEdit();
    return true;
}

bool ParmBlockEditor::EditCellEnabled(int Column, int Index, int FieldIndex) const
{
    if (Index == 0 && d->editing())
        return false;
    const std::optional<int> row = d->rowAt(Index);
    if (!row)
        return false;
    const int field = FieldIndex == -1 ? (ParmBlockModel::parameterRow(d->view->currentIndex()) == *row ? d->currentField() : 0)
                                       : FieldIndex;
    return d->editCellEnabled(Column, *row, field);
}

bool ParmBlockEditor::EditCell(int Column, int Index, int FieldIndex)
{
    if (!EditCellEnabled(Column, Index, FieldIndex))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    const int field = FieldIndex == -1 ? (d->currentRow() == row ? d->currentField() : 0) : FieldIndex;
    d->openEditor(Column, row, field);
    d->testSelected();
    return true;
}

bool ParmBlockEditor::MoveUpEnabled(int Index) const
{
    return d->session.moveUpEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::MoveDownEnabled(int Index) const
{
    return d->session.moveDownEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::MoveUp(int Index)
{
    if (!MoveUpEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    d->closeEditors(true);
    return d->moved(d->session.moveUp(row));
}

bool ParmBlockEditor::MoveDown(int Index)
{
    if (!MoveDownEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    d->closeEditors(true);
    return d->moved(d->session.moveDown(row));
}

bool ParmBlockEditor::MoveTo(int* ToIndex, int FromIndex)
{
    const int count = d->session.rowCount();
    if (!ToIndex || !d->session.changesAllowed() || d->session.isActionCall())
        return false;
    const int to = *ToIndex == -1 ? count + 1 : *ToIndex;
    const std::optional<int> from = d->rowAt(FromIndex);
    if (to < 1 || to > count + 1 || !from)
        return false;
    *ToIndex = to;
    const Private::Quiet quiet(d.get());
    d->session.undoLog().clear();
    d->closeEditors(true);
    if (to - 1 == *from)
        return true;
    return d->moved(d->session.move(*from, to - 1));
}

QVariantMap ParmBlockEditor::MoveTo(int ToIndex, int FromIndex)
{
    const bool result = MoveTo(&ToIndex, FromIndex);
    return { { QStringLiteral("ToIndex"), ToIndex }, { QStringLiteral("result"), result } };
}

bool ParmBlockEditor::ResetToDefaultEnabled(int Index) const
{
    return d->session.resetToDefaultEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::ResetToDefault(int Index)
{
    if (!ResetToDefaultEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    d->closeEditors(true);
    return d->changed(d->session.resetToDefault(row));
}

bool ParmBlockEditor::ReferenceSymbolEnabled(int Index) const
{
    return d->session.referenceSymbolEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::ReferenceSymbol(int Index, const QString& SymbolName, const QString& TableName)
{
    if (!ReferenceSymbolEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    d->closeEditors(true);
    QString symbol = SymbolName;
    QString table = TableName;
    if (symbol.isEmpty()) {
        const QuenHandle parm = d->session.row(row).parm;
        if (QuenParmIsReference(parm)) {
            table = quen::toQString(QuenParmGetRefTableName(parm));
            symbol = quen::toQString(QuenParmGetRefName(parm));
        }
        SymbolDialogs dialogs;
        if (!dialogs.pickSymbol(d->session.dataClass(row), table, symbol, this))
            return false;
    }
    return d->changed(d->session.referenceSymbol(row, symbol, table));
}

bool ParmBlockEditor::ProvideValueEnabled(int Index) const
{
    return d->session.provideValueEnabled(Index, d->currentRow(), d->editing());
}

bool ParmBlockEditor::ProvideValue(int Index)
{
    if (!ProvideValueEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    const int row = *d->rowAt(Index);
    d->closeEditors(true);
    return d->changed(d->session.provideValue(row));
}

bool ParmBlockEditor::CopyEnabled(int Index) const
{
    if (!Handle() || d->session.rowCount() == 0)
        return false;
    if (Index != 0)
        return d->rowAt(Index).has_value();
    const QModelIndexList selected = d->view->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return d->currentRow() >= 0 && d->currentField() == 0;
    return std::all_of(selected.begin(), selected.end(), [](const QModelIndex& i) { return !i.parent().isValid(); });
}

bool ParmBlockEditor::Copy(int Index)
{
    if (!CopyEnabled(Index)) {
        if (d->limits)
            d->beep();
        return false;
    }
    QList<int> rows;
    if (Index != 0) {
        rows << *d->rowAt(Index);
    } else {
        for (const QModelIndex& index : d->view->selectionModel()->selectedRows())
            rows << index.row();
        if (rows.isEmpty())
            rows << d->currentRow();
        std::sort(rows.begin(), rows.end());
    }
    const QuenHandle temporary = QuenPbDefCreate();
    for (const int row : std::as_const(rows)) {
        const QuenHandle parm = d->session.row(row).parm;
        if (QuenPbDefFindParm(temporary, QuenParmGetName(parm)))
            continue;
        const QuenHandle copy = QuenParmCopy(parm);
        if (copy && !QuenPbDefAddParm(temporary, copy))
            QuenParmRelease(copy);
    }
    const bool copied = QuenPbDefGetSize(temporary) > 0 && QuenPbDefCopyToClipboard(temporary);
    QuenPbDefRelease(temporary);
    QuenExcRegClearError(0);
    return copied;
}

bool ParmBlockEditor::CutEnabled(int Index) const { return CopyEnabled(Index) && DeleteEnabled(Index); }

bool ParmBlockEditor::Cut(int Index)
{
    if (!CutEnabled(Index)) {
        d->beep();
        return false;
    }
    return Copy(Index) && Delete(Index);
}

bool ParmBlockEditor::PasteEnabled(int Index) const
{
    return d->session.pasteEnabled(Index, d->editing());
}

bool ParmBlockEditor::Paste(int Index)
{
    if (!PasteEnabled(Index))
        return false;
    const Private::Quiet quiet(d.get());
    d->closeEditors(true);
    const QuenHandle pasted = QuenPbDefCreateFromClipboard();
    const int32_t size = pasted ? QuenPbDefGetSize(pasted) : 0;
    if (size <= 0) {
        QuenExcRegClearError(0);
        if (pasted)
            QuenPbDefRelease(pasted);
        d->beep();
        return false;
    }
    int at = Index == -1 ? d->session.rowCount() : Index == 0 ? std::max(d->currentRow(), 0) : Index - 1;
    for (int32_t i = 1; i <= size; ++i) {
        const QuenHandle source = QuenPbDefGetParm(pasted, i);
        const QString name = quen::toQString(QuenParmGetName(source));
        const int existing = d->session.rowOfName(name);
        if (existing >= 0) {
            const int answer = PlatformServices::instance().messageBox(
                    QStringLiteral("Parameter '") + name + QStringLiteral("' already exist. Replace it?"), 276,
                    QStringLiteral("Paste Parameter"), this);
            if (answer != PlatformServices::Yes)
                continue;
            if (!d->runDelete(existing, true))
                continue;
            if (existing < at)
                --at;
        }
        if (d->insertAt(std::min(at, d->session.rowCount()), QuenParmCopy(source)))
            ++at;
    }
    QuenPbDefRelease(pasted);
    QuenExcRegClearError(0);
    d->raise([this] { Q_EMIT EditingModeChanged(false, false, false, false); });
    return true;
}

bool ParmBlockEditor::Undo()
{
    if (!UndoEnabled())
        return false;
    const Private::Quiet quiet(d.get());
    d->closeEditors(true);
    const Session::UndoResult result = d->session.undo();
    const Session::Change& change = result.change;
    if (result.kind == Session::UndoKind::Failed)
        d->beep();
    if (change.row >= 0 && change.row < d->session.rowCount()
        && result.kind != Session::UndoKind::Removed)
        d->setCurrent(change.row, 0, d->currentColumn());
    d->raise([&] {
        switch (result.kind) {
        case Session::UndoKind::Removed:
            Q_EMIT ParameterChanged(change.name, change.description);
            Q_EMIT ParameterRemoved(change.name, change.description);
            break;
        case Session::UndoKind::Inserted:
            Q_EMIT ParameterCreated(change.name, change.description);
            Q_EMIT ParameterChanged(change.name, change.description);
            break;
        case Session::UndoKind::Renamed:
            Q_EMIT ParameterRenamed(result.oldName, change.name, change.description);
            Q_EMIT ParameterChanged(change.name, change.description);
            break;
        case Session::UndoKind::Changed:
            Q_EMIT ParameterChanged(change.name, change.description);
            break;
        default:
            break;
        }
        d->testSelected();
        Q_EMIT EditingModeChanged(false, false, false, false);
    });
    return result.kind != Session::UndoKind::Failed;
}

bool ParmBlockEditor::EndInplaceEditing(bool bAcceptChanges)
{
    const Private::Quiet quiet(d.get());
    d->closeEditors(bAcceptChanges);
    return true;
}

namespace {
QVariantMap validation(bool result, bool added)
{
    return { { QStringLiteral("PillsAdded"), added }, { QStringLiteral("result"), result } };
}
} // namespace

bool ParmBlockEditor::ValidateParameterBlockDefinition(int ParameterBlockHandle, int PillsHandle, bool* PillsAdded)
{
    return validateParameterBlock(QuenHandle(ParameterBlockHandle), 0, QuenHandle(PillsHandle), PillsAdded);
}

bool ParmBlockEditor::ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle, bool* PillsAdded)
{
    return validateParameterBlock(QuenHandle(ParameterBlockHandle), 0, QuenHandle(PillsHandle), PillsAdded);
}

bool ParmBlockEditor::ValidateSymbolTable(int SymbolTableHandle, int PillsHandle, bool* PillsAdded)
{
    return validateParameterBlock(QuenHandle(SymbolTableHandle), 0, QuenHandle(PillsHandle), PillsAdded);
}

bool ParmBlockEditor::ValidateActionCall(int ActualParameterBlockHandle, int DefaultParameterBlockHandle,
                                         int PillsHandle, bool* PillsAdded)
{
    return validateParameterBlock(QuenHandle(ActualParameterBlockHandle), QuenHandle(DefaultParameterBlockHandle),
                                  QuenHandle(PillsHandle), PillsAdded);
}

QVariantMap ParmBlockEditor::ValidateParameterBlockDefinition(int ParameterBlockHandle, int PillsHandle)
{
    bool added = false;
    const bool result = ValidateParameterBlockDefinition(ParameterBlockHandle, PillsHandle, &added);
    return validation(result, added);
}

QVariantMap ParmBlockEditor::ValidateParameterBlock(int ParameterBlockHandle, int PillsHandle)
{
    bool added = false;
    const bool result = ValidateParameterBlock(ParameterBlockHandle, PillsHandle, &added);
    return validation(result, added);
}

QVariantMap ParmBlockEditor::ValidateSymbolTable(int SymbolTableHandle, int PillsHandle)
{
    bool added = false;
    const bool result = ValidateSymbolTable(SymbolTableHandle, PillsHandle, &added);
    return validation(result, added);
}

QVariantMap ParmBlockEditor::ValidateActionCall(int ActualParameterBlockHandle, int DefaultParameterBlockHandle,
                                                int PillsHandle)
{
    bool added = false;
    const bool result = ValidateActionCall(ActualParameterBlockHandle, DefaultParameterBlockHandle, PillsHandle, &added);
    return validation(result, added);
}

void ParmBlockEditor::ShowProblem(int PillHandle)
{
    if (!PillHandle)
        return;
    const int row = d->session.rowOfPosition(problemPosition(QuenHandle(PillHandle)));
    QuenExcRegClearError(0);
    if (row >= 0)
        EditCell(Session::ValueColumn, row + 1, -1);
    QuenPillRelease(QuenHandle(PillHandle));
}

bool ParmBlockEditor::SetParameterSelect(int ParameterId, bool OnlyParent, int ArrayIndex1, int ArrayIndex2)
{
    const Private::Quiet quiet(d.get());
    d->view->selectionModel()->clearSelection();
    const int row = d->session.rowOfPosition(ParameterId);
    if (row < 0)
        return false;
    int field = 0;
    const QuenHandle parm = d->session.row(row).parm;
    const QString cls = d->session.dataClass(row);
    if (!OnlyParent && !QuenParmIsReference(parm)
        && (cls == QLatin1String("CQuenPointArray") || cls == QLatin1String("CQuenRangeArray"))) {
        const QuenHandle data = QuenParmGetData(parm);
        const int32_t dims = QuenArrayGetNumDimensions(data);
        const auto within = [&](int32_t dim, int32_t index) {
            return index >= QuenArrayGetLowerBound(data, dim) && index <= QuenArrayGetUpperBound(data, dim);
        };
        if (dims == 1 && within(1, ArrayIndex1)) {
            field = ArrayIndex1 - QuenArrayGetLowerBound(data, 1) + 1;
        } else if (dims == 2 && within(1, ArrayIndex1) && within(2, ArrayIndex2)) {
            const int32_t width = QuenArrayGetUpperBound(data, 2) - QuenArrayGetLowerBound(data, 2) + 1;
            field = (ArrayIndex1 - QuenArrayGetLowerBound(data, 1)) * width
                    + (ArrayIndex2 - QuenArrayGetLowerBound(data, 2)) + 1;
        }
        QuenExcRegClearError(0);
        if (field >= d->model->rowCount(d->model->index(row, 0)) + 1)
            field = 0;
    }
    d->closeEditors(true);
    d->setCurrent(row, field, d->currentColumn());
    d->testSelected();
    return true;
}

bool ParmBlockEditor::SaveTable(const QString& TablePath)
{
    if (!Handle())
        return false;
    BusyCursor busy;
    const bool saved = QuenTableSave(d->session.handle(), quen::toUtf8(TablePath).constData());
    if (QuenExcRegIsError(0))
        QuenExcRegDisplayErrors();
    return saved;
}

bool ParmBlockEditor::RestoreTable(const QString& TablePath)
{
    QuenHandle table = 0;
    {
        BusyCursor busy;
        table = QuenTableRestore(quen::toUtf8(TablePath).constData());
    }
    if (QuenExcRegIsError(0))
        QuenExcRegDisplayErrors();
    if (!table)
        return false;
    const bool loaded = EditSymbolTable(int(table), true, false, false);
    QuenPbDefRelease(table); // the editor holds its own reference now
    return loaded;
}

bool ParmBlockEditor::LoadDataEditors(const QString& IniFilename, const QString& SectionName)
{
    if (IniFilename.isEmpty())
        return false;
    DataEditorRegistry::instance()->LoadDataEditors(IniFilename, SectionName);
    return true;
}

void ParmBlockEditor::Refresh()
{
    const Private::Quiet quiet(d.get());
    d->rebuild();
}

int ParmBlockEditor::currentParameter() const
{
    const int row = d->currentRow();
    return row >= 0 ? int(d->session.row(row).parm) : 0;
}

void ParmBlockEditor::setLimitsProfile()
{
    d->limits = true;
    d->view->setColumnHidden(Session::DataTypeColumn, true);
}

bool ParmBlockEditor::editLimits(int handle, bool readOnly, bool browseOnly)
{
    Session::Mode mode;
    mode.design = mode.block = mode.fixedSet = true;
    mode.readOnly = readOnly;
    mode.browseOnly = browseOnly;
    return d->load(QuenHandle(handle), 0, mode);
}

void ParmBlockEditor::ShowEditMenu()
{
    const QRect cell = d->view->visualRect(d->view->currentIndex());
    const QPoint at = cell.isValid() ? cell.bottomLeft() : QPoint(0, 0);
    d->showMenu(d->view->viewport()->mapToGlobal(at));
}

bool ParmBlockEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (!d->view) // going
        return QWidget::eventFilter(watched, event);
    // The list's keys win over shortcuts of the host's window with the same keys.
    if (event->type() == QEvent::ShortcutOverride && watched == d->view) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combination = key->keyCombination();
        static const QKeyCombination listKeys[] = {
            Qt::Key_F2, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Insert, Qt::Key_Delete,
            Qt::SHIFT | Qt::Key_Insert, Qt::SHIFT | Qt::Key_Delete, Qt::SHIFT | Qt::Key_F10,
            Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_X, Qt::CTRL | Qt::Key_V, Qt::CTRL | Qt::Key_Z,
            Qt::CTRL | Qt::Key_A,
        };
        if (std::find(std::begin(listKeys), std::end(listKeys), combination) != std::end(listKeys)) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == d->view)
            return d->listKey(key);
        if (watched == d->descEditor) {
            int code = key->key();
            d->editorKey(Session::DescriptionColumn, &code, shiftMask(key->modifiers()));
            return code == 0;
        }
    }
    if (watched == d->view->viewport()) {
        if (event->type() == QEvent::Resize)
            d->placeEditor();
        if (event->type() == QEvent::MouseButtonPress) {
            // A click on the current cell opens its editor, as on a spreadsheet.
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex hit = d->view->indexAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && hit.isValid() && hit == d->view->currentIndex()
                && !d->editing() && mouse->modifiers() == Qt::NoModifier) {
                const int row = ParmBlockModel::parameterRow(hit);
                const int field = ParmBlockModel::fieldIndex(hit);
                if (d->editCellEnabled(hit.column(), row, field)) {
                    d->openEditor(hit.column(), row, field);
                    return true;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ParmBlockEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    d->placeEditor();
}
