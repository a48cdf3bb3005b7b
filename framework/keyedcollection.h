// KeyedCollection: items in the order they were added, each under a unique text key, reached
// by key or by 1-based position, as the registry's collections need. Keys compare without
// regard to case (as the host platform's collections did) and keep the spelling they were
// added with. Lookups never fail: an unknown key or position gives std::nullopt.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace Velt {

template <typename T>
class KeyedCollection
{
public:
    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // Adds the item under the key; false (and nothing added) when the key is taken or the
    // collection is full.
    bool add(const QString& key, T item)
    {
        const QString folded = key.toCaseFolded();
        if (m_positions.contains(folded) || m_entries.size() >= std::numeric_limits<int>::max())
            return false;
        m_entries.append({key, std::move(item)});
        m_positions.insert(folded, int(m_entries.size()));
        return true;
    }

    bool containsKey(const QString& key) const { return m_positions.contains(key.toCaseFolded()); }

    // The 1-based position of a key, 0 when absent.
    int positionOf(const QString& key) const { return m_positions.value(key.toCaseFolded(), 0); }

    std::optional<T> item(const QString& key) const { return at(positionOf(key)); }

    std::optional<T> at(int position) const
    {
        if (position < 1 || position > count())
            return std::nullopt;
        return m_entries.at(position - 1).second;
    }

    QString keyAt(int position) const
    {
        return position >= 1 && position <= count() ? m_entries.at(position - 1).first : QString();
    }

    // A number is a position, anything else a key.
    std::optional<T> lookup(const QVariant& keyOrPosition) const
    {
        if (const std::optional<int> position = positionArgument(keyOrPosition))
            return at(*position);
        if (!keyOrPosition.canConvert<QString>())
            return std::nullopt;
        return item(keyOrPosition.toString());
    }

    // The position a numeric QVariant names (rounded half to even, as the host platform's
    // collections rounded), or nullopt when the QVariant holds no number.
    static std::optional<int> positionArgument(const QVariant& value)
    {
        switch (value.metaType().id()) {
        case QMetaType::Int: case QMetaType::UInt: case QMetaType::Short:
        case QMetaType::UShort: case QMetaType::Char: case QMetaType::SChar:
        case QMetaType::UChar: case QMetaType::Long: case QMetaType::LongLong:
        case QMetaType::ULong: case QMetaType::ULongLong: {
            bool ok = false;
            const qlonglong n = value.toLongLong(&ok);
            if (!ok || n < 0 || n > std::numeric_limits<int>::max())
                return 0; // a number, but no position
            return int(n);
        }
        case QMetaType::Double: case QMetaType::Float: {
            const double n = std::nearbyint(value.toDouble());
            if (!(n >= 0.0 && n <= double(std::numeric_limits<int>::max())))
                return 0;
            return int(n);
        }
        default:
            return std::nullopt;
        }
    }

    template <typename Predicate>
    bool containsItem(Predicate matches) const
    {
        for (const auto& entry : m_entries) {
            if (matches(entry.second))
                return true;
        }
        return false;
    }

    void clear()
    {
        m_entries.clear();
        m_positions.clear();
    }

private:
    QList<std::pair<QString, T>> m_entries;
    QHash<QString, int> m_positions; // case-folded key -> 1-based position
};

} // namespace Velt
