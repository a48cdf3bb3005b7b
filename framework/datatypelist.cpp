#include "datatypelist.h"

#include <algorithm>

namespace Velt {

const QString& DataTypeList::hiddenClass()
{
    static const QString name = QStringLiteral("CQuenObjectLifetime");
    return name;
}

void DataTypeList::add(const QString& dataClass, const QString& dataType, int position)
{
    if (dataClass.isEmpty() || dataClass == hiddenClass())
        return;
    m_entries.append({dataClass, dataType, position});
    m_sortedValid = false;
}

void DataTypeList::clear()
{
    m_entries.clear();
    m_sorted.clear();
    m_sortedValid = true;
}

const QList<DataTypeEntry>& DataTypeList::entries(bool sorted) const
{
    if (!sorted)
        return m_entries;
    if (!m_sortedValid) {
        m_sorted = m_entries;
        std::stable_sort(m_sorted.begin(), m_sorted.end(), [](const auto& a, const auto& b) {
            return a.dataType.compare(b.dataType, Qt::CaseInsensitive) < 0;
        });
        m_sortedValid = true;
    }
    return m_sorted;
}

int DataTypeList::rowOfType(const QString& dataType, bool sorted) const
{
    const auto& list = entries(sorted);
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const auto& entry) { return entry.dataType == dataType; });
    return it == list.end() ? -1 : int(it - list.begin());
}

int DataTypeList::cycleTarget(const QStringList& texts, int current, QChar typed)
{
    const qsizetype count = texts.size();
    if (count == 0)
        return -1;
    const auto startsWith = [typed](const QString& text) {
        return text.startsWith(typed, Qt::CaseInsensitive);
    };
    const bool onSameLetter = current >= 0 && current < count && startsWith(texts.at(current));
    const qsizetype first = onSameLetter ? current + 1 : 0;
    for (qsizetype step = 0; step < count; ++step) {
        const qsizetype row = (first + step) % count;
        if (startsWith(texts.at(row)))
            return int(row);
    }
    return -1;
}

} // namespace Velt
