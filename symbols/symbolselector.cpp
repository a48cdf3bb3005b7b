#include "symbolselector.h"

#include "componentmacros.h"
#include "keyarguments.h"
#include "keyasciiarguments.h"
#include "qtstrings.h"
#include "symbolcatalog_p.h"
#include "symbolentrydelegate_p.h"
#include "symbolentrymodel_p.h"
#include "treeimages_p.h"
#include "twips.h"

#include <quen/quencore.h>

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
const QString DefaultLocalName = QStringLiteral("ActionLocals");

// The host platform's shift mask of key events: 1 Shift, 2 Ctrl, 4 Alt.
int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

Qt::KeyboardModifiers modifiersOf(int shift)
{
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, shift & 1);
    modifiers.setFlag(Qt::ControlModifier, shift & 2);
    modifiers.setFlag(Qt::AltModifier, shift & 4);
    return modifiers;
}

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

    QString filter;
    bool compact = DefaultCompact;
    QString separator = DefaultSeparator;
    qint16 spacing = DefaultSpacing;
    QString localName = DefaultLocalName;
    QuenHandle localHandle = 0;

    // The table entries as last built, and the choice: a table index (-1 none), the symbol
    // ("" none) and the symbols the chosen table lists under the filter.
    std::vector<Catalog::Table> tables;
    bool built = false;
    int table = -1;
    QString symbol;
    std::vector<QString> symbols;

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

    int syncing = 0;          // > 0 while the views are set from the choice
    bool resendingKey = false; // a key event changed by a handler is being delivered

    explicit Private(SymbolSelector* owner) : q(owner) { }

    void createChildren();
    void applySpacing();
    void ensureBuilt()
    {
        if (!built)
            build();
    }
    void build();

    bool isAllPublic() const
    {
        return table >= 0 && tables[std::size_t(table)].kind == Catalog::TableKind::AllPublic;
    }
    QString message() const;
    void raiseChange();
    // Makes `index` the chosen table (listing its symbols) with no symbol chosen.
    void chooseTable(int index);
    // The listed spelling of a symbol of the chosen table (names compare without regard to
    // case, as in the core, an exact match first); "" when it is not listed.
    QString findSymbol(const QString& name) const
    {
        if (name.isEmpty())
            return QString();
        for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            const auto it = std::find_if(symbols.begin(), symbols.end(), [&](const QString& s) {
                return s.compare(name, cs) == 0;
            });
            if (it != symbols.end())
                return *it;
        }
        return QString();
    }
    int findTable(const QString& name) const;

    // Views.
    void syncViews();
    void syncCompact();
    void syncFull();
    void updateToolTip();
    int expand(int row); // returns the row count inserted
    std::vector<SymbolEntry> childEntries(int tableIndex) const;
    SymbolEntryModel* currentSymbolModel() const { return isAllPublic() ? sortedModel : symbolModel; }
    QListView* currentSymbolList() const { return isAllPublic() ? sortedList : symbolList; }

    // User actions.
    void comboActivated(int row);
    void comboStep(int delta);
    void comboSearch(const QString& text); // the next entry starting with text
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
                             if (symbol != index.data().toString())
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

void SymbolSelector::Private::build()
{
    tables = Catalog::readTables(localName, localHandle);
    built = true;
    table = -1;
    symbol.clear();
    symbols.clear();

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
    syncViews();
}

int SymbolSelector::Private::findTable(const QString& name) const
{
    if (name.isEmpty() || name == QLatin1String(Catalog::AllPublic)) {
        const auto all = std::find_if(tables.begin(), tables.end(), [](const Catalog::Table& t) {
            return t.kind == Catalog::TableKind::AllPublic;
        });
        if (all != tables.end())
            return int(all - tables.begin());
        if (name.isEmpty())
            return -1;
    }
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (std::size_t i = 0; i < tables.size(); ++i) {
            if (tables[i].kind != Catalog::TableKind::AllPublic
                && tables[i].name.compare(name, cs) == 0)
                return int(i);
        }
    }
    return -1;
}

