#include "symbolselector.h"

#include "componentmacros.h"
#include "datatypenames.h"
#include "keyarguments.h"
#include "keyasciiarguments.h"
#include "keyevents.h"
#include "qtstrings.h"
#include "symbolchoice_p.h"
#include "symbolcombokeys_p.h"
#include "symbolentrydelegate_p.h"
#include "symbolentrymodel_p.h"
#include "treeimages_p.h"
#include "twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QMap>
#include <QStackedLayout>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

VELT_REGISTER_CLASS(SymbolSelector, VisibleControl, "",
                    "KeyDown(KeyCode, Shift), KeyPress(KeyAscii), KeyUp(KeyCode, Shift), "
                    "Change(TableName, SymbolName, ErrorMessage), DblClick()")

using namespace Velt;
namespace Catalog = Velt::SymbolCatalog;

namespace {

constexpr bool DefaultCompact = true;
constexpr bool DefaultEnabled = true;
constexpr qint16 DefaultSpacing = 100;
const QString DefaultSeparator = QStringLiteral(".");

QListView* makeList(const QString& name, QAbstractItemModel* model, QWidget* parent)
{
    auto* view = new QListView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

} // namespace

struct SymbolSelector::Private
{
    SymbolSelector* q;

    SymbolChoice choice{&dataTypeName};
    bool compact = DefaultCompact;
    QString separator = DefaultSeparator;
    qint16 spacing = DefaultSpacing;

    QMap<QString, QIcon> images; // the control's image list

    QStackedLayout* pages = nullptr;
    QWidget* compactPage = nullptr;
    QWidget* fullPage = nullptr;
    QHBoxLayout* fullLayout = nullptr;
    QComboBox* combo = nullptr;
    SymbolEntryModel* comboModel = nullptr;
    QListView* tableList = nullptr;
    QListView* symbolList = nullptr;
    QListView* sortedList = nullptr;
    SymbolEntryModel* tableModel = nullptr;
    SymbolEntryModel* symbolModel = nullptr;
    SymbolEntryModel* sortedModel = nullptr;

    // TableName, SymbolName and FullName as last announced by their change signals.
    struct Names { QString table, symbol, fullName; } notified;

    int syncing = 0;          // > 0 while the views are set from the choice
    KeyRedelivery keys; // delivers keys changed by a handler

    explicit Private(SymbolSelector* owner) : q(owner) { }

    void createChildren();
    void applySpacing();
    void ensureBuilt()
    {
        if (!choice.isBuilt()) {
            choice.refresh();
            resetEntries();
            syncViews();
        }
    }
    // The views' entries: the tables, none expanded, and no symbols listed.
    void resetEntries();
    void raiseChange();
    // Raises the change signals of TableName, SymbolName and FullName that now read otherwise.
    void notifyChoice();

    // Views.
    void syncViews();
    void syncCompact();
    void syncFull();
    void updateToolTip() { combo->setToolTip(choice.summary(separator)); }
    int expand(int row); // returns the row count inserted
    std::vector<SymbolEntry> childEntries(int tableIndex) const;
    SymbolEntryModel* currentSymbolModel() const
    {
        return choice.isAllPublic() ? sortedModel : symbolModel;
    }
    QListView* currentSymbolList() const { return choice.isAllPublic() ? sortedList : symbolList; }

