// Fuzz target: any bytes in a table file must restore or fail cleanly, and a restored table must
// be the caller's alone: releasing it leaves no object behind.
#include "quen/quencore.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader takes a path.
    // The bytes go through one file of this process, removed when it ends.
    static const struct ScratchFile
    {
        std::string path;
        ScratchFile()
        {
            char name[] = "/tmp/velt-table-fuzz-XXXXXX";
            const int descriptor = mkstemp(name);
            if (descriptor >= 0)
                close(descriptor);
            path = name;
        }
        ~ScratchFile() { std::remove(path.c_str()); }
    } scratch;
    const std::string& path = scratch.path;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const int32_t before = QuenCoreGetLiveObjectCount();
    if (const QuenHandle table = QuenTableRestore(path.c_str()))
        QuenPbDefRelease(table);
    QuenExcRegClearError(0);
    if (QuenCoreGetLiveObjectCount() != before)
        std::abort(); // a restore that failed half-way, or a table that owns what it should not
    return 0;
}
