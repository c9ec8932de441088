// Lets test failures show framework strings as text.
#pragma once

#include "Framework.h"

#include <ostream>

inline void PrintTo(const CString& str, std::ostream* os)
{
    *os << '"' << static_cast<LPCSTR>(CW2A(str, CP_UTF8)) << '"';
}