    // User actions.
    void comboActivated(int row);
    void comboMoveTo(int row);
    void tableListChosen(int row);
    void symbolListChosen(const QModelIndex& index);
    bool filterComboKey(QKeyEvent* event);
};

void SymbolSelector::Private::createChildren()
{
    images.insert(QStringLiteral("TreeCollapsed"), treeImage(false));
    images.insert(QStringLiteral("TreeExpanded"), treeImage(true));

    pages = new QStackedLayout(q);
    pages->setContentsMargins(0, 0, 0, 0);

    compactPage = new QWidget(q);
    auto* compactLayout = new QVBoxLayout(compactPage);
    compactLayout->setContentsMargins(0, 0, 0, 0);
    comboModel = new SymbolEntryModel(q);
    comboModel->setTreeImages(images.value(QStringLiteral("TreeCollapsed")),
                              images.value(QStringLiteral("TreeExpanded")));
    combo = new QComboBox(compactPage);
    combo->setObjectName(QStringLiteral("SymbolTableCombo"));
    auto* popup = new QListView(combo);
    popup->setUniformItemSizes(true);
    combo->setView(popup);
    combo->setModel(comboModel);
    combo->setItemDelegate(new SymbolEntryDelegate(combo));
    combo->setMaxVisibleItems(16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    combo->setPlaceholderText(QString::fromLatin1(Catalog::NoTable));
    combo->installEventFilter(q);
    compactLayout->addWidget(combo);
    compactLayout->addStretch(1);

    fullPage = new QWidget(q);
    fullLayout = new QHBoxLayout(fullPage);
    fullLayout->setContentsMargins(0, 0, 0, 0);
    tableModel = new SymbolEntryModel(q);
    symbolModel = new SymbolEntryModel(q);
    sortedModel = new SymbolEntryModel(q);
    tableList = makeList(QStringLiteral("TableList"), tableModel, fullPage);
    symbolList = makeList(QStringLiteral("SymbolList"), symbolModel, fullPage);
    sortedList = makeList(QStringLiteral("SortedSymbolList"), sortedModel, fullPage);
    sortedList->hide();
    fullLayout->addWidget(tableList, 1);
    fullLayout->addWidget(symbolList, 1);
    fullLayout->addWidget(sortedList, 1);

    pages->addWidget(compactPage);
    pages->addWidget(fullPage);
    pages->setCurrentWidget(compact ? compactPage : fullPage);
    applySpacing();

    QObject::connect(combo, &QComboBox::activated, q, [this](int row) { comboActivated(row); });
    QObject::connect(tableList->selectionModel(), &QItemSelectionModel::currentRowChanged, q,
                     [this](const QModelIndex& current) {
                         if (!syncing && current.isValid())
                             tableListChosen(current.row());
                     });
    for (QListView* list : {symbolList, sortedList}) {
        QObject::connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, q,
                         [this](const QModelIndex& current) {
                             if (!syncing)
                                 symbolListChosen(current);
                         });
        QObject::connect(list, &QAbstractItemView::doubleClicked, q,
                         [this](const QModelIndex& index) {
                             if (index.data(SymbolEntryModel::KindRole).toInt()
                                 != SymbolEntry::Symbol)
                                 return;
                             if (choice.symbol() != index.data().toString())
                                 symbolListChosen(index);
                             Q_EMIT q->DblClick();
                         });
    }
}

void SymbolSelector::Private::applySpacing()
{
    const int twips = std::max<int>(spacing, 0);
    fullLayout->setSpacing(twipsToPixels(twips, q).value_or(0));
}

void SymbolSelector::Private::resetEntries()
{
    const std::vector<Catalog::Table>& tables = choice.tables();
    std::vector<SymbolEntry> entries;
    entries.reserve(tables.size());
    for (std::size_t i = 0; i < tables.size(); ++i)
        entries.push_back({SymbolEntry::Table, tables[i].name, int(i), 0, false});
    ++syncing;
    comboModel->setEntries(entries);
    tableModel->setEntries(std::move(entries));
    symbolModel->clear();
    sortedModel->clear();
    --syncing;
}

void SymbolSelector::Private::raiseChange()
{
    updateToolTip();
    notifyChoice();
    Q_EMIT q->Change(choice.tableName(), choice.symbol(), choice.message());
}

void SymbolSelector::Private::notifyChoice()
{
    const QString table = choice.tableName();
    const QString symbol = choice.symbol();
    const QString fullName = choice.fullName(separator);
    // All three are stored before any is announced, so a handler reads a consistent choice.
    const bool tableChanged = std::exchange(notified.table, table) != table;
    const bool symbolChanged = std::exchange(notified.symbol, symbol) != symbol;
    const bool fullNameChanged = std::exchange(notified.fullName, fullName) != fullName;
    if (tableChanged)
        Q_EMIT q->tableNameChanged(table);
    if (symbolChanged)
        Q_EMIT q->symbolNameChanged(symbol);
    if (fullNameChanged)
        Q_EMIT q->fullNameChanged(fullName);
}

std::vector<SymbolEntry> SymbolSelector::Private::childEntries(int tableIndex) const
{
    std::vector<QString> names = choice.symbolsOf(tableIndex);
    std::vector<SymbolEntry> entries;
    if (names.empty()) {
        entries.push_back({SymbolEntry::Placeholder, choice.placeholder(), tableIndex, 1, false});
        return entries;
    }
    entries.reserve(names.size());
    for (QString& name : names)
        entries.push_back({SymbolEntry::Symbol, std::move(name), tableIndex, 1, false});
    return entries;
}

int SymbolSelector::Private::expand(int row)
{
    const SymbolEntry& entry = comboModel->entry(row);
    if (entry.kind != SymbolEntry::Table || entry.expanded)
        return 0;
    std::vector<SymbolEntry> children = childEntries(entry.table);
    const int count = int(children.size());
    comboModel->insertAfter(row, std::move(children));
    comboModel->setExpanded(row, true);
    return count;
}

void SymbolSelector::Private::syncViews()
{
    if (compact)
        syncCompact();
    else
        syncFull();
    updateToolTip();
}

void SymbolSelector::Private::syncCompact()
{
    ++syncing;
    const int table = choice.table();
    int row = -1;
    if (table >= 0) {
        row = comboModel->tableRow(table);
        if (row >= 0 && !choice.symbol().isEmpty()) {
            expand(row);
            row = comboModel->symbolRow(table, choice.symbol(), row + 1);
        }
    }
    combo->setCurrentIndex(row);
    --syncing;
}

void SymbolSelector::Private::syncFull()
{
    ++syncing;
    const int table = choice.table();
    tableList->setCurrentIndex(table >= 0 ? tableModel->index(table) : QModelIndex());
    if (table < 0)
        tableList->clearSelection();
    SymbolEntryModel* model = currentSymbolModel();
    SymbolEntryModel* other = choice.isAllPublic() ? symbolModel : sortedModel;
    other->clear();
    std::vector<SymbolEntry> entries;
    if (table >= 0 && choice.symbols().empty()) {
        entries.push_back({SymbolEntry::Placeholder, QString::fromLatin1(Catalog::None), table,
                           0, false});
    } else {
        entries.reserve(choice.symbols().size());
        for (const QString& name : choice.symbols())
            entries.push_back({SymbolEntry::Symbol, name, table, 0, false});
    }
    model->setEntries(std::move(entries));
    sortedList->setVisible(choice.isAllPublic());
    symbolList->setVisible(!choice.isAllPublic());
    const int row = choice.symbol().isEmpty() ? -1 : model->symbolRow(table, choice.symbol());
    QListView* list = currentSymbolList();
    if (row >= 0) {
        list->setCurrentIndex(model->index(row));
        list->scrollTo(model->index(row));
    } else {
        list->selectionModel()->clear();
    }
    --syncing;
}

void SymbolSelector::Private::comboActivated(int row)
{
    if (syncing || row < 0 || row >= comboModel->size())
        return;
    const SymbolEntry entry = comboModel->entry(row);
    if (entry.kind == SymbolEntry::Symbol) {
        choice.chooseSymbol(entry.table, entry.text);
        ++syncing;
        combo->setCurrentIndex(row);
        --syncing;
        raiseChange();
        return;
    }
    const int tableRow = comboModel->tableRow(entry.table);
    bool reopen = false;
    if (entry.kind == SymbolEntry::Table) {
        if (entry.expanded) {
            comboModel->removeChildren(row);
            comboModel->setExpanded(row, false);
        } else {
            reopen = expand(row) > 0;
        }
    }
    choice.chooseTable(entry.table);
    ++syncing;
    combo->setCurrentIndex(tableRow);
    --syncing;
    raiseChange();
    // After expanding from the open list, show it again so the symbols can be picked.
    if (reopen && combo->isVisible())
        QTimer::singleShot(0, combo, [box = combo] {
            if (box->isVisible())
                box->showPopup();
        });
}

void SymbolSelector::Private::comboMoveTo(int row)
{
    if (row == combo->currentIndex() || row < 0 || row >= comboModel->size())
        return;
    const SymbolEntry entry = comboModel->entry(row);
    ++syncing;
    combo->setCurrentIndex(row);
    --syncing;
    if (entry.kind == SymbolEntry::Symbol) {
        choice.chooseSymbol(entry.table, entry.text);
    } else {
        choice.chooseTable(entry.table);
    }
    raiseChange();
}

void SymbolSelector::Private::tableListChosen(int row)
{
    if (row == choice.table())
        return;
    choice.chooseTable(row);
    syncFull();
    raiseChange();
}

void SymbolSelector::Private::symbolListChosen(const QModelIndex& index)
{
    if (!index.isValid() || index.data(SymbolEntryModel::KindRole).toInt() != SymbolEntry::Symbol)
        return;
    choice.chooseSymbol(choice.table(), index.data().toString());
    raiseChange();
}

// Raises the key events of the drop-down, delivers the (possibly changed) key, and lets the
// keyboard walk the entries without expanding or collapsing tables: Up/Down/PageUp/PageDown/
// Home/End and typed characters move, Right expands, Left collapses, Enter toggles like a click.
bool SymbolSelector::Private::filterComboKey(QKeyEvent* event)
{
    if (keys.active())
        return false;
    if (event->type() == QEvent::KeyRelease) {
        int keyCode = event->key();
        int shift = shiftMask(event->modifiers());
        Q_EMIT q->KeyUp(&keyCode, &shift);
        Velt::KeyArguments::exchange(keyCode, shift, [this](auto* args) { Q_EMIT q->KeyUp(args); });
        return keyCode == 0;
    }
    const RaisedKey key = raiseKeyDown(q, *event);
    if (key.swallowed())
        return true;
    const int keyCode = key.keyCode;
    const QString& text = key.text;
    const Qt::KeyboardModifiers modifiers = modifiersOf(key.shift);
    const SymbolComboKeys::Action action =
        SymbolComboKeys::action(*comboModel, combo->currentIndex(), keyCode, modifiers, text,
                                combo->maxVisibleItems() - 1);
    switch (action.kind) {
    case SymbolComboKeys::Action::Walk: comboMoveTo(action.row); return true;
    case SymbolComboKeys::Action::Activate: comboActivated(action.row); return true;
    case SymbolComboKeys::Action::Pass: break;
    }
    return keys.deliver(combo, *event, key);
}

SymbolSelector::SymbolSelector(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("SymbolSelector"));
    d->createChildren();
    setFocusProxy(d->combo);
    d->updateToolTip();
}

