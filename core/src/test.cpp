// Tests: a name and a limits block definition that the test owns. Reference counted: the
// creator holds one reference, the workspace one more for each test it lists.
#include "block_p.h"
#include "test_p.h"

namespace quen {

QuenHandle newTest(const std::string& name, QuenHandle limits)
{
    if (!limits && !(limits = newBlock({})))
        return 0;
    auto test = std::make_unique<Test>();
    test->name = name;
    test->limits = limits;
    const QuenHandle h = Store::instance().add(std::move(test));
    if (!h) {
        QuenPbDefRelease(limits);
        return 0;
    }
    lookup<Block>(limits)->owner = h;
    return h;
}

void destroyTest(QuenHandle h)
{
    const auto* test = lookup<Test>(h);
    if (!test)
        return;
    const QuenHandle limits = test->limits;
    Store::instance().remove(h);
    // An editor may still hold the block: it then stands alone.
    if (auto* block = lookup<Block>(limits)) {
        block->owner = 0;
        QuenPbDefRelease(limits);
    }
}

void releaseTest(QuenHandle h)
{
    auto* test = lookup<Test>(h);
    if (test && --test->refs <= 0)
        destroyTest(h);
}

} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenTestCreate(const char* name) { return newTest(textArg(name), 0); }

QuenBool QuenTestRelease(QuenHandle h)
{
    if (!resolveAs<Test>(h, __func__))
        return QUEN_FALSE;
    releaseTest(h);
    return QUEN_TRUE;
}

const char* QuenTestGetName(QuenHandle h)
{
    const auto* test = resolveAs<Test>(h, __func__);
    return test ? test->name.c_str() : "";
}

QuenBool QuenTestSetName(QuenHandle h, const char* name)
{
    auto* test = resolveAs<Test>(h, __func__);
    if (!test)
        return QUEN_FALSE;
    std::string text = textArg(name);
    if (test->inWorkspace && workspaceHasTestNamed(text, h)) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "the workspace already has a test named '" + text + "'");
        return QUEN_FALSE;
    }
    test->name = std::move(text);
    return QUEN_TRUE;
}

QuenHandle QuenTestGetLimits(QuenHandle h, QuenHandle selector)
{
    const auto* test = resolveAs<Test>(h, __func__);
    if (!test)
        return 0;
    // Limit sets are not kept yet: every live selector gives the test's one limits block.
    if (selector != 0 && !Store::instance().find(selector)) {
        raise(QUEN_ERR_INVALID_HANDLE, __func__,
              "selector " + std::to_string(selector) + " is not valid (released, or never issued)");
        return 0;
    }
    return test->limits;
}

} // extern "C"
