// Names of parameters, symbols and tables compare without regard to case, as the test
// executive's symbol names do: "Vdd" and "VDD" name the same symbol.
#pragma once

#include <string>
#include <string_view>

namespace quen {

// True when a and b are the same name, ignoring case (Unicode case folding).
bool sameName(std::string_view a, std::string_view b);
// The case-folded form of a name: equal keys for names that sameName() matches.
std::string nameKey(std::string_view name);

} // namespace quen
