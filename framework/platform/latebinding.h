// Late binding: calls a member of any QObject by its published name, as hosts of the library do.
// Methods are Q_INVOKABLE methods (or slots/signals), properties are Q_PROPERTYs or dynamic
// properties. Names match exactly first, then case-insensitively (the host platform's binding
// ignored case). A member that does not exist, or whose arguments cannot be converted to its
// parameter types, gives std::nullopt ("nothing"); a void method gives an invalid QVariant.
#pragma once

#include "velt_export.h"

#include <QVariant>
#include <QVariantList>

#include <optional>

class QObject;

namespace Velt {

// Calls the method `member` with `args`, each converted to the parameter's type. Overloads are
// chosen by argument count, the most derived class first, then by whether the arguments convert.
VELT_EXPORT std::optional<QVariant> invokeByName(QObject* object, const char* member,
                                                 const QVariantList& args = {});

// Reads or writes a property by name. setPropertyByName is false when there is no such
// property, it is read-only, or the value does not convert.
VELT_EXPORT std::optional<QVariant> propertyByName(const QObject* object, const char* name);
VELT_EXPORT bool setPropertyByName(QObject* object, const char* name, const QVariant& value);

// What a host's late-bound call does: a method with that name and argument count; otherwise,
// without arguments, a property read; with one argument, a property write (giving an invalid
// QVariant on success).
VELT_EXPORT std::optional<QVariant> callByName(QObject* object, const char* member,
                                               const QVariantList& args = {});

// The QObject held by a QVariant of any QObject pointer type, or null.
VELT_EXPORT QObject* toQObject(const QVariant& value);

// invokeByName for members that hand out an object (GetEditor, GetDirect, GetRuntime): the
// object returned, or null when the member is missing, fails or returns nothing.
VELT_EXPORT QObject* objectByName(QObject* object, const char* member,
                                  const QVariantList& args = {});

// True when the object has a method or property of that name.
VELT_EXPORT bool hasMember(const QObject* object, const char* name);

} // namespace Velt