SymbolSelector::~SymbolSelector() = default;

QString SymbolSelector::Filter() const { return d->choice.filter(); }

void SymbolSelector::setFilter(const QString& filter)
{
    if (d->choice.setFilter(filter))
        Q_EMIT filterChanged(filter);
}

bool SymbolSelector::Compact() const { return d->compact; }

void SymbolSelector::setCompact(bool compact)
{
    if (d->compact == compact)
        return;
    d->compact = compact;
    d->pages->setCurrentWidget(compact ? d->compactPage : d->fullPage);
    setFocusProxy(compact ? static_cast<QWidget*>(d->combo) : d->tableList);
    if (d->choice.isBuilt())
        d->syncViews();
    updateGeometry();
    Q_EMIT compactChanged(compact);
}

QString SymbolSelector::Separator() const { return d->separator; }

void SymbolSelector::setSeparator(const QString& separator)
{
    if (d->separator == separator)
        return;
    d->separator = separator;
    d->updateToolTip();
    Q_EMIT separatorChanged(separator);
    d->notifyChoice();
}

qint16 SymbolSelector::Spacing() const { return d->spacing; }

void SymbolSelector::setSpacing(qint16 spacing)
{
    if (d->spacing == spacing)
        return;
    d->spacing = spacing;
    d->applySpacing();
    Q_EMIT spacingChanged(spacing);
}

