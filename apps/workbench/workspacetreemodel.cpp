#include "workspacetreemodel.h"

#include "dataeditorregistry.h"
#include "qtstrings.h"
#include "valuesummary.h"

#include <QApplication>
#include <algorithm>
#include <QIcon>
#include <QStyle>

namespace Workbench {

namespace {

// Internal ids name the parent of a row: 0 for the three groups, 1 + group for a table, block
// or test, 4 + 2 * containerRow + group for a symbol or parameter (tests have no rows below).
constexpr quintptr kGroupId = 0;
constexpr quintptr kFirstLeafId = 4;
constexpr int kTableGroup = 0;
constexpr int kBlockGroup = 1;
constexpr int kTestGroup = 2;

QuenHandle tableAt(int row)
{
    return QuenTableRegGetTable(row + 1);
}

QuenHandle blockAt(int row)
{
    return QuenWorkspaceGetPbDef(row + 1);
}

QuenHandle testAt(int row)
{
    return QuenWorkspaceGetTest(row + 1);
}

int checkedCount(int32_t n)
{
    return n > 0 ? int(n) : 0;
}

QIcon classIcon(const QString& className)
{
    if (DataEditorRegistry::isLoaded()) {
        const QVariant picture = DataEditorRegistry::instance()->ImageBitmap(className);
        if (picture.canConvert<QIcon>()) {
            const QIcon icon = picture.value<QIcon>();
            if (!icon.isNull())
                return icon;
        }
    }
    return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

QString plural(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

WorkspaceTreeModel::WorkspaceTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

WorkspaceTreeModel::~WorkspaceTreeModel() = default;

void WorkspaceTreeModel::reload()
{
    beginResetModel();
    endResetModel();
}

WorkspaceTreeModel::Kind WorkspaceTreeModel::kind(const QModelIndex& index) const
{
    if (!index.isValid())
        return Kind::None;
    const quintptr id = index.internalId();
    if (id == kGroupId) {
        static constexpr Kind groups[] = { Kind::TableGroup, Kind::BlockGroup, Kind::TestGroup };
        return groups[std::clamp(index.row(), 0, 2)];
    }
    if (id < kFirstLeafId) {
        static constexpr Kind containers[] = { Kind::Table, Kind::Block, Kind::Test };
        return containers[std::clamp(int(id - 1), 0, 2)];
    }
    return (id - kFirstLeafId) % 2 == kTableGroup ? Kind::Symbol : Kind::Parameter;
}

QuenHandle WorkspaceTreeModel::containerHandle(const QModelIndex& index) const
{
    switch (kind(index)) {
    case Kind::Table:
        return tableAt(index.row());
    case Kind::Block:
        return blockAt(index.row());
    case Kind::Test:
        return testAt(index.row());
    case Kind::Symbol:
    case Kind::Parameter:
        return containerHandle(parent(index));
    default:
        return 0;
    }
}

QuenHandle WorkspaceTreeModel::handle(const QModelIndex& index) const
{
    CoreReadGuard guard;
    switch (kind(index)) {
    case Kind::Table:
    case Kind::Block:
    case Kind::Test:
        return containerHandle(index);
    case Kind::Symbol:
    case Kind::Parameter:
        return QuenPbDefGetParm(containerHandle(index), index.row() + 1);
    default:
        return 0;
    }
}

QModelIndex WorkspaceTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent))
        return {};
    switch (kind(parent)) {
    case Kind::None:
        return createIndex(row, column, kGroupId);
    case Kind::TableGroup:
    case Kind::BlockGroup:
    case Kind::TestGroup:
        return createIndex(row, column, quintptr(1 + parent.row()));
    case Kind::Table:
    case Kind::Block: {
        const int group = kind(parent) == Kind::Table ? kTableGroup : kBlockGroup;
        // Rows are non-negative ints, so 3 + 2 * row + 1 fits a 64-bit id.
        static_assert(sizeof(quintptr) >= 8);
        const quintptr id = kFirstLeafId + 2 * quintptr(parent.row()) + quintptr(group);
        return createIndex(row, column, id);
    }
    default:
        return {};
    }
}

QModelIndex WorkspaceTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const quintptr id = child.internalId();
    if (id == kGroupId)
        return {};
    if (id < kFirstLeafId)
        return createIndex(int(id - 1), 0, kGroupId);
    const quintptr rest = id - kFirstLeafId;
    return createIndex(int(rest / 2), 0, quintptr(1 + rest % 2));
}

int WorkspaceTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    CoreReadGuard guard;
    switch (kind(parent)) {
    case Kind::None:
        return 3;
    case Kind::TableGroup:
        return checkedCount(QuenTableRegGetSize());
    case Kind::BlockGroup:
        return checkedCount(QuenWorkspaceGetPbDefCount());
    case Kind::TestGroup:
        return checkedCount(QuenWorkspaceGetTestCount());
    case Kind::Table:
    case Kind::Block:
        return checkedCount(QuenPbDefGetSize(containerHandle(parent)));
    default:
        return 0;
    }
}

int WorkspaceTreeModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

bool WorkspaceTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant WorkspaceTreeModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    CoreReadGuard guard;
    const Kind k = kind(index);
    const QuenHandle h = handle(index);
    const bool leaf = k == Kind::Symbol || k == Kind::Parameter;
    switch (role) {
    case KindRole:
        return int(k);
    case HandleRole:
        return h;
    case ClassNameRole:
        return leaf ? quen::toQString(QuenParmGetType(h)) : QVariant();
    case IsPublicRole:
        return k == Kind::Table ? QVariant(QuenTableRegIsPublic(index.row() + 1) != QUEN_FALSE)
                                : QVariant();
    case Qt::DecorationRole:
        if (index.column() != NameColumn)
            return {};
        if (k == Kind::TableGroup || k == Kind::BlockGroup || k == Kind::TestGroup || k == Kind::Table)
            return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
        if (k == Kind::Test)
            return QApplication::style()->standardIcon(QStyle::SP_FileDialogInfoView);
        if (k == Kind::Block)
            return QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView);
        return classIcon(quen::toQString(QuenParmGetType(h)));
    case Qt::ToolTipRole:
        if (leaf)
            return parameterValueSummary(h);
        return {};
    case Qt::DisplayRole:
        break;
    default:
        return {};
    }

    if (index.column() == NameColumn) {
        switch (k) {
        case Kind::TableGroup:
            return tr("Symbol Tables");
        case Kind::BlockGroup:
            return tr("Parameter Blocks");
        case Kind::TestGroup:
            return tr("Tests");
        case Kind::Test:
            return quen::toQString(QuenTestGetName(h));
        case Kind::Table:
            return quen::toQString(QuenTableGetName(h));
        case Kind::Block: {
            const QString name = quen::toQString(QuenPbDefGetName(h));
            return name.isEmpty() ? tr("(unnamed block %1)").arg(index.row() + 1) : name;
        }
        default:
            return quen::toQString(QuenParmGetName(h));
        }
    }
    const QModelIndex first = index.siblingAtColumn(NameColumn);
    switch (k) {
    case Kind::TableGroup:
        return plural(rowCount(first), "table", "tables");
    case Kind::BlockGroup:
        return plural(rowCount(first), "block", "blocks");
    case Kind::TestGroup:
        return plural(rowCount(first), "test", "tests");
    case Kind::Test:
        return plural(checkedCount(QuenPbDefGetSize(QuenTestGetLimits(h, 0))), "limit", "limits");
    case Kind::Table:
        return QuenTableRegIsPublic(index.row() + 1) != QUEN_FALSE ? tr("Public") : tr("Non-public");
    case Kind::Block:
        return plural(rowCount(first), "parameter", "parameters");
    default:
        return typeDisplayName(quen::toQString(QuenParmGetType(h)));
    }
}

QVariant WorkspaceTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return tr("Name");
    case DetailsColumn:
        return tr("Details");
    default:
        return {};
    }
}

Qt::ItemFlags WorkspaceTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (kind(index) == Kind::Symbol || kind(index) == Kind::Parameter || kind(index) == Kind::Test)
        f |= Qt::ItemNeverHasChildren;
    return f;
}

} // namespace Workbench
