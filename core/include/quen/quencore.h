/*
 * QuenCore: the core data library behind every VeltEditors control.
 *
 * The core owns every object: data items, parameters, parameter blocks (a symbol table is a
 * named parameter block kept in the table registry), descriptions, problem lists, tests.
 * Callers hold 32-bit handles.
 *
 * Handles
 *   A handle names a slot of the core's object table and carries the slot's generation, so a
 *   handle that was released, never issued or issued for another kind of object is detected:
 *   the call fails (0, false, 0.0 or "") and leaves a message in the error register. No call
 *   crashes on a bad handle. A handle value is never issued twice, so an old handle never
 *   comes to name a newer object (docs/core-data-items.md).
 *
 * Booleans are 16-bit: true = -1 (QUEN_TRUE), false = 0. Any non-zero value passed in is true.
 *
 * Texts go in as UTF-8 C strings (a null pointer is the empty text). Texts returned are owned by
 * the core and stay valid until the object they belong to changes or is released, or, for
 * computed texts, until 16 further calls that return a text. Callers copy them at once:
 * QuenConvertToString in C, quen::toQString on the Qt side. QuenConvertToString returns the
 * text's whole length in bytes and copies as much as fits before the terminating NUL, cut
 * between UTF-8 characters, never inside one.
 *
 * Ownership
 *   - QuenXxxCreate, QuenDataCopy, QuenDataExDeepCopy, QuenParmCopy, QuenPbDefRemoveParmId,
 *     QuenPbDefCreateFromClipboard, QuenTableRestore: the caller owns the result and releases it.
 *   - QuenDataExSetProperty stores a deep copy of the value; the caller keeps what it passed.
 *     QuenDataExGetProperty returns the item's own property: change it in place, never release it.
 *   - QuenParmSetData takes ownership of the data item (it must not belong to anything else);
 *     the parameter releases its previous data. QuenParmGetData returns the parameter's own item.
 *   - QuenParmSetReference makes the parameter a reference and hands its value item to the
 *     caller WITHOUT releasing it: whoever got the item from QuenParmGetData releases it.
 *   - QuenPbDefAddParm / QuenPbDefInsertParmAt take ownership of a parameter that has no owner;
 *     QuenParmRelease fails on a parameter that belongs to a block (the block releases it).
 *   - Parameter blocks are reference counted (QuenPbDefAddRef/QuenPbAddRef, ...Release); a
 *     created block starts with one reference; the table registry and the workspace hold one each.
 *   - Problems (QuenPill...) are reference counted the same way; a problem list holds one
 *     reference on each problem it holds and QuenPillsGetPill returns a new one. Tests are
 *     reference counted too (the workspace holds one on each of its tests); QuenTestGetLimits
 *     returns the test's own limits block (QuenPbDefAddRef to keep it).
 *     docs/core-problems-and-tests.md.
 *
 * Names of parameters, symbols and tables compare without regard to case. They are unique in a
 * block and among the tables of the registry: an add or rename that would repeat one fails. The
 * finds (QuenPbDefFindParm, QuenPbDefFindId, QuenTableRegFindTable, QuenTableRegFindParm) return
 * 0 without recording an error when nothing is found; an empty table name finds no table.
 * Files: docs/workspace-format.md.
 *
 * Ranges keep start, stop and the number of points (at least 1) and derive the rest:
 *   center = (start + stop) / 2, span = stop - start, step = span / (points - 1), 0 for 1 point.
 *   SetStart/SetStop keep the other end and the points; SetCenter keeps span and points;
 *   SetSpan keeps center and points; SetNumPoints keeps start and stop; SetStep keeps start,
 *   sets points = round-half-away(|span / step|) + 1 (at least 2) and moves stop to
 *   start + (points - 1) * step, so the step kept is the step given (to the last bit where a
 *   representable stop allows it; see docs/core-data-items.md). A step of 0, a
 *   non-finite value, fewer than 1 point or more points than an int32 holds fail and change
 *   nothing. A range of one point, or with start = stop, has step 0.
 *
 * Arrays have 1 to 3 dimensions with 16-bit signed bounds (lower <= upper) and at most
 * QuenArrayGetMaxSize elements. The default maximum is 65535; a workspace sets it with its
 * "arrayMaxSize" setting, a host with QuenArraySetDefaultMaxSize. Redimensioning keeps every
 * element whose indices lie inside the new bounds; new elements are 0, "" or zero points/ranges.
 *
 * Errors go into the error register: QuenExcRegIsError(0) tests it, QuenExcRegDisplayErrors()
 * hands all messages to the display hook (stderr when none is installed) and empties it,
 * QuenExcRegClearError(0) empties it, QuenExcRegReceiveError takes the oldest error out.
 */
