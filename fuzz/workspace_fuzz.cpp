// Fuzz target: any bytes given to the workspace loader must load or fail cleanly, and leave
// no object behind once the workspace is cleared.
#include "quen/quencore.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int32_t before = QuenCoreGetLiveObjectCount();
    QuenWorkspaceLoadText(text.c_str());
    QuenWorkspaceClear();
    QuenExcRegClearError(0);
    QuenArraySetDefaultMaxSize(65535);
    if (QuenCoreGetLiveObjectCount() != before)
        std::abort(); // a load that failed half-way left objects behind
    return 0;
}