QString SymbolSelector::Private::message() const
{
    if (table < 0)
        return QString::fromLatin1(Catalog::SelectTableMessage);
    if (!symbol.isEmpty())
        return QString();
    return QString::fromLatin1(symbols.empty() ? Catalog::TableEmptyMessage
                                               : Catalog::SelectSymbolMessage);
}

void SymbolSelector::Private::raiseChange()
{
    updateToolTip();
    Q_EMIT q->choiceChanged();
    Q_EMIT q->Change(q->TableName(), symbol, message());
}

void SymbolSelector::Private::chooseTable(int index)
{
    table = index;
    symbol.clear();
    symbols.clear();
    if (index >= 0)
        symbols = Catalog::symbolsOf(tables[std::size_t(index)], filter);
}

std::vector<SymbolEntry> SymbolSelector::Private::childEntries(int tableIndex) const
{
    std::vector<QString> names = tableIndex == table
        ? symbols
        : Catalog::symbolsOf(tables[std::size_t(tableIndex)], filter);
    std::vector<SymbolEntry> entries;
    if (names.empty()) {
        entries.push_back({SymbolEntry::Placeholder, Catalog::placeholderFor(filter), tableIndex,
                           1, false});
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
    int row = -1;
    if (table >= 0) {
        row = comboModel->tableRow(table);
        if (row >= 0 && !symbol.isEmpty()) {
            expand(row);
            row = comboModel->symbolRow(table, symbol, row + 1);
        }
    }
    combo->setCurrentIndex(row);
    --syncing;
}

void SymbolSelector::Private::syncFull()
{
    ++syncing;
    tableList->setCurrentIndex(table >= 0 ? tableModel->index(table) : QModelIndex());
    if (table < 0)
        tableList->clearSelection();
    SymbolEntryModel* model = currentSymbolModel();
    SymbolEntryModel* other = isAllPublic() ? symbolModel : sortedModel;
    other->clear();
    std::vector<SymbolEntry> entries;
    if (table >= 0 && symbols.empty()) {
        entries.push_back({SymbolEntry::Placeholder, QString::fromLatin1(Catalog::None), table,
                           0, false});
    } else {
        entries.reserve(symbols.size());
        for (const QString& name : symbols)
            entries.push_back({SymbolEntry::Symbol, name, table, 0, false});
    }
    model->setEntries(std::move(entries));
    sortedList->setVisible(isAllPublic());
    symbolList->setVisible(!isAllPublic());
    const int row = symbol.isEmpty() ? -1 : model->symbolRow(table, symbol);
    QListView* list = currentSymbolList();
    if (row >= 0) {
        list->setCurrentIndex(model->index(row));
        list->scrollTo(model->index(row));
    } else {
        list->selectionModel()->clear();
    }
    --syncing;
}

void SymbolSelector::Private::updateToolTip()
{
    const QString tableText = table < 0 ? QString::fromLatin1(Catalog::NoTable)
                                        : tables[std::size_t(table)].name;
    const QString symbolText = symbol.isEmpty() ? QString::fromLatin1(Catalog::NoSymbol) : symbol;
    combo->setToolTip(tableText + separator + symbolText);
}

void SymbolSelector::Private::comboActivated(int row)
{
    if (syncing || row < 0 || row >= comboModel->size())
        return;
    const SymbolEntry entry = comboModel->entry(row);
    if (entry.kind == SymbolEntry::Symbol) {
        if (entry.table != table)
            chooseTable(entry.table);
        symbol = entry.text;
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
    chooseTable(entry.table);
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

void SymbolSelector::Private::comboStep(int delta)
{
    const int count = comboModel->size();
    if (count == 0)
        return;
    const int current = combo->currentIndex();
    comboMoveTo(current < 0 ? (delta > 0 ? 0 : count - 1) : std::clamp(current + delta, 0, count - 1));
}

void SymbolSelector::Private::comboSearch(const QString& text)
{
    const int count = comboModel->size();
    const int start = std::max(combo->currentIndex(), -1);
    for (int i = 1; i <= count; ++i) {
        const int row = (start + i) % count;
        if (comboModel->entry(row).kind != SymbolEntry::Placeholder
            && comboModel->entry(row).text.startsWith(text, Qt::CaseInsensitive)) {
            comboMoveTo(row);
            return;
        }
    }
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
        if (entry.table != table)
            chooseTable(entry.table);
        symbol = entry.text;
    } else {
        chooseTable(entry.table);
    }
    raiseChange();
}

void SymbolSelector::Private::tableListChosen(int row)
{
    if (row == table)
        return;
    chooseTable(row);
    syncFull();
    raiseChange();
}

void SymbolSelector::Private::symbolListChosen(const QModelIndex& index)
{
    if (!index.isValid() || index.data(SymbolEntryModel::KindRole).toInt() != SymbolEntry::Symbol)
        return;
    symbol = index.data().toString();
    raiseChange();
}

// Raises the key events of the drop-down, delivers the (possibly changed) key, and lets the
// keyboard walk the entries without expanding or collapsing tables: Up/Down/PageUp/PageDown/
// Home/End and typed characters move, Right expands, Left collapses, Enter toggles like a click.
bool SymbolSelector::Private::filterComboKey(QKeyEvent* event)
{
    if (resendingKey)
        return false;
    int keyCode = event->key();
    int shift = shiftMask(event->modifiers());
    if (event->type() == QEvent::KeyRelease) {
        Q_EMIT q->KeyUp(&keyCode, &shift);
        Velt::KeyArguments::exchange(keyCode, shift, [this](auto* args) { Q_EMIT q->KeyUp(args); });
        return keyCode == 0;
    }
    Q_EMIT q->KeyDown(&keyCode, &shift);
    Velt::KeyArguments::exchange(keyCode, shift, [this](auto* args) { Q_EMIT q->KeyDown(args); });
    if (keyCode == 0)
        return true;
    QString text = event->text();
    if (text.size() == 1) {
        int keyAscii = text.at(0).unicode();
        Q_EMIT q->KeyPress(&keyAscii);
        Velt::KeyAsciiArguments::exchange(keyAscii,
                                          [this](auto* args) { Q_EMIT q->KeyPress(args); });
        if (keyAscii == 0)
            return true;
        if (keyAscii != text.at(0).unicode())
            text = keyAscii > 0 && keyAscii <= 0xFFFF ? QString(QChar(char16_t(keyAscii)))
                                                      : QString();
    }
    const Qt::KeyboardModifiers modifiers = modifiersOf(shift);
    if (modifiers == Qt::NoModifier || modifiers == Qt::KeypadModifier) {
        const int page = std::max(combo->maxVisibleItems() - 1, 1);
        switch (keyCode) {
        case Qt::Key_Up: comboStep(-1); return true;
        case Qt::Key_Down: comboStep(1); return true;
        case Qt::Key_PageUp: comboStep(-page); return true;
        case Qt::Key_PageDown: comboStep(page); return true;
        case Qt::Key_Home: comboStep(-comboModel->size()); return true;
        case Qt::Key_End: comboStep(comboModel->size()); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (combo->currentIndex() >= 0) {
                comboActivated(combo->currentIndex());
                return true;
            }
            break;
        case Qt::Key_Right:
        case Qt::Key_Left: {
            const int row = combo->currentIndex();
            if (row >= 0 && comboModel->entry(row).kind == SymbolEntry::Table
                && comboModel->entry(row).expanded == (keyCode == Qt::Key_Left)) {
                comboActivated(row);
                return true;
            }
            break;
        }
        default:
            if (!text.isEmpty() && text.at(0).isPrint()) {
                comboSearch(text);
                return true;
            }
            break;
        }
    }
    if (keyCode == event->key() && shift == shiftMask(event->modifiers()) && text == event->text())
        return false;
    QKeyEvent changed(event->type(), keyCode, modifiers, text, event->isAutoRepeat());
    resendingKey = true;
    QCoreApplication::sendEvent(combo, &changed);
    resendingKey = false;
    return true;
}

SymbolSelector::SymbolSelector(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("SymbolSelector"));
    d->createChildren();
    setFocusProxy(d->combo);
    d->updateToolTip();
}

SymbolSelector::~SymbolSelector()
{
    if (d->localHandle != 0)
        QuenPbRelease(d->localHandle);
}

QString SymbolSelector::Filter() const { return d->filter; }
void SymbolSelector::setFilter(const QString& filter) { d->filter = filter; }

bool SymbolSelector::Compact() const { return d->compact; }

void SymbolSelector::setCompact(bool compact)
{
    if (d->compact == compact)
        return;
    d->compact = compact;
    d->pages->setCurrentWidget(compact ? d->compactPage : d->fullPage);
    setFocusProxy(compact ? static_cast<QWidget*>(d->combo) : d->tableList);
    if (d->built)
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
    Q_EMIT choiceChanged();
}

qint16 SymbolSelector::Spacing() const { return d->spacing; }

void SymbolSelector::setSpacing(qint16 spacing)
{
    d->spacing = spacing;
    d->applySpacing();
}

QString SymbolSelector::LocalName() const { return d->localName; }
void SymbolSelector::setLocalName(const QString& name) { d->localName = name; }

qint32 SymbolSelector::LocalHandle() const { return d->localHandle; }

void SymbolSelector::setLocalHandle(qint32 handle)
{
    // Take the new reference before dropping the old one, so the same block set again survives.
    if (handle != 0 && QuenPbAddRef(handle) == QUEN_FALSE)
        handle = 0; // not a block: the core's error register says why
    const QuenHandle previous = d->localHandle;
    d->localHandle = handle;
    if (previous != 0)
        QuenPbRelease(previous);
}

QString SymbolSelector::TableName() const
{
    return d->table < 0 || d->isAllPublic() ? QString() : d->tables[std::size_t(d->table)].name;
}

void SymbolSelector::setTableName(const QString& name)
{
    d->ensureBuilt();
    const int index = d->findTable(name);
    if (index == d->table)
        return;
    d->chooseTable(index);
    d->syncViews();
    d->raiseChange();
}

QString SymbolSelector::SymbolName() const { return d->symbol; }

void SymbolSelector::setSymbolName(const QString& name)
{
    d->ensureBuilt();
    const QString symbol = d->table >= 0 ? d->findSymbol(name) : QString();
    if (symbol == d->symbol)
        return;
    d->symbol = symbol;
    d->syncViews();
    d->raiseChange();
}

QString SymbolSelector::FullName() const
{
    const QString table = TableName();
    return table.isEmpty() ? d->symbol : table + d->separator + d->symbol;
}

void SymbolSelector::Refresh()
{
    const bool had = d->table >= 0;
    const Catalog::Table previous = had ? d->tables[std::size_t(d->table)] : Catalog::Table{};
    const QString previousSymbol = d->symbol;
    d->build();
    if (had) {
        const auto same = std::find_if(d->tables.begin(), d->tables.end(),
                                       [&](const Catalog::Table& t) {
                                           return t.kind == previous.kind
                                               && t.name.compare(previous.name, Qt::CaseInsensitive) == 0;
                                       });
        if (same != d->tables.end())
            d->chooseTable(int(same - d->tables.begin()));
        if (d->table >= 0)
            d->symbol = d->findSymbol(previousSymbol);
        d->syncViews();
    }
    // A choice that no longer exists is reported like any other change of the choice.
    if (had && (d->table < 0 || d->symbol != previousSymbol))
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
        {QStringLiteral("Filter"), d->filter},
        {QStringLiteral("Compact"), d->compact},
        {QStringLiteral("Enabled"), isEnabled()},
        {QStringLiteral("Separator"), d->separator},
        {QStringLiteral("Spacing"), d->spacing},
        {QStringLiteral("LocalName"), d->localName},
        {QStringLiteral("LocalHandle"), d->localHandle},
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
    setLocalName(value("LocalName", DefaultLocalName).toString());
    const qint32 handle = value("LocalHandle", 0).toInt();
    if (handle != d->localHandle)
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
                d->comboStep(dy > 0 ? -1 : 1);
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
