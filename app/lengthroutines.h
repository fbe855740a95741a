#pragma once

#include "lengthtables.h"

#include <string_view>

// The 22 length routines, one entry each: the two digits in a routine's name are the only place
// its size is written ("03": M03L, the table of "M3"), so no routine can reach another size's
// table, and the dispatch is made from the same list.
// clang-format off
#define FORM1_LENGTH_ROUTINES(X) \
    X(03) X(04) X(05) X(06) X(08) X(10) X(12) X(14) X(16) X(18) X(20) \
    X(22) X(24) X(27) X(30) X(33) X(36) X(39) X(42) X(45) X(48) X(52)
// clang-format on

namespace quill::lengths {

// The size of a routine's two digits ("03" is "M3", "10" is "M10"); digits that name no size do not compile.
consteval std::size_t routineSizeIndex(std::string_view digits)
{
    const std::string_view number = digits.front() == '0' ? digits.substr(1) : digits;
    for (std::size_t i = 0; i < kDesignations.size(); ++i)
        if (kDesignations[i].substr(1) == number)
            return i;
    throw "no size has these digits";
}

} // namespace quill::lengths
