#include "symbolcombokeys_p.h"

#include "symbolentrymodel_p.h"

#include <algorithm>

namespace Velt::SymbolComboKeys {

namespace {

Action walk(int row) { return {Action::Walk, row}; }

} // namespace

Action action(const SymbolEntryModel& entries, int current, int key,
              Qt::KeyboardModifiers modifiers, const QString& text, int pageStep)
{
    if (modifiers != Qt::NoModifier && modifiers != Qt::KeypadModifier)
        return {};
    const int count = entries.size();
    const int page = std::max(pageStep, 1);
    const bool onEntry = current >= 0 && current < count;
    switch (key) {
    case Qt::Key_Up: return walk(step(current, -1, count));
    case Qt::Key_Down: return walk(step(current, 1, count));
    case Qt::Key_PageUp: return walk(step(current, -page, count));
    case Qt::Key_PageDown: return walk(step(current, page, count));
    case Qt::Key_Home: return walk(count > 0 ? 0 : -1);
    case Qt::Key_End: return walk(count - 1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return onEntry ? Action{Action::Activate, current} : Action{};
    case Qt::Key_Right:
    case Qt::Key_Left: {
        // Right on a collapsed table expands it, Left on an expanded one collapses it.
        if (!onEntry)
            return {};
        const SymbolEntry& entry = entries.entry(current);
        if (entry.kind == SymbolEntry::Table && entry.expanded == (key == Qt::Key_Left))
            return {Action::Activate, current};
        return {};
    }
    default:
        if (!text.isEmpty() && text.at(0).isPrint())
            return walk(search(entries, current, text));
        return {};
    }
}

int step(int current, int delta, int count)
{
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        return delta > 0 ? 0 : count - 1;
    return int(std::clamp<qint64>(qint64(current) + delta, 0, count - 1));
}

int search(const SymbolEntryModel& entries, int current, const QString& text)
{
    const int count = entries.size();
    const int start = std::clamp(current, -1, count - 1);
    for (int i = 1; i <= count; ++i) {
        const int row = (start + i) % count;
        const SymbolEntry& entry = entries.entry(row);
        if (entry.kind != SymbolEntry::Placeholder
            && entry.text.startsWith(text, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

} // namespace Velt::SymbolComboKeys
