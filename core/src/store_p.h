// The core's object table: every object behind a handle lives here.
//
// A handle packs a slot index (low 20 bits) and the slot's generation (next 11 bits); releasing
// an object bumps its slot's generation, so old handles to it stop resolving. A handle value is
// never issued twice: freed slots are reused oldest first, and a slot whose last generation has
// been used is retired for good instead of starting again at 1. Objects know
// their owner (a data item its parameter or parent item, a parameter its block, a description
// its parameter or block) so that a change anywhere can age the block that contains it.
#pragma once

#include "quen/quencore.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace quen {

enum class Kind : uint8_t { Data = 1, Parm, Block, Desc, Pills, Pill, Test };

const char* kindName(Kind kind);

struct Object
{
    explicit Object(Kind k) : kind(k) { }
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    const Kind kind;
    QuenHandle self = 0;
    QuenHandle owner = 0; // 0 while the object stands alone
};

class Store
{
public:
    static Store& instance();

    // Takes the object and returns its new handle (0, with an error, when the table is full).
    QuenHandle add(std::unique_ptr<Object> object);
    // The object behind a live handle, or null. Records no error.
    Object* find(QuenHandle handle) const;
    // Destroys the object and retires its handle. Children are the caller's business.
    void remove(QuenHandle handle);
    std::size_t liveCount() const { return m_live; }

    // Increments the age of the first block on the owner chain of the object, if any.
    void touch(QuenHandle handle);

private:
    struct Slot
    {
        uint16_t generation = 1;
        std::unique_ptr<Object> object;
    };
    std::vector<Slot> m_slots; // slot 0 is never used: handle 0 means none
    std::deque<uint32_t> m_free; // freed slots, oldest first
    std::size_t m_live = 0;
};

// Resolves a handle to an object of the wanted kind; on failure records an error naming the
// calling function and returns null.
Object* resolve(QuenHandle handle, Kind kind, const char* function);

template <typename T>
T* resolveAs(QuenHandle handle, const char* function)
{
    return static_cast<T*>(resolve(handle, T::staticKind, function));
}

// Error register.
void raise(QuenErrorCode code, const std::string& message);
inline void raise(QuenErrorCode code, const char* function, const std::string& message)
{
    raise(code, std::string(function) + ": " + message);
}

// Texts handed out that belong to no object: kept in a ring of 16.
const char* keepText(std::string text);

// A text argument: null is the empty text; length -1 means up to the NUL.
std::string textArg(const char* text, int32_t length = -1);

inline QuenBool toBool(bool value) { return value ? QUEN_TRUE : QUEN_FALSE; }

} // namespace quen
