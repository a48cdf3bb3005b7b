// Case-insensitive name comparison with a fast path for ASCII names, which nearly all are.
#include "names_p.h"

#include <QString>

namespace quen {
namespace {

bool isAscii(std::string_view s)
{
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

} // namespace

bool sameName(std::string_view a, std::string_view b)
{
    if (isAscii(a) && isAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (lowerAscii(a[i]) != lowerAscii(b[i]))
                return false;
        }
        return true;
    }
    return nameKey(a) == nameKey(b);
}

std::string nameKey(std::string_view name)
{
    if (isAscii(name)) {
        std::string key(name);
        for (char& c : key)
            c = lowerAscii(c);
        return key;
    }
    return QString::fromUtf8(name.data(), qsizetype(name.size())).toCaseFolded().toStdString();
}

namespace {

// The hash of the case-folded name: ASCII names are folded on the fly, without a copy.
uint32_t nameHash(std::string_view name)
{
    uint64_t h = 0xcbf29ce484222325ull; // FNV-1a, then a final mix for the low bits
    auto mix = [&h](std::string_view folded, bool lower) {
        for (const char c : folded) {
            h ^= uint8_t(lower ? lowerAscii(c) : c);
            h *= 0x100000001b3ull;
        }
    };
    if (isAscii(name))
        mix(name, true);
    else
        mix(nameKey(name), false);
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return uint32_t(h);
}

} // namespace

std::size_t NameIndex::probe(std::string_view name, uint32_t hash) const
{
    const std::size_t mask = m_entries.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Entry& e = m_entries[i];
        if (!e.handle || (e.hash == hash && sameName(m_nameOf(e.handle), name)))
            return i;
    }
}

QuenHandle NameIndex::find(std::string_view name) const
{
    return m_count ? m_entries[probe(name, nameHash(name))].handle : 0;
}

bool NameIndex::add(std::string_view name, QuenHandle h)
{
    reserve(m_count + 1);
    const uint32_t hash = nameHash(name);
    Entry& e = m_entries[probe(name, hash)];
    if (e.handle)
        return e.handle == h;
    e = { hash, h };
    ++m_count;
    return true;
}

void NameIndex::remove(std::string_view name, QuenHandle h)
{
    if (!m_count)
        return;
    const std::size_t mask = m_entries.size() - 1;
    std::size_t i = nameHash(name) & mask;
    while (m_entries[i].handle && m_entries[i].handle != h)
        i = (i + 1) & mask;
    if (!m_entries[i].handle)
        return;
    // Backward-shift deletion: entries after the hole that may sit in it move up, so every
    // entry stays reachable from its home without tombstones.
    for (std::size_t j = (i + 1) & mask; m_entries[j].handle; j = (j + 1) & mask) {
        const std::size_t home = m_entries[j].hash & mask;
        const bool between = i <= j ? (i < home && home <= j) : (i < home || home <= j);
        if (!between) {
            m_entries[i] = m_entries[j];
            i = j;
        }
    }
    m_entries[i] = {};
    --m_count;
}

bool NameIndex::rename(std::string_view from, std::string_view to, QuenHandle h)
{
    const QuenHandle other = find(to);
    if (other)
        return other == h; // its own name in another case: the hash stays
    remove(from, h);
    return add(to, h);
}

void NameIndex::clear()
{
    m_entries.clear();
    m_count = 0;
}

void NameIndex::reserve(std::size_t count)
{
    std::size_t capacity = m_entries.empty() ? 16 : m_entries.size();
    while (count * 4 > capacity * 3)
        capacity *= 2;
    if (capacity != m_entries.size())
        grow(capacity);
}

void NameIndex::grow(std::size_t capacity)
{
    std::vector<Entry> old(capacity);
    old.swap(m_entries);
    const std::size_t mask = capacity - 1;
    for (const Entry& e : old) {
        if (!e.handle)
            continue;
        std::size_t i = e.hash & mask;
        while (m_entries[i].handle)
            i = (i + 1) & mask;
        m_entries[i] = e;
    }
}

} // namespace quen
