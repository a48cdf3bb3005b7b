// A test of the test executive as far as the editors see it: a name and the block of its
// limits. The test holds one reference on its limits block and is the block's owner, so that a
// problem found in a limit names the test it belongs to.
#pragma once

#include "store_p.h"

#include <string>

namespace quen {

struct Test : Object
{
    static constexpr Kind staticKind = Kind::Test;
    Test() : Object(Kind::Test) { }

    std::string name;
    QuenHandle limits = 0; // a parameter block definition; one reference held
    int32_t refs = 1;
    bool inWorkspace = false; // the workspace keeps its tests' names unique
};

// A new test with the given limits block, whose reference it takes over (0 on failure, the
// block released). A limits block of 0 gives the test an empty one of its own.
QuenHandle newTest(const std::string& name, QuenHandle limits);
// Drops one reference; the last one destroys the test and releases its limits block.
void releaseTest(QuenHandle handle);
// Destroys the test whatever its references (a test read from a file that failed to load).
void destroyTest(QuenHandle handle);

// Whether a test of the workspace other than except has the name (ignoring case).
bool workspaceHasTestNamed(std::string_view name, QuenHandle except);

} // namespace quen
