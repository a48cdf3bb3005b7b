// Names of parameters, symbols and tables compare without regard to case, as the test
// executive's symbol names do: "Vdd" and "VDD" name the same symbol.
#pragma once

#include "quen/quencore.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace quen {

// True when a and b are the same name, ignoring case (Unicode case folding).
bool sameName(std::string_view a, std::string_view b);
// The case-folded form of a name: equal keys for names that sameName() matches.
std::string nameKey(std::string_view name);

// Names to the objects that bear them, without regard to case: what a block keeps beside its
// parameter list and the table registry beside its tables, so that a find, an add, a rename
// or a removal costs a hash lookup rather than a scan of thousands of names.
class NameIndex
{
public:
    // The object named name, or 0.
    QuenHandle find(std::string_view name) const;
    // Enters the name for h; false (and nothing changes) when another object has it.
    bool add(std::string_view name, QuenHandle h);
    // Forgets the name when it is h's.
    void remove(std::string_view name, QuenHandle h);
    // Moves h from one name to another; false (and nothing changes) when another object has
    // the new one.
    bool rename(std::string_view from, std::string_view to, QuenHandle h);
    void clear() { m_handles.clear(); }
    void reserve(std::size_t count) { m_handles.reserve(count); }

private:
    std::unordered_map<std::string, QuenHandle> m_handles; // by nameKey()
};

} // namespace quen
