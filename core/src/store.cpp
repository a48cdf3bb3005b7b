// The object table, the error register and the texts the core hands out.
#include "model_p.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <deque>

namespace quen {
namespace {

constexpr int kIndexBits = 20;
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr uint16_t kGenerationMax = 0x7ff; // 11 bits: the handle stays positive

struct Error
{
    int32_t code;
    std::string message;
};

struct Register
{
    std::deque<Error> errors;
    std::string received; // the message handed out by QuenExcRegReceiveError
    QuenDisplayHook hook = nullptr;
    void* context = nullptr;
};

Register& reg()
{
    static Register r;
    return r;
}

constexpr std::size_t kMaxErrors = 1000; // a runaway loop must not eat the memory

// Where the UTF-8 character that contains byte i of text starts, so that a text cut at i keeps
// no half character. Malformed text (more continuation bytes than a character has) is cut at i.
std::size_t characterStart(const char* text, std::size_t i)
{
    auto continuation = [text](std::size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    std::size_t start = i;
    while (start > 0 && i - start < 3 && continuation(start))
        --start;
    return continuation(start) ? i : start;
}

} // namespace

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Data: return "a data item";
    case Kind::Parm: return "a parameter";
    case Kind::Block: return "a parameter block";
    case Kind::Desc: return "a description";
    case Kind::Pills: return "a problem list";
    case Kind::Pill: return "a problem";
    case Kind::Test: return "a test";
    }
    return "an object";
}

Store& Store::instance()
{
    static Store store;
    return store;
}

QuenHandle Store::add(std::unique_ptr<Object> object)
{
    uint32_t index;
    if (!m_free.empty()) {
        index = m_free.front();
        m_free.pop_front();
    } else {
        if (m_slots.empty())
            m_slots.emplace_back(); // slot 0: handle 0 means none
        if (m_slots.size() > kIndexMask) {
            raise(QUEN_ERR_OVERFLOW, "QuenCore: the object table is full");
            return 0;
        }
        index = static_cast<uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    Slot& slot = m_slots[index];
    const QuenHandle handle = static_cast<QuenHandle>((uint32_t(slot.generation) << kIndexBits) | index);
    object->self = handle;
    slot.object = std::move(object);
    ++m_live;
    return handle;
}

Object* Store::find(QuenHandle handle) const
{
    if (handle <= 0)
        return nullptr;
    const uint32_t index = uint32_t(handle) & kIndexMask;
    const uint32_t generation = uint32_t(handle) >> kIndexBits;
    if (index == 0 || index >= m_slots.size())
        return nullptr;
    const Slot& slot = m_slots[index];
    if (!slot.object || slot.generation != generation)
        return nullptr;
    return slot.object.get();
}

void Store::remove(QuenHandle handle)
{
    if (!find(handle))
        return;
    const uint32_t index = uint32_t(handle) & kIndexMask;
    Slot& slot = m_slots[index];
    slot.object.reset();
    --m_live;
    if (slot.generation >= kGenerationMax)
        return; // every handle value of the slot has been issued: it is retired
    ++slot.generation;
    m_free.push_back(index);
}

void Store::touch(QuenHandle handle)
{
    // Owner chains are short (property item -> item -> parameter -> block); the bound guards
    // against a cycle that a bug could make.
    for (int hops = 0; handle != 0 && hops < 16; ++hops) {
        Object* object = find(handle);
        if (!object)
            return;
        if (object->kind == Kind::Block) {
            auto* block = static_cast<Block*>(object);
            block->age = block->age == INT32_MAX ? 1 : block->age + 1;
            return;
        }
        handle = object->owner;
    }
}

Object* resolve(QuenHandle handle, Kind kind, const char* function)
{
    if (handle == 0) {
        raise(QUEN_ERR_INVALID_HANDLE, function, std::string("no ") + (kindName(kind) + 2)
                      + " given (handle 0)");
        return nullptr;
    }
    Object* object = Store::instance().find(handle);
    if (!object) {
        raise(QUEN_ERR_INVALID_HANDLE, function,
              "handle " + std::to_string(handle) + " is not valid (released, or never issued)");
        return nullptr;
    }
    if (object->kind != kind) {
        raise(QUEN_ERR_WRONG_KIND, function,
              "handle " + std::to_string(handle) + " is " + kindName(object->kind) + ", not "
                      + kindName(kind));
        return nullptr;
    }
    return object;
}

void raise(QuenErrorCode code, const std::string& message)
{
    Register& r = reg();
    if (r.errors.size() >= kMaxErrors)
        r.errors.pop_front();
    r.errors.push_back({ code, message });
}

const char* keepText(std::string text)
{
    static std::array<std::string, 16> ring;
    static std::size_t next = 0;
    std::string& slot = ring[next];
    next = (next + 1) % ring.size();
    slot = std::move(text);
    return slot.c_str();
}

std::string textArg(const char* text, int32_t length)
{
    if (!text)
        return {};
    if (length < 0)
        return std::string(text);
    return std::string(text, strnlen(text, std::size_t(length)));
}

} // namespace quen

