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

} // namespace quen

namespace quen {

QuenHandle NameIndex::find(std::string_view name) const
{
    const auto it = m_handles.find(nameKey(name));
    return it == m_handles.end() ? 0 : it->second;
}

bool NameIndex::add(std::string_view name, QuenHandle h)
{
    const auto [it, added] = m_handles.emplace(nameKey(name), h);
    return added || it->second == h;
}

void NameIndex::remove(std::string_view name, QuenHandle h)
{
    const auto it = m_handles.find(nameKey(name));
    if (it != m_handles.end() && it->second == h)
        m_handles.erase(it);
}

bool NameIndex::rename(std::string_view from, std::string_view to, QuenHandle h)
{
    std::string key = nameKey(to);
    const auto it = m_handles.find(key);
    if (it != m_handles.end())
        return it->second == h; // the same name in another case: the key stays
    remove(from, h);
    m_handles.emplace(std::move(key), h);
    return true;
}

} // namespace quen
