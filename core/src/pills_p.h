// Problem records ("pills") and the lists that collect them. A validation creates a problem for
// each fault it finds and adds it to a list the host owns; a later validation withdraws the
// problems that no longer hold. Both are reference counted so that a list, the host and an
// editor can each keep a problem without knowing about the others.
#pragma once

#include "store_p.h"

#include <string>
#include <vector>

namespace quen {

struct Pill : Object
{
    static constexpr Kind staticKind = Kind::Pill;
    Pill() : Object(Kind::Pill) { }

    int32_t severity = 3;  // 1 information, 2 warning, 3 error
    std::string problemText;
    std::string tag;       // the creator's key for the problem, e.g. a parameter's position
    QuenHandle object = 0; // not owned: the problem outlives it, and then names no object
    bool valid = true;     // false once withdrawn
    int32_t refs = 1;
};

struct Pills : Object
{
    static constexpr Kind staticKind = Kind::Pills;
    Pills() : Object(Kind::Pills) { }

    std::vector<QuenHandle> pills; // one reference held on each, in the order added
};

} // namespace quen