using namespace quen;

extern "C" {

int32_t QuenConvertToString(const char* source, char* buffer, int32_t bufferSize)
{
    const std::size_t length = source ? std::strlen(source) : 0;
    if (length > std::size_t(INT32_MAX - 1)) {
        raise(QUEN_ERR_OVERFLOW, __func__, "the text is too long");
        return 0;
    }
    if (buffer && bufferSize > 0) {
        std::size_t n = std::min(length, std::size_t(bufferSize - 1));
        if (n < length)
            n = characterStart(source, n);
        if (n)
            std::memcpy(buffer, source, n);
        buffer[n] = '\0';
    }
    return int32_t(length);
}

QuenBool QuenExcRegIsError(int32_t) { return toBool(!reg().errors.empty()); }

void QuenExcRegClearError(int32_t) { reg().errors.clear(); }

int32_t QuenExcRegGetErrorCount() { return int32_t(reg().errors.size()); }

void QuenExcRegDisplayErrors()
{
    Register& r = reg();
    if (r.errors.empty())
        return;
    std::string text;
    for (const Error& e : r.errors) {
        if (!text.empty())
            text += '\n';
        text += e.message;
    }
    r.errors.clear(); // before the hook: a hook may call the core again
    if (r.hook)
        r.hook(text.c_str(), r.context);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

QuenBool QuenExcRegReceiveError(int32_t* errorCode, const char** message)
{
    Register& r = reg();
    if (r.errors.empty()) {
        if (errorCode)
            *errorCode = QUEN_ERR_NONE;
        if (message)
            *message = "";
        return QUEN_FALSE;
    }
    r.received = std::move(r.errors.front().message);
    const int32_t code = r.errors.front().code;
    r.errors.pop_front();
    if (errorCode)
        *errorCode = code;
    if (message)
        *message = r.received.c_str();
    return QUEN_TRUE;
}

const char* QuenExcGetErrorMessage(int32_t errorCode)
{
    switch (errorCode) {
    case QUEN_ERR_NONE: return "No error";
    case QUEN_ERR_INVALID_HANDLE: return "The handle is not valid";
    case QUEN_ERR_WRONG_KIND: return "The handle names another kind of object";
    case QUEN_ERR_OUT_OF_RANGE: return "A value is out of range";
    case QUEN_ERR_INVALID_ARGUMENT: return "An argument is not valid";
    case QUEN_ERR_NOT_FOUND: return "Not found";
    case QUEN_ERR_FILE: return "The file could not be read or written";
    case QUEN_ERR_PARSE: return "The file is malformed";
    case QUEN_ERR_OVERFLOW: return "An arithmetic overflow occurred";
    case QUEN_ERR_NO_DATA: return "The parameter has no value";
    case QUEN_ERR_CALLBACK: return "A runtime callback failed";
    case QUEN_ERR_USER: return "User error";
    default: return "Unknown error";
    }
}

void QuenExcRaiseUserError(const char* message)
{
    raise(QUEN_ERR_USER, textArg(message));
}

void QuenExcRegSetDisplayHook(QuenDisplayHook hook, void* context)
{
    reg().hook = hook;
    reg().context = context;
}

int32_t QuenCoreGetLiveObjectCount() { return int32_t(Store::instance().liveCount()); }

} // extern "C"