QString SymbolSelector::LocalName() const { return d->choice.localName(); }

void SymbolSelector::setLocalName(const QString& name)
{
    if (d->choice.setLocalName(name))
        Q_EMIT localNameChanged(name);
}

qint32 SymbolSelector::LocalHandle() const { return d->choice.localHandle(); }

void SymbolSelector::setLocalHandle(qint32 handle)
{
    // A handle that is no block is not kept, so the value read back decides.
    const qint32 previous = d->choice.localHandle();
    d->choice.setLocalHandle(handle);
    if (d->choice.localHandle() != previous)
        Q_EMIT localHandleChanged(d->choice.localHandle());
}

QString SymbolSelector::TableName() const { return d->choice.tableName(); }

void SymbolSelector::setTableName(const QString& name)
{
    d->ensureBuilt();
    // Listings made under another filter are made again: the drop-down starts collapsed.
    const QString listedFilter = d->choice.listedFilter();
    const bool changed = d->choice.setTableName(name);
    const bool relisted = d->choice.listedFilter() != listedFilter;
    if (relisted)
        d->resetEntries();
    if (changed || relisted)
        d->syncViews();
    if (changed)
        d->raiseChange();
}

QString SymbolSelector::SymbolName() const { return d->choice.symbol(); }

void SymbolSelector::setSymbolName(const QString& name)
{
    d->ensureBuilt();
    if (!d->choice.setSymbolName(name))
        return;
    d->syncViews();
    d->raiseChange();
}

