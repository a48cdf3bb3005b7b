// The built-in type editors, in the order the registry registers them: for each, its class
// identifier, the data class it serves, whether one instance of it is sited (hidden) on the
// registry window, and whether that sited instance is the one registered at start-up (the
// others are served by an instance created for the registration). The registry and the tests
// walk this one table.
#pragma once

#include "velt_export.h"

#include <QLatin1StringView>

#include <span>

namespace Velt {

struct BuiltinEditor
{
    QLatin1StringView classId;   // "VeltEditors.Int32Editor"
    QLatin1StringView dataClass; // "CQuenInt32"
    bool sited = false;
    bool servedBySited = false;
};

VELT_EXPORT std::span<const BuiltinEditor> builtinEditors();

} // namespace Velt
