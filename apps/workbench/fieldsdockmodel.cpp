#include "fieldsdockmodel.h"

#include "callfailurescope.h"
#include "valuesummary.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QIcon>

namespace Workbench {

FieldsDockModel::FieldsDockModel(QObject* parent)
    : QAbstractTableModel(parent), m_fields(XCStructEditFields::create(this))
{
}

FieldsDockModel::~FieldsDockModel() = default;

void FieldsDockModel::setParameter(QuenHandle parm)
{
    beginResetModel();
    const QString failure = attach(parm);
    endResetModel();
    if (!failure.isEmpty())
        Q_EMIT problem(failure);
}

QuenHandle FieldsDockModel::parameter() const
{
    return m_parm;
}

// The same rows again are changed in place, not reset: a field being edited in place keeps its
// editor (and the view its focus) when the value it wrote comes back through the host.
void FieldsDockModel::refresh()
{
    const int before = m_rows;
    const QString failure = attach(m_parm);
    if (m_rows != before || !failure.isEmpty()) {
        beginResetModel();
        endResetModel();
    } else if (m_rows > 0) {
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
    }
    if (!failure.isEmpty())
        Q_EMIT problem(failure);
}

QString FieldsDockModel::attach(QuenHandle parm)
{
    m_parm = parm;
    m_rows = 0;
    try {
        Velt::checkedCall([&] {
            CoreReadGuard guard;
            if (parm)
                m_fields->AttachParameter(parm, 0, 0, true, false, false);
            else
                m_fields->Detach();
            m_rows = m_fields->Count();
        });
    } catch (const Velt::CallFailed& error) {
        return error.message();
    }
    return {};
}

XCStructEditFields* FieldsDockModel::fields() const
{
    return m_fields;
}

int FieldsDockModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int FieldsDockModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FieldsDockModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    XCStructEditField* field = m_fields->Item(index.row());
    if (!field)
        return {};
    try {
        return Velt::checkedCall([&]() -> QVariant {
            CoreReadGuard guard;
            switch (index.column()) {
            case CaptionColumn:
                if (role == Qt::DisplayRole)
                    return QString(QString(qMax(0, field->Indentation()) * 3, QLatin1Char(' '))
                                   + field->Caption());
                if (role == Qt::DecorationRole) {
                    const QVariant bitmap = field->Bitmap();
                    return bitmap.canConvert<QIcon>() ? bitmap : QVariant();
                }
                if (role == Qt::ToolTipRole && !field->ErrorMessage().isEmpty())
                    return field->ErrorMessage();
                return {};
            case TextColumn:
                if (role == Qt::DisplayRole || role == Qt::EditRole)
                    return field->Text();
                if (role == Qt::ToolTipRole && !field->ErrorMessage().isEmpty())
                    return field->ErrorMessage();
                return {};
            case LockedColumn:
                if (role == Qt::DisplayRole)
                    return field->Locked() ? tr("Locked") : QString();
                return {};
            default:
                return {};
            }
        });
    } catch (const Velt::CallFailed& error) {
        return role == Qt::ToolTipRole ? QVariant(error.message()) : QVariant();
    }
}

bool FieldsDockModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    XCStructEditField* field = m_fields->Item(index.row());
    if (!field)
        return false;
    const int age = m_fields->Age();
    try {
        Velt::checkedCall([&] { field->setText(value.toString()); });
    } catch (const Velt::CallFailed& error) {
        Q_EMIT problem(error.message());
        return false;
    }
    if (m_fields->Age() != age) {
        // The type editor re-declared its fields: the rows may be others now.
        refresh();
    } else {
        Q_EMIT dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(ColumnCount - 1));
    }
    Q_EMIT valueChanged(m_parm);
    return true;
}

Qt::ItemFlags FieldsDockModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    XCStructEditField* field = m_fields->Item(index.row());
    if (index.column() != TextColumn || !field)
        return result;
    try {
        if (Velt::checkedCall([&] { return !field->Locked() || field->HasEnumeration(); }))
            result |= Qt::ItemIsEditable;
    } catch (const Velt::CallFailed&) {
        // A field the type editor cannot declare stays read-only.
    }
    return result;
}

QVariant FieldsDockModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case CaptionColumn:
        return tr("Field");
    case TextColumn:
        return tr("Value");
    case LockedColumn:
        return tr("Locked");
    default:
        return {};
    }
}

} // namespace Workbench