#ifndef QUEN_QUENCORE_H
#define QUEN_QUENCORE_H

#include <stdint.h>

#include "quen/quen_export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t QuenHandle;
typedef int16_t QuenBool;

#define QUEN_TRUE ((QuenBool)-1)
#define QUEN_FALSE ((QuenBool)0)

/* Error codes kept with each message of the register (QuenExcRegReceiveError). */
enum QuenErrorCode {
    QUEN_ERR_NONE = 0,
    QUEN_ERR_INVALID_HANDLE = 1, /* released, forged or never issued */
    QUEN_ERR_WRONG_KIND = 2,     /* a handle of another kind of object or data class */
    QUEN_ERR_OUT_OF_RANGE = 3,   /* an index, bound, size or position outside what is allowed */
    QUEN_ERR_INVALID_ARGUMENT = 4,
    QUEN_ERR_NOT_FOUND = 5,
    QUEN_ERR_FILE = 6,  /* a file could not be read or written */
    QUEN_ERR_PARSE = 7, /* a file's content is malformed */
    QUEN_ERR_OVERFLOW = 8,
    QUEN_ERR_NO_DATA = 9, /* a parameter without a value */
    QUEN_ERR_CALLBACK = 10, /* a runtime callback failed or none is registered */
    QUEN_ERR_USER = 100     /* raised with QuenExcRaiseUserError */
};

/* Token kinds of a format pattern (QuenStrFmtGetNextToken); NONE past the last token. */
enum QuenStrFmtTokenType {
    QUEN_TOKEN_NONE = -1,
    QUEN_TOKEN_TEXT = 0,
    QUEN_TOKEN_SYMBOL = 1,
    QUEN_TOKEN_END_OF_LINE = 2,
    QUEN_TOKEN_ERROR = 3
};

#define QUEN_IN(type, name) type name
#define QUEN_OUT(type, name) type name
#define QUEN_FN(ret, name, params) QUEN_EXPORT ret name params;
#include "quen/quenapi.def"
#undef QUEN_FN
#undef QUEN_OUT
#undef QUEN_IN

/* ---- host-only functions: they take C function pointers, so scripts cannot call them ----- */

/* Shows the register's messages (one per line) to the user; context is the host's own. */
typedef void (*QuenDisplayHook)(const char* messages, void* context);
QUEN_EXPORT void QuenExcRegSetDisplayHook(QuenDisplayHook hook, void* context);

/* The parameter clipboard: put stores the serialised block, get returns it (or null when the
 * clipboard holds none; the text stays valid until the next call). Without hooks the core keeps
 * an in-process clipboard. */
typedef void (*QuenClipboardPutHook)(const char* content, void* context);
typedef const char* (*QuenClipboardGetHook)(void* context);
QUEN_EXPORT void QuenSetClipboardHooks(QuenClipboardPutHook put, QuenClipboardGetHook get, void* context);

/* Runtime callbacks: the core calls back with the slot number handed out at registration. A
 * callback reports a failure by leaving an error in the register. One slot (1 to 100) per data
 * class, the same for the four registrations of that class; 0 when the table is full. */
typedef void (*QuenRuntimeCallback)(int16_t slot, QuenHandle data, QuenHandle block);
QUEN_EXPORT int16_t QuenDataRegisterBindFunction(const char* className, QuenRuntimeCallback fn);
QUEN_EXPORT int16_t QuenDataRegisterEvaluateFunction(const char* className, QuenRuntimeCallback fn);
QUEN_EXPORT int16_t QuenDataRegisterScanFunction(const char* className, QuenRuntimeCallback fn);
QUEN_EXPORT int16_t QuenDataRegisterUnbindFunction(const char* className, QuenRuntimeCallback fn);

#ifdef __cplusplus
}
#endif

#endif /* QUEN_QUENCORE_H */
