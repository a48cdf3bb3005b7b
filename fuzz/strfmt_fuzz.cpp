// Fuzz target: a format pattern (the first line of the input) and a reply (the rest). Every
// pattern must tokenize to the end with progress, validate exactly when it has no error token,
// and leave nothing behind; the literal tokenization of any text must evaluate to that text; a
// reply that scans must scan again after the pattern is evaluated from the scanned values.
#include "quen/quencore.h"

#include <cstdlib>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QuenHandle locals()
{
    static const QuenHandle block = [] {
        const QuenHandle b = QuenPbDefCreate();
        const auto add = [b](const char* name, QuenHandle data) {
            const QuenHandle parm = QuenParmCreate(name, QuenDataGetType(data));
            QuenParmSetData(parm, data);
            QuenPbDefAddParm(b, parm);
        };
        add("Count", QuenInt32Create(1));
        add("Volts", QuenReal64Create(2.5));
        add("Name", QuenStringCreate("x"));
        return b;
    }();
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string pattern = input.substr(0, split).c_str(); // up to a NUL, like the C API
    const std::string reply = split == std::string::npos ? std::string() : input.substr(split + 1).c_str();
    const QuenHandle block = locals();
    const int32_t before = QuenCoreGetLiveObjectCount();

    bool hasError = false;
    int32_t next = 0;
    for (int32_t at = 0, kind; (kind = QuenStrFmtGetNextToken(pattern.c_str(), at, &next)) != QUEN_TOKEN_NONE; at = next) {
        check(next > at && kind >= QUEN_TOKEN_TEXT && kind <= QUEN_TOKEN_ERROR);
        hasError = hasError || kind == QUEN_TOKEN_ERROR;
    }
    check(std::string(QuenStrFmtValidate(pattern.c_str(), 0, 0, block)).empty() == !hasError);

    for (const int32_t lineEnds : { 0, 1 }) {
        const std::string literal = QuenStrFmtTokenizeText(input.c_str(), lineEnds);
        check(QuenStrFmtGetStringValue(literal.c_str(), block) == std::string(input.c_str()));
    }

    const QuenHandle item = QuenStringCreate(reply.c_str());
    const QuenHandle format = QuenStringCreate(pattern.c_str());
    QuenDataExSetProperty(item, "Format", format);
    if (QuenStrFmtRuntimeScan(item, block)) {
        check(QuenStrFmtRuntimeEvaluate(item, block) != QUEN_FALSE);
        check(QuenStrFmtRuntimeScan(item, block) != QUEN_FALSE);
    }
    QuenDataRelease(format);
    QuenDataRelease(item);
    QuenExcRegClearError(0);
    check(QuenCoreGetLiveObjectCount() == before);
    return 0;
}
