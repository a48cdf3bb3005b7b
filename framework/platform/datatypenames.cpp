#include "datatypenames.h"

#include <utility>

namespace Velt {

namespace {

DataTypeNameLookup s_lookup = nullptr;

} // namespace

DataTypeNameLookup setDataTypeNameLookup(DataTypeNameLookup lookup)
{
    return std::exchange(s_lookup, lookup);
}

QString dataTypeName(const QString& dataClass)
{
    return dataClass.isEmpty() || !s_lookup ? QString() : s_lookup(dataClass);
}

} // namespace Velt
