// Names of parameters, symbols and tables compare without regard to case, as the test
// executive's symbol names do: "Vdd" and "VDD" name the same symbol.
#pragma once

#include "quen/quencore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quen {

// True when a and b are the same name, ignoring case (Unicode case folding).
bool sameName(std::string_view a, std::string_view b);
// The case-folded form of a name: equal keys for names that sameName() matches.
std::string nameKey(std::string_view name);

// Names to the objects that bear them, without regard to case: what a block keeps beside its
// parameter list and the table registry beside its tables, so that a find, an add, a rename
// or a removal costs a hash lookup rather than a scan of thousands of names.
//
// An open-addressing table of (hash of the case-folded name, handle) pairs: the names stay
// with their objects (nameOf reads them when two hashes agree), so an entry costs 8 bytes and
// no allocation, and a block of 32767 parameters is indexed, found in and released without
// chasing a node per name.
class NameIndex
{
public:
    using NameOf = const std::string& (*)(QuenHandle);
    explicit NameIndex(NameOf nameOf) : m_nameOf(nameOf) { }

    // The object named name, or 0.
    QuenHandle find(std::string_view name) const;
    // Enters the name for h; false (and nothing changes) when another object has it.
    bool add(std::string_view name, QuenHandle h);
    // Forgets the entry of h, which was entered under name.
    void remove(std::string_view name, QuenHandle h);
    // Moves h from one name to another; false (and nothing changes) when another object has
    // the new one.
    bool rename(std::string_view from, std::string_view to, QuenHandle h);
    void clear();
    void reserve(std::size_t count);

private:
    struct Entry
    {
        uint32_t hash = 0;
        QuenHandle handle = 0; // 0: a free entry
    };
    // Where name is (its handle set), or the free entry where it would go.
    std::size_t probe(std::string_view name, uint32_t hash) const;
    void grow(std::size_t capacity);

    NameOf m_nameOf;
    std::vector<Entry> m_entries; // a power of two in size, at most three quarters used
    std::size_t m_count = 0;
};

} // namespace quen
