// Declares the columns of a data-driven test function in one call:
//     VeltTest::columns<QString, int>({"text", "count"});
#pragma once

#include <QTest>

#include <array>
#include <cstddef>

namespace VeltTest {

template <typename... Types>
void columns(const std::array<const char*, sizeof...(Types)>& names)
{
    std::size_t i = 0;
    (QTest::addColumn<Types>(names[i++]), ...);
}

} // namespace VeltTest
