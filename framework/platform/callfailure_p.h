// The per-thread state behind reportCallFailed and CallFailureScope.
#pragma once

#include "callfailure.h"

namespace Velt {

class CallFailureScope;

struct CallFailureState
{
    CallFailure last;
    CallFailureHandler handler;
    CallFailureScope* innermost = nullptr;

    static CallFailureState& current();
};

} // namespace Velt
