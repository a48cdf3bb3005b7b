// Problem lists and problems: create, reference counting, withdrawal, and the location text
// that tells a user (and an editor) where a problem lies.
#include "block_p.h"
#include "pills_p.h"
#include "test_p.h"

#include <algorithm>

namespace quen {
namespace {

QuenBool addRef(Pill& pill, const char* function)
{
    if (pill.refs == INT32_MAX) {
        raise(QUEN_ERR_OVERFLOW, function, "too many references to the problem");
        return QUEN_FALSE;
    }
    ++pill.refs;
    return QUEN_TRUE;
}

void releasePill(QuenHandle h)
{
    auto* pill = lookup<Pill>(h);
    if (pill && --pill->refs <= 0)
        Store::instance().remove(h);
}

// The name an object shows in a location, "" for objects without one.
std::string nameOf(const Object& object)
{
    switch (object.kind) {
    case Kind::Parm: return static_cast<const Parm&>(object).name;
    case Kind::Block: return static_cast<const Block&>(object).name;
    case Kind::Test: return static_cast<const Test&>(object).name;
    default: return {};
    }
}

// The names on the owner chain of an object, from the outermost in (unnamed objects left out).
std::vector<std::string> namesOutsideIn(QuenHandle handle)
{
    std::vector<std::string> names;
    // The same bound as the store's own walks: owner chains are short.
    for (int hops = 0; handle != 0 && hops < 16; ++hops) {
        const Object* object = Store::instance().find(handle);
        if (!object)
            break;
        if (std::string name = nameOf(*object); !name.empty())
            names.push_back(std::move(name));
        handle = object->owner;
    }
    std::reverse(names.begin(), names.end());
    return names;
}

} // namespace
} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenPillsCreate() { return Store::instance().add(std::make_unique<Pills>()); }

QuenBool QuenPillsRelease(QuenHandle h)
{
    auto* list = resolveAs<Pills>(h, __func__);
    if (!list)
        return QUEN_FALSE;
    std::vector<QuenHandle> pills;
    pills.swap(list->pills);
    Store::instance().remove(h);
    for (const QuenHandle pill : pills)
        releasePill(pill);
    return QUEN_TRUE;
}

int32_t QuenPillsGetSize(QuenHandle h)
{
    const auto* list = resolveAs<Pills>(h, __func__);
    return list ? int32_t(list->pills.size()) : 0;
}

QuenHandle QuenPillsGetPill(QuenHandle h, int32_t position)
{
    const auto* list = resolveAs<Pills>(h, __func__);
    if (!list)
        return 0;
    if (position < 1 || std::size_t(position) > list->pills.size()) {
        raise(QUEN_ERR_OUT_OF_RANGE, __func__,
              "position " + std::to_string(position) + " is outside 1 to " + std::to_string(list->pills.size()));
        return 0;
    }
    const QuenHandle pill = list->pills[std::size_t(position) - 1];
    return addRef(*lookup<Pill>(pill), __func__) ? pill : 0;
}

QuenBool QuenPillsAdd(QuenHandle h, QuenHandle pillHandle)
{
    auto* list = resolveAs<Pills>(h, __func__);
    auto* pill = list ? resolveAs<Pill>(pillHandle, __func__) : nullptr;
    if (!pill)
        return QUEN_FALSE;
    if (std::find(list->pills.begin(), list->pills.end(), pillHandle) != list->pills.end()) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "the list already holds problem " + std::to_string(pillHandle));
        return QUEN_FALSE;
    }
    if (list->pills.size() >= std::size_t(INT32_MAX)) {
        raise(QUEN_ERR_OVERFLOW, __func__, "the list is full");
        return QUEN_FALSE;
    }
    if (!addRef(*pill, __func__))
        return QUEN_FALSE;
    list->pills.push_back(pillHandle);
    return QUEN_TRUE;
}

QuenBool QuenPillsInvalidateAll(QuenHandle h)
{
    const auto* list = resolveAs<Pills>(h, __func__);
    if (!list)
        return QUEN_FALSE;
    for (const QuenHandle pill : list->pills)
        lookup<Pill>(pill)->valid = false;
    return QUEN_TRUE;
}

QuenHandle QuenPillCreate(int32_t severity, const char* problemText, QuenHandle object, const char* tag)
{
    if (severity < 1 || severity > 3) {
        raise(QUEN_ERR_OUT_OF_RANGE, __func__,
              "severity " + std::to_string(severity) + " is not 1 (information), 2 (warning) or 3 (error)");
        return 0;
    }
    if (object != 0 && !Store::instance().find(object)) {
        raise(QUEN_ERR_INVALID_HANDLE, __func__,
              "handle " + std::to_string(object) + " is not valid (released, or never issued)");
        return 0;
    }
    auto pill = std::make_unique<Pill>();
    pill->severity = severity;
    pill->problemText = textArg(problemText);
    pill->tag = textArg(tag);
    pill->object = object;
    return Store::instance().add(std::move(pill));
}

QuenBool QuenPillAddRef(QuenHandle h)
{
    auto* pill = resolveAs<Pill>(h, __func__);
    return pill ? addRef(*pill, __func__) : QUEN_FALSE;
}

QuenBool QuenPillRelease(QuenHandle h)
{
    if (!resolveAs<Pill>(h, __func__))
        return QUEN_FALSE;
    releasePill(h);
    return QUEN_TRUE;
}

QuenBool QuenPillInvalidate(QuenHandle h)
{
    auto* pill = resolveAs<Pill>(h, __func__);
    if (!pill)
        return QUEN_FALSE;
    pill->valid = false;
    return QUEN_TRUE;
}

QuenBool QuenPillIsValid(QuenHandle h)
{
    const auto* pill = resolveAs<Pill>(h, __func__);
    return toBool(pill && pill->valid);
}

int32_t QuenPillGetSeverity(QuenHandle h)
{
    const auto* pill = resolveAs<Pill>(h, __func__);
    return pill ? pill->severity : 0;
}

const char* QuenPillGetTag(QuenHandle h)
{
    const auto* pill = resolveAs<Pill>(h, __func__);
    return pill ? pill->tag.c_str() : "";
}

const char* QuenPillGetProblemText(QuenHandle h)
{
    const auto* pill = resolveAs<Pill>(h, __func__);
    return pill ? pill->problemText.c_str() : "";
}

QuenHandle QuenPillGetObject(QuenHandle h)
{
    const auto* pill = resolveAs<Pill>(h, __func__);
    return pill && Store::instance().find(pill->object) ? pill->object : 0;
}

const char* QuenPillGetLocationText(QuenHandle h, const char* separator)
{
    const auto* pill = resolveAs<Pill>(h, __func__);
    if (!pill)
        return "";
    const std::string joint = separator && *separator ? separator : "|";
    std::string text = pill->tag;
    for (const std::string& name : namesOutsideIn(pill->object))
        text += joint + name;
    return keepText(std::move(text));
}

} // extern "C"