QString SymbolSelector::FullName() const { return d->choice.fullName(d->separator); }

void SymbolSelector::Refresh()
{
    const bool changed = d->choice.refresh();
    d->resetEntries();
    d->syncViews();
    if (changed)
        d->raiseChange();
}

QString SymbolSelector::ConvertLpcstrToString(const QByteArray& lpszString) const
{
    return ConvertLpcstrToString(lpszString.constData());
}

QString SymbolSelector::ConvertLpcstrToString(const char* lpszString)
{
    return quen::toQString(lpszString);
}

QVariantMap SymbolSelector::saveProperties() const
{
    return {
        {QStringLiteral("Filter"), d->choice.filter()},
        {QStringLiteral("Compact"), d->compact},
        {QStringLiteral("Enabled"), isEnabled()},
        {QStringLiteral("Separator"), d->separator},
        {QStringLiteral("Spacing"), d->spacing},
        {QStringLiteral("LocalName"), d->choice.localName()},
        {QStringLiteral("LocalHandle"), d->choice.localHandle()},
    };
}

void SymbolSelector::loadProperties(const QVariantMap& properties)
{
    auto value = [&](const char* key, const QVariant& fallback) {
        return properties.value(QLatin1String(key), fallback);
    };
    setFilter(value("Filter", QString()).toString());
    setCompact(value("Compact", DefaultCompact).toBool());
    setEnabled(value("Enabled", DefaultEnabled).toBool());
    setSeparator(value("Separator", DefaultSeparator).toString());
    bool ok = false;
    const int spacing = value("Spacing", DefaultSpacing).toInt(&ok);
    setSpacing(ok && spacing >= INT16_MIN && spacing <= INT16_MAX ? qint16(spacing)
                                                                  : DefaultSpacing);
    setLocalName(value("LocalName", QString::fromLatin1(Catalog::DefaultLocalName)).toString());
    const qint32 handle = value("LocalHandle", 0).toInt();
    if (handle != d->choice.localHandle())
        setLocalHandle(handle);
}

QSize SymbolSelector::sizeHint() const
{
    if (d->compact)
        return d->combo->sizeHint();
    const QSize list = d->tableList->sizeHint();
    return {list.width() * 2 + d->fullLayout->spacing(), list.height()};
}

QSize SymbolSelector::minimumSizeHint() const
{
    return d->compact ? d->combo->minimumSizeHint() : d->fullPage->minimumSizeHint();
}

void SymbolSelector::showEvent(QShowEvent* event)
{
    d->ensureBuilt();
    QWidget::showEvent(event);
}

void SymbolSelector::changeEvent(QEvent* event)
{
    // The gap is in twips: convert again when the style or font changes.
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        d->applySpacing();
    QWidget::changeEvent(event);
    // Sent when the effective state changes, also through a parent, which is what Enabled reads.
    if (event->type() == QEvent::EnabledChange)
        Q_EMIT enabledChanged(isEnabled());
}

bool SymbolSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == d->combo && isEnabled()) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return d->filterComboKey(static_cast<QKeyEvent*>(event));
        case QEvent::Wheel: {
            // Scrolling walks the entries like the arrow keys; it never expands a table.
            const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (dy != 0)
                d->comboMoveTo(SymbolComboKeys::step(d->combo->currentIndex(), dy > 0 ? -1 : 1,
                                                     d->comboModel->size()));
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
